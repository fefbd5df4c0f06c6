// The reconstruction programs run the model of their configuration right
// after triangulation: console transcript and exit status of whole runs on
// generated marker images.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

// Ten marker images: the four turntable reference marks in both "080"
// images and `znacek` object markers in the images of the first position.
std::string priprav_snimky(int znacek) {
  const std::string adresar = novy_adresar("model_program");
  const char* uhly[5] = {"000", "080", "160", "240", "200"};
  for (const char* uhel : uhly) {
    for (int kamera = 1; kamera <= 2; kamera++) {
      Obraz obraz;
      const int posun = kamera == 1 ? 0 : 40;
      if (std::string(uhel) == "080") {
        const int znacky[4][2] = {{300, 300}, {400, 310}, {350, 360}, {320, 340}};
        for (int z = 0; z < 4; z++) obraz.nastav(znacky[z][0] + posun, znacky[z][1], 0, 255 - z, 0);
      }
      if (std::string(uhel) == "000")
        for (int m = 0; m < znacek; m++) obraz.nastav(250 + 13 * m + posun, 200 + (m * 37) % 90, m + 1, 0, 0);
      EXPECT_TRUE(zapis_bmp(adresar + "/" + uhel + "_k" + std::to_string(kamera) + "_A.bmp", obraz));
    }
  }
  return adresar;
}

std::string kroky(int do_kroku, int po, const char* format_konce) {
  std::string text;
  for (int k = 0; k <= do_kroku; k += po) text += "krok " + std::to_string(k) + format_konce;
  return text;
}

// The line about the surface that follows the model's output: six points
// that span a volume give a closed surface of eight triangles.
const std::string povrch_sesti_bodu =
    "surface: 6 vertices, 8 triangles, 0 open edges, 0 non-manifold edges, bounds a volume: yes\n";

TEST(ModelPrograms, PolarRunPrintsItsStagesAndWaitsForEnter) {
  const std::string adresar = priprav_snimky(6);
  const VysledekBehu beh = spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
  EXPECT_TRUE(zastaveno_u_okna(beh)) << beh.chyby;
  const std::string ocekavany =
      "Vytvari se polarni model...\nVypocet teziste...\nOK\nVypocet polarnich souradnic...\nOK\n"
      "Vytvareni 3D bodu...\nOK\nVytvareni polarnich usecek...\n" +
      kroky(10000, 100, " z 10000\n") +
      "OK\nVytvareni polygonu...\nOK\nTvorba 3D modelu dokoncena, pokracuj Enterem..." +
      povrch_sesti_bodu;
  ASSERT_GE(beh.vystup.size(), ocekavany.size());
  EXPECT_EQ(beh.vystup.substr(beh.vystup.size() - ocekavany.size()), ocekavany);
  const std::string log = precti_soubor(adresar + "/logfile.txt");
  EXPECT_EQ(log.find("prekrocen"), std::string::npos);
}

TEST(ModelPrograms, ProjectionRunPrintsBothHalves) {
  const std::string adresar = priprav_snimky(6);
  const VysledekBehu beh = spust_bez_displeje(VIEWER_PROJECTION_PATH, adresar);
  EXPECT_TRUE(zastaveno_u_okna(beh)) << beh.chyby;
  const std::string polovina = "OK2\n" + kroky(4000, 100, "...\n") + "OK3\n";
  const std::string ocekavany = "OK1\n" + polovina + polovina + povrch_sesti_bodu;
  ASSERT_GE(beh.vystup.size(), ocekavany.size());
  EXPECT_EQ(beh.vystup.substr(beh.vystup.size() - ocekavany.size()), ocekavany);
  const std::string log = precti_soubor(adresar + "/logfile.txt");
  const auto prvni = log.find("TADY TADY TADY\n");
  ASSERT_NE(prvni, std::string::npos);
  EXPECT_NE(log.find("TADY TADY TADY\n", prvni + 1), std::string::npos);
}

}  // namespace
