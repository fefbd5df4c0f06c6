// The vase's ray test as it was first written.
#include "tests/reference/vase_hit_plain.h"

#include <algorithm>
#include <cmath>

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

// A lower bound of the distance to the vase for a point outside it, to
// within the slope of the radius (at most about 1.45 times): how far the
// point lies outside the radius at its height, or above or below the vase.
double odstup_od_vazy(Bod3 m) {
  const double h = std::clamp(m.z, 0.0, vyska_vazy);
  const double rho = std::hypot(m.x, m.y);
  return std::max({rho - polomer_vazy(h, std::atan2(m.y, m.x)), -m.z, m.z - vyska_vazy});
}

}  // namespace

bool zasah_vazy_doslovne(Bod3 oko, Bod3 smer, double* t, Bod3* normala) {
  double od = 0.0, po = 0.0;
  if (!v_obalu(oko, smer, &od, &po)) return false;
  double venku = od;
  for (double s = od; s <= po;) {
    if (uvnitr_vazy(oko + s * smer)) {
      // Halve the step between the last point outside and this one.
      double uvnitr = s;
      for (int i = 0; i < 60 && uvnitr - venku > 1e-10; i++) {
        const double stred = 0.5 * (venku + uvnitr);
        (uvnitr_vazy(oko + stred * smer) ? uvnitr : venku) = stred;
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
    s += std::max(odstup_od_vazy(oko + s * smer) / 1.5, 0.002);
  }
  return false;
}
