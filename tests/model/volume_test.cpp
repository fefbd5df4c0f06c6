// Surfaces that bound a volume: the check judges closed, inward, open and
// crossing meshes as mesh tools do (also far from unit scale); one mark
// measured from several positions becomes one vertex; and surfaces over
// such points, or with a hole to close, bound a volume.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "model/near_duplicates.h"
#include "model/surface_reconstruction.h"
#include "model/volume_check.h"

namespace {

using Vrcholy = std::vector<std::array<double, 3>>;
using Trojuhelniky = std::vector<std::array<int, 3>>;

// A tetrahedron with its corner at (x, y, z), edges of length s along the
// axes, triangles counter-clockwise seen from outside; vertices from v0.
void ctyrsten(double x, double y, double z, double s, Vrcholy& v, Trojuhelniky& t) {
  const int o = static_cast<int>(v.size());
  v.push_back({x, y, z});
  v.push_back({x + s, y, z});
  v.push_back({x, y + s, z});
  v.push_back({x, y, z + s});
  for (const auto& f : Trojuhelniky{{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {0, 3, 2}}) t.push_back({o + f[0], o + f[1], o + f[2]});
}

KontrolaObjemu kontrola_plochy(const Plocha& p) {
  Vrcholy v;
  for (const auto& b : p.vrcholy) v.push_back({b[0], b[1], b[2]});
  Trojuhelniky t(p.trojuhelniky.begin(), p.trojuhelniky.end());
  return zkontroluj_objem(v, t);
}

TEST(VolumeCheck, JudgesClosedInwardOpenAndCrossingMeshesAtAnyScale) {
  for (double meritko : {1.0, 1e8, 1e-8}) {
    SCOPED_TRACE(meritko);
    Vrcholy v;
    Trojuhelniky t;
    ctyrsten(0, 0, 0, meritko, v, t);
    ctyrsten(2 * meritko, 0, 0, meritko, v, t);  // apart: two volumes
    KontrolaObjemu k = zkontroluj_objem(v, t);
    EXPECT_TRUE(k.ohranicuje) << k.proc;
    EXPECT_EQ(k.krizicich_paru, 0);
    EXPECT_EQ(k.proc, "");

    Trojuhelniky naruby = t;
    for (auto& f : naruby) std::swap(f[1], f[2]);
    k = zkontroluj_objem(v, naruby);
    EXPECT_FALSE(k.ohranicuje);
    EXPECT_EQ(k.proc, "oriented inwards");

    k = zkontroluj_objem(v, Trojuhelniky(t.begin() + 1, t.end()));
    EXPECT_EQ(k.proc, "not closed");

    // The second tetrahedron pushed into the first: faces cross.
    Vrcholy pres = v;
    for (std::size_t i = 4; i < 8; i++) pres[i][0] -= 1.8 * meritko, pres[i][1] += 0.1 * meritko;
    k = zkontroluj_objem(pres, t);
    EXPECT_FALSE(k.ohranicuje);
    EXPECT_GT(k.krizicich_paru, 0);
    EXPECT_EQ(k.proc, std::to_string(k.krizicich_paru) + " crossing triangle pairs");

    // Touching in one shared corner is not crossing, but not 2-manifold.
    Trojuhelniky dotyk = t;
    for (std::size_t i = 4; i < 8; i++)
      for (int& c : dotyk[i]) c = c == 4 ? 1 : c;
    k = zkontroluj_objem(v, dotyk);
    EXPECT_FALSE(k.ohranicuje);

    Trojuhelniky fin = t;
    fin.push_back({0, 1, 4});
    EXPECT_EQ(zkontroluj_objem(v, fin).proc, "not 2-manifold");
  }
  EXPECT_EQ(zkontroluj_objem({}, {}).proc, "no triangles");
}

TEST(NearDuplicates, OnePointStandsForEachMarkSeenFromSeveralPositions) {
  // Marks about 3 apart in each position. One mark seen from positions 0,
  // 1 and 2 a little apart, another from positions 0 and 1.
  const std::vector<std::array<double, 3>> body = {
      {0, 0, 0},   {3, 0, 0},   {0, 3, 0}, {6, 0, 0},  // position 0
      {0.1, 0, 0}, {3.2, 0, 0}, {0, 6, 0},             // position 1
      {0, 0.2, 0}, {9, 9, 9}                           // position 2
  };
  const std::vector<std::size_t> z = zastupci_dvojniku(body, {0, 0, 0, 0, 1, 1, 1, 2, 2});
  // The most central point stands for its group; on a tie the first.
  EXPECT_EQ(z, (std::vector<std::size_t>{0, 1, 2, 3, 0, 1, 6, 0, 8}));
  // Without positions to tell them apart nothing is joined.
  const std::vector<std::size_t> sam = zastupci_dvojniku(body, std::vector<int>(body.size(), 0));
  for (std::size_t i = 0; i < body.size(); i++) EXPECT_EQ(sam[i], i);
  // Points spread evenly, a point close to two of one position, and a
  // point with two close neighbours of one position: no group.
  const std::vector<std::size_t> ohled = zastupci_dvojniku(
      {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {20, 0, 0}, {20.1, 0, 0}, {20.2, 0, 0}, {40, 0, 0}},
      {0, 1, 2, 0, 0, 1, 0, 1});
  for (std::size_t i = 0; i < ohled.size(); i++) EXPECT_EQ(ohled[i], i);
}

// Points on a sphere of radius 12, each mark measured from `kolikrat`
// positions with an error of up to `chyba` in every coordinate.
void koule(int znacek, int kolikrat, double chyba, std::vector<std::array<float, 3>>& body, std::vector<int>& polohy) {
  std::mt19937 nahoda(7);
  std::uniform_real_distribution<double> sum(-chyba, chyba);
  const double zlaty = 3.14159265358979 * (3.0 - std::sqrt(5.0));
  for (int i = 0; i < znacek; i++) {
    const double z = 1.0 - 2.0 * (i + 0.5) / znacek, r = std::sqrt(1.0 - z * z);
    for (int p = 0; p < kolikrat; p++) {
      body.push_back({static_cast<float>(12 * r * std::cos(zlaty * i) + sum(nahoda)),
                      static_cast<float>(12 * r * std::sin(zlaty * i) + sum(nahoda)),
                      static_cast<float>(12 * z + sum(nahoda))});
      polohy.push_back(p);
    }
  }
}

TEST(SurfaceVolume, MarksSeenFromSeveralPositionsGiveOneVertexEachAndBoundAVolume) {
  std::vector<std::array<float, 3>> body;
  std::vector<int> polohy;
  koule(150, 3, 0.15, body, polohy);
  Plocha p;
  std::string chyba;
  ASSERT_TRUE(postav_plochu(body, polohy, &p, &chyba)) << chyba;
  EXPECT_EQ(p.vrcholy.size(), 150u);
  for (const auto& v : p.vrcholy) EXPECT_NE(std::find(body.begin(), body.end(), v), body.end());
  const KontrolaObjemu k = kontrola_plochy(p);
  EXPECT_TRUE(k.ohranicuje) << k.proc;
  // A position for each point is needed.
  polohy.pop_back();
  EXPECT_FALSE(postav_plochu(body, polohy, &p, &chyba));
  EXPECT_TRUE(p.vrcholy.empty());
}

TEST(SurfaceVolume, AHoleIsClosedWithoutCrossingTheSurface) {
  // A dense sphere with a cap left out: the reconstruction leaves holes
  // (two or three at these heights) that must be closed without crossing.
  for (double vyska : {0.55, 0.7, 0.85}) {
    SCOPED_TRACE(vyska);
    std::vector<std::array<float, 3>> vse, body;
    std::vector<int> polohy;
    koule(3000, 1, 0.0, vse, polohy);
    for (const auto& b : vse)
      if (b[2] < 12 * vyska) body.push_back(b);
    Plocha p;
    std::string chyba;
    ASSERT_TRUE(postav_plochu(body, &p, &chyba)) << chyba;
    const KontrolaObjemu k = kontrola_plochy(p);
    EXPECT_TRUE(k.ohranicuje) << k.proc;
  }
}

}  // namespace
