// The calibration in process: the solve of one camera, the projection
// centre, the mark scan, the round trip through images of a known set-up,
// the quality measure and the refusals of marks that determine no camera.
#include "reconstruction/calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/reconstruction/calibration_scene.h"

namespace {

std::string zachyt(const std::function<void(std::FILE*)>& akce) {
  std::FILE* f = std::tmpfile();
  akce(f);
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

std::vector<std::string> radky(const std::string& text) {
  std::vector<std::string> vysledek;
  std::istringstream s(text);
  std::string r;
  while (std::getline(s, r)) vysledek.push_back(r);
  return vysledek;
}

class Kalibrace : public ::testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    b_indexy[0] = 0;
    b_indexy[1] = 8;
    b_indexy[2] = 14;
    for (int c = 0; c < 2; c++)
      for (int j = 0; j < 3; j++) {
        stereo_lok[c][j] = puvodni_lok[c][j];
        stereo_kamera[c][j] = puvodni_kamera[c][j];
      }
  }
  static constexpr float puvodni_lok[2][3] = {{7.65f, 224.775f, 0.0f}, {-10.425f, 221.4f, 0.3f}};
  static constexpr float puvodni_kamera[2][3] = {{0.0f, 0.0f, 0.0f}, {28.5f, 0.0f, 0.3f}};
};
constexpr float Kalibrace::puvodni_lok[2][3];
constexpr float Kalibrace::puvodni_kamera[2][3];

// The world positions of the marks the cameras are solved from.
void pouzite_polohy(float w[3][3]) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) w[i][j] = body_relativ[b_indexy[i]][j];
}

// Image-plane coordinates of three pixels given as reals.
void souradnice(const double pixely[3][2], float uv[3][2]) {
  for (int i = 0; i < 3; i++) {
    uv[i][0] = static_cast<float>((pixely[i][0] - 360) * x_px);
    uv[i][1] = static_cast<float>((pixely[i][1] - 240) * y_px);
  }
}

// The calibrated camera (image plane and projection centre) from the three
// used marks at the given (possibly fractional) pixels.
bool kamera_z_pixelu(const double pixely[3][2], RovinaKamery* rovina, float stred[3]) {
  float uv[3][2], w[3][3];
  souradnice(pixely, uv);
  pouzite_polohy(w);
  std::FILE* nikam = std::fopen("/dev/null", "w");
  const bool ok = vyres_rovinu_kamery(uv, w, nikam, rovina);
  if (ok) stred_projekce(*rovina, w, nikam, stred);
  std::fclose(nikam);
  return ok;
}

void presne_pixely(const ZnamaKamera& kamera, double pixely[3][2]) {
  for (int i = 0; i < 3; i++) {
    const double bod[3] = {body_relativ[b_indexy[i]][0], body_relativ[b_indexy[i]][1],
                           body_relativ[b_indexy[i]][2]};
    promitni(kamera, bod, &pixely[i][0], &pixely[i][1]);
  }
}

// Half a pixel of rounding in each of the six pixel coordinates of the used
// marks moves a calibrated quantity by at most half the sum of the absolute
// partial derivatives (first order). The derivatives are central
// differences over one pixel. The factor 1.1 covers the second-order terms:
// half a pixel against marks some 100 pixels apart changes the derivatives
// by well under one per cent.
struct MezeZaokrouhleni {
  double stred[3] = {0, 0, 0};  // per world axis
  double znacka[16] = {};       // projected pixel of each mark, in pixels
};

