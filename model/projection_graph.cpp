// Central plane, halves, flattening, growth with a 3D line per segment,
// triangles.
#include "model/projection_graph.h"

#include <cmath>
#include <limits>

#include "common/geometry.h"
#include "model/numeric_helpers.h"

namespace {

constexpr float tolerance_nuly = 0.0001f;

bool je_nula(float x) { return porovnejfloat(x, 0.0f, tolerance_nuly) == 0; }

// v divided by its length (unless that is exactly 0), rounded to float.
void normalizuj(const double v[3], float vysledek[3]) {
  const double delka = std::sqrt(skalarne(v, v));
  for (int c = 0; c < 3; c++) vysledek[c] = static_cast<float>(delka != 0 ? v[c] / delka : v[c]);
}

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

void rozdel_na_poloviny(const float teziste[3], const std::vector<Bod3D>& body, ProjekcniGraf* g) {
  const float* n = g->normala;
  const double tn = skalarne(teziste, n);
  for (int c = 0; c < 3; c++) {
    g->poloviny[0].pocatek[c] = static_cast<float>(teziste[c] + (-50 - tn) * n[c]);
    g->poloviny[1].pocatek[c] = static_cast<float>(teziste[c] + (50 - tn) * n[c]);
  }
  for (std::size_t i = 0; i < body.size(); i++) {
    const float* p = body[i].data();
    const double np = skalarne(n, p);
    const int h = np > 0 ? 0 : 1;
    const double posun = (h == 0 ? -50.0 : 50.0) - np;
    PolovinaProjekce& polovina = g->poloviny[h];
    float d[3];
    for (int c = 0; c < 3; c++) {
      const float pp = static_cast<float>(p[c] + posun * n[c]);
      d[c] = static_cast<float>(static_cast<double>(pp) - polovina.pocatek[c]);
    }
    polovina.souradnice.push_back(souradnice_v_rovine(d, g->u, g->v));
    polovina.body.push_back(static_cast<int>(i));
  }
}

// Grows half h's graph, reporting every segment's line on its plane, and
// finds its triangles.
bool postav_polovinu(int h, const PrubehProjekce& prubeh, ProjekcniGraf* g, std::string* chyba) {
  PolovinaProjekce& polovina = g->poloviny[h];
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 4000;
  if (prubeh.po_uvodnim_pruchodu) nastaveni.po_uvodnim_pruchodu = [&] { prubeh.po_uvodnim_pruchodu(h); };
  if (prubeh.na_konci_kroku) nastaveni.na_konci_kroku = [&](int k) { prubeh.na_konci_kroku(h, k); };
  if (prubeh.po_care)
    nastaveni.po_pridani_usecky = [&](int s, int a, int b) {
      float konce[2][3];
      for (int e = 0; e < 2; e++) {
        const BodRoviny ab = polovina.souradnice[e == 0 ? a : b];
        for (int c = 0; c < 3; c++)
          konce[e][c] = static_cast<float>(static_cast<double>(ab.x) * g->u[c] +
                                           static_cast<double>(ab.y) * g->v[c] + polovina.pocatek[c]);
      }
      prubeh.po_care(h, s, konce[0], konce[1]);
    };
  polovina.rust = rust_usecek(polovina.souradnice, nastaveni);
  if (!polovina.rust.chyba.empty()) {
    if (chyba != nullptr) *chyba = polovina.rust.chyba;
    return false;
  }
  if (prubeh.po_rustu) prubeh.po_rustu(h);
  polovina.trojuhelniky = trojuhelniky_grafu(polovina.rust.usecky, polovina.body.size());
  return true;
}

}  // namespace

bool normala_stredni_roviny(const float osa[2][3], float n[3]) {
  const double a[3] = {-static_cast<double>(osa[0][0]), -static_cast<double>(osa[0][1]),
                       -static_cast<double>(osa[0][2])};
  const double b[3] = {-static_cast<double>(osa[1][0]), -static_cast<double>(osa[1][1]),
                       -static_cast<double>(osa[1][2])};
  double soucin[3];
  vektorove(a, b, soucin);
  for (int c = 0; c < 3; c++) n[c] = static_cast<float>(soucin[c]);
  if (je_nula(n[0]) && je_nula(n[1]) && je_nula(n[2])) return false;
  const double nd[3] = {n[0], n[1], n[2]};
  normalizuj(nd, n);
  return true;
}

bool projekcni_graf(const float normala[3], const float teziste[3], const std::vector<Bod3D>& body,
                    const PrubehProjekce& prubeh, ProjekcniGraf* graf, std::string* chyba) {
  *graf = ProjekcniGraf();
  for (int c = 0; c < 3; c++) graf->normala[c] = normala[c];
  osy_v_rovine(graf->normala, graf->u, graf->v);
  rozdel_na_poloviny(teziste, body, graf);
  if (prubeh.po_rozdeleni) prubeh.po_rozdeleni();
  for (int h = 0; h < 2; h++)
    if (!postav_polovinu(h, prubeh, graf, chyba)) return false;
  return true;
}
