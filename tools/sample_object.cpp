// The sample vase.
#include "tools/sample_object.h"

#include <algorithm>
#include <cmath>

Bod3 smer_do_sveta(const SoustavaTocny& t, Bod3 m) {
  return m.x * t.e1 + m.y * t.e2 + m.z * t.nahoru;
}

Bod3 do_sveta(const SoustavaTocny& t, Bod3 m) { return t.stred + smer_do_sveta(t, m); }

Bod3 do_mistni(const SoustavaTocny& t, Bod3 s) {
  const Bod3 d = s - t.stred;
  return {skalar(d, t.e1), skalar(d, t.e2), skalar(d, t.nahoru)};
}

namespace {

// Profile radius every 4 units of height, from the foot to the rim.
constexpr int pocet_uzlu = 9;
constexpr double krok_uzlu = 4.0;
const double uzly[pocet_uzlu] = {7.5, 10.6, 12.2, 12.4, 11.0, 8.6, 6.8, 6.6, 7.8};

double uzel(int i) { return uzly[std::clamp(i, 0, pocet_uzlu - 1)]; }

// Catmull-Rom spline through the profile radii: smooth, with continuous slope.
double profil(double h) {
  const double u = std::clamp(h, 0.0, vyska_vazy) / krok_uzlu;
  const int i = std::min(static_cast<int>(u), pocet_uzlu - 2);
  const double t = u - i;
  const double p0 = uzel(i - 1), p1 = uzel(i), p2 = uzel(i + 1), p3 = uzel(i + 2);
  return 0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                (-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t);
}

double laloky(double phi) { return 1.0 + 0.05 * std::cos(3 * phi); }

}  // namespace

double polomer_vazy(double h, double phi) { return profil(h) * laloky(phi); }

bool uvnitr_vazy(Bod3 m) {
  if (m.z < 0.0 || m.z > vyska_vazy) return false;
  const double rho2 = m.x * m.x + m.y * m.y;
  if (rho2 > nejvetsi_polomer_vazy * nejvetsi_polomer_vazy) return false;
  const double r = polomer_vazy(m.z, std::atan2(m.y, m.x));
  return rho2 < r * r;
}

BodPovrchu bod_vazy(double h, double phi) {
  const double r = polomer_vazy(h, phi);
  const double e = 1e-5;
  const double r_h = (polomer_vazy(h + e, phi) - polomer_vazy(h - e, phi)) / (2 * e);
  const double r_phi = (polomer_vazy(h, phi + e) - polomer_vazy(h, phi - e)) / (2 * e);
  const double c = std::cos(phi), s = std::sin(phi);
  BodPovrchu b;
  b.poloha = {r * c, r * s, h};
  // (dS/dphi) x (dS/dh) for S(h, phi) = (r cos phi, r sin phi, h): outward.
  b.normala = jednotkovy(Bod3{r * c + r_phi * s, r * s - r_phi * c, -r * r_h});
  return b;
}

std::vector<BodPovrchu> znacky_vazy(Nahoda& nahoda) {
  constexpr int kruhu = 9;
  constexpr int na_kruh = 16;
  std::vector<BodPovrchu> body;
  for (int k = 0; k < kruhu; k++) {
    for (int i = 0; i < na_kruh; i++) {
      const double h = 2.5 + 3.5 * k + nahoda.rovnomerne(-0.6, 0.6);
      const double phi = 6.2831853 * (i + 0.5 * (k % 2)) / na_kruh + nahoda.rovnomerne(-0.08, 0.08);
      body.push_back(bod_vazy(h, phi));
    }
  }
  return body;
}

bool zakryto_vazou(Bod3 oko, Bod3 cil) {
  const Bod3 d = cil - oko;
  const double l = delka(d);
  const double krok = 0.04;
  const double konec = l - 0.15;
  for (double s = 0.0; s < konec; s += krok) {
    if (uvnitr_vazy(oko + (s / l) * d)) return true;
  }
  return false;
}
