// Trimming of two models against each other.
#include "model/trimming.h"

#include <cstdio>

#include "common/geometry.h"
#include "model/instruction_pool.h"
#include "model/numeric_helpers.h"
#include "model/segment_records.h"
#include "model/triangle_geometry.h"

namespace {

constexpr float zadny_zasah = -65535.0f;

bool nula(float x) { return porovnejfloat(x, 0, 0.0001f) == 0; }

// The interval [dolni, horni] of the line O + tau * D inside the triangle:
// the parameters of the first two edges the line crosses strictly inside.
bool interval_v_trojuhelniku(const float rohy[3][3], const float* o, const float* d,
                             float* dolni, float* horni) {
  float prvni = zadny_zasah;
  for (int k = 0; k < 3; k++) {
    const float* q = rohy[k];
    const float* dalsi = rohy[(k + 1) % 3];
    float e[3];
    for (int j = 0; j < 3; j++) e[j] = static_cast<float>(static_cast<double>(dalsi[j]) - q[j]);
    float u, tau;
    if (!prusecik_primek(o, d, q, e, &u, &tau)) continue;
    if (!(0 < u && u < 1)) continue;
    if (porovnejfloat(prvni, zadny_zasah, 0.0001f) == 0) {
      prvni = tau;
    } else {
      *dolni = prvni < tau ? prvni : tau;
      *horni = prvni < tau ? tau : prvni;
      return true;
    }
  }
  return false;
}

// A point O and direction W of the line where the planes (na, da) and
// (nb, db) meet. False when no axis allows the construction.
bool primka_rovin(const float* na, float da, const float* nb, float db, float* o, float* w) {
  int m = -1;
  for (int k = 0; k < 3 && m < 0; k++)
    if (!nula(na[k]) && !nula(nb[k])) m = k;
  if (m < 0) return false;
  const float r = static_cast<float>(static_cast<double>(na[m]) / nb[m]);
  const float a[4] = {na[0], na[1], na[2], da};
  const float b[4] = {nb[0], nb[1], nb[2], db};
  float kk[4];
  for (int j = 0; j < 4; j++) kk[j] = static_cast<float>(a[j] - static_cast<double>(r) * b[j]);
  if (!nula(kk[m])) {
    std::printf("chyba!\n");
    std::fflush(stdout);
    std::getchar();
  }
  int s = -1;
  for (int k = 0; k < 3 && s < 0; k++)
    if (k != m && !nula(kk[k])) s = k;
  if (s < 0) return false;
  const int t = 3 - m - s;
  o[t] = 0;
  o[s] = static_cast<float>(-static_cast<double>(kk[3]) / kk[s]);
  o[m] = static_cast<float>((-static_cast<double>(na[s]) * o[s] - static_cast<double>(na[t]) * o[t] - da) / na[m]);
  w[t] = 1;
  w[s] = static_cast<float>(-static_cast<double>(kk[t]) / kk[s]);
  w[m] = static_cast<float>((-static_cast<double>(na[s]) * w[s] - static_cast<double>(na[t]) * w[t]) / na[m]);
  return true;
}

}  // namespace

void orezmodely3D(int typ1, int typ2) {
  ZapisPruniku zapis;
  for (PrvekSeznamu<Polygon3D*>* ea = model1.Prvni(); ea != nullptr; ea = ea->dalsi) {
    Polygon3D* pa = ea->hodnota;
    if (pa->cervena != typ1) continue;
    float rohy_a[3][3], na[3], da;
    if (!rohy_polygonu(pa, rohy_a) || !rovina_trojuhelniku(rohy_a[0], rohy_a[1], rohy_a[2], na, &da))
      continue;
    for (PrvekSeznamu<Polygon3D*>* eb = model1.Prvni(); eb != nullptr; eb = eb->dalsi) {
      Polygon3D* pb = eb->hodnota;
      if (pb->cervena != typ2) continue;
      float rohy_b[3][3], nb[3], db;
      if (!rohy_polygonu(pb, rohy_b) || !rovina_trojuhelniku(rohy_b[0], rohy_b[1], rohy_b[2], nb, &db))
        continue;
      float smer_primky[3];
      vektorove(na, nb, smer_primky);
      if (nulovy_vektor(smer_primky)) continue;
      float o[3], w[3];
      if (!primka_rovin(na, da, nb, db, o, w)) continue;
      float d[3];
      for (int j = 0; j < 3; j++) d[j] = static_cast<float>(static_cast<float>(o[j] + w[j]) - static_cast<double>(o[j]));
      float dolni_a, horni_a, dolni_b, horni_b;
      if (!interval_v_trojuhelniku(rohy_a, o, d, &dolni_a, &horni_a)) continue;
      if (!interval_v_trojuhelniku(rohy_b, o, d, &dolni_b, &horni_b)) continue;
      const float lo = dolni_a > dolni_b ? dolni_a : dolni_b;
      const float hi = horni_a < horni_b ? horni_a : horni_b;
      if (!(lo < hi)) continue;
      if (prunik_plny()) {
        zapis.pridej(o, o);  // reports the full table
        return;
      }
      float x1[3], x2[3];
      for (int j = 0; j < 3; j++) {
        x1[j] = static_cast<float>(o[j] + static_cast<double>(lo) * w[j]);
        x2[j] = static_cast<float>(o[j] + static_cast<double>(hi) * w[j]);
      }
      if (!rezervuj_instrukce(2)) return;
      nova_instrukce(x1[0], x1[1], x1[2]);
      nova_instrukce(x2[0], x2[1], x2[2]);
      zapis.pridej(x1, x2);
      std::printf("nalezena prusecnice\n");
      pb->cervena = 256;
      pa->cervena = 256;
      break;
    }
  }
}
