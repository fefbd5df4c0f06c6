// The sample vase.
#include "tools/sample_object.h"

#include <algorithm>
#include <cmath>

#include "common/geometry.h"

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
double laloky_derivace(double phi) { return -0.15 * std::sin(3 * phi); }

// Outward normal of S(h, phi) = (r cos phi, r sin phi, h):
// (dS/dphi) x (dS/dh) = (r cos phi + r_phi sin phi, r sin phi - r_phi cos phi, -r r_h).
BodPovrchu povrch(double r, double r_h, double r_phi, double c, double s, double h) {
  BodPovrchu b;
  b.poloha = {r * c, r * s, h};
  b.normala = jednotkovy(Bod3{r * c + r_phi * s, r * s - r_phi * c, -r * r_h});
  return b;
}

}  // namespace

double polomer_vazy(double h, double phi) { return profil(h) * laloky(phi); }

namespace {

double ctverec_od_boku(Bod3 m, double h, double phi) {
  const double r = polomer_vazy(h, phi);
  const double dx = r * std::cos(phi) - m.x, dy = r * std::sin(phi) - m.y, dz = h - m.z;
  return dx * dx + dy * dy + dz * dz;
}

// The side's grid of the nearest-point search: vysek_mrizky + 1 heights and
// kolem_mrizky azimuths.
constexpr int vysek_mrizky = 128, kolem_mrizky = 256;
double vyska_uzlu(int j) { return vyska_vazy * j / vysek_mrizky; }
double azimut_uzlu(int i) { return 6.283185307179586 * i / kolem_mrizky; }

// From the grid node (h, phi) at squared distance nej: a pattern search
// that halves its steps; the distance of the nearest point of the side.
double dolad_od_boku(Bod3 m, double h, double phi, double nej) {
  double kh = vyska_vazy / vysek_mrizky, kphi = 6.283185307179586 / kolem_mrizky;
  while (kh > 1e-9) {
    bool lepsi = false;
    for (int a = -1; a <= 1; a++)
      for (int b = -1; b <= 1; b++) {
        const double hn = std::clamp(h + a * kh, 0.0, vyska_vazy), pn = phi + b * kphi;
        const double d = ctverec_od_boku(m, hn, pn);
        if (d < nej) nej = d, h = hn, phi = pn, lepsi = true;
      }
    if (!lepsi) kh *= 0.5, kphi *= 0.5;
  }
  return std::sqrt(nej);
}

// Nearest point of the side: the best node of the grid (of equals the
// first in the order of the loops, starting from node (0, 0)), then
// dolad_od_boku.
double vzdalenost_od_boku(Bod3 m) {
  double h = 0, phi = 0, nej = ctverec_od_boku(m, h, phi);
  for (int j = 0; j <= vysek_mrizky; j++)
    for (int i = 0; i < kolem_mrizky; i++) {
      const double hj = vyska_uzlu(j), pi_ = azimut_uzlu(i);
      const double d = ctverec_od_boku(m, hj, pi_);
      if (d < nej) nej = d, h = hj, phi = pi_;
    }
  return dolad_od_boku(m, h, phi, nej);
}

// The distance from the side, `bok`, or from a disc when that is nearer.
double s_disky(Bod3 m, double bok) {
  double d = bok;
  const double phi = std::atan2(m.y, m.x), rho = std::hypot(m.x, m.y);
  for (double h : {0.0, vyska_vazy})
    if (rho <= polomer_vazy(h, phi)) d = std::min(d, std::abs(m.z - h));
  return d;
}

// The cubes of VzdalenostOdVazy: their edge and how far their box reaches
// beyond the cylinder that holds the vase.
constexpr double hrana_krychle = 1.0;
constexpr double okraj_krabice = 3.0;

}  // namespace

double vzdalenost_od_vazy(Bod3 m) { return s_disky(m, vzdalenost_od_boku(m)); }

