// The atomic file writer: complete files, unique temporary names, and an
// existing file left alone on every failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "reconstruction/atomic_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

class AtomicFile : public testing::Test {
 protected:
  void SetUp() override { adresar_ = novy_adresar("atomic"); }
  void TearDown() override { fs::remove_all(adresar_); }
  std::string cesta(const char* jmeno) const { return adresar_ + "/" + jmeno; }
  std::string adresar_;
};

TEST_F(AtomicFile, WritesTheWholeFileWithTheUsualPermissionsAndNothingElse) {
  const mode_t maska = umask(022);
  std::string chyba;
  ASSERT_TRUE(zapis_atomicky(cesta("a.txt"), "obsah\n", &chyba)) << chyba;
  ASSERT_TRUE(zapis_atomicky(cesta("prazdny"), std::string(), &chyba)) << chyba;
  umask(maska);
  EXPECT_EQ(precti_soubor(cesta("a.txt")), "obsah\n");
  EXPECT_EQ(precti_soubor(cesta("prazdny")), "");
  struct stat st;
  ASSERT_EQ(stat(cesta("a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(jmena_v_adresari(adresar_).size(), 2u);
}

TEST_F(AtomicFile, TwoWritersOfOneDirectoryDoNotShareTheirTemporaryFile) {
  AtomickySoubor prvni(cesta("model.ply")), druhy(cesta("model.ply"));
  AtomickySoubor jiny(cesta("points.ply"));
  ASSERT_TRUE(prvni.otevri() && druhy.otevri() && jiny.otevri());
  ASSERT_TRUE(prvni.zapis("prvni", 5) && druhy.zapis("druhy!", 6) && jiny.zapis("body", 4));
  EXPECT_EQ(jmena_v_adresari(adresar_).size(), 3u);  // three temporary files
  EXPECT_TRUE(prvni.dokonci()) << prvni.popis_chyby();
  EXPECT_EQ(precti_soubor(cesta("model.ply")), "prvni");
  EXPECT_TRUE(druhy.dokonci()) << druhy.popis_chyby();
  EXPECT_TRUE(jiny.dokonci()) << jiny.popis_chyby();
  EXPECT_EQ(precti_soubor(cesta("model.ply")), "druhy!");
  EXPECT_EQ(precti_soubor(cesta("points.ply")), "body");
  EXPECT_EQ(jmena_v_adresari(adresar_).size(), 2u);
}

TEST_F(AtomicFile, EveryFailureKeepsTheOldFileAndRemovesTheTemporaryOne) {
  std::string chyba;
  ASSERT_TRUE(zapis_atomicky(cesta("a.txt"), "puvodni", &chyba));
  {
    // The disk refuses the data: the write fails.
    LimitVelikostiSouboru limit(4);
    EXPECT_FALSE(zapis_atomicky(cesta("a.txt"), std::string(100000, 'x'), &chyba));
    EXPECT_EQ(chyba, cesta("a.txt") + ": cannot be written (write: File too large)");
    EXPECT_FALSE(zapis_atomicky(cesta("a.txt"), "kratky novy obsah", &chyba));
    EXPECT_EQ(chyba, cesta("a.txt") + ": cannot be written (write: File too large)");
  }
  EXPECT_EQ(precti_soubor(cesta("a.txt")), "puvodni");
  // A non-empty directory in the way: the rename fails.
  fs::create_directories(cesta("d/x"));
  EXPECT_FALSE(zapis_atomicky(cesta("d"), "obsah", &chyba));
  EXPECT_EQ(chyba.rfind(cesta("d") + ": cannot be written (rename: ", 0), 0u) << chyba;
  // No directory to create the file in: the open fails.
  EXPECT_FALSE(zapis_atomicky(cesta("chybi/a.txt"), "obsah", &chyba));
  EXPECT_EQ(chyba, cesta("chybi/a.txt") + ": cannot be written (open: No such file or directory)");
  {
    // Abandoned before the end.
    AtomickySoubor soubor(cesta("a.txt"));
    ASSERT_TRUE(soubor.otevri());
    ASSERT_TRUE(soubor.zapis("novy", 4));
  }
  EXPECT_EQ(precti_soubor(cesta("a.txt")), "puvodni");
  EXPECT_EQ(jmena_v_adresari(adresar_), (std::vector<std::string>{"a.txt", "d"}));
}

}  // namespace
