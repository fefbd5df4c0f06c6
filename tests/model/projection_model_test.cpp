// The projection model: halves, flattening, records, transcript, limits,
// and the fast builder against the plain one.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/projection_graph.h"
#include "model/projection_model.h"
#include "model/instruction_pool.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"
#include "tests/model/model_state.h"

namespace {

// The builder as the model harness runs it: its result (false only for an
// axis in line with the origin) is checked where it matters.
void projekce() { projection_model3D(); }

std::string kroky_polovin() {
  std::string text;
  for (int k = 0; k <= 4000; k += 100) text += "krok " + std::to_string(k) + "...\n";
  return "OK2\n" + text + "OK3\n";
}

const std::string prepis_projekce = "OK1\n" + kroky_polovin() + kroky_polovin();

void nastav_osu(const float a[3], const float b[3]) {
  for (int c = 0; c < 3; c++) {
    osa_rotace[0][c] = a[c];
    osa_rotace[1][c] = b[c];
  }
}

void ocekavej_shodu(const BodyPozic& body) {
  nastav_body(body);
  nastav_osu_a_znacky();
  const StavModelu rychly = spust_builder(projekce);
  const StavModelu doslovny = spust_builder(projection_model3D_doslovne);
  EXPECT_EQ(rozdil(rychly, doslovny), "");
  EXPECT_EQ(rychly.vystup, prepis_projekce);
  EXPECT_EQ(rychly.log, "TADY TADY TADY\nTADY TADY TADY\n");
  for (const PolygonStavu& p : rychly.polygony) {
    EXPECT_EQ(p.cervena, 128);
    EXPECT_EQ(p.zelena, 128);
    EXPECT_EQ(p.modra, 128);
  }
}

TEST(ProjectionModel, FastEqualsPlainOnRandomClouds) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    ocekavej_shodu(nahodny_mrak(5, 6, seed));
  }
  ocekavej_shodu(nahodny_mrak(4, 14, 9));
}

TEST(ProjectionModel, FastEqualsPlainOnTurntableObject) { ocekavej_shodu(vaza(5, 13)); }

TEST(ProjectionModel, FastEqualsPlainWithCoincidentPoints) {
  BodyPozic body = nahodny_mrak(3, 8, 12);
  body[1][2] = body[0][1];
  body[2][5] = body[0][1];
  ocekavej_shodu(body);
}

// Axis x = 10, y = 0 (vertical): the central plane is y = 0 with n = (0, -1,
// 0). Points with y < 0 form half 0, flattened onto y = 50; points with
// y = 0 (on the plane) and y > 0 form half 1, flattened onto y = -50.
TEST(ProjectionModel, HalvesFlatteningAndRecords) {
  nastav_body({{{0, -5, 0}, {6, -7, 1}, {2, -6, 8}, {0, 0, 0}, {5, 0, 1}, {1, 0, 7}, {3, 4, 3}}});
  const float a[3] = {10, 0, 0}, b[3] = {10, 0, 1};
  nastav_osu(a, b);
  const StavModelu stav = spust_builder(projekce);
  EXPECT_EQ(stav.vystup, prepis_projekce);
  // Half 0: three points, one triangle; half 1: four points.
  ASSERT_EQ(stav.pocetusecek3d, 3 + static_cast<int>(stav.usecky.size()));
  for (int r = 0; r < stav.pocetusecek3d; r++) {
    const float y = r < 3 ? 50.0f : -50.0f;
    EXPECT_FLOAT_EQ(prunik[r].p[1], y) << "record " << r;
    EXPECT_FLOAT_EQ(prunik[r].p[4], y) << "record " << r;
    EXPECT_EQ(prunik[r].priznak, 0);
  }
  // The records keep x and z of the points they join (the in-plane axes
  // span x and z here).
  // The first segment of half 0 is its shortest, from point 0 (0, -5, 0)
  // to point 1 (6, -7, 1).
  EXPECT_NEAR(prunik[0].p[0], 0, 1e-4);
  EXPECT_NEAR(prunik[0].p[2], 0, 1e-4);
  EXPECT_NEAR(prunik[0].p[3], 6, 1e-4);
  EXPECT_NEAR(prunik[0].p[5], 1, 1e-4);
  // The instructions hold the unflattened points, in slot order.
  for (int i = 0; i < 7; i++) {
    EXPECT_EQ(adresy_bodu_global[0][i], i);
    EXPECT_EQ(instrukce_polygonu[i]->y, body_souradnice[0][i][1]);
  }
  // Every polygon joins points of one half only.
  for (const PolygonStavu& p : stav.polygony) {
    ASSERT_EQ(p.sloty.size(), 3u);
    const bool polovina0 = p.sloty[0] < 3;
    for (int s : p.sloty) EXPECT_EQ(s < 3, polovina0);
  }
  // Half 0: one triangle; half 1: a point inside a triangle, four triangles.
  EXPECT_EQ(stav.polygony.size(), 3u + 3u * 4);
  // Segment ends are positions within the half: the second half's list
  // (left in usecky_provizorni) numbers its four points 0..3.
  for (const auto& u : stav.usecky) {
    EXPECT_LT(u[0], 4);
    EXPECT_LT(u[1], 4);
  }
  EXPECT_EQ(rozdil(stav, spust_builder(projection_model3D_doslovne)), "");
}

