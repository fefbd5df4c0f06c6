// Joint refinement of the two cameras of a calibration with the marker pairs
// of the scan images.
//
// One view of the calibration object fixes each camera's focal length and
// its distance from the object only together: moving a camera along its line
// of sight while changing its focal length changes the object's picture by
// far less than a pixel. The markers of the scan, each seen by both cameras,
// tie the two cameras to each other (each pair must lie on corresponding
// epipolar lines), and hundreds of them pin down what the sixteen marks
// leave loose.
//
// Inputs: for each camera its OpenCV pinhole (x ~ K (R X + t), rows growing
// downwards, zero skew, no distortion) solved from the calibration marks
// alone, the marks' object coordinates and pixels, and the pixel pairs
// (rows growing downwards). The least squares over both cameras' intrinsics
// and poses weigh each mark's reprojection error and each pair's Sampson
// distance (its first-order distance in pixels from being a true
// correspondence) alike. Pairs further than nejvetsi_vzdalenost_paru_px from
// agreeing with the cameras of the marks alone are left out as mismatched.
#pragma once

#include <vector>

#include <opencv2/core.hpp>

struct PohledKamery {
  cv::Matx33d k;
  cv::Vec3d rvec, tvec;
};

struct ZnackyKamery {
  std::vector<cv::Point3d> objekt;
  std::vector<cv::Point2d> obraz;
};

struct ParPixelu {
  cv::Point2d u[2];  // the same marker in camera 1 and camera 2
};

constexpr double nejvetsi_vzdalenost_paru_px = 3.0;

// Sampson distance of pixel a of camera 1 and b of camera 2 under the
// fundamental matrix f (b^T f a = 0 for a true pair).
double sampsonova_vzdalenost(const cv::Matx33d& f, const cv::Point2d& a, const cv::Point2d& b);

cv::Matx33d fundamentalni_matice(const PohledKamery& k1, const PohledKamery& k2);

struct SpolecneZpresneni {
  int pouzito = 0;        // pairs used
  int vynechano = 0;      // pairs left out as mismatched
  double prumer_px = 0;   // mean Sampson distance of the used pairs afterwards
};

// Refines kamery[0] and kamery[1] in place. Returns false (cameras
// unchanged) when there are fewer than minimum_paru usable pairs or the
// solver fails.
constexpr int minimum_paru = 20;
bool zpresni_spolecne(const ZnackyKamery znacky[2], const std::vector<ParPixelu>& pary,
                      PohledKamery kamery[2], SpolecneZpresneni* vysledek);
