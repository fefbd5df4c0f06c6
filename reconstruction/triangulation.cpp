// Triangulation and turntable alignment. Every named quantity is stored as a
// float; the expressions that produce them are evaluated in double.
#include "reconstruction/triangulation.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/geometry.h"
#include "common/messages.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"

namespace {

// The camera-1 marker image of an angle slot, which warnings about its
// markers name; "triangulation" for a slot no image fills.
std::string obrazek_slotu(int slot) {
  for (const SnimekZnacek& s : snimky_znacek)
    if (s.slot == slot && s.kamera == 1) return s.soubor;
  return "triangulation";
}

const int poradi_slotu[6] = {0, 1, 2, 3, 4, 9};

void trianguluj_bod(const SestavaTriangulace& sestava, int slot, int i) {
  const BodData& bod = body_data[slot][i];
  // The scan has always left the second camera's horizontal direction here.
  vektor80[0] = 0.984f;
  vektor80[1] = 0.173f;
  float p1[3], p2[3];
  float* cil = body_souradnice[slot][i];
  if (!stred_paprsku(sestava, bod.x1, bod.y1, bod.x2, bod.y2, cil, nullptr, p1, p2)) {
    ohlas(zprava(obrazek_slotu(slot), "marker " + std::to_string(i + 1) +
                                          ": the viewing rays of the two cameras are parallel; "
                                          "stored the midpoint of its two image-plane points"));
    zapis_log("warning: marker %d of angle slot %d: parallel viewing rays\n", i + 1, slot);
    for (int j = 0; j < 3; j++)
      cil[j] = static_cast<float>((static_cast<double>(p1[j]) + p2[j]) / 2);
  }
}

void normuj(float* v) {
  const double delka = std::sqrt(skalarne(v, v));
  if (delka != 0.0)
    for (int j = 0; j < 3; j++) v[j] = static_cast<float>(v[j] / delka);
}

bool urci_osu(std::string* chyba) {
  const float* r0 = body_souradnice[slot_referenci][0];
  const float* r1 = body_souradnice[slot_referenci][1];
  const float* r2 = body_souradnice[slot_referenci][2];
  float* s1 = rotace_smerovy[0];
  float* s2 = rotace_smerovy[1];
  for (int j = 0; j < 3; j++) {
    s1[j] = static_cast<float>(static_cast<double>(r2[j]) - r0[j]);
    s2[j] = static_cast<float>(static_cast<double>(r2[j]) - r1[j]);
  }
  normuj(s1);
  normuj(s2);
  zapis_log("smerovy1: [   %lf,   %lf,   %lf   ]\n", s1[0], s1[1], s1[2]);
  zapis_log("smerovy2: [   %lf,   %lf,   %lf   ]\n", s2[0], s2[1], s2[2]);

  float* n = rotace_normalovy;
  vektorove(s1, s2, n);
  normuj(n);
  zapis_log("normalovy: [   %lf,   %lf,   %lf   ]\n", n[0], n[1], n[2]);
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

  const float det0 = static_cast<float>(determinant(m, 0, 1, 2));
  const float det1 = static_cast<float>(determinant(m, 1, 2, 3));
  const float det2 = static_cast<float>(determinant(m, 0, 2, 3));
  const float det3 = static_cast<float>(determinant(m, 0, 1, 3));
  zapis_log("determinanty:\n");
  zapis_log("determinant 0: %lf\n", det0);
  zapis_log("determinant 1: %lf\n", det1);
  zapis_log("determinant 2: %lf\n", det2);
  zapis_log("determinant 3: %lf\n", det3);

  const float stred[3] = {static_cast<float>(-static_cast<double>(det1) / det0),
                          static_cast<float>(static_cast<double>(det2) / det0),
                          static_cast<float>(-static_cast<double>(det3) / det0)};
  const bool definovana = det0 != 0.0f && std::isfinite(stred[0]) &&
                          std::isfinite(stred[1]) && std::isfinite(stred[2]) &&
                          (n[0] != 0.0f || n[1] != 0.0f || n[2] != 0.0f);
  if (!definovana) {
    if (chyba != nullptr)
      *chyba = zprava("080_k1_A.bmp, 080_k2_A.bmp",
                      "the reference marks with green values 255, 254 and 253 lie on one line, coincide or "
                      "are missing; the turntable axis is undefined");
    return false;
  }
  for (int j = 0; j < 3; j++) osa_rotace[0][j] = stred[j];
  zapis_log("STRED: [   %lf,   %lf,   %lf   ]\n", stred[0], stred[1], stred[2]);
  for (int j = 0; j < 3; j++)
    osa_rotace[1][j] = static_cast<float>(static_cast<double>(stred[j]) + n[j]);
  return true;
}

void otoc_bod(float* p, int slot) { otoc_do_spolecne(p, uhly[slot]); }

}  // namespace

void otoc_do_spolecne(float p[3], int uhel_stupne) {
  const float* a = osa_rotace[0];
  const float* n = rotace_normalovy;
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

bool stred_paprsku(int x1, int y1, int x2, int y2, float bod[3], float* mezera, float p1[3],
                   float p2[3]) {
  return stred_paprsku(sestava_programu(), x1, y1, x2, y2, bod, mezera, p1, p2);
}

bool prepocet_bodu(bool urcit_osu, std::string* chyba) {
  const SestavaTriangulace sestava = sestava_programu();
  for (int slot : poradi_slotu)
    for (int i = 0; i < pocet_znacek(slot, konfigurace::souradnic_na_slot); i++)
      if (znacka_platna(slot, i)) trianguluj_bod(sestava, slot, i);

  const float* r0 = body_souradnice[slot_referenci][0];
  const float* r1 = body_souradnice[slot_referenci][1];
  const float* r2 = body_souradnice[slot_referenci][2];
  zapis_log("BOD1: [   %lf,   %lf,   %lf   ]\n", r0[0], r0[1], r0[2]);
  zapis_log("BOD2: [   %lf,   %lf,   %lf   ]\n", r1[0], r1[1], r1[2]);
  zapis_log("BOD3: [   %lf,   %lf,   %lf   ]\n", r2[0], r2[1], r2[2]);

  if (urcit_osu && !urci_osu(chyba)) return false;

  for (int j = 0; j < 3; j++)
    rotace_normalovy[j] =
        static_cast<float>(static_cast<double>(osa_rotace[1][j]) - osa_rotace[0][j]);
  if (skalarne(rotace_normalovy, rotace_normalovy) == 0.0) {
    if (chyba != nullptr) *chyba = zprava("turntable axis", "undefined (its two points coincide)");
    return false;
  }

  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < pocet_znacek(slot, konfigurace::souradnic_na_slot); i++)
      if (znacka_platna(slot, i)) otoc_bod(body_souradnice[slot][i], slot);
  return true;
}
