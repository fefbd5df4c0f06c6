// The older single-image identification on a small synthetic set of large
// crosses: dropped small blobs, the line-end templates, and majority bits.
#include "tests/reference/code_identification_old.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <opencv2/imgcodecs.hpp>
#include <filesystem>
#include <string>

#include "decoder/correspondence.h"
#include "decoder/decoder_state.h"
#include "tests/support/program_run.h"

namespace {

cv::Mat plny(int v) { return cv::Mat(480, 640, CV_8UC1, cv::Scalar(v)); }

void vycisti(std::int32_t* pole) {
  for (int i = 0; i < 640 * 480; ++i) pole[i] = 0;
}

TEST(OldFilter, BlobsBelow200PixelsAreDropped) {
  vycisti(mezikrok1);
  for (int c = 10; c < 209; ++c) mezikrok1[index_pole(5, c)] = 1;   // 199 pixels
  for (int c = 10; c < 210; ++c) mezikrok1[index_pole(50, c)] = 1;  // 200 pixels
  odstran_male_bloby();
  EXPECT_EQ(mezikrok1[index_pole(5, 100)], 0);
  EXPECT_EQ(mezikrok1[index_pole(50, 100)], 1);
}

TEST(OldFilter, LineEndsGoSolidAreasStay) {
  vycisti(mezikrok1);
  for (int r = 100; r < 110; ++r)
    for (int c = 100; c < 110; ++c) mezikrok1[index_pole(r, c)] = 1;
  for (int c = 200; c < 220; ++c) mezikrok1[index_pole(20, c)] = 1;  // horizontal line
  for (int i = 0; i < 5; ++i) mezikrok1[index_pole(300 + i, 300 + i)] = 1;  // diagonal
  mezikrok1[index_pole(400, 400)] = 1;  // isolated: no continuation, no template
  filtr_sablonami();
  EXPECT_EQ(vystuppom3[index_pole(100, 100)], -1);  // corner of the block stays
  EXPECT_EQ(vystuppom3[index_pole(105, 105)], -1);
  EXPECT_EQ(vystuppom3[index_pole(20, 200)], 0);    // both ends of the line go
  EXPECT_EQ(vystuppom3[index_pole(20, 219)], 0);
  EXPECT_EQ(vystuppom3[index_pole(20, 210)], -1);
  EXPECT_EQ(vystuppom3[index_pole(300, 300)], 0);   // both ends of the diagonal go
  EXPECT_EQ(vystuppom3[index_pole(304, 304)], 0);
  EXPECT_EQ(vystuppom3[index_pole(302, 302)], -1);
  EXPECT_EQ(vystuppom3[index_pole(400, 400)], -1);
  EXPECT_EQ(vystuppom3[index_pole(50, 50)], 0);     // background
}

TEST(OldIdentification, FindsTheCrossCentresAndTheirCodes) {
  char buf[4096];
  ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
  const std::string puvodni = buf;
  const std::string adresar = novy_adresar("decoder-old");
  ASSERT_EQ(chdir(adresar.c_str()), 0);

  // Four large lit crosses, each in its own 160 x 160 cell with its own code.
  const int stredy[4][2] = {{100, 100}, {300, 100}, {100, 300}, {300, 300}};
  const int kody[4] = {1, 300, 5000, 16383};
  cv::Mat mrizka = plny(20);
  std::vector<cv::Mat> kodove(14, plny(20));
  for (auto& m : kodove) m = plny(20);
  for (int i = 0; i < 4; ++i) {
    const int x = stredy[i][0], y = stredy[i][1];
    mrizka(cv::Rect(x - 30, y - 3, 61, 7)).setTo(200);
    mrizka(cv::Rect(x - 3, y - 30, 7, 61)).setTo(200);
    for (int k = 0; k < 14; ++k)
      if ((kody[i] >> k) & 1) kodove[k](cv::Rect(x - 60, y - 60, 120, 120)).setTo(200);
  }
  cv::imwrite("060031.bmp", plny(20));
  cv::imwrite("060041.bmp", plny(200));
  cv::imwrite("060911.bmp", mrizka);
  for (int k = 0; k < 14; ++k) {
    const std::string jmeno = "060" + std::to_string(8 - k % 7) + (k < 7 ? "1" : "2") + "1.bmp";
    cv::imwrite(jmeno, kodove[k]);
  }
  nastav_uhel_v_textu(60);
  text[5] = '1';
  VycistiBody();
  std::string chyba;
  testing::internal::CaptureStdout();
  const bool hotovo = Identifikace(1, &chyba);
  const std::string vystup = testing::internal::GetCapturedStdout();
  ASSERT_EQ(chdir(puvodni.c_str()), 0);
  std::filesystem::remove_all(adresar);
  ASSERT_TRUE(hotovo) << chyba;
  EXPECT_EQ(vystup,
            "vyrazeno pro nejednoznacny kod: 0\n"
            "vyrazeno pro konflikt kodu: 0\n"
            "dobre body z celeho mereni: 4\n");
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(body_kam1[i].kod, kody[i]);
    EXPECT_EQ(body_kam1[i].pocet, 1);
    EXPECT_NEAR(body_kam1[i].x, stredy[i][0], 1);
    EXPECT_NEAR(body_kam1[i].y, stredy[i][1], 1);
  }
  EXPECT_EQ(body_kam1[4].kod, -1);
}

}  // namespace
