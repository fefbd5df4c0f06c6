// Reading the common camera bitmaps without the image library: uncompressed
// Windows bitmaps of 8 bits (with a full palette of 256 entries, or one whose
// header leaves the count at 0) or 24 bits per pixel, bottom-up or top-down,
// with the plain 40-byte header, exactly 640 x 480 pixels.
//
// cti_bitmapu_primo takes the whole file in `data` (n bytes). For a file of
// that kind whose pixels fit the file it fills `obraz` (640 x 480, 8-bit
// grey) and returns true; every other file is left alone (false) for the
// image library. Colour becomes grey by the image library's own rule,
// (1868 B + 9617 G + 4899 R + 8192) >> 14, palette entries likewise, so the
// result equals the library's grey decoding byte for byte.
#pragma once

#include <cstddef>
#include <opencv2/core.hpp>

bool cti_bitmapu_primo(const unsigned char* data, std::size_t n, cv::Mat& obraz);

// The grey value of one blue, green, red triple.
inline unsigned char sed_bgr(unsigned b, unsigned g, unsigned r) {
  return static_cast<unsigned char>((1868u * b + 9617u * g + 4899u * r + 8192u) >> 14);
}
