// Stereo calibration from photograph pairs of a flat chessboard, with
// OpenCV's calib3d: corners by findChessboardCornersSB (on greyscale, any
// depth the image library reads), each camera by calibrateCamera (k1, k2,
// p1, p2, k3, those that the measurements determine), then stereoCalibrate
// for the second camera's pose with those intrinsics.
//
// `obrazky` alternate camera 1, camera 2 of one moment. A pair where either
// image shows no complete board is left out with a warning naming both
// files. A view whose error in either camera, or in camera 2 through the
// stereo pose, is above three times the median and one pixel is left out
// with a warning and the solve repeated once, when 4 views remain. The
// views of the result whose error is above twice its median are marked
// worth retaking (k_opakovani). Fails with a one-line message (naming a
// file where one is at fault) for: an odd number of images, an image that
// cannot be read, images of different sizes, fewer than 4 usable pairs,
// and a solve that fails or gives no usable set-up (all views at one pose
// leave it undetermined).
//
// The result is a version 2 rig (rig_file.h) in camera 1's frame, in the
// unit of `ctverec` (the side of one square), and the figures people judge a
// calibration by: per view and camera the reprojection RMS, per camera the
// RMS, the stereo RMS, the mean epipolar error, and the board measured back
// through the rig: the distance between neighbouring corners triangulated
// from both cameras, against the square's side.
#pragma once

#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "reconstruction/rig_file.h"

struct PohledSachovnice {
  std::string soubor[2];
  std::vector<cv::Point2f> rohy[2];  // detected corners, rows from the top
  double rms[2] = {0, 0};            // reprojection RMS of this view per camera
  double rms_stereo = 0;  // camera 2's corners against the board where camera 1 and the stereo pose put it
  bool k_opakovani = false;  // an error above twice its median: worth retaking
  std::vector<cv::Point2f> reziduum[2];  // reprojected minus detected, per corner
};

struct KalibraceSachovnici {
  RigKamer rig;
  std::vector<PohledSachovnice> pohledy;
  std::vector<std::string> varovani;
  double rms_kamery[2] = {0, 0};
  std::string model[2];  // the distortion terms solved for, per camera
  double rms_stereo = 0;
  double epipolarni_chyba = 0;  // mean distance of a corner from its epipolar line, pixels
  // Neighbouring corners triangulated through the rig: mean, RMS and
  // largest error of their distance against the square's side.
  double ctverec_prumer = 0, ctverec_rms = 0, ctverec_nejvic = 0;
};

bool kalibruj_sachovnici(const std::vector<std::string>& obrazky, cv::Size rohu, double ctverec,
                         const std::string& jednotka, KalibraceSachovnici* vysledek, std::string* chyba);

// The midpoint of the shortest segment between the viewing rays of pixel
// (rows from the top) p1 of camera 1 and p2 of camera 2 of a version 2 rig,
// in double precision, distortion undone; not a number when the rays are
// parallel.
cv::Point3d trianguluj_rigem(const RigKamer& rig, cv::Point2d p1, cv::Point2d p2);
