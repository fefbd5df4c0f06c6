// The merged cloud's outliers and normals on a sphere seen from two sides.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pairs/dense_cloud.h"

namespace {

// Points on a sphere of radius 10 about the origin, about 0.8 apart, as two
// cameras see it: those with x > 1 from angle 0, by a camera at (100, 0, 0),
// those with x < -1 from angle 180, from (-100, 0, 0); the band between
// faces neither camera.
std::vector<HustyBod> koule() {
  std::vector<HustyBod> body;
  const double pi = std::acos(-1.0);
  for (int i = 1; i < 40; ++i) {
    const double theta = pi * i / 40;
    const int kolem = static_cast<int>(80 * std::sin(theta)) + 1;
    for (int j = 0; j < kolem; ++j) {
      const double phi = 2 * pi * j / kolem;
      HustyBod b;
      b.xyz = {static_cast<float>(10 * std::sin(theta) * std::cos(phi)),
               static_cast<float>(10 * std::sin(theta) * std::sin(phi)), static_cast<float>(10 * std::cos(theta))};
      if (std::fabs(b.xyz[0]) <= 1) continue;
      b.uhel = b.xyz[0] > 0 ? 0 : 180;
      b.kamera = {b.uhel == 0 ? 100.0f : -100.0f, 0, 0};
      body.push_back(b);
    }
  }
  return body;
}

}  // namespace

TEST(DenseCloud, StrayPointsGoAndNormalsPointOut) {
  std::vector<HustyBod> body = koule();
  const std::size_t na_kouli = body.size();
  // Three wrongly paired codes far off the surface, two of angle 180, and a
  // pair of them close to each other: still far from every other point.
  for (const auto& [x, y, z, uhel] : {std::tuple{0.f, 0.f, 0.f, 180}, std::tuple{25.f, 3.f, 1.f, 0},
                                      std::tuple{-18.f, 0.f, 14.f, 180}, std::tuple{-18.f, 0.5f, 14.f, 180}}) {
    HustyBod b;
    b.xyz = {x, y, z};
    b.uhel = uhel;
    body.insert(body.begin() + static_cast<std::ptrdiff_t>(body.size() / 3), b);
  }
  const std::vector<int> odstraneno = odstran_odlehle(&body, {0, 180});
  EXPECT_EQ(odstraneno, (std::vector<int>{1, 3}));
  ASSERT_EQ(body.size(), na_kouli);

  odhadni_normaly(&body);
  int ven = 0;
  for (const HustyBod& b : body) {
    const double r = std::sqrt(b.xyz[0] * b.xyz[0] + b.xyz[1] * b.xyz[1] + b.xyz[2] * b.xyz[2]);
    const double kos = (b.normala[0] * b.xyz[0] + b.normala[1] * b.xyz[1] + b.normala[2] * b.xyz[2]) / r;
    // A plane fitted to eleven points of a 10-unit sphere 0.8 apart is
    // within a few degrees of its tangent plane.
    if (kos > 0.99) ++ven;
  }
  EXPECT_EQ(ven, static_cast<int>(body.size()));
}

TEST(DenseCloud, StackedPointsAreKept) {
  // Most points on one spot and a few elsewhere: no spacing to judge by.
  std::vector<HustyBod> body(30);
  for (std::size_t i = 0; i < 5; ++i) body[i].xyz = {static_cast<float>(i), 1, 2};
  EXPECT_EQ(odstran_odlehle(&body, {0}), std::vector<int>{0});
  EXPECT_EQ(body.size(), 30u);
}
