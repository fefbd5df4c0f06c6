// The partner lists of the segment growth: for every point i of a plane,
// the other points j whose distance vzdalenost_v_rovine(body[i], body[j])
// is a number below 65535, in the order (distance, index).
//
// Built once for all points: each list is put in the order of a 16-bit
// level of its distances by a radix sort, then by insertion in the order
// (distance, index). Each entry holds
// the index j and the direction sector of j as seen from i (smer_partnera),
// which the growth would otherwise compute for every pair on its critical
// path; a distance is computed again where it is needed. An entry numbers
// its partner in 25 bits: more than max_bodu_partneru points give empty
// lists (the growth refuses such sets before it builds any).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/segment_growth.h"

// The direction of d as one of 64 sectors, numbered counterclockwise from
// the +x axis, sixteen per quadrant by |y| / (|x| + |y|), which grows with
// the angle from the x axis (NaN: a sector of its quadrant). Any numbering
// would give the growth the same segments; this one keeps neighbouring
// directions in neighbouring sectors.
inline int smer_partnera(BodRoviny d) {
  const float ax = std::fabs(d.x), ay = std::fabs(d.y);
  const float podil = ay / (ax + ay);
  const int v_kvadrantu = static_cast<int>((podil > 0 ? podil : 0.0f) * 15.999f);  // NaN: 0
  // Quadrants 0 to 3 counterclockwise; in the odd ones the angle from the
  // x axis falls as the sector number grows, and 15 - v is v ^ 15. No
  // branches: it is computed for every pair of points.
  const int zaporne_x = d.x < 0, zaporne_y = d.y < 0;
  const int kvadrant = (zaporne_y << 1) | (zaporne_x ^ zaporne_y);
  return kvadrant * 16 + (v_kvadrantu ^ (-(kvadrant & 1) & 15));
}

constexpr std::size_t max_bodu_partneru = (std::size_t{1} << 25) - 1;

class SeznamyPartneru {
 public:
  explicit SeznamyPartneru(const std::vector<BodRoviny>& body);

  // An entry: the partner j, and smer_partnera(body[j] - body[i]) with the
  // difference taken in float.
  static int partner(std::int32_t zaznam) { return zaznam >> 6; }
  static int smer(std::int32_t zaznam) { return zaznam & 63; }

  // The partners of point i: entries from zacatek(i) to konec(i).
  const std::int32_t* zacatek(int i) const { return partneri_.data() + meze_[i]; }
  const std::int32_t* konec(int i) const { return partneri_.data() + meze_[i + 1]; }

 private:
  std::vector<std::int32_t> partneri_;
  std::vector<std::size_t> meze_;
};
