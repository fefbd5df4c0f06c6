// Double-precision model of the reconstruction of one marker.
#include "tools/reconstruction_model.h"

#include <cmath>

PixelyBodu pixely_z_pozic(const PoziceVObraze& a, const PoziceVObraze& b) {
  PixelyBodu p;
  p.sloupec[0] = a.sloupec;
  p.radek[0] = a.radek;
  p.sloupec[1] = b.sloupec;
  p.radek[1] = b.radek;
  return p;
}

Bod3 trianguluj_pixely(const SestavaKamer& s, const PixelyBodu& p) {
  return trianguluj(s, p.sloupec[0], p.radek[0], p.sloupec[1], p.radek[1]);
}

namespace {

constexpr double krok_px = 0.01;
constexpr double krok_sveta = 0.001;

double& souradnice(PixelyBodu& p, int j) {
  switch (j) {
    case 0: return p.sloupec[0];
    case 1: return p.radek[0];
    case 2: return p.sloupec[1];
    default: return p.radek[1];
  }
}

double& slozka(Bod3& b, int j) { return j == 0 ? b.x : (j == 1 ? b.y : b.z); }

}  // namespace

Bod3 otoc_do_spolecne(Bod3 bod, const Bod3 reference[3], int uhel_stupnu) {
  return otoc(bod, osa_z_referenci(reference[0], reference[1], reference[2]),
              uhel_otoceni_slotu(uhel_stupnu));
}

Bod3 zrekonstruuj(const SestavaKamer& s, const PixelyBodu& bod, const PixelyBodu reference[3],
                  int uhel_stupnu) {
  const Bod3 r[3] = {trianguluj_pixely(s, reference[0]), trianguluj_pixely(s, reference[1]),
                     trianguluj_pixely(s, reference[2])};
  return otoc_do_spolecne(trianguluj_pixely(s, bod), r, uhel_stupnu);
}

void citlivost_triangulace(const SestavaKamer& s, const PixelyBodu& p, Bod3 sloupce[4]) {
  for (int j = 0; j < 4; j++) {
    PixelyBodu plus = p, minus = p;
    souradnice(plus, j) += krok_px;
    souradnice(minus, j) -= krok_px;
    sloupce[j] = (1.0 / (2 * krok_px)) * (trianguluj_pixely(s, plus) - trianguluj_pixely(s, minus));
  }
}

double mez_triangulace(const SestavaKamer& s, const PixelyBodu& p, double chyba_px) {
  Bod3 sloupce[4];
  citlivost_triangulace(s, p, sloupce);
  double mez = 0;
  for (const Bod3& v : sloupce) mez += delka(v) * chyba_px;
  return mez;
}

Citlivost citlivost(const SestavaKamer& s, const PixelyBodu& bod, const Bod3 reference[3],
                    int uhel_stupnu) {
  Citlivost c;
  const Bod3 p = trianguluj_pixely(s, bod);
  // Chain rule: the turn is linear in the point for a fixed axis.
  Bod3 tri[4];
  citlivost_triangulace(s, bod, tri);
  for (int j = 0; j < 4; j++) {
    const double h = krok_sveta / std::max(delka(tri[j]), 1e-12);
    c.bod[j] = (1.0 / (2 * h)) * (otoc_do_spolecne(p + h * tri[j], reference, uhel_stupnu) -
                                  otoc_do_spolecne(p - h * tri[j], reference, uhel_stupnu));
  }
  for (int m = 0; m < 3; m++)
    for (int j = 0; j < 3; j++) {
      Bod3 plus[3] = {reference[0], reference[1], reference[2]};
      Bod3 minus[3] = {reference[0], reference[1], reference[2]};
      slozka(plus[m], j) += krok_sveta;
      slozka(minus[m], j) -= krok_sveta;
      c.reference[3 * m + j] = (1.0 / (2 * krok_sveta)) * (otoc_do_spolecne(p, plus, uhel_stupnu) -
                                                         otoc_do_spolecne(p, minus, uhel_stupnu));
    }
  return c;
}

double mez_chyby(const Citlivost& c, double od_px, double do_px, const double chyba_referenci[3]) {
  const double stred = 0.5 * (od_px + do_px);
  const double pul = 0.5 * (do_px - od_px);
  Bod3 posun;
  double mez = 0;
  for (const Bod3& v : c.bod) {
    posun = posun + stred * v;
    mez += delka(v) * pul;
  }
  mez += delka(posun);
  for (int m = 0; m < 3; m++) {
    double frobenius2 = 0;
    for (int j = 0; j < 3; j++) frobenius2 += skalar(c.reference[3 * m + j], c.reference[3 * m + j]);
    mez += std::sqrt(frobenius2) * chyba_referenci[m];
  }
  return mez * (1.0 + rezerva_linearizace);
}
