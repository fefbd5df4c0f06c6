// The camera set-up file "rig.yml": per camera the projection centre and the
// mapping of a pixel to its point on the camera's image plane.
//
// Pixel (column, row) of camera k lies on its image plane at
//   bod_stredu + (column - pixel_stredu[0]) * krok_sloupce
//              + (row - pixel_stredu[1]) * krok_radku,
// and its viewing ray runs from stred_projekce through that point. Rows
// count from the first row stored in the bitmap. All lengths are in the
// file's unit.
//
// The file is OpenCV FileStorage YAML with a version (verze_rigu), the unit
// (a non-empty text), and the maps "camera1" and "camera2" with the fields
// projection_centre, centre_point, centre_pixel, column_step and row_step,
// each preceded by a comment line. Numbers are written so that reading them
// back gives the same doubles.
//
// nacti_rig refuses, with a one-line message naming the file and the field:
// a file that cannot be read or parsed, a missing field, a field with the
// wrong number of values or a value that is not a finite number, an unknown
// version, a zero step, a column step parallel to the row step, and a
// projection centre on its image plane. It also refuses an integer that does
// not fit 32 bits and a value beyond +-1e15 (the geometry is kept in single
// precision), two projection centres that coincide or lie very close
// against the distance to the image plane, and centre rays that never meet
// in front of the cameras. A file without the "%YAML:1.0" first line is
// read as if it had it; parse errors name the line. nacti_rig refuses what
// is not a regular file and a file over nejvetsi_soubor_rigu bytes.
// *rig is left unchanged on every failure.
#pragma once

#include <cstddef>
#include <string>

#include "common/image_size.h"

struct KameraRigu {
  double stred_projekce[3];  // projection centre
  double bod_stredu[3];      // image-plane point of pixel pixel_stredu
  double pixel_stredu[2];    // column, row
  double krok_sloupce[3];    // image-plane step of one column
  double krok_radku[3];      // image-plane step of one row
};

// The lens of a camera of a version 2 file, in OpenCV's own quantities and
// conventions: the camera matrix (row-major 3 x 3), the distortion
// (k1, k2, p1, p2, k3), and the rotation (row-major 3 x 3) and translation
// that take a point of the rig's frame (camera 1's) into the camera's
// frame. Pixel rows count from the top of the picture.
struct ObjektivRigu {
  double matice[9];
  double zkresleni[5];
  double otoceni[9];
  double posun[3];
};

struct RigKamer {
  std::string jednotka;  // the unit of every length
  // The pinhole mapping of each camera as above (for a version 2 file the
  // one its camera matrix, rotation and translation give, rows counted from
  // the bottom of the picture as the bitmaps store them).
  KameraRigu kamera[2];
  int verze = 1;
  // Version 2 only: the image size in pixels and each camera's lens, whose
  // distortion every triangulation undoes first (lens_distortion.h).
  int sirka = sirka_obrazu;
  int vyska = vyska_obrazu;
  ObjektivRigu objektiv[2] = {};
};

constexpr const char* soubor_rigu = "rig.yml";
constexpr int verze_rigu = 1;
constexpr int verze_rigu_objektivu = 2;
constexpr std::size_t nejvetsi_soubor_rigu = 1024 * 1024;

// The file's text.
std::string text_rigu(const RigKamer& rig);

// Writes the file atomically (an existing file is replaced only by a
// complete one). Returns false with a message naming the file.
bool zapis_rig(const std::string& cesta, const RigKamer& rig, std::string* chyba);

// Parses a file's text; `cesta` names it in messages.
bool precti_rig(const std::string& text, const std::string& cesta, RigKamer* rig,
                std::string* chyba);

// Reads and checks a file.
bool nacti_rig(const std::string& cesta, RigKamer* rig, std::string* chyba);

// The pixel (column, row, unrounded) at which the ray from the camera's
// projection centre through world point x meets its image plane. Returns
// false when x lies behind the projection centre or on its plane parallel
// to the image plane.
bool promitni_rigem(const KameraRigu& kamera, const double x[3], double* sloupec, double* radek);
