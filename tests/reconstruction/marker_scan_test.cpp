// The marker scan on pixel buffers and on real bitmap files, and the core
// that finds one image's markers (MarkerFinding): numbering gaps,
// markers seen by one camera only, background colours, reference marks, the
// last pixel winning, and the table capacities of the configuration.
#include "reconstruction/marker_scan.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

constexpr int kapacita = konfigurace::znacek_na_slot;

struct Pixely {
  std::vector<unsigned char> rgb = std::vector<unsigned char>(640 * 480 * 3, 0);
  void nastav(int sloupec, int radek, int r, int g, int b) {
    unsigned char* p = &rgb[radek * 1920 + sloupec * 3];
    p[0] = static_cast<unsigned char>(r);
    p[1] = static_cast<unsigned char>(g);
    p[2] = static_cast<unsigned char>(b);
  }
};

class MarkerScan : public testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    vynuluj_pocty_znacek();
  }
};

TEST_F(MarkerScan, GapsCameraTwoOnlyMarkersAndTheLastPixelWinning) {
  Pixely k1, k2;
  k1.nastav(100, 50, 1, 0, 0);
  k1.nastav(300, 40, 1, 0, 0);   // same row as nothing later: row 50 wins
  k1.nastav(20, 50, 2, 0, 0);
  k1.nastav(21, 50, 2, 0, 0);    // same row, higher column wins
  k1.nastav(400, 10, 5, 0, 0);
  k2.nastav(110, 60, 1, 0, 0);
  k2.nastav(200, 70, 7, 0, 0);   // camera 2 only, above camera 1's highest
  ASSERT_TRUE(skenuj_znacky(k1.rgb.data(), "k1.bmp", 1, 2, nullptr));
  ASSERT_TRUE(skenuj_znacky(k2.rgb.data(), "k2.bmp", 2, 2, nullptr));

  EXPECT_EQ(body_pocty[2], 5);
  const BodData& m1 = body_data[2][0];
  EXPECT_EQ(m1.x1, 100);
  EXPECT_EQ(m1.y1, 50);
  EXPECT_EQ(m1.x2, 110);
  EXPECT_EQ(m1.y2, 60);
  EXPECT_EQ(body_data[2][1].x1, 21);
  EXPECT_EQ(body_data[2][1].x2, 0);  // marker 2 only in camera 1 keeps (0, 0)
  EXPECT_EQ(body_data[2][2].x1, 0);  // markers 3 and 4 are gaps
  EXPECT_EQ(body_data[2][3].y1, 0);
  EXPECT_EQ(body_data[2][4].x1, 400);
  EXPECT_EQ(body_data[2][6].x2, 200);  // stored, though beyond body_pocty
  EXPECT_EQ(body_data[2][6].y2, 70);
}

TEST_F(MarkerScan, BackgroundAndReferenceMarksOnlyInSlotOne) {
  Pixely obraz;
  obraz.nastav(10, 10, 7, 0, 1);     // mixed colour: background
  obraz.nastav(11, 11, 0, 200, 0);   // green outside the slot-1 images: background
  obraz.nastav(12, 12, 0, 0, 9);     // blue: background
  ASSERT_TRUE(skenuj_znacky(obraz.rgb.data(), "000_k1_A.bmp", 1, 0, nullptr));
  EXPECT_EQ(body_pocty[0], 0);
  EXPECT_EQ(body_data[0][6].x1, 0);
  EXPECT_EQ(body_data[9][55].x1, 0);
  EXPECT_EQ(body_pocty[9], 4);

  Pixely ref;
  ref.nastav(30, 40, 0, 255, 0);
  ref.nastav(50, 60, 0, 252, 0);
  ASSERT_TRUE(skenuj_znacky(ref.rgb.data(), "080_k2_A.bmp", 2, 1, nullptr));
  EXPECT_EQ(body_data[9][0].x2, 30);
  EXPECT_EQ(body_data[9][0].y2, 40);
  EXPECT_EQ(body_data[9][3].x2, 50);
  EXPECT_EQ(body_data[9][3].y2, 60);
  EXPECT_EQ(body_pocty[1], 0);
  EXPECT_EQ(body_pocty[9], 4);
}

