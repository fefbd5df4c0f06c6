// Finding the grid crossings of one camera: the border map of a grid pattern,
// the grid map where two border maps meet, and the reduction of every
// 8-connected blob of the grid map to one labelled point.
//
// Images are single-channel 8-bit, at least 640 x 480 (top-left area used).
#pragma once

#include <opencv2/core.hpp>

#include "decoder/decoder_types.h"

constexpr int max_znacek = 10000;  // blob labels run from 1 to 9999

// Border map of grid pattern p against the references (ref04 lit, ref03 dark):
// the tri-state image T of p, its central differences in x and y (Sobel,
// aperture 1, the library's border rule), each made absolute and saturated to
// 8 bits and thresholded at 128; the result is 255 where either difference
// is over 128, i.e. where the left and right, or the upper and lower,
// neighbours are one 0 and one 255. `hranice` becomes a new 640 x 480 image.
void hranicni_mapa(const cv::Mat& ref04, const cv::Mat& ref03, const cv::Mat& p,
                   cv::Mat& hranice);

// Grid map into two 640 x 480 tables laid out by index_pole: vstup = 255
// where both border maps are 255, else 0; vystup = -1 there, else 0.
void mapa_mrizky(const cv::Mat& hranice1, const cv::Mat& hranice2, std::int32_t* vstup,
                 std::int32_t* vystup);

// The same grid map straight from the images, in one pass over the rows:
// the tri-state of both grid patterns, their border maps and the grid map
// are found together, without the intermediate images. vstup and vystup
// end up exactly as after hranicni_mapa for both patterns and mapa_mrizky.
// It keeps no state between calls, so calls on different tables may run at
// the same time.
void mapa_mrizky_primo(const cv::Mat& ref04, const cv::Mat& ref03, const cv::Mat& mrizka1,
                       const cv::Mat& mrizka2, std::int32_t* vstup, std::int32_t* vystup);

// Reduces every 8-connected blob of -1 cells in `pole` (a 640 x 480 label
// table laid out by index_pole) to one cell: scan
// rows (outer) and columns, give the blob first met label L (from 1), clear
// the blob and set the cell at (column sum / count, row sum / count), integer
// division, to L, whatever it held. Returns the number of labels given. Stops
// labelling when 9999 labels are used and another blob remains: such blobs
// are cleared to 0 and *preteceni (when given) is set to true.
int redukce_blobu(bool* preteceni, std::int32_t* pole);
