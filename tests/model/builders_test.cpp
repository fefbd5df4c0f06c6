// The small model builders: trimming, averaging, joining, brute force and
// the cuboid, on hand-made models with known answers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/toolkit.h"
#include "model/instruction_pool.h"
#include "model/segment_records.h"
#include "reconstruction/scene_tables.h"

namespace {

Polygon3D* trojuhelnik(const float a[3], const float b[3], const float c[3], int cervena) {
  auto* polygon = new Polygon3D(instrukce_polygonu[nova_instrukce(a[0], a[1], a[2])]);
  pridej_instrukci(polygon, instrukce_polygonu[nova_instrukce(b[0], b[1], b[2])]);
  pridej_instrukci(polygon, instrukce_polygonu[nova_instrukce(c[0], c[1], c[2])]);
  pridej_polygon(model1, polygon);
  polygon->cervena = static_cast<std::uint16_t>(cervena);
  polygon->zelena = polygon->modra = 0;
  return polygon;
}

class Builders : public testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    vyprazdni_model();
  }
  // The two end points of prunik record i, in either order, against a and b.
  static void ocekavej_usecku(int i, const float a[3], const float b[3], float tolerance) {
    const float* p = prunik[i].p;
    const bool primo = std::fabs(p[0] - a[0]) < tolerance && std::fabs(p[1] - a[1]) < tolerance &&
                       std::fabs(p[2] - a[2]) < tolerance && std::fabs(p[3] - b[0]) < tolerance &&
                       std::fabs(p[4] - b[1]) < tolerance && std::fabs(p[5] - b[2]) < tolerance;
    const bool obracene = std::fabs(p[0] - b[0]) < tolerance && std::fabs(p[1] - b[1]) < tolerance &&
                          std::fabs(p[2] - b[2]) < tolerance && std::fabs(p[3] - a[0]) < tolerance &&
                          std::fabs(p[4] - a[1]) < tolerance && std::fabs(p[5] - a[2]) < tolerance;
    EXPECT_TRUE(primo || obracene) << p[0] << " " << p[1] << " " << p[2] << " / " << p[3] << " "
                                   << p[4] << " " << p[5];
  }
};

// Triangle A lies in z = 0; the plane y = 1 cuts it from x = 0 to x = 3.
const float a0[3] = {0, 0, 0}, a1[3] = {4, 0, 0}, a2[3] = {0, 4, 0};

// A fixed generic rotation, so that no plane is perpendicular to an axis.
void otoc(const float v[3], float out[3]) {
  const double m[3][3] = {{0.8660254, -0.25, 0.4330127},
                          {0.5, 0.4330127, -0.75},
                          {0.0, 0.8660254, 0.5}};
  for (int i = 0; i < 3; i++)
    out[i] = static_cast<float>(m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2]);
}

Polygon3D* otoceny_trojuhelnik(const float a[3], const float b[3], const float c[3], int cervena) {
  float ra[3], rb[3], rc[3];
  otoc(a, ra);
  otoc(b, rb);
  otoc(c, rc);
  return trojuhelnik(ra, rb, rc, cervena);
}

TEST_F(Builders, TrimmingRecordsTheCommonStretchAndMarksBoth) {
  Polygon3D* a = otoceny_trojuhelnik(a0, a1, a2, 1);
  // Triangle B in y = 1 meets z = 0 from x = -1/3 to x = 7/3.
  const float b0[3] = {-1, 1, -1}, b1[3] = {3, 1, -1}, b2[3] = {1, 1, 2};
  Polygon3D* b = otoceny_trojuhelnik(b0, b1, b2, 2);
  testing::internal::CaptureStdout();
  orezmodely3D(1, 2);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "nalezena prusecnice\n");
  ASSERT_EQ(pocetusecek3d, 1);
  // Corners of size 4 are rounded to floats (relative 6e-8) through two
  // normals, a line point and two intersections: 1e-4 is ample.
  const float zacatek[3] = {0, 1, 0}, konec[3] = {7.0f / 3, 1, 0};
  float ocekavany_zacatek[3], ocekavany_konec[3];
  otoc(zacatek, ocekavany_zacatek);
  otoc(konec, ocekavany_konec);
  ocekavej_usecku(0, ocekavany_zacatek, ocekavany_konec, 1e-4f);
  EXPECT_EQ(a->cervena, 256);
  EXPECT_EQ(b->cervena, 256);
  EXPECT_EQ(volnych_instrukci(), kapacita_instrukci - 8);  // six corners and the two ends
  // Marked polygons take part in no further pairing.
  orezmodely3D(1, 2);
  EXPECT_EQ(pocetusecek3d, 1);
}

