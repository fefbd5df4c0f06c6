// Triangulation against the default camera model: the centre pixel, a round
// trip through pixel rounding, the turn of two turntable positions into one
// frame, and the undefined cases.
#include "reconstruction/triangulation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/turntable_axis.h"

namespace {

using Vec = std::array<double, 3>;

Vec minus(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec scaled(const Vec& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Vec plus(const Vec& a, const Vec& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec unit(const Vec& a) { return scaled(a, 1 / std::sqrt(dot(a, a))); }
Vec vec(const float* p) { return {p[0], p[1], p[2]}; }

// The pixel in which camera k (0 or 1) sees X: the ray from the projection
// centre through X meets the image plane (through the look point,
// perpendicular to the viewing direction); column and row follow from the
// camera's horizontal direction and the world z axis, rounded to the nearest
// pixel.
std::array<int, 2> promitni(int k, const Vec& x) {
  const Vec kam = vec(stereo_kamera[k]);
  const Vec lok = vec(stereo_lok[k]);
  const Vec h = k == 0 ? Vec{0.999, -0.034, 0} : Vec{0.984, 0.173, 0};
  const Vec osa = minus(lok, kam);
  const Vec paprsek = minus(x, kam);
  const Vec p = plus(kam, scaled(paprsek, dot(osa, osa) / dot(paprsek, osa)));
  const Vec d = minus(p, lok);
  const double sloupec = 360 + dot(d, h) / dot(h, h) / x_px;
  const double radek = 240 + d[2] / y_px;
  return {static_cast<int>(std::lround(sloupec)), static_cast<int>(std::lround(radek))};
}

void uloz_pixely(int slot, int i, const Vec& x) {
  const auto p1 = promitni(0, x);
  const auto p2 = promitni(1, x);
  body_data[slot][i] = {p1[0], p1[1], p2[0], p2[1]};
}

// Half a pixel of error in both images moves a triangulated point mostly in
// depth: by depth^2 / (focal length * baseline) per unit of image-plane
// disparity. Focal length |L - K| = 224.9, baseline 28.5; the two rounding
// errors add up to one pixel pitch of disparity; the lateral error (half a
// pixel at depth / focal length, about 0.05) and the verging of the cameras
// are covered by a factor 1.5.
double mez_kvantovani(double hloubka) {
  return 1.5 * hloubka * hloubka / (224.9 * 28.5) * x_px;
}

// Turns v about the unit axis n through c by `stupne` degrees (right hand).
Vec otoc(const Vec& v, const Vec& c, const Vec& n, double stupne) {
  const double a = stupne * M_PI / 180;
  const Vec r = minus(v, c);
  const Vec t = plus(plus(scaled(r, std::cos(a)), scaled(cross(n, r), std::sin(a))),
                     scaled(n, dot(n, r) * (1 - std::cos(a))));
  return plus(c, t);
}

class Triangulation : public testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    vynuluj_pocty_znacek();
  }

  // Reference marks 255, 254, 253, 252 on a circle of radius 25 about c in
  // the plane perpendicular to n.
  void reference(const Vec& c, const Vec& n) {
    const Vec a = unit(cross(n, Vec{1, 0, 0}));
    const Vec b = cross(n, a);
    const double uhly_znacek[4] = {0.3, 2.2, 4.1, 5.3};
    for (int i = 0; i < 4; i++) {
      const Vec x = plus(c, plus(scaled(a, 25 * std::cos(uhly_znacek[i])),
                                 scaled(b, 25 * std::sin(uhly_znacek[i]))));
      uloz_pixely(9, i, x);
    }
  }
};

TEST_F(Triangulation, CentrePixelOfBothCameras) {
  body_pocty[9] = 0;
  body_pocty[0] = 1;
  body_data[0][0] = {360, 240, 360, 240};
  // Only the triangulation step: with no reference marks there is no axis,
  // so set one that leaves the point where it is for a zero-angle test.
  const int puvodni = uhly[0];
  osa_rotace[0][0] = 4.6223f;
  osa_rotace[1][0] = 4.6223f;
  osa_rotace[0][1] = 135.8132f;
  osa_rotace[1][1] = 135.8132f;
  osa_rotace[1][2] = 1;
  uhly[0] = 180;  // a full turn (180 + 180 degrees) about an axis through the point
  prepocet_bodu(false);
  uhly[0] = puvodni;
  EXPECT_NEAR(body_souradnice[0][0][0], 4.6223, 2e-4);
  EXPECT_NEAR(body_souradnice[0][0][1], 135.8132, 2e-4);
  EXPECT_NEAR(body_souradnice[0][0][2], 0.15, 1e-5);
}

TEST_F(Triangulation, RoundTripThroughPixelRounding) {
  body_pocty[9] = 0;
  int i = 0;
  double nejhorsi = 0;
  for (double x = -15; x <= 15; x += 10)
    for (double y = 115; y <= 155; y += 20)
      for (double z = -20; z <= 20; z += 10) {
        ASSERT_LT(i, konfigurace::znacek_na_slot);
        uloz_pixely(0, i++, Vec{x, y, z});
      }
  body_pocty[0] = i;
  // Turning by 0 + 180 degrees twice (slot 0 and an axis set by hand) would
  // move the points; check the triangulated points before any turn by
  // turning about an axis with angle 180 (a full turn).
  osa_rotace[1][2] = 1;
  const int puvodni = uhly[0];
  uhly[0] = 180;
  prepocet_bodu(false);
  uhly[0] = puvodni;
  i = 0;
  for (double x = -15; x <= 15; x += 10)
    for (double y = 115; y <= 155; y += 20)
      for (double z = -20; z <= 20; z += 10) {
        const Vec skutecny{x, y, z};
        const double chyba = std::sqrt(
            dot(minus(vec(body_souradnice[0][i]), skutecny), minus(vec(body_souradnice[0][i]), skutecny)));
        EXPECT_LT(chyba, mez_kvantovani(y)) << x << " " << y << " " << z;
        nejhorsi = std::max(nejhorsi, chyba);
        i++;
      }
  EXPECT_GT(nejhorsi, 0.0);  // the rounding is really there
}

TEST_F(Triangulation, TwoTurntablePositionsLandInOneFrame) {
  const Vec stred{3, 140, -25};
  const Vec n = unit(Vec{0.02, -0.05, 1});
  reference(stred, n);
  const Vec body[3] = {{-5, 135, -10}, {8, 130, 0}, {2, 128, 10}};
  // What the turntable shows at slot s is the common-frame object turned
  // back by the slot's angle plus the half turn the alignment adds.
  for (int slot : {0, 2}) {
    for (int i = 0; i < 3; i++)
      uloz_pixely(slot, i, otoc(body[i], stred, n, -(uhly[slot] + 180.0)));
    body_pocty[slot] = 3;
  }
  log1 = std::tmpfile();
  prepocet_bodu(true);
  std::fflush(log1);
  std::rewind(log1);
  std::vector<std::string> radky;
  char radek[256];
  while (std::fgets(radek, sizeof radek, log1) != nullptr) radky.emplace_back(radek);
  zavri_log();
  const char* zacatky[] = {"BOD1: [   ", "BOD2: [   ", "BOD3: [   ", "smerovy1: [   ",
                           "smerovy2: [   ", "normalovy: [   ", "determinanty:\n",
                           "determinant 0: ", "determinant 1: ", "determinant 2: ",
                           "determinant 3: ", "STRED: [   "};
  ASSERT_EQ(radky.size(), 12u);
  for (int i = 0; i < 12; i++) EXPECT_EQ(radky[i].rfind(zacatky[i], 0), 0u) << radky[i];
  char stred_text[256];
  std::snprintf(stred_text, sizeof stred_text, "STRED: [   %lf,   %lf,   %lf   ]\n",
                osa_rotace[0][0], osa_rotace[0][1], osa_rotace[0][2]);
  EXPECT_EQ(radky[11], stred_text);

  // The axis: through the centre, along +-n.
  const Vec osa = minus(vec(osa_rotace[1]), vec(osa_rotace[0]));
  EXPECT_NEAR(std::fabs(dot(unit(osa), n)), 1.0, 1e-3);
  const Vec posun = minus(vec(osa_rotace[0]), stred);
  EXPECT_LT(std::sqrt(dot(posun, posun) - std::pow(dot(posun, n), 2)), 0.5);

  // Quantisation of the object points plus the axis error (about 1e-3 rad
  // over a radius of 15, turned by up to 160 degrees) stays below one unit.
  for (int i = 0; i < 3; i++) {
    const Vec a = vec(body_souradnice[0][i]);
    const Vec b = vec(body_souradnice[2][i]);
    EXPECT_LT(std::sqrt(dot(minus(a, b), minus(a, b))), 1.0) << i;
    EXPECT_LT(std::sqrt(dot(minus(a, body[i]), minus(a, body[i]))), 1.0) << i;
  }
}

TEST_F(Triangulation, ParallelRaysAreWarnedAboutAndStoredFinite) {
  // Camera 2 shifted parallel to camera 1: the centre pixels give the same
  // ray direction.
  float puvodni_lok[3];
  for (int j = 0; j < 3; j++) {
    puvodni_lok[j] = stereo_lok[1][j];
    stereo_lok[1][j] = stereo_lok[0][j] + (stereo_kamera[1][j] - stereo_kamera[0][j]);
  }
  body_pocty[9] = 0;
  body_pocty[3] = 2;
  body_data[3][1] = {360, 240, 360, 240};
  osa_rotace[1][2] = 1;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  prepocet_bodu(false);
  const std::string chyby = testing::internal::GetCapturedStderr();
  const std::string vystup = testing::internal::GetCapturedStdout();
  for (int j = 0; j < 3; j++) stereo_lok[1][j] = puvodni_lok[j];
  // A warning in the one message form, on standard error.
  EXPECT_EQ(vystup, "");
  EXPECT_NE(chyby.find(": 240_k1_A.bmp: marker 2: the viewing rays of the two cameras are parallel"),
            std::string::npos) << chyby;
  for (int j = 0; j < 3; j++) EXPECT_TRUE(std::isfinite(body_souradnice[3][1][j]));
}

TEST_F(Triangulation, ReferenceMarksThatSpanNoPlaneAreRefused) {
  // All four marks missing: they triangulate to one point.
  std::string chyba;
  EXPECT_FALSE(prepocet_bodu(true, &chyba));
  EXPECT_NE(chyba.find("turntable axis is undefined"), std::string::npos) << chyba;
  for (int i = 0; i < 3; i++) body_data[9][i] = {300, 200, 310, 200};
  EXPECT_FALSE(prepocet_bodu(true, &chyba));
  EXPECT_NE(chyba.find("lie on one line, coincide"), std::string::npos) << chyba;
}

}  // namespace

// The closest points of two lines, solved in one place for the
// triangulation and the calibration: skew lines give the foot of the
// common perpendicular on line 2; parallel lines, a zero direction and
// a value that is not a number give false.
TEST(ClosestPoints, SkewLinesMeetTheirCommonPerpendicularAndDegenerateOnesAreRefused) {
  // Line 1 along x through the origin, line 2 along y through (3, -2, 5):
  // the closest point of line 2 is (3, 0, 5), at s = 2.
  const float u[3] = {1, 0, 0}, v[3] = {0, 1, 0}, d[3] = {3, -2, 5};
  float s = -1;
  ASSERT_TRUE(nejblizsi_na_primce(u, v, d, &s));
  EXPECT_EQ(s, 2.0f);
  // Line 2 through (3, -4, 5) along (1, 1, 0): its point (7, 0, 5), at
  // s = 4, lies straight above line 1's point (7, 0, 0).
  const float sikma[3] = {1, 1, 0}, d2[3] = {3, -4, 5};
  ASSERT_TRUE(nejblizsi_na_primce(u, sikma, d2, &s));
  EXPECT_EQ(s, 4.0f);
  const float rovnobezna[3] = {-2, 0, 0}, nula[3] = {0, 0, 0};
  const float neni_cislo[3] = {std::nanf(""), 0, 0};
  s = 7;
  EXPECT_FALSE(nejblizsi_na_primce(u, rovnobezna, d, &s));
  EXPECT_FALSE(nejblizsi_na_primce(nula, v, d, &s));
  EXPECT_FALSE(nejblizsi_na_primce(u, v, neni_cislo, &s));
  EXPECT_EQ(s, 7.0f);
}

// A slot's marker count as every loop over its markers takes it: never
// below zero, never beyond the table the loop indexes.
TEST(MarkerCount, IsClampedToZeroAndToTheTableCapacity) {
  const int puvodne = body_pocty[3];
  for (const auto& [ulozeno, kapacita, cekano] :
       std::vector<std::array<int, 3>>{{-5, 73, 0}, {0, 73, 0}, {40, 73, 40}, {73, 73, 73}, {90, 73, 73}, {90, 65, 65}}) {
    body_pocty[3] = ulozeno;
    EXPECT_EQ(pocet_znacek(3, kapacita), cekano) << ulozeno << " in " << kapacita;
  }
  body_pocty[3] = puvodne;
}

// The core takes its camera set-up as a value: the compiled-in rig gives
// bit for bit the point of the programs' triangulation, and the same rig
// moved by (10, -4, 2.5) (exact in float) the point moved by as much, while
// the programs' set-up stays the compiled-in one.
TEST(RayTriangulation, TheSetUpIsAValue) {
  const SestavaTriangulace vychozi = sestava_triangulace(vychozi_rig());
  RigKamer posunuty = vychozi_rig();
  const double posun[3] = {10.0, -4.0, 2.5};
  for (KameraRigu& k : posunuty.kamera)
    for (int j = 0; j < 3; j++) {
      k.stred_projekce[j] += posun[j];
      k.bod_stredu[j] += posun[j];
    }
  const SestavaTriangulace jina = sestava_triangulace(posunuty);
  for (const std::array<int, 4>& par : {std::array<int, 4>{320, 240, 300, 240}, {100, 50, 80, 52}}) {
    float program[3], jadro[3], posunuty_bod[3], p1[3], p2[3], mezera = -1;
    ASSERT_TRUE(stred_paprsku(par[0], par[1], par[2], par[3], program, nullptr, p1, p2));
    ASSERT_TRUE(stred_paprsku(vychozi, par[0], par[1], par[2], par[3], jadro, &mezera, p1, p2));
    ASSERT_TRUE(stred_paprsku(jina, par[0], par[1], par[2], par[3], posunuty_bod, nullptr, p1, p2));
    EXPECT_GE(mezera, 0.0f);
    for (int j = 0; j < 3; j++) {
      EXPECT_EQ(jadro[j], program[j]);
      // The moved set-up is rounded to float and the rays are intersected
      // in float: a few units in the last place of coordinates below 300
      // (3e-5 each), well inside 1e-3; a set-up ignored would miss by 2.5.
      EXPECT_NEAR(posunuty_bod[j], program[j] + posun[j], 1e-3) << j;
    }
  }
}

// The axis is a function of the three marks alone: marks on a circle about
// a known centre in a tilted plane give that centre and the plane's normal
// (float rounding of coordinates near 100: well inside 1e-3), marks in line
// give the reason and no centre. The turn about the axis is a half turn at
// angle 0, the identity at 180 degrees (the program's pi is 3.6e-9 short of
// pi) and keeps the distance from the axis at any angle.
TEST(TurntableAxis, FromTheMarksAloneAndTheTurnAboutIt) {
  const Vec stred = {5, 100, -20};
  const Vec normala = unit({0.2, -0.1, 1});
  const Vec u = unit(cross(normala, {1, 0, 0}));
  const Vec v = cross(normala, u);
  float r[3][3];
  for (int k = 0; k < 3; k++) {
    const double t = 0.4 + 2.1 * k;
    const Vec p = plus(stred, plus(scaled(u, 30 * std::cos(t)), scaled(v, 30 * std::sin(t))));
    for (int j = 0; j < 3; j++) r[k][j] = static_cast<float>(p[j]);
  }
  OsaTocny osa;
  std::string chyba;
  ASSERT_TRUE(osa_z_referenci(r[0], r[1], r[2], &osa, &chyba)) << chyba;
  EXPECT_NEAR(std::fabs(dot(vec(osa.normalovy), normala)), 1.0, 1e-6);
  for (int j = 0; j < 3; j++) {
    EXPECT_NEAR(osa.stred[j], stred[j], 1e-3) << j;
    EXPECT_NEAR(osa.druhy_bod[j] - osa.stred[j], osa.normalovy[j], 1e-5) << j;
  }

  const float v_rade[3][3] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  OsaTocny nic;
  nic.stred[0] = 7;
  EXPECT_FALSE(osa_z_referenci(v_rade[0], v_rade[1], v_rade[2], &nic, &chyba));
  EXPECT_NE(chyba.find("turntable axis is undefined"), std::string::npos) << chyba;
  EXPECT_EQ(nic.stred[0], 7.0f);

  const float bod[3] = {40, 90, -10};
  const Vec osa_s = vec(osa.stred), osa_n = vec(osa.normalovy);
  auto od_osy = [&](const Vec& p) {
    const Vec d = minus(p, osa_s);
    return minus(d, scaled(osa_n, dot(d, osa_n)));
  };
  for (const int uhel : {0, 180, 37}) {
    float p[3] = {bod[0], bod[1], bod[2]};
    otoc_kolem_osy(osa.stred, osa.normalovy, uhel, p);
    const Vec pred = od_osy(vec(bod)), po = od_osy(vec(p));
    EXPECT_NEAR(dot(po, po), dot(pred, pred), 1e-2) << uhel;
    EXPECT_NEAR(dot(minus(vec(p), vec(bod)), osa_n), 0.0, 1e-3) << uhel;
    for (int j = 0; j < 3 && uhel != 37; j++)
      EXPECT_NEAR(po[j], uhel == 0 ? -pred[j] : pred[j], 1e-3) << uhel << " " << j;
  }
}
