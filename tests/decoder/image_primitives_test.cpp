// The image primitives at their edges: byte conversions, thresholds at 128,
// the tri-state rule's ties and low contrast, the comparison, the clamped
// difference and the convolutions at a corner pixel.
#include "decoder/convolution.h"
#include "decoder/image_primitives.h"

#include <gtest/gtest.h>

#include "decoder/decoder_state.h"

namespace {

cv::Mat plny(int v, int sirka = 640, int vyska = 480) {
  return cv::Mat(vyska, sirka, CV_8UC1, cv::Scalar(v));
}

TEST(ByteConversion, SignedBytesBecomeIntensitiesAndBack) {
  EXPECT_EQ(prevod_z_Ipl(0), 0);
  EXPECT_EQ(prevod_z_Ipl(127), 127);
  EXPECT_EQ(prevod_z_Ipl(-128), 128);
  EXPECT_EQ(prevod_z_Ipl(-1), 255);
  EXPECT_DOUBLE_EQ(prevod_z_Ipl(-0.5), 255.5);
  EXPECT_DOUBLE_EQ(prevod_z_Ipl(3.25), 3.25);
  EXPECT_EQ(prevod_do_Ipl(200), 200);
  EXPECT_EQ(prevod_do_Ipl(256), 0);
  EXPECT_EQ(prevod_do_Ipl(383), 127);  // only the low byte is kept
  EXPECT_EQ(prevod_do_Ipl(-1), 255);
  cv::Mat m = plny(0);
  m.at<unsigned char>(3, 4) = 0xC8;
  EXPECT_EQ(intenzita(m, 3, 4), 200);
  nastav_intenzitu(m, 5, 6, 300);
  EXPECT_EQ(m.at<unsigned char>(5, 6), 44);
}

TEST(Thresholds, StrictlyGreaterThanT) {
  cv::Mat m = plny(0);
  m.at<unsigned char>(0, 0) = 128;
  m.at<unsigned char>(0, 1) = 129;
  m.at<unsigned char>(479, 639) = 255;
  m.at<unsigned char>(1, 0) = 100;
  cv::Mat n = m.clone();
  prah2D(m, 128);
  EXPECT_EQ(m.at<unsigned char>(0, 0), 0);
  EXPECT_EQ(m.at<unsigned char>(0, 1), 255);
  EXPECT_EQ(m.at<unsigned char>(479, 639), 255);
  EXPECT_EQ(m.at<unsigned char>(1, 0), 0);
  prah_nechat2D(n, 128);
  EXPECT_EQ(n.at<unsigned char>(0, 0), 128);  // kept
  EXPECT_EQ(n.at<unsigned char>(0, 1), 255);
  EXPECT_EQ(n.at<unsigned char>(1, 0), 100);
}

TEST(Thresholds, OnlyTheTopLeftAreaOfALargerImage) {
  cv::Mat m = plny(200, 700, 500);
  prah2D(m, 128);
  EXPECT_EQ(m.at<unsigned char>(479, 639), 255);
  EXPECT_EQ(m.at<unsigned char>(480, 10), 200);
  EXPECT_EQ(m.at<unsigned char>(10, 640), 200);
}

TEST(TriState, LowContrastTiesAndNearness) {
  // Reference a (04) lit, b (03) dark.
  cv::Mat a = plny(0), b = plny(0), p = plny(0), out = plny(9);
  auto bod = [&](int c, int A, int B, int P) {
    a.at<unsigned char>(0, c) = static_cast<unsigned char>(A);
    b.at<unsigned char>(0, c) = static_cast<unsigned char>(B);
    p.at<unsigned char>(0, c) = static_cast<unsigned char>(P);
  };
  bod(0, 105, 100, 105);  // contrast 5: too little
  bod(1, 106, 100, 106);  // contrast 6: nearer a
  bod(2, 200, 100, 150);  // exactly midway: a tie gives 0
  bod(3, 200, 100, 151);  // strictly nearer a
  bod(4, 200, 100, 149);  // nearer b
  bod(5, 100, 105, 0);    // |B - A| = 5 the other way round
  bod(6, 255, 0, 255);    // high bytes read as intensities, not as negative values
  cernabila(a, b, p, out);
  EXPECT_EQ(out.at<unsigned char>(0, 0), 127);
  EXPECT_EQ(out.at<unsigned char>(0, 1), 255);
  EXPECT_EQ(out.at<unsigned char>(0, 2), 0);
  EXPECT_EQ(out.at<unsigned char>(0, 3), 255);
  EXPECT_EQ(out.at<unsigned char>(0, 4), 0);
  EXPECT_EQ(out.at<unsigned char>(0, 5), 127);
  EXPECT_EQ(out.at<unsigned char>(0, 6), 255);
  EXPECT_EQ(out.at<unsigned char>(479, 639), 127);  // identical references elsewhere
}

TEST(TriState, InPlaceOverThePattern) {
  cv::Mat a = plny(200), b = plny(20), p = plny(190);
  p.at<unsigned char>(7, 7) = 30;
  cernabila(a, b, p, p);
  EXPECT_EQ(p.at<unsigned char>(0, 0), 255);
  EXPECT_EQ(p.at<unsigned char>(7, 7), 0);
}

TEST(Comparison, GreaterLessEqualAndClampedDifference) {
  cv::Mat a = plny(0), b = plny(0), out = plny(0);
  a.at<unsigned char>(0, 0) = 200;
  b.at<unsigned char>(0, 0) = 10;
  a.at<unsigned char>(0, 1) = 10;
  b.at<unsigned char>(0, 1) = 200;
  a.at<unsigned char>(0, 2) = 255;
  b.at<unsigned char>(0, 2) = 0;
  IplSrovnani(a, b, out);
  EXPECT_EQ(out.at<unsigned char>(0, 0), 255);
  EXPECT_EQ(out.at<unsigned char>(0, 1), 0);
  EXPECT_EQ(out.at<unsigned char>(5, 5), 127);
  IplRozdil(a, b, out);
  EXPECT_EQ(out.at<unsigned char>(0, 0), 190);
  EXPECT_EQ(out.at<unsigned char>(0, 1), 0);  // negative clamps to 0
  EXPECT_EQ(out.at<unsigned char>(0, 2), 255);
}

TEST(Convolution, CornerPixelSumsOnlyTheSixteenInRangeTerms) {
  cv::Mat img = plny(1);
  cv::Mat jadro(7, 7, CV_64FC1, cv::Scalar(1.0));
  konvoluce2D(img, jadro, 0);
  EXPECT_FLOAT_EQ(horizontal[index_pole(0, 0)], 16.0f);
  EXPECT_FLOAT_EQ(horizontal[index_pole(0, 3)], 28.0f);
  EXPECT_FLOAT_EQ(horizontal[index_pole(479, 639)], 16.0f);
  EXPECT_FLOAT_EQ(horizontal[index_pole(100, 100)], 49.0f);
}

TEST(Convolution, TheKernelIsAppliedMirrored) {
  cv::Mat img = plny(0);
  img.at<unsigned char>(10, 10) = 2;
  cv::Mat jadro(7, 7, CV_32FC1, cv::Scalar(0.0f));
  jadro.at<float>(0, 1) = 5.0f;  // row offset -3, column offset -2
  konvoluce2D(img, jadro, 0);
  // Output (r, c) takes kernel (6 - k, 6 - l) at input (r + k - 3, c + l - 3):
  // kernel (0, 1) meets the input at (r + 3, c + 2).
  EXPECT_FLOAT_EQ(horizontal[index_pole(7, 8)], 10.0f);
  EXPECT_FLOAT_EQ(horizontal[index_pole(13, 12)], 0.0f);
}

TEST(Convolution, ContrastGateAndSelectedAccumulator) {
  cv::Mat img = plny(100);
  img.at<unsigned char>(0, 0) = 140;  // window contrast 40 < 50 around the corner
  img.at<unsigned char>(200, 200) = 200;  // contrast 100 near (200, 200)
  cv::Mat jadro(7, 7, CV_64FC1, cv::Scalar(0.0));
  jadro.at<double>(3, 3) = 1.0;  // identity
  for (int i = 0; i < 640 * 480; ++i) horizontal[i] = -7.0f;
  konvoluce2Dpomerna(img, jadro, 1);
  EXPECT_FLOAT_EQ(vertical[index_pole(0, 0)], 0.0f);
  EXPECT_FLOAT_EQ(horizontal[index_pole(0, 0)], -7.0f);  // the other accumulator is untouched
  // At (200, 200): H = 200, half = 50, n = 49: sqrt(49 * 150 / 49) * 255 / 200.
  EXPECT_NEAR(vertical[index_pole(200, 200)], 200.0 * std::sqrt(150.0) * 255.0 / 200.0, 1e-3);
  // At (197, 200): H = 100 (the centre), |100 - 50| = 50.
  EXPECT_NEAR(vertical[index_pole(197, 200)], 100.0 * std::sqrt(50.0) * 255.0 / 200.0, 1e-3);
}

}  // namespace
