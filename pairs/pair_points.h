// Turning decoded pixel pairs into points in space with the reconstruction's
// triangulation (ray_triangulation.h) and a given camera set-up (the
// programs pass the one in use, sestava_programu() of camera_rig.h).
//
// A pair's rows count from the top row of the picture; the triangulation
// counts them from the first row stored in the bitmap, which is the bottom
// one, so the pair's row r becomes row 479 - r. A pair whose viewing rays
// are parallel or pass further apart than max_mezera_paprsku (with a
// version 2 rig: max_mezera_pixelu) is dropped.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pairs/pair_file.h"
#include "reconstruction/ray_triangulation.h"

// The largest accepted ray gap, in the set-up's unit. Rays of a correctly
// matched pair miss each other only by the rounding of both rows to whole
// pixels, at most one row's height on the object: 0.149 * 150 / 225 = 0.1
// units at the far side of the turntable with the compiled-in cameras. 0.2
// keeps every sound pair and drops pairs whose rows disagree by three rows
// or more.
constexpr float max_mezera_paprsku = 0.2f;

// With the lenses of a version 2 rig the unit is the user's, so the bound
// is stated in pixels instead: the ray gap over the size of one pixel at
// the point's distance from camera 1. Rounding both pixels of a sound pair
// to whole pixels moves each ray by at most half a pixel's diagonal, 0.71
// pixels, so the gap stays below 1.5 pixels; 2 keeps every sound pair.
constexpr double max_mezera_pixelu = 2.0;

struct BodParu {
  float xyz[3];
  ParPixelu par;
  float mezera;  // the ray gap
};

struct VysledekParu {
  std::vector<BodParu> body;
  int vynechano = 0;  // pairs dropped
};

VysledekParu trianguluj_pary(const SestavaTriangulace& sestava, const std::vector<ParPixelu>& pary);

// The points as a binary PLY file: x, y, z, the pixels x1 y1 x2 y2 as in the
// pair file, and the ray gap as "quality". A turntable angle adds a comment
// that the points are in the common frame, turned from that angle.
std::string ply_bodu(const std::vector<BodParu>& body,
                     std::optional<int> uhel_otoceni = std::nullopt);
