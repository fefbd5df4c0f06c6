// The segment growth: the crossing test and its prepared forms, the
// partner lists, and the fast growth against the plain one on many point
// sets, including the nasty ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>
#include <utility>

#include "model/partner_lists.h"
#include "model/segment_crossing.h"
#include "model/segment_growth.h"
#include "tests/model/model_state.h"

namespace {

bool krizi(BodRoviny a, BodRoviny b, BodRoviny c, BodRoviny d) {
  return usecky_se_krizi(a, {b.x - a.x, b.y - a.y}, c, {d.x - c.x, d.y - c.y});
}

TEST(SegmentCrossing, ProperCrossingsOnlyAndBothOrders) {
  EXPECT_TRUE(krizi({0, 0}, {2, 2}, {0, 2}, {2, 0}));
  EXPECT_TRUE(krizi({0, 2}, {2, 0}, {0, 0}, {2, 2}));
  // Touching at an end point or in a T is no crossing.
  EXPECT_FALSE(krizi({0, 0}, {2, 2}, {2, 2}, {3, 0}));
  EXPECT_FALSE(krizi({0, 0}, {2, 0}, {1, 0}, {1, 5}));
  EXPECT_FALSE(krizi({1, 0}, {1, 5}, {0, 0}, {2, 0}));
  // Disjoint.
  EXPECT_FALSE(krizi({0, 0}, {1, 1}, {3, 0}, {4, -1}));
  // Parallel, collinear and overlapping segments never cross.
  EXPECT_FALSE(krizi({0, 0}, {4, 0}, {1, 0}, {3, 0}));
  EXPECT_FALSE(krizi({0, 0}, {4, 4}, {0, 1}, {4, 5}));
  // A segment along y (first coordinate difference below 0.0001) is solved
  // in the order (y, x).
  EXPECT_TRUE(krizi({1, 0}, {1.00005f, 4}, {0, 2}, {3, 2}));
  EXPECT_FALSE(krizi({1, 0}, {1.00005f, 4}, {2, 2}, {3, 2}));
  // Zero-length segments cross nothing.
  EXPECT_FALSE(krizi({1, 1}, {1, 1}, {0, 0}, {2, 2}));
  EXPECT_FALSE(krizi({0, 0}, {2, 2}, {1, 1}, {1, 1}));
  // NaN positions do not cross.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(krizi({nan, 0}, {2, 2}, {0, 2}, {2, 0}));
}

TEST(SegmentCrossing, DistanceIsSymmetricAndRoundedOnce) {
  EXPECT_EQ(vzdalenost_v_rovine({0, 0}, {3, 4}), 5.0f);
  EXPECT_EQ(vzdalenost_v_rovine({0.1f, 0.7f}, {2.3f, -1.1f}), vzdalenost_v_rovine({2.3f, -1.1f}, {0.1f, 0.7f}));
  EXPECT_TRUE(std::isnan(vzdalenost_v_rovine({std::nanf(""), 0}, {0, 0})));
}

TEST(SegmentCrossing, TheBranchFreeOrderXyAgreesWhereverItDecides) {
  // Segments at every scale and many nearly parallel to an axis, where the
  // order (x, y) divides by values near 0.0001 or gives up.
  std::mt19937 gen(11);
  std::uniform_real_distribution<float> souradnice(-2.0f, 2.0f);
  std::uniform_int_distribution<int> druh(0, 3);
  const auto vektor = [&] {
    BodRoviny v{souradnice(gen), souradnice(gen)};
    if (druh(gen) == 0) v.x *= 1e-4f;
    if (druh(gen) == 0) v.y *= 1e-4f;
    return v;
  };
  int rozhodnuto = 0, krizicich = 0;
  for (int pokus = 0; pokus < 200000; pokus++) {
    const BodRoviny p{souradnice(gen), souradnice(gen)}, d = vektor();
    const BodRoviny q{souradnice(gen), souradnice(gen)}, e = vektor();
    const bool krizi_se = usecky_se_krizi(p, d, q, e);
    ASSERT_EQ(krizi(priprav_krizeni(p, d), q, e), krizi_se);
    const int xy = krizi_v_poradi_xy(priprav_krizeni(p, d), q, e);
    if (xy == -1) continue;
    ASSERT_EQ(xy == 1, krizi_se) << pokus;
    rozhodnuto++;
    krizicich += krizi_se;
  }
  EXPECT_GT(rozhodnuto, 150000);
  EXPECT_GT(krizicich, 5000);
}

// The partners of every point as a plain sort by (distance, index) lists
// them, each with the direction sector of the plain float difference.
void ocekavej_poradi_partneru(const std::vector<BodRoviny>& body) {
  const SeznamyPartneru seznamy(body);
  for (int i = 0; i < static_cast<int>(body.size()); i++) {
    std::vector<std::tuple<float, int>> ocekavane;
    for (int j = 0; j < static_cast<int>(body.size()); j++) {
      const float d = vzdalenost_v_rovine(body[i], body[j]);
      if (j != i && d < 65535.0f) ocekavane.emplace_back(d, j);
    }
    std::sort(ocekavane.begin(), ocekavane.end());
    std::vector<std::pair<int, int>> indexy, seznam;
    for (const auto& [d, j] : ocekavane)
      indexy.emplace_back(j, smer_partnera({body[j].x - body[i].x, body[j].y - body[i].y}));
    for (const std::int32_t* z = seznamy.zacatek(i); z != seznamy.konec(i); z++)
      seznam.emplace_back(SeznamyPartneru::partner(*z), SeznamyPartneru::smer(*z));
    ASSERT_EQ(seznam, indexy) << "point " << i;
  }
}

TEST(PartnerLists, OrderedByDistanceThenIndexWhateverTheSpreadOfDistances) {
  ocekavej_poradi_partneru({});
  ocekavej_poradi_partneru({{1, 1}});
  ocekavej_poradi_partneru(nahodne_body_roviny(300, 3, 5.0f));
  // A lattice (many equal distances), a cluster with one far point (every
  // other distance at the lowest level, sorted by comparison), coincident
  // points, and points without a distance.
  std::vector<BodRoviny> mrizka;
  for (int r = 0; r < 12; r++)
    for (int s = 0; s < 12; s++) mrizka.push_back({0.5f * s, 0.5f * r});
  ocekavej_poradi_partneru(mrizka);
  auto shluk = nahodne_body_roviny(200, 4, 0.01f);
  shluk.push_back({3000.0f, -2000.0f});
  shluk.push_back(shluk[7]);
  shluk.push_back(shluk[7]);
  shluk.push_back({std::numeric_limits<float>::quiet_NaN(), 0.0f});
  shluk.push_back({70000.0f, 0.0f});
  ocekavej_poradi_partneru(shluk);
}

void porovnej(const std::vector<BodRoviny>& body, int posledni_krok = 10000) {
  std::string log_rychly, log_doslovny;
  const auto rychle = usecky_rustu(true, body, posledni_krok, &log_rychly);
  const auto doslovne = usecky_rustu(false, body, posledni_krok, &log_doslovny);
  ASSERT_EQ(rychle.size(), doslovne.size());
  for (std::size_t s = 0; s < rychle.size(); s++)
    ASSERT_EQ(rychle[s], doslovne[s]) << "segment " << s << " of " << rychle.size();
  EXPECT_EQ(log_rychly, log_doslovny);
}

TEST(SegmentGrowthEquivalence, RandomSetsOfSeveralSizesAndSeeds) {
  for (int n : {0, 1, 2, 3, 7, 20, 45})
    for (unsigned seed : {1u, 2u, 3u}) {
      SCOPED_TRACE(testing::Message() << "n " << n << " seed " << seed);
      porovnej(nahodne_body_roviny(n, seed, 3.0f));
    }
  // A tight cluster with one far point: every partner list but the far
  // point's has its distances bunched at one end.
  auto shluk = nahodne_body_roviny(45, 5, 0.1f);
  shluk.push_back({30.0f, -20.0f});
  porovnej(shluk);
  // Fewer steps than needed to finish the graph.
  porovnej(nahodne_body_roviny(40, 9, 3.0f), 25);
  porovnej(nahodne_body_roviny(40, 9, 3.0f), 0);
}

TEST(SegmentGrowthEquivalence, ScaledSets) {
  for (float skala : {1e-6f, 1e-3f, 1e3f, 1e6f}) {
    SCOPED_TRACE(skala);
    auto body = nahodne_body_roviny(30, 4, 1.0f);
    for (auto& b : body) b = {b.x * skala, b.y * skala};
    porovnej(body);
  }
}

TEST(SegmentGrowthEquivalence, LatticeWithEqualDistancesAndCollinearRows) {
  std::vector<BodRoviny> body;
  for (int r = 0; r < 6; r++)
    for (int s = 0; s < 7; s++) body.push_back({static_cast<float>(s), static_cast<float>(r)});
  porovnej(body);
  // The same lattice in a scrambled order and shifted so that the
  // coordinates are not exact.
  std::mt19937 gen(5);
  std::shuffle(body.begin(), body.end(), gen);
  for (auto& b : body) b = {b.x * 0.1f + 0.3f, b.y * 0.1f - 1.7f};
  porovnej(body);
}

TEST(SegmentGrowthEquivalence, CoincidentNanAndInfinitePoints) {
  auto body = nahodne_body_roviny(25, 6, 2.0f);
  body.push_back(body[3]);
  body.push_back(body[3]);
  body.push_back(body[10]);
  body.push_back({std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()});
  body.push_back({std::numeric_limits<float>::quiet_NaN(), 1.0f});
  body.push_back({std::numeric_limits<float>::infinity(), 1.0f});
  body.push_back({70000.0f, 1.0f});  // farther than 65535 from everything
  porovnej(body);
  const auto usecky = usecky_rustu(true, body, 10000);
  for (const auto& u : usecky)
    for (int konec : u) EXPECT_LT(konec, 29) << "a point without a distance got a segment";
}

TEST(SegmentGrowthEquivalence, NearlyAxisParallelSegments) {
  // Two columns and two rows of points whose segments are close to the axes,
  // where the crossing test divides by differences just above 0.0001.
  std::vector<BodRoviny> body;
  std::mt19937 gen(8);
  std::uniform_real_distribution<float> chveni(-0.0003f, 0.0003f);
  for (int i = 0; i < 12; i++) {
    body.push_back({1.0f + chveni(gen), 0.25f * i});
    body.push_back({1.5f + chveni(gen), 0.25f * i + 0.1f});
    body.push_back({0.25f * i, 4.0f + chveni(gen)});
  }
  porovnej(body);
}

// Whether the crossing test calls some segment a crossing of a later segment
// (i, j) although the two share the end j: the case the growth must decide
// by the indices instead.
bool sdileny_konec_krizi(const std::vector<BodRoviny>& body, const std::vector<std::array<std::int32_t, 2>>& usecky) {
  for (std::size_t s = 0; s < usecky.size(); s++) {
    const int i = usecky[s][0], j = usecky[s][1];
    const BodRoviny d{body[j].x - body[i].x, body[j].y - body[i].y};
    for (std::size_t r = 0; r < s; r++) {
      const int a = usecky[r][0], b = usecky[r][1];
      if (a == i || b == i || (a != j && b != j)) continue;
      if (usecky_se_krizi(body[i], d, body[a], {body[b].x - body[a].x, body[b].y - body[a].y})) return true;
    }
  }
  return false;
}

TEST(SegmentGrowth, ASharedEndNeverBlocksEvenWhenTheArithmeticSaysCrossing) {
  // Three points in general position give three segments and one triangle,
  // also where the float arithmetic puts the shared end a rounding inside
  // the last segment's parameter range.
  std::mt19937 gen(1);
  std::uniform_real_distribution<float> souradnice(0.0f, 3.0f);
  bool nalezeno = false;
  for (int pokus = 0; pokus < 20000 && !nalezeno; pokus++) {
    std::vector<BodRoviny> body;
    for (int k = 0; k < 3; k++) body.push_back({souradnice(gen), souradnice(gen)});
    const auto usecky = usecky_rustu(true, body, 10000);
    if (!sdileny_konec_krizi(body, usecky)) continue;
    nalezeno = true;
    EXPECT_EQ(usecky.size(), 3u);
    EXPECT_EQ(usecky, usecky_rustu(false, body, 10000));
  }
  EXPECT_TRUE(nalezeno) << "no three points whose last segment the crossing test refuses";
}

TEST(SegmentGrowthEquivalence, SetsWhereTheArithmeticCallsASharedEndACrossing) {
  int sad = 0;
  for (unsigned seed = 1; seed < 200 && sad < 4; seed++) {
    const auto body = nahodne_body_roviny(30, seed, 3.0f);
    if (!sdileny_konec_krizi(body, usecky_rustu(true, body, 10000))) continue;
    SCOPED_TRACE(seed);
    porovnej(body);
    sad++;
  }
  EXPECT_EQ(sad, 4);
}

TEST(SegmentGrowthEquivalence, CollinearSetReachesTheSegmentLimit) {
  // Collinear segments never cross, so the graph only stops growing at the
  // limit of 4000 segments. (With more points than steps before the limit,
  // the plain growth makes only one full pass there and stays affordable.)
  std::vector<BodRoviny> body;
  for (int i = 0; i < 1000; i++) body.push_back({0.5f + 0.001f * static_cast<float>((i * 73) % 1000), 2.0f});
  std::string log;
  const auto usecky = usecky_rustu(true, body, 10000, &log);
  EXPECT_EQ(usecky.size(), 4000u);
  EXPECT_EQ(log, "prekrocen max usecek!!!\n");
  porovnej(body);
}

// The core's limits are values it returns: a smaller segment limit ends the
// growth there with na_limitu set, and a set too large to number is refused
// with a message before any partner list or callback.
TEST(SegmentGrowth, LimitsAreResultsNotLogLinesOrExceptions) {
  NastaveniRustu nastaveni;
  nastaveni.max_usecek = 7;
  const VysledekRustu omezeny = rust_usecek(nahodne_body_roviny(40, 3, 1.0f), nastaveni);
  EXPECT_EQ(omezeny.usecky.size(), 7u);
  EXPECT_TRUE(omezeny.na_limitu);
  EXPECT_TRUE(omezeny.chyba.empty());

  bool volano = false;
  nastaveni.na_zacatku_kroku = [&](int) { volano = true; };
  const VysledekRustu odmitnuty = rust_usecek(std::vector<BodRoviny>(max_bodu_partneru + 1), nastaveni);
  EXPECT_TRUE(odmitnuty.usecky.empty());
  EXPECT_NE(odmitnuty.chyba.find("33554432 points"), std::string::npos) << odmitnuty.chyba;
  EXPECT_FALSE(volano);
}

TEST(SegmentGrowth, CallbacksSeeEveryStepAndSegment) {
  const auto body = nahodne_body_roviny(10, 2, 1.0f);
  std::vector<int> zacatky, konce, nove;
  int uvodnich = 0;
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 30;
  nastaveni.po_uvodnim_pruchodu = [&] {
    EXPECT_TRUE(zacatky.empty());
    uvodnich++;
  };
  nastaveni.na_zacatku_kroku = [&](int k) { zacatky.push_back(k); };
  nastaveni.na_konci_kroku = [&](int k) { konce.push_back(k); };
  std::vector<UseckaGrafu> hlasene;
  nastaveni.po_pridani_usecky = [&](int s, int a, int b) {
    nove.push_back(s);
    hlasene.push_back({a, b});
  };
  const VysledekRustu rust = rust_usecek(body, nastaveni);
  EXPECT_EQ(hlasene, rust.usecky);
  EXPECT_EQ(uvodnich, 1);
  ASSERT_EQ(zacatky.size(), 32u);  // steps 0..31
  EXPECT_EQ(zacatky.back(), 31);
  EXPECT_EQ(konce, zacatky);
  ASSERT_FALSE(nove.empty());
  for (std::size_t i = 0; i < nove.size(); i++) EXPECT_EQ(nove[i], static_cast<int>(i));
}

TEST(SegmentGrowth, ThreePointsGiveThreeSegmentsShortestFirst) {
  const std::vector<BodRoviny> body = {{0, 0}, {3, 0}, {0, 1}};
  const auto usecky = usecky_rustu(true, body, 10000);
  ASSERT_EQ(usecky.size(), 3u);
  // The full pass picks (0, 2) (length 1, point 0 before point 2); its ends
  // then grow (0, 1) (length 3, found at point 0) and finally (1, 2), found
  // at point 1, the second end of (0, 1).
  EXPECT_EQ(usecky[0], (std::array<std::int32_t, 2>{0, 2}));
  EXPECT_EQ(usecky[1], (std::array<std::int32_t, 2>{0, 1}));
  EXPECT_EQ(usecky[2], (std::array<std::int32_t, 2>{1, 2}));
}

}  // namespace
