// Planes of triangles and line intersections, in float storage with double
// intermediates.
#include "model/triangle_geometry.h"

#include <cmath>

#include "common/geometry.h"
#include "model/instruction_list.h"
#include "model/numeric_helpers.h"

namespace {
constexpr float tolerance = 0.0001f;
bool nula(float x) { return porovnejfloat(x, 0, tolerance) == 0; }
}  // namespace

bool nulovy_vektor(const float* v) { return nula(v[0]) && nula(v[1]) && nula(v[2]); }

bool rovina_trojuhelniku(const float* v0, const float* v1, const float* v2, float* n, float* d) {
  float e1[3], e2[3];
  for (int j = 0; j < 3; j++) {
    e1[j] = static_cast<float>(static_cast<double>(v2[j]) - v0[j]);
    e2[j] = static_cast<float>(static_cast<double>(v2[j]) - v1[j]);
  }
  vektorove(e1, e2, n);
  const double delka = std::sqrt(skalarne(n, n));
  if (delka != 0.0)
    for (int j = 0; j < 3; j++) n[j] = static_cast<float>(n[j] / delka);
  *d = static_cast<float>(-skalarne(n, v0));
  return !nulovy_vektor(n);
}

bool prusecik_primek(const float* bod_a, const float* smer_a, const float* bod_b,
                     const float* smer_b, float* t_na_b, float* s_na_a) {
  const int dvojice[6][2] = {{0, 1}, {1, 0}, {0, 2}, {1, 2}, {2, 0}, {2, 1}};
  for (const auto& rc : dvojice) {
    const int r = rc[0], c = rc[1];
    if (nula(smer_a[r])) continue;
    const float pomer = static_cast<float>(static_cast<double>(smer_a[c]) / smer_a[r]);
    const float jmenovatel = static_cast<float>(static_cast<double>(smer_b[r]) * pomer - smer_b[c]);
    if (nula(jmenovatel)) continue;
    const float t = static_cast<float>(
        ((static_cast<double>(bod_a[r]) - bod_b[r]) * pomer + (static_cast<double>(bod_b[c]) - bod_a[c])) /
        jmenovatel);
    const float s = static_cast<float>(
        (static_cast<double>(smer_b[r]) * t + (static_cast<double>(bod_b[r]) - bod_a[r])) / smer_a[r]);
    *t_na_b = t;
    *s_na_a = s;
    return true;
  }
  return false;
}

bool rohy_polygonu(const Polygon3D* polygon, float rohy[3][3]) {
  const PrvekSeznamu<PolygonInstrukce*>* e = polygon->instrukce.Prvni();
  for (int k = 0; k < 3; k++) {
    if (e == nullptr || e->hodnota == nullptr || e->hodnota->TypInstrukce() != PolygonInstrukce::bod)
      return false;
    rohy[k][0] = e->hodnota->x;
    rohy[k][1] = e->hodnota->y;
    rohy[k][2] = e->hodnota->z;
    e = e->dalsi;
  }
  return true;
}
