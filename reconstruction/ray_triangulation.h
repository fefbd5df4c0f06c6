// The triangulation of one pixel pair with a camera set-up given as a value:
// the core of the markers' and the pixel pairs' triangulation, without any
// table (camera_rig.h keeps the programs' set-up in their tables and calls
// these with it).
//
// Pixel (column, row) of camera k lies on its image plane at
//   lok[k] + (column - c0) * krok_sloupce + (row - r0) * krok_radku,
// rows counted from the bottom, each coordinate computed in double and
// stored as a float; with the lenses of a version 2 rig the pixel's
// distortion is undone first.
#pragma once

#include "common/image_size.h"
#include "reconstruction/rig_file.h"

// Per camera: its centre pixel and the image-plane steps of one column and
// one row.
struct MapovaniPixelu {
  double pixel_stredu[2];  // column, row of the pixel at the image-plane point lok
  double krok_sloupce[3];
  double krok_radku[3];
};

// The lenses of a version 2 rig; without one, s_objektivy is false and
// nothing is undistorted.
struct ObjektivyKamer {
  bool s_objektivy = false;
  int vyska = vyska_obrazu;
  ObjektivRigu objektiv[2] = {};
};

struct SestavaTriangulace {
  float stred[2][3];  // projection centres, rounded to float as all stored geometry
  float lok[2][3];    // image-plane points of the centre pixels, likewise
  MapovaniPixelu mapovani[2];
  ObjektivyKamer objektivy;
};

// The set-up of a rig file's content (rounded as the programs store it).
SestavaTriangulace sestava_triangulace(const RigKamer& rig);

// The image-plane point of pixel (sloupec, radek) of camera `kamera`
// (0 or 1; rows from the bottom).
void bod_obrazove_roviny(const SestavaTriangulace& s, int kamera, int sloupec, int radek, float bod[3]);

// The size of one pixel at distance `hloubka` in front of camera 1 (in the
// rig's unit), for a set-up with lenses: hloubka / fx.
double velikost_pixelu(const SestavaTriangulace& s, double hloubka);

// p1 and p2 receive the image-plane points of pixel (x1, y1) of camera 1 and
// (x2, y2) of camera 2, bod the midpoint of the shortest segment between the
// two viewing rays and *mezera (when not null) that segment's length, the
// ray gap. Returns false, bod untouched, when the rays are parallel.
bool stred_paprsku(const SestavaTriangulace& s, int x1, int y1, int x2, int y2, float bod[3], float* mezera,
                   float p1[3], float p2[3]);
