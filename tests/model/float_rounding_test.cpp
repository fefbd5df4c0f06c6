// The float roundings the source asks for survive the optimiser: the plane
// of a triangle, computed by the project's own function, agrees bit for bit
// with the same arithmetic written with volatile floats, which no compiler
// may keep in a wider register. (GCC 12's SLP vectoriser squared the
// unrounded doubles of the normal; the build turns it off.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "model/triangle_geometry.h"

namespace {

void rovina_prisne(const float* v0, const float* v1, const float* v2, float* n, float* d) {
  volatile float e1[3], e2[3], m[3];
  for (int j = 0; j < 3; j++) {
    e1[j] = static_cast<float>(static_cast<double>(v2[j]) - v0[j]);
    e2[j] = static_cast<float>(static_cast<double>(v2[j]) - v1[j]);
  }
  for (int k = 0; k < 3; k++) {
    const int i = (k + 1) % 3, j = (k + 2) % 3;
    m[k] = static_cast<float>(static_cast<double>(e1[i]) * e2[j] - static_cast<double>(e2[i]) * e1[j]);
  }
  const double delka = std::sqrt(static_cast<double>(m[0]) * m[0] + static_cast<double>(m[1]) * m[1] +
                                 static_cast<double>(m[2]) * m[2]);
  if (delka != 0.0)
    for (int j = 0; j < 3; j++) m[j] = static_cast<float>(m[j] / delka);
  for (int j = 0; j < 3; j++) n[j] = m[j];
  *d = static_cast<float>(-(static_cast<double>(m[0]) * v0[0] + static_cast<double>(m[1]) * v0[1] +
                            static_cast<double>(m[2]) * v0[2]));
}

TEST(FloatRounding, TrianglePlanesMatchTheStrictlyRoundedArithmetic) {
  std::mt19937 gen(3);
  std::uniform_real_distribution<float> souradnice(-50.0f, 250.0f);
  int rozdilnych = 0;
  for (int pokus = 0; pokus < 40000; pokus++) {
    float v[3][3];
    for (auto& bod : v)
      for (float& c : bod) c = souradnice(gen);
    float n[3], d, n_prisne[3], d_prisne;
    rovina_trojuhelniku(v[0], v[1], v[2], n, &d);
    rovina_prisne(v[0], v[1], v[2], n_prisne, &d_prisne);
    if (std::memcmp(n, n_prisne, sizeof n) != 0 || std::memcmp(&d, &d_prisne, sizeof d) != 0) rozdilnych++;
  }
  EXPECT_EQ(rozdilnych, 0) << "of 40000 triangle planes";
}

}  // namespace
