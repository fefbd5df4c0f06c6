// Photographs of a flat chessboard by two cameras with real-looking lenses:
// the ground truth for calibrate_rig. Each camera is OpenCV's model (camera
// matrix, distortion k1, k2, p1, p2, k3; camera 2 placed by a rotation and
// translation from camera 1's frame); the board has `rohu` inner corners
// and squares of side `ctverec`, is white-bordered by one square, and is
// posed at varied tilts and distances in front of both cameras. Pixels are
// 8-bit grey, each the mean of 4 x 4 samples (anti-aliased), with Gaussian
// noise of `sum` grey levels (seeded, reproducible).
#pragma once

#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "reconstruction/rig_file.h"

struct SnimkySachovnice {
  std::vector<cv::Mat> snimky[2];
};

// `rig` must be version 2 (its lenses are used; camera 1's frame is the
// rig's). Returns the pairs; pose i is the same for any count.
SnimkySachovnice vyfot_sachovnici(const RigKamer& rig, int pocet, cv::Size rohu, double ctverec, double sum,
                                  unsigned seed);

// Where both cameras of the rig look: the midpoint of the closest approach
// of their optical axes, in camera 1's frame. The board poses gather there.
cv::Vec3d cil_sachovnice(const RigKamer& rig);

// The side of a square for which the board spans 45 % of camera 1's width
// where the cameras look.
double ctverec_pro_rig(const RigKamer& rig, cv::Size rohu);

// A version 2 rig of two 640 x 480 cameras 100 units apart, turned towards
// each other by 10 degrees, focal length 620 / 615 pixels, with radial
// distortion k1 on both.
RigKamer rig_s_objektivy(double k1);
