// The merged points of a whole-object scan: outliers, normals, "dense.ply".
//
// The points come from all turntable angles, already in the common frame.
// Each keeps its angle and pixels, the grey value of camera 1's preview
// there, and the place camera 1 looked from at its angle (in the common
// frame), which tells the side the surface was seen from.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "pairs/pair_file.h"

struct HustyBod {
  std::array<float, 3> xyz{};
  std::array<float, 3> normala{};
  unsigned char sed = 0;
  int uhel = 0;
  ParPixelu par{};
  std::array<float, 3> kamera{};  // camera 1's centre at the point's angle
};

// The neighbours a point is judged and its normal estimated by.
constexpr int sousedu_bodu = 10;

// Removes the points that lie far from their neighbours: those whose mean
// distance to their sousedu_bodu nearest points (of any angle) exceeds
// nasobek_rozestupu times the median of that mean over all points. A
// wrongly paired code lands off the surface, where the nearest points are
// several grid cells away; sound points on the edge of a view have half
// their neighbours and stay well inside that bound. Keeps the order of the
// rest and returns how many were removed at each angle of `uhly` (in that
// order). Fewer than sousedu_bodu + 1 points are all kept, and so are
// points of which most lie on top of each other (a median of 0).
constexpr double nasobek_rozestupu = 3.0;
std::vector<int> odstran_odlehle(std::vector<HustyBod>* body, const std::vector<int>& uhly);

// Each point's normal: the normal of the plane fitted (least squares) to it
// and its sousedu_bodu nearest points, turned towards the camera it was
// seen from, that is out of the object. Fewer than three points keep a zero
// normal.
// Also gives, when `na_rovine` is given, each point moved onto that plane:
// the measurement noise across the surface taken out, for the mesh.
void odhadni_normaly(std::vector<HustyBod>* body,
                     std::vector<std::array<float, 3>>* na_rovine = nullptr);

// "dense.ply", binary: per vertex x y z, nx ny nz (float), red green blue
// (uchar, the grey value thrice), angle, x1 y1 x2 y2 (int; rows from the
// top, as in data.txt).
std::string ply_husteho(const std::vector<HustyBod>& body);