MezeZaokrouhleni odvod_meze(const ZnamaKamera& kamera) {
  double zaklad[3][2];
  presne_pixely(kamera, zaklad);
  MezeZaokrouhleni meze;
  for (int i = 0; i < 3; i++)
    for (int osa = 0; osa < 2; osa++) {
      double plus[3][2], minus[3][2];
      std::memcpy(plus, zaklad, sizeof plus);
      std::memcpy(minus, zaklad, sizeof minus);
      plus[i][osa] += 1.0;
      minus[i][osa] -= 1.0;
      RovinaKamery rp{}, rm{};
      float kp[3], km[3];
      EXPECT_TRUE(kamera_z_pixelu(plus, &rp, kp));
      EXPECT_TRUE(kamera_z_pixelu(minus, &rm, km));
      for (int j = 0; j < 3; j++) meze.stred[j] += 0.5 * std::fabs(kp[j] - km[j]) / 2.0;
      for (int m = 0; m < 16; m++) {
        double cp, rp_, cm, rm_;
        EXPECT_TRUE(promitni_na_pixel(rp, kp, body_relativ[m], &cp, &rp_));
        EXPECT_TRUE(promitni_na_pixel(rm, km, body_relativ[m], &cm, &rm_));
        meze.znacka[m] += 0.5 * std::hypot(cp - cm, rp_ - rm_) / 2.0;
      }
    }
  for (double& m : meze.stred) m *= 1.1;
  for (double& m : meze.znacka) m *= 1.1;
  return meze;
}

double cislo(const std::string& text, const std::string& vzor) {
  std::smatch m;
  EXPECT_TRUE(std::regex_search(text, m, std::regex(vzor))) << vzor;
  return m.empty() ? NAN : std::stod(m[1]);
}

}  // namespace

TEST_F(Kalibrace, DefaultCameraOnePlaneGivesTheDefaultProjectionCentre) {
  // Camera 1 of the default set-up: 225 units from (0, 0, 0) along the
  // normal of its image plane. Values near 225 carry a float rounding of
  // about 1.5e-5; a dozen roundings stay far below 1e-3.
  const RovinaKamery rovina = {
      {7.65f, 224.775f, 0.0f}, {0.999f, -0.034f, 0.0f}, {0.0f, 0.0f, 1.0f}};
  float w[3][3];
  pouzite_polohy(w);
  float stred[3] = {9, 9, 9};
  const std::string vystup = zachyt([&](std::FILE* f) { stred_projekce(rovina, w, f, stred); });
  for (int j = 0; j < 3; j++) EXPECT_NEAR(stred[j], 0.0f, 1e-3) << j;
  // The printed directions run from Q to marks 0 and 8.
  const std::vector<std::string> r = radky(vystup);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0], "vektory630: ");
  const float p2 = body_relativ[8][0];
  const double ocekavane[2][3] = {{0, 0, 0}, {p2, p2, 0}};
  for (int i = 0; i < 2; i++) {
    double d[3];
    ASSERT_EQ(std::sscanf(r[1 + i].c_str(), "   [%lf,   %lf,   %lf]", &d[0], &d[1], &d[2]), 3)
        << r[1 + i];
    for (int j = 0; j < 3; j++) EXPECT_NEAR(d[j], ocekavane[i][j], 1e-3) << r[1 + i];
  }

  // Moving the plane moves the centre with it.
  RovinaKamery posunuta = rovina;
  posunuta.o[2] = 10.0f;
  zachyt([&](std::FILE* f) { stred_projekce(posunuta, w, f, stred); });
  EXPECT_NEAR(stred[0], 0.0f, 1e-3);
  EXPECT_NEAR(stred[1], 0.0f, 1e-3);
  EXPECT_NEAR(stred[2], 10.0f, 1e-3);
}

TEST_F(Kalibrace, ExactImagePlaneCoordinatesGiveTheKnownCamerasBack) {
  const ZnamaSestava sestava = testovaci_sestava();
  for (int c = 0; c < 2; c++) {
    const ZnamaKamera& znama = sestava.kamera[c];
    double pixely[3][2];
    presne_pixely(znama, pixely);
    RovinaKamery rovina{};
    float stred[3];
    ASSERT_TRUE(kamera_z_pixelu(pixely, &rovina, stred));
    // Float rounding of pixels near 400 (about 3e-5 px) and of positions
    // near 200 (about 1.5e-5) through a dozen operations: 1e-3 is ample for
    // O, H, V; the centre multiplies H x V by 225, so 0.05 for it.
    for (int j = 0; j < 3; j++) {
      EXPECT_NEAR(rovina.o[j], znama.o[j], 1e-3) << c << j;
      EXPECT_NEAR(rovina.h[j], znama.h[j], 1e-4) << c << j;
      EXPECT_NEAR(rovina.v[j], znama.v[j], 1e-4) << c << j;
      EXPECT_NEAR(stred[j], znama.k[j], 0.05) << c << j;
    }
    // The calibrated camera projects every mark where the known one does.
    for (int m = 0; m < 16; m++) {
      const double bod[3] = {body_relativ[m][0], body_relativ[m][1], body_relativ[m][2]};
      double c1, r1, c2, r2;
      ASSERT_TRUE(promitni(znama, bod, &c1, &r1));
      ASSERT_TRUE(promitni_na_pixel(rovina, stred, body_relativ[m], &c2, &r2));
      EXPECT_NEAR(c2, c1, 1e-2) << c << " mark " << m;
      EXPECT_NEAR(r2, r1, 1e-2) << c << " mark " << m;
    }
  }
}

