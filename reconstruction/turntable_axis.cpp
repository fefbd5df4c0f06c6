// The turntable axis from the reference marks and the turn about it.
#include "reconstruction/turntable_axis.h"

#include <cmath>

#include "common/geometry.h"

namespace {

void normuj(float* v) {
  const double delka = std::sqrt(skalarne(v, v));
  if (delka != 0.0)
    for (int j = 0; j < 3; j++) v[j] = static_cast<float>(v[j] / delka);
}

}  // namespace

bool osa_z_referenci(const float r0[3], const float r1[3], const float r2[3], OsaTocny* osa,
                     std::string* chyba) {
  float* s1 = osa->smerovy[0];
  float* s2 = osa->smerovy[1];
  for (int j = 0; j < 3; j++) {
    s1[j] = static_cast<float>(static_cast<double>(r2[j]) - r0[j]);
    s2[j] = static_cast<float>(static_cast<double>(r2[j]) - r1[j]);
  }
  normuj(s1);
  normuj(s2);

  float* n = osa->normalovy;
  vektorove(s1, s2, n);
  normuj(n);
  n[3] = static_cast<float>(-skalarne(n, r0));

  float m[3][4];
  for (int j = 0; j < 3; j++) {
    m[0][j] = static_cast<float>((static_cast<double>(r1[j]) + r1[j]) + r0[j] * -2.0);
    m[1][j] = static_cast<float>((static_cast<double>(r2[j]) + r2[j]) + r1[j] * -2.0);
    m[2][j] = n[j];
  }
  m[0][3] = static_cast<float>(skalarne(r0, r0) - skalarne(r1, r1));
  m[1][3] = static_cast<float>(skalarne(r1, r1) - skalarne(r2, r2));
  m[2][3] = n[3];

  float* det = osa->determinanty;
  det[0] = static_cast<float>(determinant(m, 0, 1, 2));
  det[1] = static_cast<float>(determinant(m, 1, 2, 3));
  det[2] = static_cast<float>(determinant(m, 0, 2, 3));
  det[3] = static_cast<float>(determinant(m, 0, 1, 3));

  const float stred[3] = {static_cast<float>(-static_cast<double>(det[1]) / det[0]),
                          static_cast<float>(static_cast<double>(det[2]) / det[0]),
                          static_cast<float>(-static_cast<double>(det[3]) / det[0])};
  const bool definovana = det[0] != 0.0f && std::isfinite(stred[0]) && std::isfinite(stred[1]) &&
                          std::isfinite(stred[2]) && (n[0] != 0.0f || n[1] != 0.0f || n[2] != 0.0f);
  if (!definovana) {
    if (chyba != nullptr)
      *chyba = "the reference marks with green values 255, 254 and 253 lie on one line, coincide or "
               "are missing; the turntable axis is undefined";
    return false;
  }
  for (int j = 0; j < 3; j++) {
    osa->stred[j] = stred[j];
    osa->druhy_bod[j] = static_cast<float>(static_cast<double>(stred[j]) + n[j]);
  }
  return true;
}

void otoc_kolem_osy(const float bod_osy[3], const float smer_osy[3], int uhel_stupne, float p[3]) {
  const float* a = bod_osy;
  const float* n = smer_osy;
  const double nn = skalarne(n, n);
  double lambda = 0.0;
  for (int j = 0; j < 3; j++) lambda += (static_cast<double>(a[j]) - p[j]) * n[j];
  lambda = -lambda / nn;
  double f[3], r[3];
  for (int j = 0; j < 3; j++) {
    f[j] = a[j] + lambda * n[j];
    r[j] = f[j] - p[j];
  }
  const double nd[3] = {n[0], n[1], n[2]};
  double c[3];
  vektorove(r, nd, c);
  const double theta = radiany(uhel_stupne);
  const double cs = std::cos(theta);
  const double sn = std::sin(theta);
  for (int j = 0; j < 3; j++) p[j] = static_cast<float>((f[j] + cs * r[j]) - sn * c[j]);
}
