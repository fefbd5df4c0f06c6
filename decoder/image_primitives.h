// Whole-image operations on 8-bit grey images: byte/intensity conversion,
// thresholds, the tri-state classification of a stripe image against two
// reference images, a pixel comparison, a clamped difference and two 7 x 7
// convolutions.
//
// Every image argument must be a single-channel 8-bit cv::Mat of at least
// 640 columns and 480 rows; only its top-left 640 x 480 area is read or
// written, row by row. Each output pixel depends only on the input pixels at
// the same place, so an output may be the same image as an input.
#pragma once

#include <opencv2/core.hpp>

// Convolution accumulators, element (row r, column c) at index c * 480 + r.
extern float horizontal[640 * 480];
extern float vertical[640 * 480];

// A stored byte read as a signed value (-128 to 127) to its intensity 0..255.
int prevod_z_Ipl(int v);
double prevod_z_Ipl(double v);
// The byte to store for intensity v: v modulo 256 (its low eight bits).
int prevod_do_Ipl(int v);

// Intensity at (row, column) of the 640 x 480 area, and storing one.
int intenzita(const cv::Mat& img, int radek, int sloupec);
void nastav_intenzitu(cv::Mat& img, int radek, int sloupec, int v);

// Each pixel becomes 255 when its intensity is greater than t, else 0.
void prah2D(cv::Mat& img, int t);
// Pixels brighter than t become 255; the others keep their value.
void prah_nechat2D(cv::Mat& img, int t);

// Tri-state classification with A = a, B = b, P = p at each pixel: 127 when
// |B - A| <= 5 (too little contrast), else 255 when |A - P| < |B - P|, else 0
// (a tie gives 0).
void cernabila(const cv::Mat& a, const cv::Mat& b, const cv::Mat& p, cv::Mat& out);

// 255 where a > b, 0 where a < b, 127 where equal.
void IplSrovnani(const cv::Mat& a, const cv::Mat& b, cv::Mat& out);
// a - b clamped to 0..255.
void IplRozdil(const cv::Mat& a, const cv::Mat& b, cv::Mat& out);

// True convolution with a 7 x 7 kernel (CV_32FC1 or CV_64FC1, centre at
// element (3, 3), applied mirrored) into `horizontal`; window positions
// outside the image add nothing; each partial sum is rounded to float. The
// integer argument is not used.
void konvoluce2D(const cv::Mat& img, const cv::Mat& kernel, int);

// The same convolution into `horizontal` (cil 0) or `vertical` (otherwise),
// normalised by the window's contrast: with max and min the largest and
// smallest in-range intensity of the window, the value becomes 0 when
// max - min < 50; otherwise, with H the value and half = (max - min) / 2, it
// is multiplied by sqrt(n * trunc|H - half| / 49) (n in-range positions) and,
// when max is not 0, by 255 / max. The gate and the normalisation act on the
// accumulator that was selected.
void konvoluce2Dpomerna(const cv::Mat& img, const cv::Mat& kernel, int cil);