TEST_F(Kalibrace, SolveOfOneCameraPrintsDeterminantsAndChecks) {
  const float uv[3][2] = {{-10.0f, -5.0f}, {12.0f, -4.0f}, {1.0f, 9.0f}};
  float w[3][3];
  pouzite_polohy(w);
  RovinaKamery rovina{};
  bool ok = false;
  const std::string vystup =
      zachyt([&](std::FILE* f) { ok = vyres_rovinu_kamery(uv, w, f, &rovina); });
  ASSERT_TRUE(ok);
  const std::vector<std::string> r = radky(vystup);
  ASSERT_EQ(r.size(), 27u);
  for (int j = 0; j < 3; j++) {
    EXPECT_EQ(r[9 * j], "determinanty:");
    for (int k = 0; k < 4; k++)
      EXPECT_TRUE(std::regex_match(
          r[9 * j + 1 + k], std::regex("determinant " + std::to_string(k) + R"(: -?\d+\.\d{6})")))
          << r[9 * j + 1 + k];
    EXPECT_EQ(r[9 * j + 5], "ZKOUSKA:");
    for (int i = 0; i < 3; i++) {
      double a = 0, b = 0;
      ASSERT_EQ(std::sscanf(r[9 * j + 6 + i].c_str(), "%lf == %lf", &a, &b), 2) << r[9 * j + 6 + i];
      // Terms up to about 15 in float: the two sides agree to 1e-5, and the
      // printout keeps six decimals.
      EXPECT_NEAR(a, b, 2e-5);
      EXPECT_FLOAT_EQ(static_cast<float>(b), w[i][j]);
    }
  }
  // The plane maps each mark's image-plane point onto the mark.
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++)
      EXPECT_NEAR(rovina.o[j] + uv[i][0] * rovina.h[j] + uv[i][1] * rovina.v[j], w[i][j], 1e-4);

  // Three image points in line: no solution, nothing stored.
  const float v_primce[3][2] = {{-10.0f, -5.0f}, {0.0f, 0.0f}, {10.0f, 5.0f}};
  RovinaKamery nedotcena = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  bool vyreseno = true;
  zachyt([&](std::FILE* f) { vyreseno = vyres_rovinu_kamery(v_primce, w, f, &nedotcena); });
  EXPECT_FALSE(vyreseno);
  EXPECT_EQ(nedotcena.o[0], 1.0f);
  EXPECT_EQ(nedotcena.v[2], 9.0f);
}

