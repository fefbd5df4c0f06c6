// The programs with and without "rig.yml": without it nothing changes, with
// the compiled-in set-up written as the file the outputs are the same bytes
// and only the line naming the set-up is added; a broken file ends the
// program with one message before any output file is written.
#include <gtest/gtest.h>

#include <string>

#include "reconstruction/camera_rig.h"
#include "reconstruction/rig_file.h"
#include "tests/support/program_run.h"
#include "tools/sample_scene.h"

namespace {

struct Beh {
  VysledekBehu vysledek;
  std::string log, model, body;
};

Beh spust(const char* program, const std::string& adresar) {
  Beh b;
  b.vysledek = spust_bez_displeje(program, adresar, "\n");
  EXPECT_TRUE(zastaveno_u_okna(b.vysledek)) << b.vysledek.chyby;
  b.log = precti_soubor(adresar + "/logfile.txt");
  b.model = precti_soubor(adresar + "/model.ply");
  b.body = precti_soubor(adresar + "/points.ply");
  return b;
}

std::string bez_radku(std::string text, const std::string& radek) {
  const std::size_t kde = text.find(radek);
  if (kde != std::string::npos) text.erase(kde, radek.size());
  return text;
}

TEST(RigProgram, TheCompiledInSetUpAsAFileGivesTheSameOutputs) {
  const std::string radek = "camera set-up: rig.yml (unit: " + vychozi_rig().jednotka + ")\n";
  for (std::uint64_t seed : {1, 29}) {
    NastaveniSceny n;
    n.seed = seed;
    const std::string adresar = novy_adresar("rig-default");
    std::string chyba;
    ASSERT_TRUE(zapis_scenu(vytvor_scenu(n), adresar, &chyba)) << chyba;
    for (const char* program : {VIEWER_POLAR_PATH, VIEWER_PROJECTION_PATH}) {
      const Beh bez = spust(program, adresar);
      EXPECT_EQ(bez.vysledek.vystup.find("camera set-up"), std::string::npos);
      EXPECT_EQ(bez.log.find("camera set-up"), std::string::npos);
      ASSERT_TRUE(zapis_rig(adresar + "/rig.yml", vychozi_rig(), &chyba)) << chyba;
      const Beh s = spust(program, adresar);
      ASSERT_EQ(std::remove((adresar + "/rig.yml").c_str()), 0);
      EXPECT_FALSE(bez.model.empty());
      EXPECT_TRUE(s.model == bez.model) << program << " seed " << seed;
      EXPECT_TRUE(s.body == bez.body) << program << " seed " << seed;
      EXPECT_EQ(s.vysledek.vystup.rfind(radek, 0), 0u) << s.vysledek.vystup.substr(0, 200);
      EXPECT_EQ(bez_radku(s.vysledek.vystup, radek), bez.vysledek.vystup);
      EXPECT_NE(s.log.find(radek), std::string::npos);
      EXPECT_EQ(bez_radku(s.log, radek), bez.log);
    }
  }
}

TEST(RigProgram, ABrokenFileEndsTheProgramWithOneMessage) {
  const std::string adresar = novy_adresar("rig-broken");
  std::string chyba;
  NastaveniSceny n;
  n.pozadi = false;
  ASSERT_TRUE(zapis_scenu(vytvor_scenu(n), adresar, &chyba)) << chyba;
  RigKamer rig = vychozi_rig();
  for (double& v : rig.kamera[1].krok_sloupce) v = 0.0;
  ASSERT_TRUE(zapis_rig(adresar + "/rig.yml", rig, &chyba)) << chyba;
  for (const char* program : {VIEWER_POLAR_PATH, VIEWER_PROJECTION_PATH, VIEWER_CALIBRATION_PATH}) {
    const VysledekBehu beh = spust_bez_displeje(program, adresar, "\n");
    EXPECT_EQ(beh.kod, 1);
    const std::string jmeno = std::string(program).substr(std::string(program).rfind('/') + 1);
    EXPECT_EQ(beh.chyby, jmeno + ": rig.yml: camera2.column_step: zero step\n");
    EXPECT_FALSE(existuje(adresar + "/model.ply"));
    EXPECT_FALSE(existuje(adresar + "/points.ply"));
  }
}

}  // namespace
