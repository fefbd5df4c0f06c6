// Joining of two profile models.
#include "model/joining.h"

#include <cmath>
#include <cstdio>

#include "common/geometry.h"
#include "model/instruction_pool.h"
#include "model/numeric_helpers.h"
#include "model/triangle_geometry.h"
#include "reconstruction/scene_tables.h"

namespace {

bool nula(float x, float eps) { return porovnejfloat(x, 0, eps) == 0; }

float vzdalenost(const float* a, const float* b) {
  double s = 0;
  for (int j = 0; j < 3; j++) s += (static_cast<double>(a[j]) - b[j]) * (static_cast<double>(a[j]) - b[j]);
  return static_cast<float>(std::sqrt(s));
}

void pockej(const char* zprava) {
  std::printf("%s", zprava);
  std::fflush(stdout);
  std::getchar();
}

int pocet_bodu(int slot) { return pocet_znacek(slot, konfigurace::adres_na_slot); }

PolygonInstrukce* instrukce_bodu(int slot, int i) {
  if (slot < slotu_souradnic && !znacka_platna(slot, i)) return nullptr;
  const int k = adresy_bodu_global[slot][i];
  if (k < 0 || k >= kapacita_instrukci) return nullptr;
  return instrukce_polygonu[k];
}

// Point-in-triangle test by the parity of edge crossings of the segment from
// a point F of the plane (moved off V0) to X.
bool uvnitr(const float rohy[3][3], const float* n, float d, const float* x) {
  float f[3];
  for (int j = 0; j < 3; j++) f[j] = static_cast<float>(rohy[0][j] - 50.0);
  if (!nula(n[2], 0.0001f))
    f[2] = static_cast<float>((-d - static_cast<double>(n[0]) * f[0] - static_cast<double>(n[1]) * f[1]) / n[2]);
  else if (!nula(n[1], 0.0001f))
    f[1] = static_cast<float>((-d - static_cast<double>(n[0]) * f[0] - static_cast<double>(n[2]) * f[2]) / n[1]);
  else
    f[0] = static_cast<float>((-d - static_cast<double>(n[1]) * f[1] - static_cast<double>(n[2]) * f[2]) / n[0]);
  float g[3];
  for (int j = 0; j < 3; j++) g[j] = static_cast<float>(static_cast<double>(x[j]) - f[j]);
  int hran = 0;
  for (int k = 0; k < 3; k++) {
    const float* v = rohy[k];
    float e[3];
    for (int j = 0; j < 3; j++) e[j] = static_cast<float>(static_cast<double>(rohy[(k + 1) % 3][j]) - v[j]);
    float na_fx, na_hrane;
    if (!prusecik_primek(v, e, f, g, &na_fx, &na_hrane)) continue;
    if (0 <= na_fx && na_fx <= 1 && 0 < na_hrane && na_hrane < 1) hran++;
  }
  return hran % 2 == 1;
}

}  // namespace

void spojmodely3D(int profil1, int profil2) {
  if (profil1 < 0 || profil1 >= konfigurace::slotu_dat || profil2 < 0 ||
      profil2 >= konfigurace::slotu_dat)
    return;
  const float* t = teziste;
  for (int i = 0; i < pocet_bodu(profil1); i++) {
    PolygonInstrukce* bod = instrukce_bodu(profil1, i);
    if (bod == nullptr) continue;
    const float p[3] = {bod->x, bod->y, bod->z};
    float r[3];
    for (int j = 0; j < 3; j++) r[j] = static_cast<float>(static_cast<double>(t[j]) - p[j]);
    const float vzdalenost_p = vzdalenost(t, p);
    for (PrvekSeznamu<Polygon3D*>* e = model1.Prvni(); e != nullptr; e = e->dalsi) {
      Polygon3D* polygon = e->hodnota;
      if (polygon->cervena != profil2) continue;
      float rohy[3][3], n[3], d;
      if (!rohy_polygonu(polygon, rohy) || !rovina_trojuhelniku(rohy[0], rohy[1], rohy[2], n, &d))
        continue;
      const float jmenovatel = static_cast<float>(skalarne(n, r));
      if (nula(jmenovatel, 0.0001f)) {
        pockej("NENALEZEN!!!\n");
        continue;
      }
      const float faktor = static_cast<float>((-d - skalarne(n, t)) / jmenovatel);
      float x[3];
      for (int j = 0; j < 3; j++) x[j] = static_cast<float>(t[j] + static_cast<double>(r[j]) * faktor);
      bool na_paprsku = true;
      for (int j = 0; j < 3; j++)
        if (signum(static_cast<float>(static_cast<double>(t[j]) - x[j])) != signum(r[j])) na_paprsku = false;
      if (!na_paprsku) continue;
      if (!nula(static_cast<float>(skalarne(n, x) + d), 0.01f)) {
        pockej("chyba v bodX3uhelnik\n");
        continue;
      }
      if (!uvnitr(rohy, n, d, x)) continue;
      if (!(vzdalenost(t, x) > vzdalenost_p)) continue;

      float nejmensi = 10000;
      PolygonInstrukce* nejblizsi = nullptr;
      int j_nejblizsi = -1;
      for (int j = 0; j < pocet_bodu(profil2); j++) {
        PolygonInstrukce* kandidat = instrukce_bodu(profil2, j);
        if (kandidat == nullptr) continue;
        const float q[3] = {kandidat->x, kandidat->y, kandidat->z};
        const float v = vzdalenost(p, q);
        if (v < nejmensi) {
          nejmensi = v;
          nejblizsi = kandidat;
          j_nejblizsi = j;
        }
      }
      if (nejblizsi == nullptr) break;
      bod->x = nejblizsi->x;
      bod->y = nejblizsi->y;
      bod->z = nejblizsi->z;
      std::printf("%d zmenen na %d\n", i, j_nejblizsi);
      polygon->cervena = 255;
      break;
    }
  }
}