TEST_F(Kalibrace, ScanKeepsTheLastPixelOfEachMarkAndSetsAsideOtherRedValues) {
  Obraz obraz;
  obraz.nastav(10, 5, 1, 0, 0);
  obraz.nastav(20, 5, 1, 0, 0);  // later in the same row: wins
  obraz.nastav(3, 7, 1, 0, 0);   // later row: wins
  obraz.nastav(100, 50, 16, 0, 0);
  obraz.nastav(0, 0, 2, 0, 0);  // mark at pixel (0, 0) is still a mark
  obraz.nastav(200, 100, 17, 0, 0);
  obraz.nastav(201, 100, 17, 0, 0);
  obraz.nastav(202, 100, 255, 0, 0);
  obraz.nastav(300, 100, 3, 0, 1);  // not pure red: background
  obraz.nastav(301, 100, 4, 1, 0);
  KalibracniZnacky znacky;
  std::vector<int> cizi;
  skenuj_kalibracni_snimek(obraz.rgb.data(), 1, &znacky, &cizi);
  EXPECT_EQ(cizi, (std::vector<int>{17, 255}));
  EXPECT_EQ(znacky.bod[0].x2, 3);
  EXPECT_EQ(znacky.bod[0].y2, 7);
  EXPECT_EQ(znacky.bod[15].x2, 100);
  EXPECT_EQ(znacky.bod[15].y2, 50);
  EXPECT_TRUE(znacky.v_obraze[1][1]);
  EXPECT_EQ(znacky.bod[1].x2, 0);
  for (int i = 0; i < 16; i++) {
    EXPECT_EQ(znacky.v_obraze[1][i], i == 0 || i == 1 || i == 15) << i;
    EXPECT_FALSE(znacky.v_obraze[0][i]) << i;
    EXPECT_EQ(znacky.bod[i].x1, 0);
    EXPECT_EQ(znacky.bod[i].y1, 0);
  }
}

TEST_F(Kalibrace, RoundTripThroughImagesOfAKnownSetUp) {
  const ZnamaSestava sestava = testovaci_sestava();
  const Obraz snimek1 = kalibracni_obraz(sestava.kamera[0]);
  const Obraz snimek2 = kalibracni_obraz(sestava.kamera[1]);
  std::string chyba;
  bool ok = false;
  const std::string vystup = zachyt(
      [&](std::FILE* f) { ok = kalibruj(snimek1.rgb.data(), snimek2.rgb.data(), f, &chyba); });
  ASSERT_TRUE(ok) << chyba;

  // Camera positions within what half a pixel of rounding allows.
  for (int c = 0; c < 2; c++) {
    const MezeZaokrouhleni meze = odvod_meze(sestava.kamera[c]);
    for (int j = 0; j < 3; j++) {
      EXPECT_NEAR(stereo_kamera[c][j], sestava.kamera[c].k[j], meze.stred[j] + 1e-3)
          << "camera " << c + 1 << " axis " << j;
      EXPECT_GT(meze.stred[j], 0.0);
      EXPECT_LT(meze.stred[j], 5.0);  // the bound itself is a usable one
    }
    std::printf(
        "camera %d: position off by (%.3f, %.3f, %.3f), bound (%.3f, %.3f, %.3f)\n", c + 1,
        stereo_kamera[c][0] - sestava.kamera[c].k[0], stereo_kamera[c][1] - sestava.kamera[c].k[1],
        stereo_kamera[c][2] - sestava.kamera[c].k[2], meze.stred[0], meze.stred[1], meze.stred[2]);
    // The image rectangle is centred on the calibrated O.
    for (int j = 0; j < 3; j++)
      EXPECT_NEAR((stereo_body[c][0][j] + stereo_body[c][2][j]) / 2, stereo_lok[c][j], 1e-3);
  }

  // Each ZKOUSKA pair agrees within float rounding of terms below 100.
  const std::vector<std::string> r = radky(vystup);
  int par = 0;
  for (std::size_t i = 0; i < r.size(); i++)
    if (r[i] == "ZKOUSKA:")
      for (int k = 1; k <= 3; k++) {
        double a = 0, b = 0;
        ASSERT_EQ(std::sscanf(r[i + k].c_str(), "%lf == %lf", &a, &b), 2);
        EXPECT_NEAR(a, b, 1e-4) << r[i + k];
        par++;
      }
  EXPECT_EQ(par, 18);

  // The quality figures within the bound derived per mark: the rounding of
  // the mark's own pixel plus the calibration error from the used marks.
  for (int c = 0; c < 2; c++) {
    const MezeZaokrouhleni meze = odvod_meze(sestava.kamera[c]);
    double nejvetsi_mez = 0, soucet_mezi = 0;
    for (int m = 0; m < 16; m++) {
      const double bod[3] = {body_relativ[m][0], body_relativ[m][1], body_relativ[m][2]};
      double sl, ra;
      int ps, pr;
      promitni(sestava.kamera[c], bod, &sl, &ra);
      pixel_znacky(sestava.kamera[c], m, &ps, &pr);
      const double mez = std::hypot(sl - ps, ra - pr) + meze.znacka[m] + 1e-3;
      nejvetsi_mez = std::max(nejvetsi_mez, mez);
      soucet_mezi += mez;
    }
    const std::string vzor =
        "kamera " + std::to_string(c + 1) +
        R"(: 16 marks compared, 0 not in the image; )"
        R"(mean ([0-9.]+) px, largest ([0-9.]+) px \(mark \d+\))";
    std::smatch shoda;
    ASSERT_TRUE(std::regex_search(vystup, shoda, std::regex(vzor))) << vystup;
    const double prumer = std::stod(shoda[1]), nejvetsi = std::stod(shoda[2]);
    EXPECT_LE(nejvetsi, nejvetsi_mez + 5e-4);
    EXPECT_LE(prumer, soucet_mezi / 16 + 5e-4);
    EXPECT_LT(prumer, 1.0);
    EXPECT_LE(prumer, nejvetsi);
    std::printf("camera %d: mean %.3f px (bound %.3f), largest %.3f px (bound %.3f)\n", c + 1,
                prumer, soucet_mezi / 16, nejvetsi, nejvetsi_mez);
  }
}