TEST(ProjectionModel, AHalfWithoutPointsContributesNothing) {
  nastav_body({{{0, -5, 0}, {6, -7, 1}, {2, -6, 8}, {3, -9, 2}}});
  const float a[3] = {10, 0, 0}, b[3] = {10, 0, 1};
  nastav_osu(a, b);
  const StavModelu stav = spust_builder(projekce);
  EXPECT_EQ(stav.vystup, prepis_projekce);
  EXPECT_TRUE(stav.usecky.empty()) << "the second half has no points";
  EXPECT_GT(stav.pocetusecek3d, 0);
  EXPECT_EQ(rozdil(stav, spust_builder(projection_model3D_doslovne)), "");
}

TEST(ProjectionModel, AxisInLineWithTheOriginBuildsNothing) {
  nastav_body(nahodny_mrak(2, 5, 3));
  const float a[3] = {0, 10, 0}, b[3] = {0, 20, 0.000001f};  // A x B = (1e-5, 0, 0)
  nastav_osu(a, b);
  std::string chyba;
  const StavModelu stav = spust_builder([&] { EXPECT_FALSE(projection_model3D(&chyba)); });
  EXPECT_NE(chyba.find("central plane is undefined"), std::string::npos) << chyba;
  EXPECT_EQ(stav.vystup, "");
  EXPECT_TRUE(stav.pool_bity.empty());
  EXPECT_TRUE(stav.polygony.empty());
  EXPECT_EQ(stav.pocetusecek3d, 0);
}

TEST(ProjectionModel, FullPrunikIsNeverWrittenPast) {
  nastav_body(nahodny_mrak(2, 8, 5));
  nastav_osu_a_znacky();
  const StavModelu stav = spust_builder(projekce, [] { pocetusecek3d = kapacita_prunik - 2; });
  EXPECT_EQ(stav.pocetusecek3d, kapacita_prunik);
  EXPECT_EQ(stav.log,
            "TADY TADY TADY\nprunik is full (4000 records): further segments are not recorded\nTADY TADY TADY\n");
  const StavModelu doslovny =
      spust_builder(projection_model3D_doslovne, [] { pocetusecek3d = kapacita_prunik - 2; });
  EXPECT_EQ(rozdil(stav, doslovny), "");
}

}  // namespace

// The graph is a value of the axis, the centroid and the points alone: each
// point lands in the half of its side of the central plane, its plane
// coordinates give back its projection onto that half's plane (n.x = -50
// or +50; float rounding of coordinates near 200: within 1e-3), every
// segment's reported line runs between its two points' projections, and
// an axis in line with the origin has no central plane.
TEST(ProjectionModel, TheGraphIsAValueOfTheAxisAndThePoints) {
  const float osa[2][3] = {{0, 200, -30}, {0, 200, 30}};
  const float teziste[3] = {1, 199, 2};
  std::vector<Bod3D> body;
  for (const auto& slot : vaza(5, 9)) body.insert(body.end(), slot.begin(), slot.end());
  int car = 0;
  PrubehProjekce prubeh;
  ProjekcniGraf graf;
  prubeh.po_care = [&](int h, int s, const float a[3], const float b[3]) {
    car++;
    EXPECT_EQ(s, car - 1 - (h == 1 ? static_cast<int>(graf.poloviny[0].rust.usecky.size()) : 0));
    const float n_a = static_cast<float>(a[0] * graf.normala[0] + a[1] * graf.normala[1] + a[2] * graf.normala[2]);
    const float n_b = static_cast<float>(b[0] * graf.normala[0] + b[1] * graf.normala[1] + b[2] * graf.normala[2]);
    EXPECT_NEAR(n_a, h == 0 ? -50 : 50, 1e-3);
    EXPECT_NEAR(n_b, h == 0 ? -50 : 50, 1e-3);
  };
  std::string chyba;
  float n[3];
  ASSERT_TRUE(normala_stredni_roviny(osa, n));
  ASSERT_TRUE(projekcni_graf(n, teziste, body, prubeh, &graf, &chyba)) << chyba;
  EXPECT_NEAR(std::fabs(graf.normala[0]), 1.0f, 1e-6);
  std::size_t rozdeleno = 0, usecek = 0;
  for (int h = 0; h < 2; h++) {
    const PolovinaProjekce& pol = graf.poloviny[h];
    rozdeleno += pol.body.size();
    usecek += pol.rust.usecky.size();
    for (std::size_t k = 0; k < pol.body.size(); k++) {
      const float* p = body[pol.body[k]].data();
      const double np = p[0] * graf.normala[0] + p[1] * graf.normala[1] + p[2] * graf.normala[2];
      EXPECT_EQ(np > 0 ? 0 : 1, h);
      const double posun = (h == 0 ? -50.0 : 50.0) - np;
      for (int c = 0; c < 3; c++)
        EXPECT_NEAR(pol.pocatek[c] + pol.souradnice[k].x * graf.u[c] + pol.souradnice[k].y * graf.v[c],
                    p[c] + posun * graf.normala[c], 1e-3);
    }
    EXPECT_FALSE(pol.trojuhelniky.trojuhelniky.empty()) << h;
  }
  EXPECT_EQ(rozdeleno, body.size());
  EXPECT_EQ(static_cast<std::size_t>(car), usecek);

  const float v_rade[2][3] = {{0, 100, 0}, {0, 200, 0}};
  EXPECT_FALSE(normala_stredni_roviny(v_rade, n));
}
