// The turned marker points of this scan, as the surface and the viewing
// frame take them: the points of the five turntable positions
// (body_souradnice slots 0..4 up to their counts, without the markers left
// out of triangulation; not the reference marks), each with its slot.
#pragma once

#include <array>
#include <vector>

struct OtoceneBody {
  std::vector<std::array<float, 3>> souradnice;
  std::vector<int> polohy;
};

OtoceneBody otocene_body();