TEST_F(Kalibrace, TranscriptHasTheFixedStructure) {
  const ZnamaSestava sestava = testovaci_sestava();
  const Obraz snimek1 = kalibracni_obraz(sestava.kamera[0]);
  const Obraz snimek2 = kalibracni_obraz(sestava.kamera[1]);
  std::string chyba;
  const std::string vystup = zachyt([&](std::FILE* f) {
    ASSERT_TRUE(kalibruj(snimek1.rgb.data(), snimek2.rgb.data(), f, &chyba));
  });
  const std::string cislo_ = R"(-?\d+\.\d{6})";
  std::vector<std::string> vzory;
  for (const char* nadpis : {"PRVNI KAMERA", "DRUHA KAMERA"}) {
    vzory.push_back(nadpis);
    for (int i = 0; i < 16; i++) vzory.push_back(std::to_string(i) + R"(\. bod:   \[\d+,   \d+\])");
  }
  for (int c = 0; c < 2; c++) {
    for (int j = 0; j < 3; j++) {
      vzory.push_back("determinanty:");
      for (int k = 0; k < 4; k++)
        vzory.push_back("determinant " + std::to_string(k) + ": " + cislo_);
      vzory.push_back("ZKOUSKA:");
      for (int i = 0; i < 3; i++) vzory.push_back(cislo_ + " == " + cislo_);
    }
    vzory.push_back("vektory630: ");
    for (int i = 0; i < 2; i++)
      vzory.push_back(R"(   \[)" + cislo_ + ",   " + cislo_ + ",   " + cislo_ + R"(\])");
  }
  vzory.push_back("KONEC KALIBRACE");
  for (int c = 1; c <= 2; c++) {
    const std::string trojice = R"(\[)" + cislo_ + ",   " + cislo_ + ",   " + cislo_ + R"(\])";
    vzory.push_back(R"(vektor 1 - pozice: )" + trojice);
    vzory.push_back("velikost: " + cislo_);
    vzory.push_back(R"(vektor 2 - pozice: )" + trojice);
    vzory.push_back("velikost: " + cislo_);
    vzory.push_back("kamera " + std::to_string(c) + " - pozice: " + trojice);
  }
  vzory.push_back("PRESNOST KALIBRACE: .*");
  for (int c = 1; c <= 2; c++)
    vzory.push_back(
        "kamera " + std::to_string(c) +
        R"(: 16 marks compared, 0 not in the image; )"
        R"(mean \d+\.\d{3} px, largest \d+\.\d{3} px \(mark \d+\))");
  vzory.push_back(R"(\(about 1 px or less: .* check marks 0, 8 and 14, .*\))");

  const std::vector<std::string> r = radky(vystup);
  ASSERT_EQ(r.size(), vzory.size()) << vystup;
  for (std::size_t i = 0; i < r.size(); i++)
    EXPECT_TRUE(std::regex_match(r[i], std::regex(vzory[i]))) << "line " << i << ": " << r[i];
  // The listing shows the marks' pixels; mark 0 is the one of red value 1.
  int c = 0, rr = 0;
  pixel_znacky(sestava.kamera[0], 0, &c, &rr);
  EXPECT_EQ(r[1], "0. bod:   [" + std::to_string(c) + ",   " + std::to_string(rr) + "]");
  pixel_znacky(sestava.kamera[1], 15, &c, &rr);
  EXPECT_EQ(r[33], "15. bod:   [" + std::to_string(c) + ",   " + std::to_string(rr) + "]");
  // The printed position is the stored one.
  EXPECT_NEAR(cislo(vystup, R"(kamera 1 - pozice: \[([-0-9.]+),)"), stereo_kamera[0][0], 1e-5);
}

