// The surface of a point cloud and the mesh counts: a closed, outward
// surface over points of an ellipsoid in any order; empty or clean results
// for too few, flat, repeated and non-finite points; the counts on small
// hand-made meshes; and the PLY file read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "model/mesh_analysis.h"
#include "model/surface_export.h"
#include "model/surface_reconstruction.h"

namespace {

using Body = std::vector<std::array<float, 3>>;

// Points spread evenly over an ellipsoid with half-axes 12, 9 and 16 about
// (3, 130, -5), shuffled by the seed.
Body elipsoid(int pocet, unsigned seed) {
  Body body;
  const double zlaty = 3.14159265358979 * (3.0 - std::sqrt(5.0));
  for (int i = 0; i < pocet; i++) {
    const double z = 1.0 - 2.0 * (i + 0.5) / pocet, r = std::sqrt(1.0 - z * z);
    body.push_back({static_cast<float>(3 + 12 * r * std::cos(zlaty * i)),
                    static_cast<float>(130 + 9 * r * std::sin(zlaty * i)), static_cast<float>(-5 + 16 * z)});
  }
  std::shuffle(body.begin(), body.end(), std::mt19937(seed));
  return body;
}

std::vector<std::vector<int>> steny(const Plocha& p) {
  std::vector<std::vector<int>> s;
  for (const auto& t : p.trojuhelniky) s.push_back({t[0], t[1], t[2]});
  return s;
}

TEST(Surface, EllipsoidGivesAClosedSurfaceWithOutwardTrianglesAndNormalsInAnyOrder) {
  for (unsigned seed : {1u, 2u, 3u}) {
    Plocha p;
    std::string chyba;
    ASSERT_TRUE(postav_plochu(elipsoid(365, seed), &p, &chyba)) << chyba;
    ASSERT_EQ(p.vrcholy.size(), 365u);
    ASSERT_EQ(p.normaly.size(), 365u);
    const RozborSite r = rozbor_site(steny(p));
    EXPECT_TRUE(r.uzavrena);
    EXPECT_EQ(r.nekonzistentnich, 0);
    EXPECT_EQ(r.komponent, 1);
    EXPECT_EQ(2 * static_cast<int>(p.vrcholy.size()) - 4, r.trojuhelniku);  // a closed sphere
    // Every normal is a unit vector pointing away from the centre, and every
    // triangle runs counter-clockwise seen from outside.
    for (std::size_t i = 0; i < p.vrcholy.size(); i++) {
      const auto& v = p.vrcholy[i];
      const auto& n = p.normaly[i];
      EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0, 1e-5);
      EXPECT_GT(n[0] * (v[0] - 3) / 144 + n[1] * (v[1] - 130) / 81 + n[2] * (v[2] + 5) / 256, 0.0);
    }
    std::vector<std::array<double, 3>> vrcholy;
    for (const auto& v : p.vrcholy) vrcholy.push_back({v[0], v[1], v[2]});
    const double objem = objem_site(vrcholy, steny(p), {3, 130, -5});
    EXPECT_GT(objem, 0.9 * 4.18879 * 12 * 9 * 16);  // within 10 % of the ellipsoid's
    EXPECT_LT(objem, 4.18879 * 12 * 9 * 16);
  }
}

TEST(Surface, TooFewFlatRepeatedOrNonFiniteInputsAreHandled) {
  Plocha p;
  std::string chyba;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const Body& body : {Body{}, Body{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                           Body{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 5, 0}},
                           Body{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}},
                           Body{{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {nan, 0, 0}}}) {
    ASSERT_TRUE(postav_plochu(body, &p, &chyba));
    EXPECT_TRUE(p.vrcholy.empty() && p.trojuhelniky.empty());
  }
  // Points on one line, as floats round them (not exactly in line), give an
  // empty surface and say why; so do points in one plane.
  Body primka;
  for (int i = 0; i < 40; i++) primka.push_back({0.37f * i, 130.0f + 0.21f * i, -5.0f + 0.13f * i});
  chyba.clear();
  ASSERT_TRUE(postav_plochu(primka, &p, &chyba));
  EXPECT_TRUE(p.vrcholy.empty() && p.trojuhelniky.empty()) << p.trojuhelniky.size();
  EXPECT_EQ(chyba, "the points lie on one line; the surface is empty");
  chyba.clear();
  ASSERT_TRUE(postav_plochu(Body{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 5, 0}}, &p, &chyba));
  EXPECT_EQ(chyba, "the points lie in one plane; the surface is empty");
  // Repeated and non-finite points of a usable cloud are left out.
  Body body = elipsoid(100, 1);
  const Body puvodni = body;
  body.insert(body.begin() + 10, body[3]);
  body.push_back({nan, 1, 1});
  body.push_back({1, inf, 1});
  ASSERT_TRUE(postav_plochu(body, &p, &chyba));
  Plocha q;
  ASSERT_TRUE(postav_plochu(puvodni, &q, &chyba));
  EXPECT_EQ(p.vrcholy, q.vrcholy);
  EXPECT_EQ(p.trojuhelniky, q.trojuhelniky);
}

