// The lens of a version 2 camera (rig_file.h): its pinhole mapping, and
// pixels with and without its distortion.
//
// Pixels here are (column, row) with rows counted from the top of the
// picture, as OpenCV counts them; the reconstruction's bitmaps count rows
// from the bottom, and the one conversion between the two is radek_shora.
// Distortion is OpenCV's model: normalised coordinates x, y (camera matrix
// undone), r^2 = x^2 + y^2, x' = x (1 + k1 r^2 + k2 r^4 + k3 r^6) +
// 2 p1 x y + p2 (r^2 + 2 x^2), y' likewise with p1 and p2 swapped.
#pragma once

#include "reconstruction/rig_file.h"

// Row `radek` counted from the other end of a picture `vyska` rows high
// (the same both ways: the centre of the first row is row 0 either way).
inline double radek_shora(double radek, int vyska) { return (vyska - 1) - radek; }

// The pinhole mapping of the lens, rows counted from the bottom, with its
// image plane at the focal length's distance in pixels of the first axis.
KameraRigu kamera_z_objektivu(const ObjektivRigu& o, int vyska);

// The pixel a distortion-free camera would see where the lens shows
// (sloupec, radek); found by iteration to 1e-9 pixels or 100 steps.
void bez_zkresleni(const ObjektivRigu& o, double sloupec, double radek, double* ideal_sloupec, double* ideal_radek);

// The pixel where the lens shows what a distortion-free camera sees at
// (sloupec, radek).
void se_zkreslenim(const ObjektivRigu& o, double sloupec, double radek, double* skutecny_sloupec,
                   double* skutecny_radek);

// Whether the lens has any distortion.
bool ma_zkresleni(const ObjektivRigu& o);
