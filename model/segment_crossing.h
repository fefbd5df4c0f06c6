// The crossing test of the segment growth, split so that a candidate
// segment tested against many segments prepares its own part once.
//
// priprav_krizeni(P, D) takes the segment from P along D; krizi(k, Q, E)
// then tells whether the segment from Q along E crosses it, with exactly
// the arithmetic of usecky_se_krizi (see segment_growth.h): the values
// prepared here are the same double expressions the test would evaluate
// for every segment, computed once. Any float input is allowed (NaN and
// infinite ones give "no crossing" wherever usecky_se_krizi does).
#pragma once

#include <cmath>

#include "model/segment_growth.h"

namespace krizeni {

// porovnejfloat(x, 0, 0.0001) == 0: x - 0 is x, and a NaN is not zero.
inline bool je_nula(float x) { return std::fabs(x) < 0.0001f; }

}  // namespace krizeni

struct KrizeniUsecky {
  float p[2];
  float d[2];
  // Per coordinate order r (0: x first, 1: y first): whether the test may
  // divide by D[r] (not je_nula); for the order (x, y), the one nearly
  // always used, D[y] / D[x] in double (the order (y, x) divides where it
  // is used).
  bool platne[2];
  double podil_xy;
};

inline KrizeniUsecky priprav_krizeni(BodRoviny P, BodRoviny D) {
  // Divided also where D[x] is near zero (and the value never used), so
  // that no branch stands in the way of testing several segments at once.
  return {{P.x, P.y}, {D.x, D.y}, {!krizeni::je_nula(D.x), !krizeni::je_nula(D.y)}, static_cast<double>(D.y) / D.x};
}

// P + t D = Q + u E solved in the order (x, y), or (y, x) when the first
// order divides by a value below 0.0001 in magnitude; 0 < t, u < 1 strictly.
inline bool krizi(const KrizeniUsecky& k, BodRoviny Q, BodRoviny E) {
  const float q[2] = {Q.x, Q.y};
  const float e[2] = {E.x, E.y};
  for (int r = 0; r < 2; r++) {
    if (!k.platne[r]) continue;
    const int c = 1 - r;
    const float den = static_cast<float>(static_cast<double>(e[r]) * k.d[c] / k.d[r] - e[c]);
    if (krizeni::je_nula(den)) continue;
    const double podil = r == 0 ? k.podil_xy : static_cast<double>(k.d[c]) / k.d[r];
    const float u =
        static_cast<float>((static_cast<double>(q[c]) - k.p[c] + podil * (static_cast<double>(k.p[r]) - q[r])) / den);
    // Outside (0, 1) in u the segments cannot cross: t is not needed.
    if (!(0 < u && u < 1)) return false;
    const float t = static_cast<float>((static_cast<double>(q[r]) - k.p[r] + static_cast<double>(e[r]) * u) / k.d[r]);
    return 0 < t && t < 1;
  }
  return false;
}

// The crossing test in the order (x, y) alone, computed in full without
// branches so that several of them can run side by side: 1 or 0 as krizi
// answers, or -1 where the order (x, y) does not decide (D[x] or den near
// zero) and krizi has to be asked.
inline int krizi_v_poradi_xy(const KrizeniUsecky& k, BodRoviny Q, BodRoviny E) {
  const float den = static_cast<float>(static_cast<double>(E.x) * k.d[1] / k.d[0] - E.y);
  const float u =
      static_cast<float>((static_cast<double>(Q.y) - k.p[1] + k.podil_xy * (static_cast<double>(k.p[0]) - Q.x)) / den);
  const float t = static_cast<float>((static_cast<double>(Q.x) - k.p[0] + static_cast<double>(E.x) * u) / k.d[0]);
  const bool rozhoduje = k.platne[0] & !krizeni::je_nula(den);
  const bool krizi = (0 < u) & (u < 1) & (0 < t) & (t < 1);
  return rozhoduje ? static_cast<int>(krizi) : -1;
}
