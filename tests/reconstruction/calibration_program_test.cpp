// viewer_calibration run for real in a temporary directory: the whole
// printout on good images, and one clear message with status 1 on each kind
// of bad calibration image.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/reconstruction/calibration_scene.h"
#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

// Temporary directories of this test program, removed when it ends.
struct Uklid {
  std::vector<std::string> adresare;
  ~Uklid() {
    for (const std::string& a : adresare) std::filesystem::remove_all(a);
  }
} uklid;

// A directory with the ten marker images and the calibration images of the
// known set-up.
std::string pripravena_scena() {
  const std::string adresar = novy_adresar("calibration");
  uklid.adresare.push_back(adresar);
  EXPECT_FALSE(adresar.empty());
  EXPECT_TRUE(zapis_snimky_znacek(adresar));
  EXPECT_TRUE(zapis_kalibracni_snimky(adresar, testovaci_sestava()));
  return adresar;
}

VysledekBehu spust(const std::string& adresar) {
  return spust_bez_displeje(VIEWER_CALIBRATION_PATH, adresar, "\n", 60);
}

int pocet(const std::string& text, const std::string& hledany) {
  int n = 0;
  for (std::size_t i = text.find(hledany); i != std::string::npos; i = text.find(hledany, i + 1))
    n++;
  return n;
}

// printf's spelling of a non-finite number anywhere in the text.
bool neni_konecne(const std::string& text) {
  return std::regex_search(text, std::regex(R"((^|[^a-z])-?(nan|inf)([^a-z]|$))"));
}

}  // namespace

TEST(ProgramKalibrace, GoodImagesGiveTheWholePrintoutAndTheQualityBlock) {
  const std::string adresar = pripravena_scena();
  const VysledekBehu beh = spust(adresar);
  ASSERT_FALSE(beh.vyprsel);
  EXPECT_TRUE(zastaveno_u_okna(beh)) << beh.kod << " " << beh.chyby;
  const std::string& v = beh.vystup;
  const std::size_t prvni = v.find("PRVNI KAMERA\n");
  const std::size_t druha = v.find("DRUHA KAMERA\n");
  const std::size_t konec = v.find("KONEC KALIBRACE\n");
  const std::size_t presnost = v.find("PRESNOST KALIBRACE:");
  const std::size_t vyzva = v.find("Kalibrace dokoncena, pokracuj Enterem...\n");
  ASSERT_NE(prvni, std::string::npos) << v;
  EXPECT_LT(prvni, druha);
  EXPECT_LT(druha, konec);
  EXPECT_LT(konec, presnost);
  EXPECT_LT(presnost, vyzva);
  EXPECT_EQ(vyzva + 41, v.size()) << "the prompt is the last line";
  EXPECT_EQ(pocet(v, "determinanty:\n"), 6);
  EXPECT_EQ(pocet(v, "ZKOUSKA:\n"), 6);
  EXPECT_EQ(pocet(v, "vektory630: \n"), 2);
  EXPECT_EQ(pocet(v, ". bod:   ["), 32);
  EXPECT_NE(v.find("kamera 1: 16 marks compared, 0 not in the image; mean 0."), std::string::npos)
      << v;
  EXPECT_NE(v.find("kamera 2: 16 marks compared, 0 not in the image; mean 0."), std::string::npos)
      << v;
  EXPECT_FALSE(neni_konecne(v)) << v;
  // The quality block, for the record of this set-up.
  std::printf("%s", v.substr(presnost, vyzva - presnost).c_str());
}

TEST(ProgramKalibrace, UnreadableCalibrationImagesEndWithTheFileNamed) {
  {
    const std::string adresar = pripravena_scena();
    std::remove((adresar + "/kalib1.bmp").c_str());
    const VysledekBehu beh = spust(adresar);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby.rfind("viewer_calibration: kalib1.bmp: ", 0), 0u) << beh.chyby;
    EXPECT_EQ(beh.vystup.find("PRVNI KAMERA"), std::string::npos);
  }
  {
    const std::string adresar = pripravena_scena();
    std::vector<std::uint8_t> bajty = bajty_bmp(Obraz());
    bajty.resize(bajty.size() / 2);  // cut short
    ASSERT_TRUE(zapis_soubor(adresar + "/kalib2.bmp", bajty));
    const VysledekBehu beh = spust(adresar);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby.rfind("viewer_calibration: kalib2.bmp: ", 0), 0u) << beh.chyby;
    EXPECT_EQ(std::count(beh.chyby.begin(), beh.chyby.end(), '\n'), 1);
  }
  {
    const std::string adresar = pripravena_scena();
    ASSERT_TRUE(zapis_bmp(adresar + "/kalib2.bmp", Obraz(320, 240)));  // wrong size
    const VysledekBehu beh = spust(adresar);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby.rfind("viewer_calibration: kalib2.bmp: ", 0), 0u) << beh.chyby;
  }
}