TEST_F(Kalibrace, QualityMeasureReportsEachMarksDistanceFromItsPixel) {
  // Measured through the known set-up itself, each mark's distance is just
  // the rounding of its pixel.
  const ZnamaKamera znama = testovaci_sestava().kamera[1];
  RovinaKamery rovina;
  float stred[3];
  for (int j = 0; j < 3; j++) {
    rovina.o[j] = static_cast<float>(znama.o[j]);
    rovina.h[j] = static_cast<float>(znama.h[j]);
    rovina.v[j] = static_cast<float>(znama.v[j]);
    stred[j] = static_cast<float>(znama.k[j]);
  }
  KalibracniZnacky znacky;
  double soucet = 0, nejvetsi = 0;
  int nejhorsi = -1;
  for (int m = 0; m < 16; m++) {
    if (m == 5 || m == 11) continue;  // not shown
    pixel_znacky(znama, m, &znacky.bod[m].x2, &znacky.bod[m].y2);
    znacky.v_obraze[1][m] = true;
    const double bod[3] = {body_relativ[m][0], body_relativ[m][1], body_relativ[m][2]};
    double sl, ra;
    promitni(znama, bod, &sl, &ra);
    const double d = std::hypot(sl - znacky.bod[m].x2, ra - znacky.bod[m].y2);
    soucet += d;
    if (d > nejvetsi) {
      nejvetsi = d;
      nejhorsi = m;
    }
  }
  PresnostKamery p = zmer_presnost(rovina, stred, znacky, 1);
  EXPECT_EQ(p.zmereno, 14);
  EXPECT_EQ(p.chybi, 2);
  EXPECT_EQ(p.neprojektovano, 0);
  // Float rounding of the set-up (1e-5 relative) moves a projection by far
  // less than 1e-3 pixel.
  EXPECT_NEAR(p.prumer, soucet / 14, 1e-3);
  EXPECT_NEAR(p.nejvetsi, nejvetsi, 1e-3);
  EXPECT_EQ(p.nejhorsi, nejhorsi);

  // A mark shown 30 pixels off dominates the figures.
  znacky.bod[3].x2 += 30;
  p = zmer_presnost(rovina, stred, znacky, 1);
  EXPECT_EQ(p.nejhorsi, 3);
  EXPECT_GT(p.nejvetsi, 29.0);
  EXPECT_GT(p.prumer, 2.0);

  // A camera shown nothing has nothing to measure.
  p = zmer_presnost(rovina, stred, KalibracniZnacky{}, 0);
  EXPECT_EQ(p.zmereno, 0);
  EXPECT_EQ(p.chybi, 16);
  EXPECT_EQ(p.nejhorsi, -1);
}

