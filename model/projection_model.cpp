// The projection model: central plane, halves, flattening, growth with a
// prunik record per segment, grey triangles.
#include "model/projection_model.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "common/geometry.h"
#include "common/messages.h"
#include "model/instruction_pool.h"
#include "model/numeric_helpers.h"
#include "model/segment_growth.h"
#include "model/segment_records.h"
#include "model/segment_table.h"
#include "model/triangle_polygons.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

constexpr float tolerance_nuly = 0.0001f;

bool je_nula(float x) { return porovnejfloat(x, 0.0f, tolerance_nuly) == 0; }

int pocet_bodu_slotu(int slot) {
  if (slot >= slotu_souradnic) return 0;
  constexpr int nejvice = konfigurace::souradnic_na_slot < konfigurace::adres_na_slot
                              ? konfigurace::souradnic_na_slot
                              : konfigurace::adres_na_slot;
  return pocet_znacek(slot, nejvice);
}

// v divided by its length (unless that is exactly 0), rounded to float.
void normalizuj(const double v[3], float vysledek[3]) {
  const double delka = std::sqrt(skalarne(v, v));
  for (int c = 0; c < 3; c++) vysledek[c] = static_cast<float>(delka != 0 ? v[c] / delka : v[c]);
}

struct BodPoloviny {
  int slot;
  int index;
};

struct Polovina {
  float pocatek[3];
  std::vector<BodPoloviny> body;
  std::vector<BodRoviny> souradnice;
};

// The unit normal n of the central plane through the origin and the
// turntable axis A, B: (O - A) x (O - B) with O the origin. False (with
// chyba, when not null, and a log line) when the axis is in line with the
// origin.
bool normala_stredni_roviny(float n[3], std::string* chyba) {
  const double a[3] = {-static_cast<double>(osa_rotace[0][0]), -static_cast<double>(osa_rotace[0][1]),
                       -static_cast<double>(osa_rotace[0][2])};
  const double b[3] = {-static_cast<double>(osa_rotace[1][0]), -static_cast<double>(osa_rotace[1][1]),
                       -static_cast<double>(osa_rotace[1][2])};
  double soucin[3];
  vektorove(a, b, soucin);
  for (int c = 0; c < 3; c++) n[c] = static_cast<float>(soucin[c]);
  if (je_nula(n[0]) && je_nula(n[1]) && je_nula(n[2])) {
    if (chyba != nullptr)
      *chyba = zprava("turntable axis", "in line with the origin (camera 1), so the central plane is undefined; "
                                        "no projection model is built");
    zapis_log("projection model: turntable axis in line with the origin, no model built\n");
    return false;
  }
  const double nd[3] = {n[0], n[1], n[2]};
  normalizuj(nd, n);
  return true;
}

// One point instruction per point of every slot, recorded in
// adresy_bodu_global. False when the pool has too few free slots.
bool zaloz_body() {
  int potreba = 0;
  for (int slot = 0; slot < konfigurace::slotu_dat; slot++)
    for (int i = 0; i < pocet_bodu_slotu(slot); i++) potreba += znacka_platna(slot, i);
  if (!rezervuj_instrukce(potreba)) return false;
  for (int slot = 0; slot < konfigurace::slotu_dat; slot++) {
    const int pocet = pocet_bodu_slotu(slot);
    for (int i = 0; i < pocet; i++) {
      if (!znacka_platna(slot, i)) continue;
      const float* p = body_souradnice[slot][i];
      adresy_bodu_global[slot][i] = nova_instrukce(p[0], p[1], p[2]);
    }
  }
  return true;
}

// The in-plane axes u = n x w and v = n x u, with w the normalised (0.1, 0.1, -0.1).
void osy_v_rovine(const float n[3], float u[3], float v[3]) {
  float w[3];
  const double w0[3] = {0.1, 0.1, -0.1};
  normalizuj(w0, w);
  const double nd[3] = {n[0], n[1], n[2]};
  const double wd[3] = {w[0], w[1], w[2]};
  double s[3];
  vektorove(nd, wd, s);
  normalizuj(s, u);
  const double ud[3] = {u[0], u[1], u[2]};
  vektorove(nd, ud, s);
  normalizuj(s, v);
}