VzdalenostOdVazy::VzdalenostOdVazy() {
  const double polovina = nejvetsi_polomer_vazy + okraj_krabice;
  roh_ = Bod3{-polovina, -polovina, -okraj_krabice};
  konec_ = Bod3{polovina, polovina, vyska_vazy + okraj_krabice};
  krychli_[0] = krychli_[1] = static_cast<int>(std::ceil(2 * polovina / hrana_krychle));
  krychli_[2] = static_cast<int>(std::ceil((vyska_vazy + 2 * okraj_krabice) / hrana_krychle));
  // The nodes exactly as ctverec_od_boku places them, in the plain search's
  // order, sorted into their cubes by a stable counting sort.
  std::vector<Uzel> uzly;
  std::vector<int> krychle;
  for (int j = 0; j <= vysek_mrizky; j++)
    for (int i = 0; i < kolem_mrizky; i++) {
      const double h = vyska_uzlu(j), phi = azimut_uzlu(i);
      const double r = polomer_vazy(h, phi);
      const Uzel u{r * std::cos(phi), r * std::sin(phi), h, j, i};
      uzly.push_back(u);
      int k[3];
      krychle_bodu(Bod3{u.x, u.y, u.z}, k);
      krychle.push_back((k[2] * krychli_[1] + k[1]) * krychli_[0] + k[0]);
    }
  zacatky_.assign(static_cast<std::size_t>(krychli_[0]) * krychli_[1] * krychli_[2] + 1, 0);
  for (int k : krychle) zacatky_[static_cast<std::size_t>(k) + 1]++;
  for (std::size_t k = 1; k < zacatky_.size(); k++) zacatky_[k] += zacatky_[k - 1];
  std::vector<int> dalsi(zacatky_.begin(), zacatky_.end() - 1);
  uzly_.resize(uzly.size());
  for (std::size_t n = 0; n < uzly.size(); n++)
    uzly_[static_cast<std::size_t>(dalsi[static_cast<std::size_t>(krychle[n])]++)] = uzly[n];
}

void VzdalenostOdVazy::krychle_bodu(Bod3 b, int k[3]) const {
  const double s[3] = {b.x - roh_.x, b.y - roh_.y, b.z - roh_.z};
  for (int a = 0; a < 3; a++)
    k[a] = std::clamp(static_cast<int>(std::floor(s[a] / hrana_krychle)), 0, krychli_[a] - 1);
}

double VzdalenostOdVazy::operator()(Bod3 m) const {
  const bool v_krabici = m.x >= roh_.x && m.x <= konec_.x && m.y >= roh_.y && m.y <= konec_.y &&
                         m.z >= roh_.z && m.z <= konec_.z;
  if (!v_krabici) return vzdalenost_od_vazy(m);
  int c[3];
  krychle_bodu(m, c);
  const Uzel* nej_uzel = nullptr;
  double nej = 0;
  for (int vrstva = 0;; vrstva++) {
    // The cubes whose largest index distance from the point's cube is
    // `vrstva`. A node in no cube seen so far lies at least vrstva cube
    // edges away.
    bool nejaka = false;
    for (int z = std::max(0, c[2] - vrstva); z <= std::min(krychli_[2] - 1, c[2] + vrstva); z++)
      for (int y = std::max(0, c[1] - vrstva); y <= std::min(krychli_[1] - 1, c[1] + vrstva); y++)
        for (int x = std::max(0, c[0] - vrstva); x <= std::min(krychli_[0] - 1, c[0] + vrstva);
             x++) {
          if (std::max({std::abs(x - c[0]), std::abs(y - c[1]), std::abs(z - c[2])}) != vrstva)
            continue;
          nejaka = true;
          const std::size_t k = static_cast<std::size_t>((z * krychli_[1] + y) * krychli_[0] + x);
          for (int n = zacatky_[k]; n < zacatky_[k + 1]; n++) {
            const Uzel& u = uzly_[static_cast<std::size_t>(n)];
            // ctverec_od_boku's operations on the same numbers.
            const double dx = u.x - m.x, dy = u.y - m.y, dz = u.z - m.z;
            const double d = dx * dx + dy * dy + dz * dz;
            if (nej_uzel == nullptr || d < nej ||
                (d == nej && (u.j < nej_uzel->j || (u.j == nej_uzel->j && u.i < nej_uzel->i))))
              nej = d, nej_uzel = &u;
          }
        }
    if (!nejaka) break;  // every cube seen
    const double jiste = vrstva * hrana_krychle - 1e-9;
    if (nej_uzel != nullptr && jiste > 0 && nej < jiste * jiste) break;
  }
  // Of equal nodes the one with the smallest (j, i), as in the plain search.
  return s_disky(m, dolad_od_boku(m, vyska_uzlu(nej_uzel->j), azimut_uzlu(nej_uzel->i), nej));
}

