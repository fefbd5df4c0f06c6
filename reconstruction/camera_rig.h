// The camera set-up the triangulation works with: the projection centres
// (stereo_kamera), the image-plane points of the centre pixels (stereo_lok),
// per camera its centre pixel and the image-plane steps of one column and
// one row, and the lenses of a version 2 rig.
//
// Pixel (column, row) of camera k lies on its image plane at
//   stereo_lok[k] + (column - c0) * krok_sloupce + (row - r0) * krok_radku.
// The compiled-in set-up (the default, vychozi_rig) has c0 = 360, r0 = 240,
// krok_sloupce = x_px * (horizontal direction, 0) and krok_radku =
// y_px * (0, 0, 1), each product exact in double, so that the mapping gives
// bit for bit the points of the compiled-in formula.
#pragma once

#include <string>

#include "reconstruction/ray_triangulation.h"
#include "reconstruction/rig_file.h"

// The set-up in use: stereo_kamera and stereo_lok with the pixel mapping and
// the lenses of the rig last used (the compiled-in one's, without lenses,
// until pouzij_rig), for the triangulation's core (ray_triangulation.h).
SestavaTriangulace sestava_programu();

// The compiled-in set-up as a rig file's content.
RigKamer vychozi_rig();

// Makes `rig` the set-up of the triangulation and of the drawing: fills
// stereo_kamera and stereo_lok (rounded to float, as all stored geometry),
// the pixel mapping and lenses, and the image rectangles stereo_body (the corners of the
// 640 x 480 image).
void pouzij_rig(const RigKamer& rig);

// Start-up: when "rig.yml" exists in the working directory, reads it, uses
// it (pouzij_rig) and says so on standard output and in the log; *pouzit
// tells whether it did. A version 2 file made for another image size than
// the 640 x 480 pictures the programs read is refused. Without the file nothing is printed and the
// compiled-in set-up stays. Returns false with a one-line message naming
// the file and the field when the file is present but cannot be used (a
// symbolic link to a missing file among them).
// `cteni` reads the file (nacti_rig, or a loader of it that keeps its
// library out of a program that does not need it).
using CteniRigu = bool (*)(const std::string& cesta, RigKamer* rig, std::string* chyba);
bool nacti_rig_programu(bool* pouzit, std::string* chyba, CteniRigu cteni);

inline bool nacti_rig_programu(bool* pouzit, std::string* chyba) {
  return nacti_rig_programu(pouzit, chyba, nacti_rig);
}
