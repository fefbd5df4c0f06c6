// Reading the codes at labelled points: ambiguous and 127-only neighbourhoods,
// points in the border rows, duplicate codes as one conflict, label order,
// and the three count lines.
#include "decoder/code_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/code_identification.h"
#include "decoder/correspondence.h"
#include "decoder/decoder_state.h"

namespace {

cv::Mat plny(int v) { return cv::Mat(480, 640, CV_8UC1, cv::Scalar(v)); }

void vycisti_pole() {
  for (int i = 0; i < 640 * 480; ++i) vystuppom2[i] = 0;
}

std::vector<cv::Mat> kody_hodnoty(int v) {
  std::vector<cv::Mat> kody;
  for (int k = 0; k < bitu_kodu; ++k) kody.push_back(plny(v));
  return kody;
}

TEST(NeighbourhoodBit, ZeroAnd255AreAmbiguousAnd127CountsForNeither) {
  cv::Mat m = plny(127);
  EXPECT_EQ(bit_okoli(m, 10, 10), 0);  // 127 only
  m.at<unsigned char>(11, 11) = 255;
  EXPECT_EQ(bit_okoli(m, 10, 10), 1);  // 127 and 255
  m.at<unsigned char>(9, 9) = 0;
  EXPECT_EQ(bit_okoli(m, 10, 10), -1);  // 0 and 255
  EXPECT_EQ(bit_okoli(m, 12, 12), 1);   // (9, 9) is outside this window
  m.at<unsigned char>(11, 11) = 127;
  EXPECT_EQ(bit_okoli(m, 10, 10), 0);  // 0 and 127
}

TEST(NeighbourhoodBit, OlderMajorityRule) {
  cv::Mat m = plny(127);
  EXPECT_EQ(bit_okoli_vetsinou(m, 10, 10), -1);
  m(cv::Rect(9, 9, 3, 2)).setTo(255);  // 6 of 9
  EXPECT_EQ(bit_okoli_vetsinou(m, 10, 10), 1);
  m(cv::Rect(9, 9, 3, 3)).setTo(0);
  m.at<unsigned char>(9, 9) = 255;
  m.at<unsigned char>(9, 10) = 255;
  m.at<unsigned char>(9, 11) = 255;
  m.at<unsigned char>(10, 9) = 255;  // 4 x 255, 5 x 0
  EXPECT_EQ(bit_okoli_vetsinou(m, 10, 10), 0);
}

TEST(CodeReading, BitsAmbiguityAndBorderRows) {
  vycisti_pole();
  vystuppom2[index_pole(100, 100)] = 1;
  vystuppom2[index_pole(200, 200)] = 2;
  vystuppom2[index_pole(0, 50)] = 3;    // top row: never read
  vystuppom2[index_pole(50, 639)] = 4;  // last column: never read
  vystuppom2[index_pole(478, 1)] = 5;   // innermost readable corner
  std::vector<cv::Mat> kody = kody_hodnoty(0);
  // Point 1: bits 0 and 13 set; bit 5 lit only in one neighbour with 127s.
  kody[0](cv::Rect(99, 99, 3, 3)).setTo(255);
  kody[13](cv::Rect(99, 99, 3, 3)).setTo(255);
  kody[5](cv::Rect(99, 99, 3, 3)).setTo(127);
  kody[5].at<unsigned char>(101, 101) = 255;
  // Point 2: ambiguous in image 2 (0 and 255), whatever later images show.
  kody[2].at<unsigned char>(199, 199) = 255;
  kody[9](cv::Rect(199, 199, 3, 3)).setTo(255);
  // Point 5: a 127-only neighbourhood reads 0, a 255 one 1.
  kody[1](cv::Rect(0, 477, 3, 3)).setTo(127);
  kody[3](cv::Rect(0, 477, 3, 3)).setTo(255);
  const std::vector<ZnackaBodu> body = cti_kody(kody, vystuppom2);
  ASSERT_EQ(body.size(), 10000u);
  EXPECT_EQ(body[1].kod, 1 + 32 + 8192);
  EXPECT_EQ(body[1].x, 100);
  EXPECT_EQ(body[1].y, 100);
  EXPECT_EQ(body[2].kod, -1);
  EXPECT_EQ(body[3].kod, -2);
  EXPECT_EQ(body[4].kod, -2);
  EXPECT_EQ(body[5].kod, 8);
  EXPECT_EQ(body[0].kod, -2);
  EXPECT_EQ(body[6].kod, -2);
}

TEST(CodeList, DuplicatesAreOneConflictAtTheFirstPoint) {
  std::vector<ZnackaBodu> body(10000, ZnackaBodu{0, 0, -2});
  body[1] = {10, 11, 500};
  body[2] = {20, 21, 7};
  body[3] = {30, 31, 500};
  body[4] = {40, 41, -1};
  body[5] = {50, 51, 500};
  body[6] = {60, 61, 0};
  body[7] = {70, 71, -1};
  SouhrnKodu s;
  const std::vector<KodovanyBod> seznam = seznam_kodu(body, &s);
  ASSERT_EQ(seznam.size(), 3u);
  EXPECT_EQ(seznam[0].kod, 500);
  EXPECT_EQ(seznam[0].pocet, 3);
  EXPECT_EQ(seznam[0].x, 10);
  EXPECT_EQ(seznam[0].y, 11);
  EXPECT_EQ(seznam[1].kod, 7);
  EXPECT_EQ(seznam[2].kod, 0);
  EXPECT_EQ(s.nejednoznacne, 2);
  EXPECT_EQ(s.konflikty, 1);  // codes, not points
  EXPECT_EQ(s.dobre, 2);
}

TEST(CodeList, CountLinesAndTheCameraTable) {
  VycistiBody();
  std::vector<KodovanyBod> seznam = {{5, 1, 1, 2}, {9, 2, 3, 4}};
  SouhrnKodu s;
  s.nejednoznacne = 4;
  s.konflikty = 1;
  s.dobre = 1;
  testing::internal::CaptureStdout();
  uloz_kody(2, seznam, s);
  const std::string vystup = testing::internal::GetCapturedStdout();
  EXPECT_EQ(vystup,
            "vyrazeno pro nejednoznacny kod: 4\n"
            "vyrazeno pro konflikt kodu: 1\n"
            "dobre body z celeho mereni: 1\n");
  EXPECT_EQ(body_kam2[0].kod, 5);
  EXPECT_EQ(body_kam2[1].pocet, 2);
  EXPECT_EQ(body_kam2[2].kod, -1);
  EXPECT_EQ(body_kam1[0].kod, -1);
}

TEST(CodeList, NoGridPointsGiveThreeZeros) {
  vycisti_pole();
  SouhrnKodu s;
  const std::vector<KodovanyBod> seznam = seznam_kodu(cti_kody(kody_hodnoty(255), vystuppom2), &s);
  EXPECT_TRUE(seznam.empty());
  EXPECT_EQ(s.nejednoznacne + s.konflikty + s.dobre, 0);
}

}  // namespace
