// Geometry, materials and projector patterns of the decoder's sample scene.
#include "tools/decoder_sample_scene.h"

#include <cmath>
#include <initializer_list>

namespace vzorek {

namespace {

Vektor operator+(Vektor a, Vektor b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vektor operator-(Vektor a, Vektor b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vektor operator*(double s, Vektor a) { return {s * a.x, s * a.y, s * a.z}; }
double skalarne(Vektor a, Vektor b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vektor vektorove(Vektor a, Vektor b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vektor jednotkovy(Vektor a) { return (1.0 / std::sqrt(skalarne(a, a))) * a; }

Kamera zarizeni(Vektor stred, Vektor cil, double f, double cx, double cy) {
  Kamera k;
  k.stred = stred;
  k.vpred = jednotkovy(cil - stred);
  k.vpravo = jednotkovy(vektorove(k.vpred, Vektor{0, 1, 0}));
  k.dolu = vektorove(k.vpred, k.vpravo);
  k.f = f;
  k.cx = cx;
  k.cy = cy;
  return k;
}

const Vektor stred_koule{-60.0, 20.0, 0.0};
constexpr double polomer_koule = 140.0;
constexpr double valec_x = 150.0, valec_z = 60.0, polomer_valce = 55.0;
constexpr double valec_dole = -200.0, valec_nahore = 130.0;
constexpr double stena_z = -250.0;

// Sphere albedo: light with dark spots too dim to decode, and a band whose
// albedo fades to the edge of what can be decoded.
double albedo_koule(const Vektor& n) {
  const double theta = std::acos(n.y < -1 ? -1 : (n.y > 1 ? 1 : n.y));
  const double phi = std::atan2(n.x, n.z);
  if (std::sin(7.0 * theta) * std::sin(9.0 * phi) > 0.93) return 0.02;
  if (n.y > 0.35 && n.y < 0.55) return 0.025 + 0.1 * (n.y - 0.35) / 0.2;
  return 0.72 + 0.08 * std::sin(3.0 * phi);
}

double albedo_steny(const Vektor& b) {
  return 0.55 + 0.1 * std::sin(b.x / 37.0) * std::cos(b.y / 23.0);
}

}  // namespace

Kamera kamera(int cislo) {
  const double x = cislo == 1 ? -300.0 : 300.0;
  return zarizeni(Vektor{x, 0.0, 1050.0}, Vektor{0.0, 0.0, -50.0}, 900.0, 319.5, 239.5);
}

Kamera projektor() {
  return zarizeni(Vektor{0.0, 150.0, 1100.0}, Vektor{0.0, 0.0, -50.0}, 1400.0,
                  sirka_projektoru / 2.0, vyska_projektoru / 2.0);
}

bool paprsek(const Vektor& o, const Vektor& d, Zasah* zasah) {
  constexpr double t_min = 1e-6;
  double nejblizsi = 1e300;
  Zasah z{};
  auto vezmi = [&](double t, const Vektor& n, double albedo) {
    if (t <= t_min || t >= nejblizsi) return;
    nejblizsi = t;
    z.t = t;
    z.bod = o + t * d;
    z.normala = skalarne(n, d) > 0 ? -1.0 * n : n;
    z.albedo = albedo;
  };
  // Sphere.
  {
    const Vektor oc = o - stred_koule;
    const double a = skalarne(d, d), b = 2 * skalarne(oc, d);
    const double c = skalarne(oc, oc) - polomer_koule * polomer_koule;
    const double disk = b * b - 4 * a * c;
    if (disk >= 0) {
      for (double t : {(-b - std::sqrt(disk)) / (2 * a), (-b + std::sqrt(disk)) / (2 * a)}) {
        if (t <= t_min) continue;
        const Vektor n = jednotkovy(o + t * d - stred_koule);
        vezmi(t, n, albedo_koule(n));
        break;
      }
    }
  }
  // Cylinder side and caps.
  {
    const double ox = o.x - valec_x, oz = o.z - valec_z;
    const double a = d.x * d.x + d.z * d.z, b = 2 * (ox * d.x + oz * d.z);
    const double c = ox * ox + oz * oz - polomer_valce * polomer_valce;
    const double disk = b * b - 4 * a * c;
    if (a > 0 && disk >= 0) {
      for (double t : {(-b - std::sqrt(disk)) / (2 * a), (-b + std::sqrt(disk)) / (2 * a)}) {
        const double y = o.y + t * d.y;
        if (t <= t_min || y < valec_dole || y > valec_nahore) continue;
        const Vektor n = jednotkovy(Vektor{ox + t * d.x, 0.0, oz + t * d.z});
        vezmi(t, n, 0.85);
      }
    }
    for (double yv : {valec_dole, valec_nahore}) {
      if (d.y == 0) continue;
      const double t = (yv - o.y) / d.y;
      const double px = o.x + t * d.x - valec_x, pz = o.z + t * d.z - valec_z;
      if (px * px + pz * pz <= polomer_valce * polomer_valce) vezmi(t, Vektor{0, 1, 0}, 0.8);
    }
  }
  // Wall.
  if (d.z != 0) {
    const double t = (stena_z - o.z) / d.z;
    vezmi(t, Vektor{0, 0, 1}, albedo_steny(o + t * d));
  }
  if (nejblizsi >= 1e300) return false;
  *zasah = z;
  return true;
}

Vektor smer_pixelu(const Kamera& k, double u, double v) {
  return jednotkovy(k.f * k.vpred + (u - k.cx) * k.vpravo + (v - k.cy) * k.dolu);
}

bool promitni(const Kamera& k, const Vektor& bod, double* u, double* v) {
  const Vektor r = bod - k.stred;
  const double z = skalarne(r, k.vpred);
  if (z <= 1e-9) return false;
  *u = k.cx + k.f * skalarne(r, k.vpravo) / z;
  *v = k.cy + k.f * skalarne(r, k.dolu) / z;
  return true;
}

int gray(int i) { return i ^ (i >> 1); }

bool ScenaSteny::paprsek(const Vektor& stred, const Vektor& smer, Zasah* zasah) const {
  return vzorek::paprsek(stred, smer, zasah);
}

Vektor ScenaSteny::stred_kamery(int i) const { return kamery_[i].stred; }

Vektor ScenaSteny::smer_pixelu(int i, double u, double v) const {
  return vzorek::smer_pixelu(kamery_[i], u, v);
}

bool ScenaSteny::promitni(int i, const Vektor& bod, double* u, double* v) const {
  return vzorek::promitni(kamery_[i], bod, u, v);
}

Kamera ScenaSteny::projektor() const { return vzorek::projektor(); }

int vzor_projektoru(int cislice, int rodina, double u, double v) {
  if (cislice == 0) return rodina == 4 ? 1 : 0;
  const double s = rozestup;
  if (cislice == 9) {
    const double du = std::fabs(u - s * std::floor(u / s + 0.5));
    const double dv = std::fabs(v - s * std::floor(v / s + 0.5));
    return ((du < 1.5 && dv < 5.0) || (dv < 1.5 && du < 5.0)) ? 1 : 0;
  }
  const double w = rodina == 1 ? u : v;
  if (cislice == 1) return static_cast<int>(std::floor(w / s)) % 2 == 0 ? 1 : 0;
  const int bit = 8 - cislice;
  const int index = static_cast<int>(std::floor(w / s + 0.5));
  return (gray(index) >> bit) & 1;
}

}  // namespace vzorek