TEST_F(Kalibrace, QualityBlockTellsABrokenCalibrationFromAGoodOne) {
  const ZnamaSestava sestava = testovaci_sestava();
  auto figures = [&](const Obraz& a, const Obraz& b, double prumer[2], double nejvetsi[2]) {
    std::string chyba;
    const std::string v =
        zachyt([&](std::FILE* f) { ASSERT_TRUE(kalibruj(a.rgb.data(), b.rgb.data(), f, &chyba)); });
    for (int c = 0; c < 2; c++) {
      prumer[c] = cislo(v, "kamera " + std::to_string(c + 1) + R"(: .*mean ([0-9.]+) px)");
      nejvetsi[c] = cislo(v, "kamera " + std::to_string(c + 1) + R"(: .*largest ([0-9.]+) px)");
    }
  };
  const Obraz dobry1 = kalibracni_obraz(sestava.kamera[0]);
  const Obraz dobry2 = kalibracni_obraz(sestava.kamera[1]);
  double prumer[2], nejvetsi[2];
  figures(dobry1, dobry2, prumer, nejvetsi);
  for (int c = 0; c < 2; c++) {
    EXPECT_LT(prumer[c], 1.0);
    EXPECT_LT(nejvetsi[c], 1.5);
  }

  // Marks 3 and 7 numbered the wrong way round in camera 1's image: both
  // land some 60 pixels from where the calibration puts them.
  Obraz zamenene = dobry1;
  int c3, r3, c7, r7;
  pixel_znacky(sestava.kamera[0], 3, &c3, &r3);
  pixel_znacky(sestava.kamera[0], 7, &c7, &r7);
  zamenene.nastav(c3, r3, 8, 0, 0);
  zamenene.nastav(c7, r7, 4, 0, 0);
  figures(zamenene, dobry2, prumer, nejvetsi);
  EXPECT_GT(nejvetsi[0], 30.0);
  EXPECT_GT(prumer[0], 3.0);
  EXPECT_LT(nejvetsi[1], 1.5);

  // A used mark (8) shown 15 pixels off: the whole camera is skewed.
  Obraz posunuty = dobry1;
  int c8, r8;
  pixel_znacky(sestava.kamera[0], 8, &c8, &r8);
  posunuty.nastav(c8, r8, 0, 0, 0);
  posunuty.nastav(c8 - 15, r8, 9, 0, 0);
  figures(posunuty, dobry2, prumer, nejvetsi);
  EXPECT_GT(nejvetsi[0], 5.0);
  EXPECT_GT(prumer[0], 2.0);

  // What the block cannot see: camera 1 standing 25 units further back
  // (with a lens that keeps the object's size in the image). The object
  // spans some 120 pixels at 225 units, so the images barely change, the
  // figures stay good, and the calibrated position is off along the axis.
  const ZnamaSestava dale = sestava_mimo_model();
  figures(kalibracni_obraz(dale.kamera[0]), dobry2, prumer, nejvetsi);
  EXPECT_LT(prumer[0], 1.0);
  EXPECT_LT(nejvetsi[0], 1.5);
  double odchylka = 0;
  for (int j = 0; j < 3; j++) {
    const double d = stereo_kamera[0][j] - dale.kamera[0].k[j];
    odchylka += d * d;
  }
  EXPECT_GT(std::sqrt(odchylka), 20.0);
}