TEST(MeshAnalysis, CountsEdgesOrientationComponentsAndClosure) {
  const std::vector<std::vector<int>> ctyrsten = {{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {0, 3, 2}};
  RozborSite r = rozbor_site(ctyrsten);
  EXPECT_EQ(r.trojuhelniku, 4);
  EXPECT_EQ(r.hran, 6);
  EXPECT_TRUE(r.uzavrena);
  EXPECT_EQ(r.otevrenych + r.nemanifoldnich + r.nekonzistentnich, 0);
  const std::vector<std::array<double, 3>> v = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  EXPECT_NEAR(objem_site(v, ctyrsten, {0.25, 0.25, 0.25}), 1.0 / 6, 1e-12);

  auto otoceny = ctyrsten;  // one face turned over: its three edges run twice one way
  std::swap(otoceny[2][0], otoceny[2][1]);
  r = rozbor_site(otoceny);
  EXPECT_EQ(r.nekonzistentnich, 3);
  EXPECT_TRUE(r.uzavrena);

  auto navic = ctyrsten;  // a fin on edge 0-1 and a separate quad
  navic.push_back({1, 0, 4});
  navic.push_back({5, 6, 7, 8});
  navic.push_back({9, 9, 10});  // degenerate: one edge, run both ways
  r = rozbor_site(navic);
  EXPECT_EQ(r.sten, 7);
  EXPECT_EQ(r.trojuhelniku, 6);
  EXPECT_EQ(r.nemanifoldnich, 1);
  EXPECT_EQ(r.otevrenych, 2 + 4);
  EXPECT_EQ(r.komponent, 3);
  EXPECT_FALSE(r.uzavrena);
  EXPECT_FALSE(rozbor_site({}).uzavrena);
}

TEST(SurfaceExport, PlyHoldsVerticesNormalsAndTrianglesAsBuilt) {
  Plocha p;
  std::string chyba;
  ASSERT_TRUE(postav_plochu(elipsoid(50, 4), &p, &chyba));
  std::istringstream ply(plocha_ply(p, true));
  std::string radek, hlavicka;
  while (std::getline(ply, radek) && radek != "end_header") hlavicka += radek + "\n";
  EXPECT_NE(hlavicka.find("element vertex 50\nproperty float x\nproperty float y\nproperty float z\n"
                          "property float nx\nproperty float ny\nproperty float nz\nelement face " +
                          std::to_string(p.trojuhelniky.size()) + "\nproperty list uchar int vertex_indices\n"),
            std::string::npos)
      << hlavicka;
  for (std::size_t i = 0; i < p.vrcholy.size(); i++) {
    std::array<float, 3> v, n;
    ply >> v[0] >> v[1] >> v[2] >> n[0] >> n[1] >> n[2];
    EXPECT_EQ(v, p.vrcholy[i]);
    EXPECT_EQ(n, p.normaly[i]);
  }
  for (const auto& t : p.trojuhelniky) {
    int k;
    std::array<int, 3> c;
    ply >> k >> c[0] >> c[1] >> c[2];
    EXPECT_EQ(k, 3);
    EXPECT_EQ(c, t);
  }
  EXPECT_TRUE(ply.good());
  EXPECT_FALSE(ply >> radek);
}

}  // namespace
