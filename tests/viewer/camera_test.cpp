// The flying camera's arithmetic, checked through the recorded look-at call.
#include <gtest/gtest.h>

#include <cmath>

#include "reconstruction/scene_tables.h"
#include "tests/viewer/recording_graphics.h"
#include "viewer/camera.h"
#include "viewer/graphics_calls.h"

namespace {

// Values carry float rounding of products of order 1: 1e-6 is well above
// that and well below every difference the cases tell apart.
constexpr double tol = 1e-6;

class Kamera : public ::testing::Test {
 protected:
  void SetUp() override {
    nahrad_grafiku();
    for (int i = 0; i < 3; i++) pozice[i] = pozicelok[i] = 0, pohyb[i] = 0;
    yrot = 180.5f;
    zrot = 0;
    yrot2 = 1;
    speed = 1;
  }
  void TearDown() override { obnov_grafiku(); }

  // One frame of the camera, as display3D runs it.
  void snimek() {
    movefunc3D();
    pohled3D();
  }
};

TEST_F(Kamera, FirstFrameLooksAlongMinusYSlightlyDownWithUpPlusZ) {
  snimek();
  ASSERT_EQ(volani("look_at").size(), 1u);
  const std::vector<double> a = volani("look_at")[0].argumenty;
  EXPECT_EQ(a[0], 0);
  EXPECT_EQ(a[1], 0);
  EXPECT_EQ(a[2], 0);
  EXPECT_NEAR(a[3], 0, tol);
  EXPECT_NEAR(a[4], -0.9999619, tol);
  EXPECT_NEAR(a[5], -0.0087265, tol);
  EXPECT_EQ(a[6], 0);
  EXPECT_EQ(a[7], 0);
  EXPECT_EQ(a[8], 1);
  EXPECT_EQ(yrot2, -1);
  EXPECT_NEAR(pozicelok[1], -0.9999619, tol);
}

TEST_F(Kamera, OneFrameOfEachKeyFromTheFirstView) {
  struct Pripad {
    int bok, podel;
    float x, y, z;
  };
  // W: the horizontal step points along +y, away from the view; the
  // vertical part follows the view downwards. S the opposite; A and D
  // move sideways by one unit (yrot2 = -1, heading 0).
  const Pripad pripady[] = {{0, 1, 0, 0.9999619f, -0.0087265f},
                            {0, -1, 0, -0.9999619f, 0.0087265f},
                            {1, 0, -1, 0, 0},
                            {-1, 0, 1, 0, 0}};
  for (const Pripad& p : pripady) {
    SetUp();
    snimek();
    pohyb[0] = p.bok;
    pohyb[1] = p.podel;
    snimek();
    EXPECT_NEAR(pozice[0], p.x, tol) << p.bok << " " << p.podel;
    EXPECT_NEAR(pozice[1], p.y, tol) << p.bok << " " << p.podel;
    EXPECT_NEAR(pozice[2], p.z, tol) << p.bok << " " << p.podel;
    EXPECT_EQ(pohyb[2], p.podel);
  }
}

TEST_F(Kamera, StepsFollowTheAnglesAtAGeneralHeading) {
  yrot = 30;
  zrot = 40;
  snimek();
  const double Y = rad(30), Z = rad(40);
  const float L[3] = {pozicelok[0], pozicelok[1], pozicelok[2]};
  const double B[3] = {L[0] - std::cos(Y) * std::sin(Z), L[1] - std::cos(Y) * std::cos(Z),
                       L[2] - std::sin(Y)};
  speed = 2;
  pohyb[1] = 1;
  movefunc3D();
  EXPECT_NEAR(pozice[0] - B[0], 2 * std::cos(Y) * std::sin(Z), tol);
  EXPECT_NEAR(pozice[1] - B[1], 2 * std::cos(Y) * std::cos(Z), tol);
  EXPECT_NEAR(pozice[2] - B[2], 2 * std::sin(Y), tol);
  // With a longitudinal command the lateral step is scaled by cos Y.
  SetUp();
  yrot = 30;
  zrot = 40;
  snimek();
  pohyb[1] = 1;
  pohyb[0] = -1;
  movefunc3D();
  EXPECT_NEAR(pozice[0] - B[0], std::cos(Y) * std::sin(Z) - std::cos(Y) * std::cos(Z), tol);
  EXPECT_NEAR(pozice[1] - B[1], std::cos(Y) * std::cos(Z) + std::cos(Y) * std::sin(Z), tol);
}

TEST_F(Kamera, ElevationIsCorrectedByOneTurnPerFrameAndHeadingNever) {
  const float pripady[][3] = {{361, 1, 1}, {-5, 355, 355}, {725, 365, 5}};
  for (const float* p : pripady) {
    yrot = p[0];
    zrot = 1000;
    pohled3D();
    EXPECT_FLOAT_EQ(yrot, p[1]) << p[0];
    pohled3D();
    EXPECT_FLOAT_EQ(yrot, p[2]) << p[0];
    EXPECT_EQ(zrot, 1000);
  }
}

TEST_F(Kamera, UpVectorAndSignFactorFlipAtTheVerticals) {
  struct Pripad {
    float yrot;
    double nahoru;
    float znamenko;
  };
  const Pripad pripady[] = {{0, -1, 1},    {89, -1, 1},  {90, 1, 1},    {91, 1, -1},
                            {180.5f, 1, -1}, {269, 1, -1}, {270, 1, -1}, {271, -1, 1}};
  for (const Pripad& p : pripady) {
    nahrad_grafiku();
    yrot = p.yrot;
    pohled3D();
    EXPECT_EQ(volani("look_at")[0].argumenty[8], p.nahoru) << p.yrot;
    // With 3.14159265 for pi, 90 degrees is a little less than a right angle
    // (tiny positive cosine) and 270 a little less than three (tiny negative).
    EXPECT_EQ(yrot2, p.znamenko) << p.yrot;
  }
}

TEST_F(Kamera, AViewingFrameIsMultipliedAfterTheLookAtOnlyWhenGiven) {
  double matice[16];
  for (int i = 0; i < 16; i++) matice[i] = i + 0.5;
  pohled3D(matice);
  ASSERT_EQ(zaznam_volani.size(), 2u);
  EXPECT_EQ(zaznam_volani[0].jmeno, "look_at");
  EXPECT_EQ(zaznam_volani[1].jmeno, "mult_matrixd");
  EXPECT_EQ(zaznam_volani[1].argumenty, std::vector<double>(matice, matice + 16));
  nahrad_grafiku();
  pohled3D();
  pohled3D(nullptr);
  EXPECT_EQ(volani("look_at").size(), 2u);
  EXPECT_TRUE(volani("mult_matrixd").empty());
}

TEST_F(Kamera, WithoutCommandsTheEyeStaysAndTheLookPointIsOneUnitAhead) {
  pozice[0] = 3;
  pozice[1] = -4;
  pozice[2] = 5;
  yrot = 10;
  zrot = 200;
  for (int i = 0; i < 5; i++) snimek();
  EXPECT_EQ(pozice[0], 3);
  EXPECT_EQ(pozice[1], -4);
  EXPECT_EQ(pozice[2], 5);
  const double d = std::hypot(pozicelok[0] - 3.0, pozicelok[1] + 4.0, pozicelok[2] - 5.0);
  EXPECT_NEAR(d, 1, tol);
}

}  // namespace