TEST_F(Kalibrace, MarksThatDetermineNoCameraAreRefusedAndTheTablesKept) {
  const ZnamaSestava sestava = testovaci_sestava();
  const Obraz dobry1 = kalibracni_obraz(sestava.kamera[0]);
  const Obraz dobry2 = kalibracni_obraz(sestava.kamera[1]);
  auto odmitnuto = [&](const Obraz& a, const Obraz& b) {
    std::string chyba;
    bool ok = true;
    zachyt([&](std::FILE* f) { ok = kalibruj(a.rgb.data(), b.rgb.data(), f, &chyba); });
    EXPECT_FALSE(ok);
    for (int c = 0; c < 2; c++)
      for (int j = 0; j < 3; j++) {
        EXPECT_EQ(stereo_lok[c][j], puvodni_lok[c][j]);
        EXPECT_EQ(stereo_kamera[c][j], puvodni_kamera[c][j]);
        EXPECT_EQ(stereo_body[c][0][j], 0.0f);
      }
    return chyba;
  };

  // Mark 14 (red 15) missing from camera 2's image.
  Obraz bez14 = dobry2;
  int c14, r14;
  pixel_znacky(sestava.kamera[1], 14, &c14, &r14);
  bez14.nastav(c14, r14, 0, 0, 0);
  EXPECT_EQ(odmitnuto(dobry1, bez14),
            "kalib2.bmp (camera 2): calibration mark 14 (red 15) not found in the image; the "
            "camera is solved from marks 0 (red 1), 8 (red 9), 14 (red 15), which must all be "
            "shown");

  // Marks 0 and 8 missing from camera 1's image.
  Obraz bez0a8 = dobry1;
  for (int m : {0, 8}) {
    int c, r;
    pixel_znacky(sestava.kamera[0], m, &c, &r);
    bez0a8.nastav(c, r, 0, 0, 0);
  }
  EXPECT_NE(odmitnuto(bez0a8, dobry2)
                .find("kalib1.bmp (camera 1): calibration marks 0 (red 1), 8 (red 9) not found"),
            std::string::npos);

  // The three used marks in line in camera 1's image.
  Obraz v_primce;
  v_primce.nastav(100, 100, 1, 0, 0);
  v_primce.nastav(200, 150, 9, 0, 0);
  v_primce.nastav(300, 200, 15, 0, 0);
  EXPECT_EQ(odmitnuto(v_primce, dobry2),
            "kalib1.bmp (camera 1): calibration marks 0 (red 1), 8 (red 9), 14 (red 15) lie on "
            "one line in the image (pixels [100, 100], [200, 150], [300, 200]); the camera "
            "cannot be solved from them");

  // The same in camera 2's image, along a diagonal, the other marks kept.
  Obraz diagonala = dobry2;
  for (int m : {0, 8, 14}) {
    int c, r;
    pixel_znacky(sestava.kamera[1], m, &c, &r);
    diagonala.nastav(c, r, 0, 0, 0);
  }
  diagonala.nastav(100, 100, 1, 0, 0);
  diagonala.nastav(101, 101, 9, 0, 0);
  diagonala.nastav(300, 300, 15, 0, 0);
  EXPECT_NE(odmitnuto(dobry1, diagonala)
                .find("kalib2.bmp (camera 2): calibration marks 0 (red 1), 8 (red 9), 14 (red 15) "
                      "lie on one line"),
            std::string::npos);

  // Used marks that lie on one line on the object, or one mark chosen
  // twice: no camera plane.
  b_indexy[0] = 0;
  b_indexy[1] = 1;
  b_indexy[2] = 2;
  EXPECT_EQ(odmitnuto(dobry1, dobry2),
            "calibration: marks 0 (red 1), 1 (red 2), 2 (red 3) chosen for the solution lie on "
            "one line on the calibration object");
  b_indexy[2] = 0;
  EXPECT_NE(odmitnuto(dobry1, dobry2).find("lie on one line on the calibration object"),
            std::string::npos);
  b_indexy[1] = 8;
  b_indexy[2] = 14;

  // A pixel pitch of zero puts every mark at the image-plane origin: the
  // solve has no determinant and the camera is refused.
  const float pitch = x_px;
  x_px = 0.0f;
  EXPECT_EQ(odmitnuto(dobry1, dobry2),
            "kalib1.bmp (camera 1): calibration marks 0 (red 1), 8 (red 9), 14 (red 15) do not "
            "determine a camera (the solution is not finite)");
  x_px = pitch;

  // A used mark index outside the 16 marks.
  b_indexy[2] = 16;
  EXPECT_EQ(odmitnuto(dobry1, dobry2),
            "calibration: mark index 16 chosen for the solution is not one of the marks 0 to 15");
  b_indexy[2] = -1;
  EXPECT_NE(odmitnuto(dobry1, dobry2).find("mark index -1"), std::string::npos);
}

TEST_F(Kalibrace, CalibrationProgramEndsWithTheEnterPrompt) {
  EXPECT_EQ(zachyt([](std::FILE* f) { vypis_zaver_kalibrace(f); }),
            "Kalibrace dokoncena, pokracuj Enterem...\n");
}
