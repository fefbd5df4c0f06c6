// The polar model: its small cases, its console transcript, its limits, and
// the fast builder against the plain one on many point sets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "model/instruction_pool.h"
#include "model/polar_graph.h"
#include "model/polar_model.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"
#include "tests/model/model_state.h"

namespace {

class PolarModel : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // polar_model3D waits for Enter: an empty standard input ends the wait.
    ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
  }
};

std::string kroky_polaru() {
  std::string text;
  for (int k = 0; k <= 10000; k += 100) text += "krok " + std::to_string(k) + " z 10000\n";
  return text;
}

const std::string prepis_polaru = "Vytvari se polarni model...\nVypocet teziste...\nOK\n"
                                  "Vypocet polarnich souradnic...\nOK\nVytvareni 3D bodu...\nOK\n"
                                  "Vytvareni polarnich usecek...\n" +
                                  kroky_polaru() + "OK\nVytvareni polygonu...\nOK\n";

void ocekavej_shodu(const BodyPozic& body) {
  nastav_body(body);
  const StavModelu rychly = spust_builder([] { postav_polar_model(); });
  const StavModelu doslovny = spust_builder(postav_polar_model_doslovne);
  EXPECT_EQ(rozdil(rychly, doslovny), "");
  EXPECT_EQ(rychly.vystup, prepis_polaru);
}

TEST_F(PolarModel, ThreePointsGiveOneTriangleEmittedFromEachCorner) {
  nastav_body({{{0, 200, 0}, {10, 205, 3}, {4, 220, -6}}});
  const StavModelu stav = spust_builder([] { polar_model3D(); });
  EXPECT_EQ(stav.vystup, prepis_polaru + "Tvorba 3D modelu dokoncena, pokracuj Enterem...");
  EXPECT_EQ(stav.log, "");
  ASSERT_EQ(stav.usecky.size(), 3u);
  ASSERT_EQ(stav.polygony.size(), 3u);
  EXPECT_EQ(stav.pocetusecek3d, 0) << "every segment has the use counter 3";
  // Apex p first, then the far ends of its two segments in list order; the
  // pool slots are the point numbers.
  for (int p = 0; p < 3; p++) {
    std::vector<int> ocekavane = {p};
    for (const auto& u : stav.usecky) {
      if (u[0] == p) ocekavane.push_back(u[1]);
      else if (u[1] == p) ocekavane.push_back(u[0]);
    }
    EXPECT_EQ(stav.polygony[p].sloty, ocekavane) << "apex " << p;
  }
  // The colour of the apex's polar angles about the centroid.
  for (int p = 0; p < 3; p++) {
    const double dx = static_cast<double>(pole_bodu[p][0]) - teziste[0];
    const double dy = static_cast<double>(pole_bodu[p][1]) - teziste[1];
    const double dz = static_cast<double>(pole_bodu[p][2]) - teziste[2];
    const double theta = std::acos(dz / std::sqrt(dx * dx + dy * dy + dz * dz));
    const double phi = std::atan2(dy, dx);
    EXPECT_EQ(stav.polygony[p].cervena, static_cast<std::uint16_t>(static_cast<int>(theta / M_PI * 128)));
    EXPECT_EQ(stav.polygony[p].zelena, static_cast<std::uint16_t>(static_cast<int>(phi / M_PI * 128)));
    EXPECT_EQ(stav.polygony[p].modra, 64);
  }
  EXPECT_FLOAT_EQ(teziste[0], 14.0f / 3);
  EXPECT_FLOAT_EQ(teziste[1], 625.0f / 3);
  EXPECT_FLOAT_EQ(teziste[2], -1.0f);
}

TEST_F(PolarModel, SegmentOfNoTriangleGoesToPrunik) {
  nastav_body({{{1, 200, 2}}, {{5, 230, -7}}});
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  ASSERT_EQ(stav.usecky.size(), 1u);
  EXPECT_TRUE(stav.polygony.empty());
  ASSERT_EQ(stav.pocetusecek3d, 1);
  const int a = stav.usecky[0][0], b = stav.usecky[0][1];
  for (int c = 0; c < 3; c++) {
    EXPECT_EQ(prunik[0].p[c], pole_bodu[a][c]);
    EXPECT_EQ(prunik[0].p[3 + c], pole_bodu[b][c]);
  }
}

