// Triangulation of a pixel pair with a given camera set-up.
#include "reconstruction/ray_triangulation.h"

#include <cmath>

#include "common/geometry.h"
#include "reconstruction/lens_distortion.h"

SestavaTriangulace sestava_triangulace(const RigKamer& rig) {
  SestavaTriangulace s;
  s.objektivy.s_objektivy = rig.verze == verze_rigu_objektivu;
  s.objektivy.vyska = rig.vyska;
  for (int k = 0; k < 2; k++) {
    s.objektivy.objektiv[k] = rig.objektiv[k];
    const KameraRigu& c = rig.kamera[k];
    MapovaniPixelu& m = s.mapovani[k];
    for (int j = 0; j < 3; j++) {
      s.stred[k][j] = static_cast<float>(c.stred_projekce[j]);
      s.lok[k][j] = static_cast<float>(c.bod_stredu[j]);
      m.krok_sloupce[j] = c.krok_sloupce[j];
      m.krok_radku[j] = c.krok_radku[j];
    }
    m.pixel_stredu[0] = c.pixel_stredu[0];
    m.pixel_stredu[1] = c.pixel_stredu[1];
  }
  return s;
}

void bod_obrazove_roviny(const SestavaTriangulace& sestava, int kamera, int sloupec, int radek, float bod[3]) {
  const MapovaniPixelu& m = sestava.mapovani[kamera];
  const float* l = sestava.lok[kamera];
  double s = sloupec, r = radek;
  if (sestava.objektivy.s_objektivy) {
    const int v = sestava.objektivy.vyska;
    bez_zkresleni(sestava.objektivy.objektiv[kamera], sloupec, radek_shora(radek, v), &s, &r);
    r = radek_shora(r, v);
  }
  const double ds = s - m.pixel_stredu[0];
  const double dr = r - m.pixel_stredu[1];
  for (int j = 0; j < 3; j++)
    bod[j] = static_cast<float>((l[j] + ds * m.krok_sloupce[j]) + dr * m.krok_radku[j]);
}

double velikost_pixelu(const SestavaTriangulace& s, double hloubka) {
  return hloubka / s.objektivy.objektiv[0].matice[0];
}

bool stred_paprsku(const SestavaTriangulace& s, int x1, int y1, int x2, int y2, float bod[3], float* mezera,
                   float p1[3], float p2[3]) {
  const float* k1 = s.stred[0];
  const float* k2 = s.stred[1];
  bod_obrazove_roviny(s, 0, x1, y1, p1);
  bod_obrazove_roviny(s, 1, x2, y2, p2);

  float u[3], v[3], d[3], minus_d[3];
  for (int j = 0; j < 3; j++) {
    u[j] = static_cast<float>(static_cast<double>(p1[j]) - k1[j]);
    v[j] = static_cast<float>(static_cast<double>(p2[j]) - k2[j]);
    d[j] = static_cast<float>(static_cast<double>(k2[j]) - k1[j]);
    minus_d[j] = -d[j];
  }

  float s_na_2 = 0.0f;
  float s_na_1 = 0.0f;
  if (!nejblizsi_na_primce(u, v, d, &s_na_2) || !nejblizsi_na_primce(v, u, minus_d, &s_na_1)) return false;
  double mezera2 = 0.0;
  for (int j = 0; j < 3; j++) {
    const float x2 = static_cast<float>(k2[j] + static_cast<double>(s_na_2) * v[j]);
    const float y1 = static_cast<float>(k1[j] + static_cast<double>(s_na_1) * u[j]);
    bod[j] = static_cast<float>((static_cast<double>(x2) + y1) / 2);
    mezera2 += (static_cast<double>(x2) - y1) * (static_cast<double>(x2) - y1);
  }
  if (mezera != nullptr) *mezera = static_cast<float>(std::sqrt(mezera2));
  return true;
}
