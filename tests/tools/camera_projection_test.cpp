// The camera model of the sample scene against the reconstruction: the same
// constants, projection as the exact inverse of the reconstruction's pixel
// rays, and the double-precision model of triangulation and turning against
// the real prepocet_bodu.
#include "tools/camera_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/triangulation.h"
#include "tools/reconstruction_model.h"
#include "tools/sample_scene.h"
#include "tools/seeded_random.h"

namespace {

double vzdalenost_od_primky(Bod3 x, Bod3 a, Bod3 b) {
  return delka(vektorove(x - a, jednotkovy(b - a)));
}

TEST(CameraModel, UsesTheConstantsOfTheReconstruction) {
  vynuluj_tabulky_sceny();
  const SestavaKamer s = vychozi_sestava();
  for (int c = 0; c < 2; c++)
    for (int j = 0; j < 3; j++) {
      EXPECT_EQ(s.kamera[c][j], stereo_kamera[c][j]);
      EXPECT_EQ(s.stred[c][j], stereo_lok[c][j]);
    }
  EXPECT_EQ(s.x_px, x_px);
  EXPECT_EQ(s.y_px, y_px);
  for (int slot = 0; slot < pocet_poloh; slot++) EXPECT_EQ(uhly_poloh[slot], uhly[slot]);
  for (const SnimekZnacek& snimek : snimky_znacek)
    EXPECT_STREQ(jmena_snimku[snimek.slot][snimek.kamera - 1], snimek.soubor);
  // The column directions the triangulation hard-codes.
  EXPECT_EQ(s.vodorovny[0][0], 0.999f);
  EXPECT_EQ(s.vodorovny[0][1], -0.034f);
  EXPECT_EQ(s.vodorovny[1][0], 0.984f);
  EXPECT_EQ(s.vodorovny[1][1], 0.173f);
}

TEST(CameraModel, ProjectionInvertsThePixelRays) {
  const SestavaKamer s = vychozi_sestava();
  Nahoda n(7);
  for (int i = 0; i < 200; i++) {
    const Bod3 x{n.rovnomerne(-15, 25), n.rovnomerne(110, 165), n.rovnomerne(-16, 18)};
    for (int k = 0; k < 2; k++) {
      const PoziceVObraze p = promitni(s, k, x);
      ASSERT_TRUE(p.pred_kamerou);
      // The image-plane point of the projected pixel lies on the ray K -> X.
      const Bod3 q = bod_roviny(s, k, p.sloupec, p.radek);
      EXPECT_LT(vzdalenost_od_primky(q, projekcni_stred(s, k), x), 1e-9);
      // The plane of the reconstruction's image points and the plane through
      // L perpendicular to L - K differ only by the rounding of the
      // constants: the cut with the perpendicular plane is within a
      // hundredth of a pixel.
      const Bod3 kk = projekcni_stred(s, k);
      const Bod3 l{s.stred[k][0], s.stred[k][1], s.stred[k][2]};
      const Bod3 osa = l - kk;
      const Bod3 rez = kk + (skalar(osa, osa) / skalar(osa, x - kk)) * (x - kk);
      EXPECT_LT(delka(rez - q) / s.x_px, 0.01);
    }
    const PoziceVObraze a = promitni(s, 0, x), b = promitni(s, 1, x);
    EXPECT_LT(delka(trianguluj(s, a.sloupec, a.radek, b.sloupec, b.radek) - x), 1e-8);
  }
  // A point behind camera 1 is reported as such.
  EXPECT_FALSE(promitni(s, 0, Bod3{0, -50, 0}).pred_kamerou);
}

TEST(CameraModel, RowsGrowUpwardsAndColumnsToTheRight) {
  const SestavaKamer s = vychozi_sestava();
  const Bod3 x{4.6, 135.8, 0.0};
  for (int k = 0; k < 2; k++) {
    const PoziceVObraze p = promitni(s, k, x);
    EXPECT_GT(promitni(s, k, x + Bod3{0, 0, 1}).radek, p.radek);
    EXPECT_GT(promitni(s, k, x + Bod3{1, 0, 0}).sloupec, p.sloupec);
  }
  // The central pixels of both cameras triangulate to where the central rays
  // come closest (0.3 apart in z).
  const Bod3 stred = trianguluj(s, 360, 240, 360, 240);
  EXPECT_NEAR(stred.x, 4.6223, 1e-3);
  EXPECT_NEAR(stred.y, 135.8132, 1e-3);
  EXPECT_NEAR(stred.z, 0.15, 1e-3);
}

TEST(CameraModel, AxisFromReferenceMarksAndTurns) {
  // Three points on a circle of radius 5 about (1, 2, 3) in a plane z = 3;
  // counter-clockwise seen from +z gives the axis +z.
  const Bod3 c{1, 2, 3};
  auto na_kruhu = [&](double stupne) {
    const double a = stupne * M_PI / 180;
    return c + Bod3{5 * std::cos(a), 5 * std::sin(a), 0};
  };
  const Osa osa = osa_z_referenci(na_kruhu(10), na_kruhu(100), na_kruhu(200));
  EXPECT_LT(delka(osa.bod - c), 1e-12);
  EXPECT_LT(delka(osa.smer - Bod3{0, 0, 1}), 1e-12);
  const Osa obracena = osa_z_referenci(na_kruhu(200), na_kruhu(100), na_kruhu(10));
  EXPECT_LT(delka(obracena.smer - Bod3{0, 0, -1}), 1e-12);
  // A quarter turn about +z takes +x to +y.
  const Bod3 x = otoc(c + Bod3{2, 0, 7}, osa, M_PI / 2);
  EXPECT_LT(delka(x - (c + Bod3{0, 2, 7})), 1e-12);
  EXPECT_NEAR(uhel_otoceni_slotu(0), M_PI, 1e-15);
  EXPECT_NEAR(uhel_otoceni_slotu(-80), -80 * 3.14159265 / 180 + M_PI, 1e-15);
}

// The double-precision model gives what the real triangulation and turn
// give, for integer pixels of arbitrary markers and reference marks.
TEST(ReconstructionModel, AgreesWithTheProgramsTriangulationAndTurn) {
  const SestavaKamer s = vychozi_sestava();
  vynuluj_tabulky_sceny();
  vynuluj_pocty_znacek();
  PixelyBodu reference[3];
  const int pixely_referenci[3][4] = {
      {120, 40, 100, 42}, {230, 30, 260, 33}, {470, 45, 520, 40}};
  for (int m = 0; m < 3; m++) {
    BodData& b = body_data[slot_referenci][m];
    b = {pixely_referenci[m][0], pixely_referenci[m][1], pixely_referenci[m][2],
         pixely_referenci[m][3]};
    reference[m].sloupec[0] = b.x1;
    reference[m].radek[0] = b.y1;
    reference[m].sloupec[1] = b.x2;
    reference[m].radek[1] = b.y2;
  }
  Nahoda n(3);
  PixelyBodu body[5][10];
  for (int slot = 0; slot < 5; slot++) {
    body_pocty[slot] = 10;
    for (int i = 0; i < 10; i++) {
      const int c1 = static_cast<int>(n.rovnomerne(150, 550));
      const int r1 = static_cast<int>(n.rovnomerne(40, 440));
      const int c2 = c1 + static_cast<int>(n.rovnomerne(-20, 60));
      const int r2 = r1 + static_cast<int>(n.rovnomerne(-3, 3));
      body_data[slot][i] = {c1, r1, c2, r2};
      body[slot][i].sloupec[0] = c1;
      body[slot][i].radek[0] = r1;
      body[slot][i].sloupec[1] = c2;
      body[slot][i].radek[1] = r2;
    }
  }
  prepocet_bodu(true);
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < 10; i++) {
      const Bod3 model = zrekonstruuj(s, body[slot][i], reference, uhly[slot]);
      const float* r = body_souradnice[slot][i];
      EXPECT_LT(delka(Bod3{r[0], r[1], r[2]} - model), rezerva_zaokrouhleni)
          << "slot " << slot << " marker " << i + 1;
    }
}