TEST(ProgramKalibrace, RedValuesAbove16AreIgnoredWithOneWarningPerFileAndValue) {
  const std::string adresar = pripravena_scena();
  const ZnamaSestava sestava = testovaci_sestava();
  Obraz obraz = kalibracni_obraz(sestava.kamera[0]);
  for (int i = 0; i < 100; i++) obraz.nastav(10 + i, 400, 17, 0, 0);  // a line of 100 pixels
  obraz.nastav(5, 5, 200, 0, 0);
  obraz.nastav(639, 479, 255, 0, 0);
  ASSERT_TRUE(zapis_bmp(adresar + "/kalib1.bmp", obraz));
  Obraz obraz2 = kalibracni_obraz(sestava.kamera[1]);
  obraz2.nastav(0, 0, 17, 0, 0);
  ASSERT_TRUE(zapis_bmp(adresar + "/kalib2.bmp", obraz2));
  const VysledekBehu beh = spust(adresar);
  EXPECT_TRUE(zastaveno_u_okna(beh)) << beh.kod << " " << beh.chyby;
  const std::string& v = beh.vystup;
  EXPECT_EQ(pocet(v, "warning: "), 4) << v;
  EXPECT_EQ(pocet(v,
                  "warning: kalib1.bmp: red value 17 is not a calibration mark (marks are 1 to "
                  "16); its pixels are ignored\n"),
            1);
  EXPECT_EQ(pocet(v, "warning: kalib1.bmp: red value 200 "), 1);
  EXPECT_EQ(pocet(v, "warning: kalib1.bmp: red value 255 "), 1);
  EXPECT_EQ(pocet(v, "warning: kalib2.bmp: red value 17 "), 1);
  EXPECT_LT(v.find("warning: kalib2.bmp"), v.find("PRVNI KAMERA"));
  // The calibration itself is that of the clean images.
  EXPECT_NE(v.find("kamera 1: 16 marks compared, 0 not in the image; mean 0."), std::string::npos);
}

TEST(ProgramKalibrace, MarksThatDetermineNoCameraEndWithTheCameraAndMarksNamed) {
  const ZnamaSestava sestava = testovaci_sestava();
  {
    const std::string adresar = pripravena_scena();
    Obraz obraz = kalibracni_obraz(sestava.kamera[1]);
    int c, r;
    pixel_znacky(sestava.kamera[1], 8, &c, &r);
    obraz.nastav(c, r, 0, 0, 0);
    ASSERT_TRUE(zapis_bmp(adresar + "/kalib2.bmp", obraz));
    const VysledekBehu beh = spust(adresar);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby,
              "viewer_calibration: kalib2.bmp (camera 2): calibration mark 8 (red 9) not found in the image; the "
              "camera is solved from marks 0 (red 1), 8 (red 9), 14 (red 15), which must all "
              "be shown\n");
    // The listing shows what was found; nothing is computed.
    EXPECT_NE(beh.vystup.find("DRUHA KAMERA\n"), std::string::npos);
    EXPECT_NE(beh.vystup.find("8. bod:   [0,   0]\n"), std::string::npos);
    EXPECT_EQ(beh.vystup.find("determinanty:"), std::string::npos);
    EXPECT_EQ(beh.vystup.find("Enterem"), std::string::npos);
  }
  {
    const std::string adresar = pripravena_scena();
    Obraz obraz;
    obraz.nastav(300, 200, 1, 0, 0);
    obraz.nastav(350, 200, 9, 0, 0);
    obraz.nastav(400, 200, 15, 0, 0);
    ASSERT_TRUE(zapis_bmp(adresar + "/kalib1.bmp", obraz));
    const VysledekBehu beh = spust(adresar);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby,
              "viewer_calibration: kalib1.bmp (camera 1): calibration marks 0 (red 1), 8 (red 9), 14 (red 15) lie "
              "on one line in the image (pixels [300, 200], [350, 200], [400, 200]); the camera "
              "cannot be solved from them\n");
    EXPECT_FALSE(neni_konecne(beh.vystup)) << beh.vystup;
  }
}
