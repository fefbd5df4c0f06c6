// The best rigid alignment of one point set onto another: the rotation and
// translation that minimise the sum of squared distances between
// corresponding points (Kabsch's method with OpenCV's SVD). Used to compare
// a reconstruction made in another frame (a calibrated rig's) with the
// ground truth. Both sets must have the same size, at least three points,
// not all in line; otherwise the result is the identity.
#pragma once

#include <vector>

#include "tools/camera_projection.h"

struct Zarovnani {
  double otoceni[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Bod3 posun;
  Bod3 operator()(Bod3 x) const;
  Bod3 smer(Bod3 v) const;  // the rotation alone
};

// The alignment that takes z[i] closest to na[i].
Zarovnani nejlepsi_zarovnani(const std::vector<Bod3>& z, const std::vector<Bod3>& na);

// A world point in the frame of a pose world = otoceni * local + posun
// (the calibration object's): otoceni transposed times (x - posun).
Bod3 do_mistniho_ramce(const double otoceni[3][3], Bod3 posun, Bod3 x);