TEST_F(MarkerScan, ValuesBeyondTheTablesAreRefusedWithFileValueAndCapacity) {
  Pixely posledni;
  posledni.nastav(5, 5, kapacita, 0, 0);
  posledni.nastav(6, 6, 0, 256 - kapacita, 0);
  ASSERT_TRUE(skenuj_znacky(posledni.rgb.data(), "080_k1_A.bmp", 1, 1, nullptr));
  EXPECT_EQ(body_pocty[1], kapacita);
  EXPECT_EQ(body_data[9][kapacita - 1].x1, 6);

  std::string chyba;
  Pixely marker;
  marker.nastav(5, 5, kapacita + 1, 0, 0);
  EXPECT_FALSE(skenuj_znacky(marker.rgb.data(), "160_k2_A.bmp", 2, 2, &chyba));
  EXPECT_NE(chyba.find("160_k2_A.bmp"), std::string::npos) << chyba;
  EXPECT_NE(chyba.find("marker number " + std::to_string(kapacita + 1)), std::string::npos) << chyba;
  EXPECT_NE(chyba.find("capacity of " + std::to_string(kapacita)), std::string::npos) << chyba;

  Pixely zelena;
  zelena.nastav(5, 5, 0, 255 - kapacita, 0);
  EXPECT_FALSE(skenuj_znacky(zelena.rgb.data(), "080_k1_A.bmp", 1, 1, &chyba));
  EXPECT_NE(chyba.find("green value " + std::to_string(255 - kapacita)), std::string::npos) << chyba;
}

// The scan passes over runs of 16 pixels that cannot hold a marker; on
// images of such runs broken by marker pixels, pixels with one zero channel
// and runs that end inside a pixel, it must find what a look at every pixel
// finds, in either channel order.
TEST_F(MarkerScan, RunsPassedOverHideNoMarkerInEitherChannelOrder) {
  std::mt19937 nahoda(7);
  for (int obrazek = 0; obrazek < 20; obrazek++) {
    Pixely obraz;
    for (int i = 0; i < 640 * 480; i += 1 + static_cast<int>(nahoda() % 40)) {
      const int druh = static_cast<int>(nahoda() % 6);
      const int n = 1 + static_cast<int>(nahoda() % 40);  // run length
      for (int k = i; k < std::min(i + n, 640 * 480); k++) {
        const int v = 1 + static_cast<int>(nahoda() % 255);
        const int barva[6][3] = {{v, v, v}, {0, 0, 0}, {v, 0, 0}, {0, v, 0}, {0, 0, v}, {v, 0, v}};
        obraz.nastav(k % 640, k / 640, barva[druh][0] % (kapacita + 1), barva[druh][1] | (druh == 3 ? 256 - kapacita : 0),
                     barva[druh][2]);
      }
    }
    // What a look at every pixel finds: the last pixel of each marker and
    // reference mark in scan order.
    std::vector<int> marker(kapacita, -1), reference(kapacita, -1);
    for (int k = 0; k < 640 * 480; k++) {
      const unsigned char* p = &obraz.rgb[static_cast<std::size_t>(k) * 3];
      if (p[0] != 0 && p[1] == 0 && p[2] == 0) marker[p[0] - 1] = k;
      if (p[0] == 0 && p[1] != 0 && p[2] == 0) reference[255 - p[1]] = k;
    }
    std::vector<unsigned char> bgr(obraz.rgb);
    for (std::size_t k = 0; k < bgr.size(); k += 3) std::swap(bgr[k], bgr[k + 2]);
    for (int poradi = 0; poradi < 2; poradi++) {
      vynuluj_tabulky_sceny();
      vynuluj_pocty_znacek();
      std::string chyba;
      ASSERT_TRUE(poradi == 0 ? skenuj_znacky(obraz.rgb.data(), "080_k1_A.bmp", 1, 1, &chyba)
                              : skenuj_znacky_souboru(bgr.data(), "080_k1_A.bmp", 1, 1, &chyba))
          << chyba;
      for (int i = 0; i < kapacita; i++) {
        const BodData& m = body_data[1][i];
        const BodData& r = body_data[9][i];
        EXPECT_EQ(m.y1 * 640 + m.x1, std::max(marker[i], 0)) << "marker " << i + 1 << ", order " << poradi;
        EXPECT_EQ(r.y1 * 640 + r.x1, std::max(reference[i], 0)) << "reference " << i << ", order " << poradi;
      }
    }
  }
}