TEST_F(PolarModel, ColourComponentsFromAngles) {
  EXPECT_EQ(slozka_barvy_z_uhlu(0), 0);
  EXPECT_EQ(slozka_barvy_z_uhlu(static_cast<float>(M_PI)), 128);
  EXPECT_EQ(slozka_barvy_z_uhlu(static_cast<float>(M_PI / 2)), 64);
  EXPECT_EQ(slozka_barvy_z_uhlu(static_cast<float>(-M_PI)), static_cast<std::uint16_t>(-128));
  EXPECT_EQ(slozka_barvy_z_uhlu(-0.01f), 0) << "truncated toward zero";
  EXPECT_EQ(slozka_barvy_z_uhlu(std::nanf("")), 0);
}

TEST_F(PolarModel, NoPointsGiveAnEmptyModelAndTheFullTranscript) {
  nastav_body({});
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  EXPECT_EQ(stav.vystup, prepis_polaru);
  EXPECT_TRUE(stav.usecky.empty());
  EXPECT_TRUE(stav.polygony.empty());
  EXPECT_EQ(stav.pocetusecek3d, 0);
  EXPECT_EQ(bodu_celkem, 0);
  EXPECT_EQ(teziste[0], 0.0f);
  EXPECT_EQ(rozdil(stav, spust_builder(postav_polar_model_doslovne)), "");
}

TEST_F(PolarModel, PointAtTheCentroidGetsNoSegment) {
  // Pairs about the origin, coordinates divisible by the point count 7: the
  // centroid is exactly (0, 0, 0), and point 0 is there, with NaN angles.
  BodyPozic body = {{{0, 0, 0}, {21, 7, 14}, {-21, -7, -14}, {7, -28, 14}, {-7, 28, -14}, {14, 14, -21},
                     {-14, -14, 21}}};
  nastav_body(body);
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  EXPECT_EQ(teziste[0], 0.0f);
  EXPECT_EQ(teziste[1], 0.0f);
  EXPECT_EQ(teziste[2], 0.0f);
  ASSERT_FALSE(stav.usecky.empty());
  for (const auto& u : stav.usecky) {
    EXPECT_NE(u[0], 0);
    EXPECT_NE(u[1], 0);
  }
  EXPECT_EQ(stav.pool_bity.size(), 7u * 4) << "the point keeps its instruction";
  EXPECT_EQ(rozdil(stav, spust_builder(postav_polar_model_doslovne)), "");
}

TEST_F(PolarModel, CountsAreClampedToTheTable) {
  nastav_body(nahodny_mrak(2, 3, 4));
  body_pocty[0] = 500;
  body_pocty[1] = -3;
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  EXPECT_EQ(bodu_celkem, konfigurace::souradnic_na_slot);
  EXPECT_EQ(stav.pool_bity.size(), 4u * konfigurace::souradnic_na_slot);
}

TEST_F(PolarModel, ManySegmentsAtOnePoint) {
  // Points on the vertical line through the centroid have phi 0 and theta 0
  // or pi: two clusters of coincident plane positions on one line, where no
  // segment crosses another. Every pair is joined, 51 segments per point.
  BodyPozic body(1);
  for (int i = 0; i < 52; i++) body[0].push_back({0, 0, static_cast<float>(i < 26 ? -10 - i : 10 + i)});
  nastav_body(body);
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  EXPECT_EQ(stav.usecky.size(), 52u * 51 / 2);
  EXPECT_EQ(stav.polygony.size(), 3u * (52 * 51 * 50 / 6));
  EXPECT_EQ(stav.pocetusecek3d, 0);
}

