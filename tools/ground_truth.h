// The ground-truth file of a sample scene, "ground_truth.txt": one record per
// line, a keyword and numbers separated by spaces, '#' starts a comment line.
//
//   seed N
//   style blob | pixel
//   axis_centre x y z          turntable centre on the turntable plane
//   axis_direction x y z       unit axis direction, with the sign the
//                              reconstruction derives from the reference marks
//   slot_angle SLOT DEGREES    turntable angle the reconstruction uses
//   reference GREEN x y z      reference mark on the turntable (slot 1)
//   calibration_rotation r00 r01 r02 r10 r11 r12 r20 r21 r22
//   calibration_translation x y z     world = rotation * local + translation
//   calibration_mark NUMBER x y z     world position of calibration mark
//   marker SLOT NUMBER POINT x y z X Y Z
//       marker NUMBER of angle slot SLOT is object point POINT; (x, y, z) is
//       its true place in the common frame the reconstruction turns the slot
//       into, (X, Y, Z) where it stood when the slot was photographed.
//
// Coordinates are world units in the frame of camera 1.
#pragma once

#include <string>
#include <vector>

#include "tools/camera_projection.h"

struct Scena;

struct ZaznamZnacky {
  int slot = 0;
  int cislo = 0;
  int bod_objektu = 0;
  Bod3 pravda;
  Bod3 poloha;
};

struct PravdaSceny {
  long long seed = 0;
  std::string styl;
  Osa osa;
  int uhly[5] = {};
  Bod3 reference[4];
  double otoceni_kalibrace[3][3] = {};
  Bod3 posun_kalibrace;
  Bod3 kalibracni[16];
  std::vector<ZaznamZnacky> znacky;
};

std::string text_pravdy(const Scena& scena);

// Reads a ground-truth file. Returns false with a message naming the file
// and the line when it cannot be read or a record is malformed.
bool nacti_pravdu(const std::string& cesta, PravdaSceny* pravda, std::string* chyba);
