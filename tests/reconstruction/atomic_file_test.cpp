// The atomic file writer: complete files, unique temporary names, and an
// existing file left alone on every failure.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

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
  // Nothing is on disk before the content is complete, so an interrupted
  // run leaves no temporary file.
  EXPECT_TRUE(jmena_v_adresari(adresar_).empty());
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
  // A non-empty directory in the way: refused before anything is written.
  fs::create_directories(cesta("d/x"));
  EXPECT_FALSE(zapis_atomicky(cesta("d"), "obsah", &chyba));
  EXPECT_EQ(chyba, cesta("d") + ": cannot be written (a directory stands there; it is left as it is)");
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

TEST_F(AtomicFile, SpecialFilesAreLeftAloneAndSymbolicLinksFollowed) {
  std::string chyba;
  // A FIFO and a socket keep their kind; opening the FIFO would block.
  ASSERT_EQ(mkfifo(cesta("fifo").c_str(), 0644), 0);
  const int s = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un adresa{};
  adresa.sun_family = AF_UNIX;
  std::snprintf(adresa.sun_path, sizeof adresa.sun_path, "%s", cesta("sok").c_str());
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa), 0);
  close(s);
  for (const char* jmeno : {"fifo", "sok"}) {
    EXPECT_FALSE(zapis_atomicky(cesta(jmeno), "obsah", &chyba));
    EXPECT_EQ(chyba, cesta(jmeno) + ": cannot be written (not a regular file but a FIFO, socket or device; "
                                     "it is left as it is)");
  }
  struct stat st;
  ASSERT_EQ(lstat(cesta("fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(lstat(cesta("sok").c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  // A link to a device, through a chain of links.
  ASSERT_EQ(symlink("/dev/null", cesta("nula").c_str()), 0);
  ASSERT_EQ(symlink("nula", cesta("k_nule").c_str()), 0);
  EXPECT_FALSE(zapis_atomicky(cesta("k_nule"), "obsah", &chyba));
  EXPECT_EQ(chyba.rfind(cesta("k_nule") + ": cannot be written (not a regular file", 0), 0u) << chyba;

  // Links to a file, relative and absolute, and a link to a file not there
  // yet: the file is written, the links stay.
  fs::create_directories(cesta("cil"));
  ASSERT_TRUE(zapis_atomicky(cesta("cil/a.ply"), "stary", &chyba)) << chyba;
  ASSERT_EQ(symlink("cil/a.ply", cesta("relativni").c_str()), 0);
  ASSERT_EQ(symlink(cesta("cil/b.ply").c_str(), cesta("absolutni").c_str()), 0);
  ASSERT_TRUE(zapis_atomicky(cesta("relativni"), "novy", &chyba)) << chyba;
  ASSERT_TRUE(zapis_atomicky(cesta("absolutni"), "dalsi", &chyba)) << chyba;
  EXPECT_EQ(precti_soubor(cesta("cil/a.ply")), "novy");
  EXPECT_EQ(precti_soubor(cesta("cil/b.ply")), "dalsi");
  for (const char* odkaz : {"relativni", "absolutni"}) {
    ASSERT_EQ(lstat(cesta(odkaz).c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << odkaz;
  }
  EXPECT_EQ(jmena_v_adresari(cesta("cil")), (std::vector<std::string>{"a.ply", "b.ply"}));
}

}  // namespace
