// Whole-image operations on 8-bit grey images: byte/intensity conversion,
// thresholds, the tri-state classification of a stripe image against two
// reference images, a pixel comparison and a clamped difference.
//
// Every image argument must be a single-channel 8-bit cv::Mat of at least
// 640 columns and 480 rows; only its top-left 640 x 480 area is read or
// written, row by row. Each output pixel depends only on the input pixels at
// the same place, so an output may be the same image as an input.
#pragma once

#include <opencv2/core.hpp>

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