TEST_F(Builders, TrimmingFindsNothingForParallelPlanesCornersAndSkipsUnusablePairs) {
  trojuhelnik(a0, a1, a2, 1);
  const float p0[3] = {0, 0, 1}, p1[3] = {5, 0, 1}, p2[3] = {0, 5, 1};
  otoceny_trojuhelnik(p0, p1, p2, 2);
  otoceny_trojuhelnik(a0, a1, a2, 2);  // the same two planes, turned: parallel
  // The plane x - y + z = 0 meets z = 0 in the line x = y, which passes
  // through A's corner (0, 0, 0): A is hit at one edge only.
  const float r0[3] = {0, 0, 0}, r1[3] = {3, 2, -1}, r2[3] = {1, 2, 1};
  trojuhelnik(r0, r1, r2, 3);
  // The plane y = 1 has no axis in common with z = 0: the line cannot be
  // constructed and the pair is skipped.
  const float t0[3] = {-1, 1, -1}, t1[3] = {3, 1, -1}, t2[3] = {1, 1, 2};
  trojuhelnik(t0, t1, t2, 4);
  // Corners in line: no plane; skipped instead of looping.
  const float c0[3] = {0, 0, 0}, c1[3] = {1, 1, 1}, c2[3] = {2, 2, 2};
  trojuhelnik(c0, c1, c2, 5);
  for (int typ = 2; typ <= 5; typ++) orezmodely3D(1, typ);
  orezmodely3D(5, 1);
  orezmodely3D(1, 1);  // a polygon against itself lies in its own plane
  EXPECT_EQ(pocetusecek3d, 0);
  for (PrvekSeznamu<Polygon3D*>* e = model1.Prvni(); e != nullptr; e = e->dalsi)
    EXPECT_NE(e->hodnota->cervena, 256);
}

TEST_F(Builders, AveragingMergesCloserThanOneAndEachPointOnce) {
  body_pocty[0] = 3;
  body_pocty[1] = 2;
  const float prvni[3][3] = {{0, 0, 0}, {0.2f, 0, 0}, {10, 0, 0}};
  const float druhy[2][3] = {{0.5f, 0, 0}, {11, 0, 0}};  // 11 is exactly 1.0 from 10
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) body_souradnice[0][i][j] = prvni[i][j];
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 3; j++) body_souradnice[1][i][j] = druhy[i][j];
  zprumeruj_modely(0, 1);
  EXPECT_EQ(body_souradnice[0][0][0], 0.25f);
  EXPECT_EQ(body_souradnice[1][0][0], 0.25f);
  EXPECT_EQ(body_souradnice[0][1][0], 0.2f);  // its partner is already taken
  EXPECT_EQ(body_souradnice[0][2][0], 10.0f);
  EXPECT_EQ(body_souradnice[1][1][0], 11.0f);
}

TEST_F(Builders, JoiningMovesInsidePointsOntoTheNearestPointOfTheOtherSlot) {
  // Model of slot 2: one triangle in the plane x = 10, its corners being the
  // slot's points; two of them equally far from the inside point.
  const float v[3][3] = {{10, -5, -5}, {10, 5, -5}, {10, 0, 5}};
  for (int j = 0; j < 3; j++) adresy_bodu_global[2][j] = nova_instrukce(v[j][0], v[j][1], v[j][2]);
  body_pocty[2] = 3;
  auto* plocha = new Polygon3D(instrukce_polygonu[adresy_bodu_global[2][0]]);
  pridej_instrukci(plocha, instrukce_polygonu[adresy_bodu_global[2][1]]);
  pridej_instrukci(plocha, instrukce_polygonu[adresy_bodu_global[2][2]]);
  pridej_polygon(model1, plocha);
  plocha->cervena = 2;
  // A degenerate triangle of the same model is skipped.
  const float c0[3] = {10, 0, 0}, c1[3] = {10, 0, 0}, c2[3] = {10, 0, 0};
  trojuhelnik(c0, c1, c2, 2);

  // Slot 1: a point inside (ray meets the plane beyond it), one outside.
  adresy_bodu_global[1][0] = nova_instrukce(5, 0, -2);
  adresy_bodu_global[1][1] = nova_instrukce(15, 0, 0);
  body_pocty[1] = 2;
  // A slot-1 triangle that shares the inside point follows it.
  auto* soused = new Polygon3D(instrukce_polygonu[adresy_bodu_global[1][0]]);
  pridej_polygon(model1, soused);
  soused->cervena = 1;

  testing::internal::CaptureStdout();
  spojmodely3D(1, 2);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "0 zmenen na 0\n");
  const PolygonInstrukce* presunuty = soused->instrukce.Prvni()->hodnota;
  EXPECT_EQ(presunuty->x, 10.0f);
  EXPECT_EQ(presunuty->y, -5.0f);  // (10, -5, -5) and (10, 5, -5) tie: index 0
  EXPECT_EQ(presunuty->z, -5.0f);
  const PolygonInstrukce* venku = instrukce_polygonu[adresy_bodu_global[1][1]];
  EXPECT_EQ(venku->x, 15.0f);
  EXPECT_EQ(plocha->cervena, 255);

  // With no points in the other slot nothing moves.
  adresy_bodu_global[1][1] = nova_instrukce(5, 0, 0);
  body_pocty[3] = 0;
  plocha->cervena = 3;
  testing::internal::CaptureStdout();
  spojmodely3D(1, 3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(instrukce_polygonu[adresy_bodu_global[1][1]]->x, 5.0f);
}

