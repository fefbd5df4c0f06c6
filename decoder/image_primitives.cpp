// Image primitives on the 640 x 480 area of 8-bit grey images.
#include "decoder/image_primitives.h"

#include <cmath>
#include <cstdlib>

#include "decoder/decoder_types.h"

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
