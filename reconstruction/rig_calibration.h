// kalibruj_rig: each camera solved as a pinhole from every calibration mark
// its image shows, the result as the content of "rig.yml".
//
// Inputs: the two calibration images (640 x 480, 3 bytes per pixel, red
// first) with the marks painted as for kalibrace (pure red, value k = mark
// k - 1), and the marks' known positions on the calibration object
// (body_relativ). Each mark counts at the centre of its pixels (their mean
// column and row), which for a painted dot lies within a fraction of a pixel
// of the dot's centre, where the last pixel in scan order may be off by the
// dot's radius. A camera needs at least nejmene_znacek marks that do not all
// lie in one plane (the object's two faces give that).
//
// Method: a direct linear transform (DLT) on normalised coordinates gives a
// 3 x 4 projection matrix; its RQ decomposition gives the first camera
// matrix, which cv::calibrateCamera then refines together with the pose
// (square-sum of reprojection errors, zero skew, no lens distortion). The
// camera is then written in the rig form: the image plane through the
// centroid of the used marks, perpendicular to the optical axis, the
// principal point as the centre pixel. The frame and unit are those of the
// object's mark coordinates.
//
// Output: a block on vystup with each camera's projection centre, the marks
// used, and the mean and largest distance in pixels between where the rig
// projects each mark and where the image shows it, with the worst mark.
// Returns true with *rig filled when both cameras were solved and fit their
// images (mean at most nejvetsi_prumer_px, largest at most
// nejvetsi_chyba_px); otherwise prints why and returns false.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "reconstruction/calibration.h"
#include "reconstruction/rig_adjustment.h"
#include "reconstruction/rig_file.h"

constexpr int nejmene_znacek = 6;
constexpr double nejvetsi_prumer_px = 2.0;
constexpr double nejvetsi_chyba_px = 5.0;

// Centres of the calibration marks in one image.
struct StredyZnacek {
  bool v_obraze[pocet_kalibracnich_znacek] = {};
  double sloupec[pocet_kalibracnich_znacek] = {};
  double radek[pocet_kalibracnich_znacek] = {};
};

StredyZnacek stredy_znacek(const unsigned char* pixely);

struct KalibraceKamery {
  bool vyreseno = false;
  std::string duvod;  // why the camera has no solution
  int pouzito = 0;    // marks the camera was solved from
  int chybi = 0;      // marks the image does not show
  KameraRigu kamera{};
  double prumer = 0.0;
  double nejvetsi = 0.0;
  int nejhorsi = -1;
};

// Solves one camera from the marks its image shows.
KalibraceKamery kalibruj_kameru(const StredyZnacek& znacky);

// The pixel pairs of every marker both images of a scan position show (the
// scene tables after the marker scan), rows growing downwards.
std::vector<ParPixelu> pary_skenu();

// znacky[0], znacky[1]: camera 1's and camera 2's marks. With `pary` (the
// scan's marker pairs, rows growing downwards) both cameras are then refined
// together (rig_adjustment.h), and the block says with how many pairs.
bool kalibruj_rig(const StredyZnacek znacky[2], std::FILE* vystup, RigKamer* rig,
                  const std::vector<ParPixelu>& pary = {});

// Runs kalibruj_rig and, when it succeeds, writes "rig.yml" in the working
// directory (atomically: an existing file is replaced only by a complete
// one) and says so on vystup and in the log. A file that cannot be written
// is a warning on standard error; the program goes on.
void uloz_rig_z_kalibrace(const unsigned char* snimek1, const unsigned char* snimek2,
                          std::FILE* vystup);