TEST_F(Builders, BruteForceJoinsTheFirstPointToItsTwoNearest) {
  body_pocty[9] = 0;
  body_pocty[0] = 3;
  const float body[3][3] = {{0, 0, 0}, {2, 0, 0}, {1, 0, 0}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) body_souradnice[0][i][j] = body[i][j];
  // Instructions already in the pool are not the builder's points.
  nova_instrukce(0.1f, 0, 0);
  brutalforce_model3D();
  ASSERT_EQ(pocetusecek3d, 3);
  ocekavej_usecku(0, body[0], body[2], 1e-6f);
  ocekavej_usecku(1, body[0], body[1], 1e-6f);
  EXPECT_EQ(prunik[2].p[0], 2.0f);  // (farther, nearer)
  EXPECT_EQ(prunik[2].p[3], 1.0f);

  // Ties keep the lower creation order; two points give one segment only.
  vynuluj_tabulky_sceny();
  vyprazdni_model();
  body_pocty[9] = 0;
  body_pocty[1] = 2;
  body_souradnice[1][1][1] = 3;
  brutalforce_model3D();
  EXPECT_EQ(pocetusecek3d, 1);
  vynuluj_tabulky_sceny();
  body_pocty[9] = 0;
  body_pocty[0] = 3;
  body_souradnice[0][1][0] = -1;
  body_souradnice[0][2][0] = 1;
  brutalforce_model3D();
  ASSERT_EQ(pocetusecek3d, 3);
  EXPECT_EQ(prunik[0].p[3], -1.0f);
}

TEST_F(Builders, CuboidCornersFacesAndColour) {
  kvadr(0, 0, 0, 1, 2, 3, 255, 0, 0, &model1);
  const float rohy[8][3] = {{-1, -2, -3}, {1, -2, -3}, {1, 2, -3}, {-1, 2, -3},
                            {-1, -2, 3},  {1, -2, 3},  {1, 2, 3},  {-1, 2, 3}};
  for (int c = 0; c < 8; c++) {
    ASSERT_NE(instrukce_polygonu[c], nullptr);
    EXPECT_EQ(instrukce_polygonu[c]->x, rohy[c][0]);
    EXPECT_EQ(instrukce_polygonu[c]->y, rohy[c][1]);
    EXPECT_EQ(instrukce_polygonu[c]->z, rohy[c][2]);
  }
  EXPECT_EQ(instrukce_polygonu[8], nullptr);
  const int steny[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 4, 5, 1},
                           {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}};
  int f = 0;
  for (PrvekSeznamu<Polygon3D*>* e = model1.Prvni(); e != nullptr; e = e->dalsi, f++) {
    ASSERT_LT(f, 6);
    EXPECT_EQ(e->hodnota->cervena, 255);
    EXPECT_EQ(e->hodnota->zelena, 0);
    int k = 0;
    for (PrvekSeznamu<PolygonInstrukce*>* i = e->hodnota->instrukce.Prvni(); i != nullptr; i = i->dalsi, k++) {
      ASSERT_LT(k, 4);
      EXPECT_EQ(i->hodnota, instrukce_polygonu[steny[f][k]]) << f << " " << k;
    }
    EXPECT_EQ(k, 4);
  }
  EXPECT_EQ(f, 6);
}

}  // namespace

namespace {

TEST(SegmentTable, AFullTableRefusesOnceLoudlyAndNeverWritesPastTheEnd) {
  vynuluj_tabulky_sceny();
  vyprazdni_model();
  pocetusecek3d = kapacita_prunik - 1;
  const float a[3] = {1, 2, 3}, b[3] = {4, 5, 6};
  testing::internal::CaptureStderr();
  ZapisPruniku zapis;
  EXPECT_TRUE(zapis.pridej(a, b));
  EXPECT_FALSE(zapis.pridej(a, b));
  EXPECT_FALSE(zapis.pridej(a, b));
  const std::string chyby = testing::internal::GetCapturedStderr();
  EXPECT_EQ(pocetusecek3d, kapacita_prunik);
  EXPECT_EQ(prunik[kapacita_prunik - 1].p[5], 6.0f);
  EXPECT_NE(chyby.find("segment table: full (4000 segments)"), std::string::npos) << chyby;
  EXPECT_EQ(chyby.find('\n'), chyby.size() - 1) << chyby;  // reported once

  // Trimming stops at the full table instead of recording.
  Polygon3D* a_polygon = otoceny_trojuhelnik(a0, a1, a2, 1);
  const float b0[3] = {-1, 1, -1}, b1[3] = {3, 1, -1}, b2[3] = {1, 1, 2};
  otoceny_trojuhelnik(b0, b1, b2, 2);
  orezmodely3D(1, 2);
  EXPECT_EQ(pocetusecek3d, kapacita_prunik);
  EXPECT_EQ(a_polygon->cervena, 1);
}

}  // namespace
