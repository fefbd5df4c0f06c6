// The two 7 x 7 convolutions into the global accumulators.
#include "decoder/convolution.h"

#include <cmath>

#include "decoder/decoder_types.h"
#include "decoder/image_primitives.h"

float horizontal[640 * 480];
float vertical[640 * 480];

namespace {

double prvek_jadra(const cv::Mat& jadro, int r, int c) {
  if (jadro.depth() == CV_64F) return jadro.at<double>(r, c);
  return static_cast<double>(jadro.at<float>(r, c));
}

// The mirrored 7 x 7 convolution at (r, c), each partial sum rounded to
// float; also the largest and smallest in-range intensity and the number of
// in-range window positions.
float konvoluce_v_bode(const cv::Mat& img, const cv::Mat& jadro, int r, int c, int* max,
                       int* min, int* pocet) {
  float soucet = 0.0f;
  *max = 0;
  *min = 255;
  *pocet = 0;
  for (int k = 0; k < 7; ++k) {
    const int rr = r + k - 3;
    if (rr < 0 || rr >= vyska_obrazu) continue;
    for (int l = 0; l < 7; ++l) {
      const int cc = c + l - 3;
      if (cc < 0 || cc >= sirka_obrazu) continue;
      const int v = intenzita(img, rr, cc);
      soucet = static_cast<float>(static_cast<double>(soucet) +
                                  prvek_jadra(jadro, 6 - k, 6 - l) * static_cast<double>(v));
      if (v > *max) *max = v;
      if (v < *min) *min = v;
      ++*pocet;
    }
  }
  return soucet;
}

}  // namespace

void konvoluce2D(const cv::Mat& img, const cv::Mat& kernel, int) {
  int max, min, pocet;
  for (int r = 0; r < vyska_obrazu; ++r)
    for (int c = 0; c < sirka_obrazu; ++c)
      horizontal[index_pole(r, c)] = konvoluce_v_bode(img, kernel, r, c, &max, &min, &pocet);
}

void konvoluce2Dpomerna(const cv::Mat& img, const cv::Mat& kernel, int cil) {
  float* akumulator = cil == 0 ? horizontal : vertical;
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      int max, min, pocet;
      float& H = akumulator[index_pole(r, c)];
      H = konvoluce_v_bode(img, kernel, r, c, &max, &min, &pocet);
      if (max - min < 50) {
        H = 0.0f;
        continue;
      }
      const int pul = (max - min) / 2;
      const int odchylka = static_cast<int>(std::fabs(static_cast<double>(H) - pul));
      const double s = static_cast<double>(pocet) * odchylka / 49.0;
      H = static_cast<float>(static_cast<double>(H) * std::sqrt(s));
      if (max != 0) H = static_cast<float>(static_cast<double>(H) * (255.0 / max));
    }
  }
}