TEST_F(MarkerScan, ReadsTheTenFilesInOrder) {
  const std::string adresar = novy_adresar("scan");
  for (const SnimekZnacek& s : snimky_znacek) {
    Obraz obraz;
    // Marker number = slot + 1 at a column that tells camera and slot apart.
    obraz.nastav(100 * s.kamera + s.slot, 200, static_cast<std::uint8_t>(s.slot + 1), 0, 0);
    if (s.slot == 1) obraz.nastav(10 * s.kamera, 20, 0, 254, 0);
    ASSERT_TRUE(zapis_bmp(adresar + "/" + s.soubor, obraz));
  }
  char puvodni[4096];
  ASSERT_NE(getcwd(puvodni, sizeof puvodni), nullptr);
  ASSERT_EQ(chdir(adresar.c_str()), 0);
  std::string chyba;
  const bool nacteno = nacti_snimky_znacek(&chyba);
  ASSERT_EQ(chdir(puvodni), 0);
  ASSERT_TRUE(nacteno) << chyba;
  for (int slot = 0; slot < 5; slot++) {
    EXPECT_EQ(body_pocty[slot], slot + 1);
    EXPECT_EQ(body_data[slot][slot].x1, 100 + slot);
    EXPECT_EQ(body_data[slot][slot].x2, 200 + slot);
  }
  EXPECT_EQ(body_data[9][1].x1, 10);
  EXPECT_EQ(body_data[9][1].x2, 20);
}

TEST(CameraRectangles, CornersAroundTheLookPointAndCameraTwoDirectionLast) {
  nastav_obdelniky_kamer();
  EXPECT_FLOAT_EQ(stereo_body[0][0][0], 7.65f - 0.999f * 48.63f);
  EXPECT_FLOAT_EQ(stereo_body[0][0][1], 224.775f + 0.034f * 48.63f);
  EXPECT_FLOAT_EQ(stereo_body[0][0][2], 35.95f);
  EXPECT_FLOAT_EQ(stereo_body[0][2][2], -35.95f);
  EXPECT_FLOAT_EQ(stereo_body[1][3][0], -10.425f + 0.984f * 48.63f);
  EXPECT_FLOAT_EQ(stereo_body[1][3][2], 0.3f + 35.95f);
  EXPECT_EQ(vektor80[0], -0.984f);
  EXPECT_EQ(vektor80[1], -0.173f);
}

}  // namespace

// The core finds an image's markers for any capacity it is given, in both
// byte orders, touching no table; a number beyond the capacity is refused.
TEST(MarkerFinding, CapacityIsAValueAndBothByteOrdersAgree) {
  Pixely obraz;
  obraz.nastav(10, 5, 3, 0, 0);
  obraz.nastav(30, 7, 3, 0, 0);    // later in scan order: this one counts
  obraz.nastav(639, 479, 0, 254, 0);  // reference mark 254, index 1
  std::vector<unsigned char> bgr = obraz.rgb;
  for (std::size_t i = 0; i < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);
  for (const bool cervena_prvni : {true, false}) {
    ZnackySnimku z;
    std::string chyba;
    ASSERT_TRUE(najdi_znacky(cervena_prvni ? obraz.rgb.data() : bgr.data(), cervena_prvni, true, 3,
                             "a.bmp", &z, &chyba))
        << chyba;
    ASSERT_EQ(z.znacky.size(), 3u);
    EXPECT_EQ(z.nejvyssi, 3);
    EXPECT_FALSE(z.znacky[0].je());
    EXPECT_EQ(z.znacky[2].sloupec, 30);
    EXPECT_EQ(z.znacky[2].radek, 7);
    EXPECT_EQ(z.reference[1].sloupec, 639);
    ASSERT_EQ(z.varovani.size(), 1u);  // 20 columns apart
    EXPECT_NE(z.varovani[0].find("column 30, row 7, counts"), std::string::npos) << z.varovani[0];
    EXPECT_FALSE(najdi_znacky(obraz.rgb.data(), true, true, 2, "a.bmp", &z, &chyba));
    EXPECT_NE(chyba.find("a.bmp: marker number 3"), std::string::npos) << chyba;
  }
}