TEST_F(PolarModel, FullPrunikIsNeverWrittenPast) {
  nastav_body({{{1, 200, 2}}, {{5, 230, -7}}});
  const StavModelu stav =
      spust_builder([] { postav_polar_model(); }, [] { pocetusecek3d = kapacita_prunik; });
  EXPECT_EQ(stav.pocetusecek3d, kapacita_prunik);
  EXPECT_EQ(stav.log, "prunik is full (4000 records): further segments are not recorded\n");
  const StavModelu posledni =
      spust_builder([] { postav_polar_model(); }, [] { pocetusecek3d = kapacita_prunik - 1; });
  EXPECT_EQ(posledni.pocetusecek3d, kapacita_prunik);
  EXPECT_EQ(posledni.log, "");
}

TEST_F(PolarModel, FastEqualsPlainOnRandomClouds) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    ocekavej_shodu(nahodny_mrak(5, 4, seed));
  }
  ocekavej_shodu(nahodny_mrak(3, 11, 7));
  ocekavej_shodu(nahodny_mrak(5, 9, 8));
}

TEST_F(PolarModel, FastEqualsPlainOnTurntableObject) { ocekavej_shodu(vaza(5, 12)); }

TEST_F(PolarModel, FastEqualsPlainOnNastySets) {
  // Coincident points, repeated between positions.
  BodyPozic body = nahodny_mrak(3, 6, 11);
  body[1][0] = body[0][0];
  body[1][1] = body[0][0];
  body[2][3] = body[0][2];
  ocekavej_shodu(body);
  // A regular lattice with many equal distances and collinear rows.
  BodyPozic mriz(2);
  for (int i = 0; i < 12; i++) {
    mriz[0].push_back({static_cast<float>(i % 4) * 5, 224, static_cast<float>(i / 4) * 5});
    mriz[1].push_back({static_cast<float>(i % 4) * 5, 234, static_cast<float>(i / 4) * 5});
  }
  ocekavej_shodu(mriz);
}

}  // namespace

// A pool that cannot take one instruction per point is a failure with the
// pool's message, and no point instruction or polygon is made.
TEST_F(PolarModel, AFullPoolFailsWithItsMessageAndBuildsNothing) {
  nastav_body({{{1, 200, 2}}, {{5, 230, -7}}});
  std::string chyba;
  const StavModelu stav = spust_builder([&] { EXPECT_FALSE(postav_polar_model(&chyba)); }, [] {
    for (int i = 0; i < kapacita_instrukci - 1; i++) nova_instrukce(0, 0, 0);
  });
  EXPECT_NE(chyba.find("instruction pool: full"), std::string::npos) << chyba;
  EXPECT_EQ(stav.pool_bity.size(), static_cast<std::size_t>(kapacita_instrukci - 1) * 4);
  EXPECT_TRUE(stav.polygony.empty());
}

// The graph is a value of the points alone: built with no table touched, it
// is what the shell leaves in the segment table, model1 and prunik, and a
// second build after the tables were emptied gives it again.
TEST_F(PolarModel, TheGraphIsAValueOfThePointsAlone) {
  const BodyPozic pozice = vaza(5, 12);
  std::vector<Bod3D> body;
  for (const auto& slot : pozice) body.insert(body.end(), slot.begin(), slot.end());
  const PolarniGraf graf = polarni_graf(body, NastaveniRustu());
  nastav_body(pozice);
  const StavModelu stav = spust_builder([] { postav_polar_model(); });
  EXPECT_EQ(stav.usecky, graf.rust.usecky);
  EXPECT_EQ(stav.polygony.size(), graf.trojuhelniky.trojuhelniky.size());
  EXPECT_EQ(stav.pocetusecek3d, static_cast<int>(graf.okrajove.size()));
  for (int c = 0; c < 3; c++) EXPECT_EQ(teziste[c], graf.teziste[c]) << c;
  ASSERT_GT(graf.trojuhelniky.trojuhelniky.size(), 10u);
  for (int s : graf.okrajove) EXPECT_EQ(graf.trojuhelniky.pouziti[s], 0) << s;

  vyprazdni_model();
  usecky_proviz_pocet = 0;
  const PolarniGraf znovu = polarni_graf(body, NastaveniRustu());
  EXPECT_EQ(znovu.rust.usecky, graf.rust.usecky);
  EXPECT_EQ(znovu.okrajove, graf.okrajove);
}