bool uvnitr_vazy(Bod3 m) {
  if (m.z < 0.0 || m.z > vyska_vazy) return false;
  const double rho2 = m.x * m.x + m.y * m.y;
  if (rho2 > nejvetsi_polomer_vazy * nejvetsi_polomer_vazy) return false;
  const double r = polomer_vazy(m.z, std::atan2(m.y, m.x));
  return rho2 < r * r;
}

BodPovrchu bod_vazy(double h, double phi) {
  const double e = 1e-5;
  const double p = profil(h);
  const double p_h = (profil(h + e) - profil(h - e)) / (2 * e);
  return povrch(p * laloky(phi), p_h * laloky(phi), p * laloky_derivace(phi), std::cos(phi),
                std::sin(phi), h);
}

void pro_vzorky_vazy(double krok, const std::function<void(const BodPovrchu&)>& navstiv) {
  const int kolem = static_cast<int>(dve_pi_programu * nejvetsi_polomer_vazy / krok);
  std::vector<double> c(kolem), s(kolem), l(kolem), l_phi(kolem);
  for (int i = 0; i < kolem; i++) {
    const double phi = dve_pi_programu * i / kolem;
    c[i] = std::cos(phi);
    s[i] = std::sin(phi);
    l[i] = laloky(phi);
    l_phi[i] = laloky_derivace(phi);
  }
  const double e = 1e-5;
  const int vyskou = static_cast<int>(vyska_vazy / krok);
  for (int j = 0; j <= vyskou; j++) {
    const double h = vyska_vazy * j / vyskou;
    const double p = profil(h);
    const double p_h = (profil(h + e) - profil(h - e)) / (2 * e);
    for (int i = 0; i < kolem; i++) navstiv(povrch(p * l[i], p_h * l[i], p * l_phi[i], c[i], s[i], h));
  }
}

