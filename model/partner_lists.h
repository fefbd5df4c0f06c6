// The partner lists of the segment growth: for every point i of a plane,
// the other points j whose distance vzdalenost_v_rovine(body[i], body[j])
// is a number below 65535, in the order (distance, index).
//
// Built once for all points: each list is distributed into bins by its
// distances and the bins are sorted by (distance, index). The lists hold
// indices only; a distance is computed again where it is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/segment_growth.h"

class SeznamyPartneru {
 public:
  explicit SeznamyPartneru(const std::vector<BodRoviny>& body);

  // The partners of point i: indices from zacatek(i) to konec(i).
  const std::int32_t* zacatek(int i) const { return partneri_.data() + meze_[i]; }
  const std::int32_t* konec(int i) const { return partneri_.data() + meze_[i + 1]; }

 private:
  std::vector<std::int32_t> partneri_;
  std::vector<std::size_t> meze_;
};