TEST(ReconstructionModel, BoundsFollowTheSensitivities) {
  const SestavaKamer s = vychozi_sestava();
  const PixelyBodu p = pixely_z_pozic(promitni(s, 0, {4, 130, 5}), promitni(s, 1, {4, 130, 5}));
  // Moving one pixel coordinate by d moves the triangulated point by
  // |column| * d to within the room left for higher-order terms (checked
  // over half a pixel and over two pixels, beyond the largest blob radius),
  // never more than the bound.
  Bod3 sloupce[4];
  citlivost_triangulace(s, p, sloupce);
  for (double d : {0.5, 2.0})
    for (int j = 0; j < 4; j++) {
      PixelyBodu q = p;
      (j == 0 ? q.sloupec[0] : j == 1 ? q.radek[0] : j == 2 ? q.sloupec[1] : q.radek[1]) += d;
      const double posun = delka(trianguluj_pixely(s, q) - trianguluj_pixely(s, p));
      EXPECT_NEAR(posun, d * delka(sloupce[j]), 0.5 * rezerva_linearizace * posun);
      EXPECT_LE(posun, mez_triangulace(s, p, d) + 1e-9);
    }
  // Depth along the rays is the weak direction: a column of either camera
  // moves the point several times more than a row does.
  EXPECT_GT(delka(sloupce[0]), 3 * delka(sloupce[1]));
  EXPECT_GT(delka(sloupce[2]), 3 * delka(sloupce[3]));
}

}  // namespace