std::vector<BodPovrchu> znacky_vazy(Nahoda& nahoda) {
  constexpr int kruhu = 9;
  constexpr int na_kruh = 16;
  std::vector<BodPovrchu> body;
  for (int k = 0; k < kruhu; k++) {
    for (int i = 0; i < na_kruh; i++) {
      const double h = 2.5 + 3.5 * k + nahoda.rovnomerne(-0.6, 0.6);
      const double phi = dve_pi_programu * (i + 0.5 * (k % 2)) / na_kruh + nahoda.rovnomerne(-0.08, 0.08);
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

namespace {

// The interval of t in which oko + t * smer lies inside the cylinder that
// holds the vase (radius nejvetsi_polomer_vazy, height 0..vyska_vazy).
bool v_obalu(Bod3 oko, Bod3 smer, double* od, double* po) {
  double a = 0.0, b = 1e300;
  if (smer.z != 0.0) {
    const double t1 = -oko.z / smer.z, t2 = (vyska_vazy - oko.z) / smer.z;
    a = std::max(a, std::min(t1, t2));
    b = std::min(b, std::max(t1, t2));
  } else if (oko.z < 0.0 || oko.z > vyska_vazy) {
    return false;
  }
  const double r = nejvetsi_polomer_vazy;
  const double qa = smer.x * smer.x + smer.y * smer.y;
  const double qb = 2 * (oko.x * smer.x + oko.y * smer.y);
  const double qc = oko.x * oko.x + oko.y * oko.y - r * r;
  if (qa > 0.0) {
    const double disk = qb * qb - 4 * qa * qc;
    if (disk < 0.0) return false;
    a = std::max(a, (-qb - std::sqrt(disk)) / (2 * qa));
    b = std::min(b, (-qb + std::sqrt(disk)) / (2 * qa));
  } else if (qc > 0.0) {
    return false;
  }
  *od = a;
  *po = b;
  return a < b;
}

// Whether a point lies inside the vase (uvnitr_vazy) and, when it does not,
// a lower bound of its distance to the vase, to within the slope of the
// radius (at most about 1.45 times): how far the point lies outside the
// radius at its height, or above or below the vase. The radius at the
// point's azimuth is found once for both answers, which give the same
// numbers as two separate evaluations would: within the vase's height the
// clamped height is the height itself.
bool uvnitr_jinak_odstup(Bod3 m, double* odstup) {
  const double h = std::clamp(m.z, 0.0, vyska_vazy);
  const double r = polomer_vazy(h, std::atan2(m.y, m.x));
  if (!(m.z < 0.0 || m.z > vyska_vazy)) {
    const double rho2 = m.x * m.x + m.y * m.y;
    if (!(rho2 > nejvetsi_polomer_vazy * nejvetsi_polomer_vazy) && rho2 < r * r) return true;
  }
  *odstup = std::max({std::hypot(m.x, m.y) - r, -m.z, m.z - vyska_vazy});
  return false;
}

// uvnitr_vazy's answer without the azimuth's atan2 and cos wherever the
// answer is certain, for the many steps of a bisection. cos 3 phi is taken
// as 4 c^3 - 3 c with c = cos phi = x / rho; that agrees with the library's
// cos(3 atan2(y, x)) to some 1e-14 (a few rounding errors of numbers below
// 10), so the radius agrees to a relative 1e-14 or so. Where rho^2 and the
// squared radius differ by more than a relative 1e-12, a hundred times
// that, both radii give the same answer; closer than that (the last
// step of a bisection, and a point on the axis, where c is not a number)
// the answer is uvnitr_vazy's own.
bool uvnitr_vazy_rychle(Bod3 m) {
  if (m.z < 0.0 || m.z > vyska_vazy) return false;
  const double rho2 = m.x * m.x + m.y * m.y;
  if (rho2 > nejvetsi_polomer_vazy * nejvetsi_polomer_vazy) return false;
  const double c = m.x / std::sqrt(rho2);
  const double r = profil(m.z) * (1.0 + 0.05 * (4.0 * c * c * c - 3.0 * c));
  const double rozdil = rho2 - r * r;
  if (rozdil > 1e-12 * r * r) return false;
  if (rozdil < -1e-12 * r * r) return true;
  return uvnitr_vazy(m);
}

}  // namespace

bool zasah_vazy(Bod3 oko, Bod3 smer, double* t, Bod3* normala) {
  double od = 0.0, po = 0.0;
  if (!v_obalu(oko, smer, &od, &po)) return false;
  double venku = od;
  for (double s = od; s <= po;) {
    double odstup = 0.0;
    if (uvnitr_jinak_odstup(oko + s * smer, &odstup)) {
      // Halve the step between the last point outside and this one.
      double uvnitr = s;
      for (int i = 0; i < 60 && uvnitr - venku > 1e-10; i++) {
        const double stred = 0.5 * (venku + uvnitr);
        (uvnitr_vazy_rychle(oko + stred * smer) ? uvnitr : venku) = stred;
      }
      const Bod3 m = oko + uvnitr * smer;
      const double phi = std::atan2(m.y, m.x);
      const double bok = std::hypot(m.x, m.y) - polomer_vazy(m.z, phi);
      if (std::abs(bok) < std::min(m.z, vyska_vazy - m.z))
        *normala = bod_vazy(m.z, phi).normala;
      else
        *normala = Bod3{0.0, 0.0, m.z < 0.5 * vyska_vazy ? -1.0 : 1.0};
      *t = uvnitr;
      return true;
    }
    venku = s;
    s += std::max(odstup / 1.5, 0.002);
  }
  return false;
}
