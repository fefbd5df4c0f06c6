// Synthetic input for the calibration tests: a known camera set-up, the
// calibration images it gives, and minimal marker images the programs need
// before they reach the calibration.
//
// A camera is the same pinhole as the triangulation's: pixel (c, r) is the
// image-plane point O + (c - 360) * x_px * H + (r - 240) * y_px * V, and the
// ray runs from the projection centre K through it. Everything here is in
// double precision.
#pragma once

#include <string>

#include "tools/bmp_writer.h"

struct ZnamaKamera {
  double o[3];
  double h[3];
  double v[3];
  double k[3];
};

struct ZnamaSestava {
  ZnamaKamera kamera[2];
};

// The test set-up. Both image planes contain calibration marks 0, 8 and 14
// (the plane x - y + z = 0), so the calibration model fits it exactly: H and
// V are orthogonal with equal lengths s, and K lies 225 * s^2 from the plane
// along H x V. Camera 1: s = 1, no roll; camera 2: s = 1.1, rolled by 5
// degrees, 14 units to the side.
ZnamaSestava testovaci_sestava();

// The same set-up with camera 1 moved along its axis to 250 units from its
// image plane, the pixel pitch on that plane unchanged: a camera the
// calibration model (225 units per unit of pitch) does not describe.
ZnamaSestava sestava_mimo_model();

// Unrounded pixel (column, row) of a world point; false if the ray is
// parallel to the image plane.
bool promitni(const ZnamaKamera& kamera, const double bod[3], double* sloupec, double* radek);

// The image of the 16 calibration marks seen by the camera: mark i is one
// pure red pixel of value i + 1 at its rounded pixel.
Obraz kalibracni_obraz(const ZnamaKamera& kamera);

// Rounded pixel of calibration mark i.
void pixel_znacky(const ZnamaKamera& kamera, int znacka, int* sloupec, int* radek);

// Writes "kalib1.bmp" and "kalib2.bmp" of the set-up into adresar.
bool zapis_kalibracni_snimky(const std::string& adresar, const ZnamaSestava& sestava);

// Writes the ten marker images: black, except four reference marks (green
// 255 to 252, not in line) in the two "080" images.
bool zapis_snimky_znacek(const std::string& adresar);