// The coordinates (a, b) with d = a u + b v, solved from the first of the
// coordinate pairs (r, c) whose divisions are defined; NaN when none is.
BodRoviny souradnice_v_rovine(const float d[3], const float u[3], const float v[3]) {
  static const int radky[6][2] = {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
  BodRoviny ab{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()};
  for (const auto& rc : radky) {
    const int r = rc[0], c = rc[1];
    if (je_nula(v[c])) continue;
    const float m = static_cast<float>(u[r] - static_cast<double>(u[c]) * v[r] / v[c]);
    if (je_nula(m)) continue;
    ab.x = static_cast<float>((d[r] - static_cast<double>(d[c]) * v[r] / v[c]) / m);
    ab.y = static_cast<float>((d[c] - static_cast<double>(u[c]) * ab.x) / v[c]);
    break;
  }
  return ab;
}

// Splits the points by the side of the central plane and flattens each
// onto its half's projection plane (n.x = -50 for half 0, +50 for half 1),
// in the coordinates of the axes u, v from the half's origin.
void rozdel_na_poloviny(const float n[3], const float u[3], const float v[3], Polovina poloviny[2]) {
  const double tn = skalarne(teziste, n);
  for (int c = 0; c < 3; c++) {
    poloviny[0].pocatek[c] = static_cast<float>(teziste[c] + (-50 - tn) * n[c]);
    poloviny[1].pocatek[c] = static_cast<float>(teziste[c] + (50 - tn) * n[c]);
  }
  for (int slot = 0; slot < konfigurace::slotu_dat; slot++) {
    const int pocet = pocet_bodu_slotu(slot);
    for (int i = 0; i < pocet; i++) {
      if (!znacka_platna(slot, i)) continue;
      const PolygonInstrukce* ins = instrukce_polygonu[adresy_bodu_global[slot][i]];
      const float p[3] = {ins->x, ins->y, ins->z};
      const double np = skalarne(n, p);
      const int h = np > 0 ? 0 : 1;
      const double posun = (h == 0 ? -50.0 : 50.0) - np;
      Polovina& polovina = poloviny[h];
      float d[3];
      for (int c = 0; c < 3; c++) {
        const float pp = static_cast<float>(p[c] + posun * n[c]);
        d[c] = static_cast<float>(static_cast<double>(pp) - polovina.pocatek[c]);
      }
      polovina.souradnice.push_back(souradnice_v_rovine(d, u, v));
      polovina.body.push_back({slot, i});
    }
  }
}

// Grows the segments of one half, recording each in prunik as a line on the
// half's projection plane, then appends its grey triangles to model1. False,
// with the growth's message, when the growth refuses the half's points.
bool postav_polovinu(const Polovina& polovina, const float u[3], const float v[3], ZapisPruniku& zapis,
                     std::string* chyba) {
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 4000;
  nastaveni.po_uvodnim_pruchodu = [] {
    zapis_log("TADY TADY TADY\n");
    std::printf("OK2\n");
  };
  nastaveni.na_konci_kroku = [](int k) {
    if (k % 100 == 0) std::printf("krok %d...\n", k);
  };
  nastaveni.po_pridani_usecky = [&](int s, int a, int b) {
    if constexpr (konfigurace::ma_okraj_usecek) usecky_proviz_okraj[s] = 0;
    float konce[2][3];
    for (int e = 0; e < 2; e++) {
      const BodRoviny ab = polovina.souradnice[e == 0 ? a : b];
      for (int c = 0; c < 3; c++)
        konce[e][c] = static_cast<float>(static_cast<double>(ab.x) * u[c] + static_cast<double>(ab.y) * v[c] +
                                         polovina.pocatek[c]);
    }
    zapis.pridej(konce[0], konce[1], 0);
  };
  const VysledekRustu rust = rust_usecek(polovina.souradnice, nastaveni);
  if (!usecky_do_tabulky(rust, chyba)) return false;
  std::printf("OK3\n");

  std::vector<PolygonInstrukce*> instrukce;
  instrukce.reserve(polovina.body.size());
  for (const BodPoloviny& bod : polovina.body)
    instrukce.push_back(instrukce_polygonu[adresy_bodu_global[bod.slot][bod.index]]);
  vytvor_trojuhelniky(instrukce, rust.usecky, [](int, Polygon3D* polygon) {
    polygon->cervena = polygon->zelena = polygon->modra = 128;
  });
  return true;
}

}  // namespace

bool projection_model3D(std::string* chyba) {
  float n[3];
  if (!normala_stredni_roviny(n, chyba)) return false;
  // A full pool is no error here: pool_pretekl tells the caller.
  if (!zaloz_body()) return true;
  float u[3], v[3];
  osy_v_rovine(n, u, v);
  Polovina poloviny[2];
  rozdel_na_poloviny(n, u, v, poloviny);
  std::printf("OK1\n");
  ZapisPruniku zapis;
  for (const Polovina& polovina : poloviny)
    if (!postav_polovinu(polovina, u, v, zapis, chyba)) return false;
  return true;
}
