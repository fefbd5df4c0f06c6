// The decoder's two 7 x 7 convolutions of an 8-bit grey image into the
// global accumulators `horizontal` and `vertical`: part of the decoder's
// image toolkit that the code identification does not call (it finds the
// grid by the borders of the tri-state images instead), kept for programs
// and checks that filter the stripe images. They write global tables, so
// they belong to the decoder program's shell, not to the decoding core.
//
// Image arguments as in image_primitives.h.
#pragma once

#include <opencv2/core.hpp>

// Convolution accumulators, element (row r, column c) at index c * 480 + r.
extern float horizontal[640 * 480];
extern float vertical[640 * 480];

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
