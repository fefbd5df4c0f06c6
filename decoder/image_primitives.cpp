// Image primitives on the 640 x 480 area of 8-bit grey images.
#include "decoder/image_primitives.h"

#include <cmath>
#include <cstdlib>

#include "decoder/decoder_state.h"

float horizontal[640 * 480];
float vertical[640 * 480];

int prevod_z_Ipl(int v) { return v < 0 ? v + 256 : v; }

double prevod_z_Ipl(double v) { return v < 0.0 ? v + 256.0 : v; }

int prevod_do_Ipl(int v) { return static_cast<int>(static_cast<unsigned>(v) & 0xFFu); }

int intenzita(const cv::Mat& img, int radek, int sloupec) {
  // The byte is read as a signed char and converted, as every stored byte is.
  const signed char b = static_cast<signed char>(img.ptr<unsigned char>(radek)[sloupec]);
  return prevod_z_Ipl(static_cast<int>(b));
}

void nastav_intenzitu(cv::Mat& img, int radek, int sloupec, int v) {
  img.ptr<unsigned char>(radek)[sloupec] = static_cast<unsigned char>(prevod_do_Ipl(v));
}

void prah2D(cv::Mat& img, int t) {
  for (int r = 0; r < vyska_obrazu; ++r)
    for (int c = 0; c < sirka_obrazu; ++c)
      nastav_intenzitu(img, r, c, intenzita(img, r, c) > t ? 255 : 0);
}

void prah_nechat2D(cv::Mat& img, int t) {
  for (int r = 0; r < vyska_obrazu; ++r)
    for (int c = 0; c < sirka_obrazu; ++c)
      if (intenzita(img, r, c) > t) nastav_intenzitu(img, r, c, 255);
}

void cernabila(const cv::Mat& a, const cv::Mat& b, const cv::Mat& p, cv::Mat& out) {
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      const int A = intenzita(a, r, c);
      const int B = intenzita(b, r, c);
      const int P = intenzita(p, r, c);
      int v;
      if (std::abs(B - A) <= 5)
        v = 127;
      else
        v = std::abs(A - P) < std::abs(B - P) ? 255 : 0;
      nastav_intenzitu(out, r, c, v);
    }
  }
}

void IplSrovnani(const cv::Mat& a, const cv::Mat& b, cv::Mat& out) {
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      const int A = intenzita(a, r, c);
      const int B = intenzita(b, r, c);
      nastav_intenzitu(out, r, c, A > B ? 255 : (A < B ? 0 : 127));
    }
  }
}

void IplRozdil(const cv::Mat& a, const cv::Mat& b, cv::Mat& out) {
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      int d = intenzita(a, r, c) - intenzita(b, r, c);
      if (d < 0) d = 0;
      if (d > 255) d = 255;
      nastav_intenzitu(out, r, c, d);
    }
  }
}

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
