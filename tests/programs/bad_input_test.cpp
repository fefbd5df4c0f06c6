// The reconstruction programs run for real on bad input in a temporary
// directory: one message on standard error naming the file, exit status 1,
// the log closed, no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "reconstruction/marker_scan.h"
#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

// Ten images with marker 1 in every position and four reference marks that
// span a plane; `upravit` may change an image before it is written.
template <class F>
std::string scena(F upravit) {
  const std::string adresar = novy_adresar("program");
  for (const SnimekZnacek& s : snimky_znacek) {
    Obraz obraz;
    obraz.nastav(350, 250, 1, 0, 0);
    if (s.slot == 1) {
      const int posun = s.kamera == 1 ? 0 : 25;
      obraz.nastav(300 + posun, 300, 0, 255, 0);
      obraz.nastav(400 + posun, 320, 0, 254, 0);
      obraz.nastav(350 + posun, 360, 0, 253, 0);
      obraz.nastav(320 + posun, 340, 0, 252, 0);
    }
    upravit(s, obraz);
    EXPECT_TRUE(zapis_bmp(adresar + "/" + s.soubor, obraz));
  }
  return adresar;
}

std::string scena() {
  return scena([](const SnimekZnacek&, Obraz&) {});
}

void ocekavej_selhani(const VysledekBehu& beh, const std::string& adresar,
                      const std::string& zprava) {
  EXPECT_FALSE(beh.vyprsel);
  EXPECT_EQ(beh.kod, 1) << beh.chyby;
  EXPECT_NE(beh.chyby.find(zprava), std::string::npos) << beh.chyby;
  // One line, and the log was opened and closed properly.
  EXPECT_EQ(beh.chyby.find('\n'), beh.chyby.size() - 1) << beh.chyby;
  EXPECT_EQ(precti_soubor(adresar + "/logfile.txt").rfind("spusteno\n", 0), 0u);
}

TEST(BadInput, MissingAndMalformedImagesAreNamed) {
  const std::string prazdny = novy_adresar("program");
  ocekavej_selhani(spust_program(VIEWER_POLAR_PATH, prazdny), prazdny,
                   "000_k1_A.bmp: cannot be opened: No such file or directory");

  const std::string kratky = scena();
  const std::vector<std::uint8_t> bajty = bajty_bmp(Obraz());
  ASSERT_TRUE(zapis_soubor(kratky + "/080_k1_A.bmp",
                           std::vector<std::uint8_t>(bajty.begin(), bajty.begin() + 1000)));
  ocekavej_selhani(spust_program(VIEWER_PROJECTION_PATH, kratky), kratky,
                   "080_k1_A.bmp: pixel data at offset 54");

  const std::string adresar = scena();
  ASSERT_EQ(std::remove((adresar + "/200_k2_A.bmp").c_str()), 0);
  ASSERT_EQ(mkdir((adresar + "/200_k2_A.bmp").c_str(), 0755), 0);
  ocekavej_selhani(spust_program(VIEWER_CALIBRATION_PATH, adresar), adresar,
                   "200_k2_A.bmp: is a directory");
}

TEST(BadInput, MarkersBeyondTheConfigurationsTables) {
  const std::string pres65 = scena([](const SnimekZnacek& s, Obraz& o) {
    if (s.slot == 3 && s.kamera == 2) o.nastav(10, 10, 66, 0, 0);
  });
  ocekavej_selhani(spust_program(VIEWER_POLAR_PATH, pres65), pres65,
                   "240_k2_A.bmp: marker number 66");
  // viewer_projection holds 73 markers per position: 66 is read, 74 is not.
  // Only camera 2 shows 66, so it is left out with a warning.
  VysledekBehu projekce = spust_bez_displeje(VIEWER_PROJECTION_PATH, pres65, "\n");
  const std::string varovani =
      "viewer_projection: 240_k1_A.bmp: lacks marker 66 that 240_k2_A.bmp shows; it is left out\n";
  ASSERT_EQ(projekce.chyby.rfind(varovani, 0), 0u) << projekce.chyby;
  projekce.chyby.erase(0, varovani.size());
  // The five points of marker 1 lie in one plane, up to rounding: their
  // surface, if any, is a flat sheet, which the guard says bounds no volume.
  const std::string plocha = "viewer_projection: surface.ply: bounds a volume: no (";
  if (projekce.chyby.rfind(plocha, 0) == 0) projekce.chyby.erase(0, projekce.chyby.find('\n') + 1);
  EXPECT_TRUE(zastaveno_u_okna(projekce)) << projekce.chyby;
  const std::string pres73 = scena([](const SnimekZnacek& s, Obraz& o) {
    if (s.slot == 0 && s.kamera == 1) o.nastav(10, 10, 74, 0, 0);
  });
  ocekavej_selhani(spust_program(VIEWER_PROJECTION_PATH, pres73), pres73,
                   "000_k1_A.bmp: marker number 74 (pixel column 10, row 10) is beyond the "
                   "capacity of 73 markers");
  const std::string zelena = scena([](const SnimekZnacek& s, Obraz& o) {
    if (s.slot == 1 && s.kamera == 1) o.nastav(10, 10, 0, 100, 0);
  });
  ocekavej_selhani(spust_program(VIEWER_POLAR_PATH, zelena), zelena,
                   "080_k1_A.bmp: reference mark with green value 100");
}

TEST(BadInput, ReferenceMarksThatGiveNoAxis) {
  const std::string chybi = scena([](const SnimekZnacek& s, Obraz& o) {
    if (s.slot == 1) o = Obraz();
  });
  ocekavej_selhani(spust_program(VIEWER_POLAR_PATH, chybi, "\n"), chybi,
                   "the turntable axis is undefined");
}

// Root reads every file, so the program runs as an unprivileged user then.
TEST(BadInput, UnreadableFile) {
  const std::string adresar = scena();
  ASSERT_EQ(chmod(adresar.c_str(), 0777), 0);
  ASSERT_EQ(chmod((adresar + "/160_k1_A.bmp").c_str(), 0), 0);
  ocekavej_selhani(spust_program_bez_prav(VIEWER_POLAR_PATH, adresar), adresar,
                   "160_k1_A.bmp: cannot be opened: Permission denied");
}

}  // namespace
