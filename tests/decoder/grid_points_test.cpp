// Border maps, the grid map and the blob reduction: which neighbours make a
// border, one point per blob at the truncated centroid, label order, and the
// label table limit.
#include "decoder/grid_points.h"

#include <gtest/gtest.h>

#include <vector>

#include "decoder/decoder_state.h"

namespace {

cv::Mat plny(int v) { return cv::Mat(480, 640, CV_8UC1, cv::Scalar(v)); }

void vycisti_pole() {
  for (int i = 0; i < 640 * 480; ++i) vystuppom2[i] = 0;
}

TEST(BorderMap, ZeroNextTo255MakesABorderAndLowContrastNever) {
  const cv::Mat lit = plny(200), dark = plny(20);
  cv::Mat refs_lit = lit.clone(), refs_dark = dark.clone();
  // Pattern: left half lit (255 after classification), right half dark (0).
  cv::Mat p = plny(20);
  p(cv::Rect(0, 0, 320, 480)).setTo(200);
  // Rows 300 and below have no contrast: the references agree there.
  refs_lit(cv::Rect(0, 300, 640, 180)).setTo(20);
  cv::Mat hranice;
  hranicni_mapa(refs_lit, refs_dark, p, hranice);
  ASSERT_EQ(hranice.rows, 480);
  ASSERT_EQ(hranice.cols, 640);
  EXPECT_EQ(hranice.at<unsigned char>(100, 318), 0);
  EXPECT_EQ(hranice.at<unsigned char>(100, 319), 255);
  EXPECT_EQ(hranice.at<unsigned char>(100, 320), 255);
  EXPECT_EQ(hranice.at<unsigned char>(100, 321), 0);
  // Row 299 (lit, 0/255 below is 127/...): a 255 above a 127 is no border.
  EXPECT_EQ(hranice.at<unsigned char>(299, 100), 0);
  EXPECT_EQ(hranice.at<unsigned char>(300, 100), 0);
  EXPECT_EQ(hranice.at<unsigned char>(400, 319), 0);  // 127 on both sides
  // The outermost columns: the library mirrors the image, so no x border there.
  EXPECT_EQ(hranice.at<unsigned char>(100, 0), 0);
}

TEST(GridMap, BothBorderMapsMustBeSet) {
  cv::Mat h1 = plny(0), h2 = plny(0);
  h1.at<unsigned char>(10, 10) = 255;
  h2.at<unsigned char>(10, 10) = 255;
  h1.at<unsigned char>(20, 20) = 255;
  mapa_mrizky(h1, h2, vstuppom, vystuppom2);
  EXPECT_EQ(vstuppom[index_pole(10, 10)], 255);
  EXPECT_EQ(vystuppom2[index_pole(10, 10)], -1);
  EXPECT_EQ(vstuppom[index_pole(20, 20)], 0);
  EXPECT_EQ(vystuppom2[index_pole(20, 20)], 0);
}

TEST(BlobReduction, OnePointPerBlobInScanOrder) {
  vycisti_pole();
  // A single isolated pixel is a blob of one cell.
  vystuppom2[index_pole(50, 600)] = -1;
  // A 2 x 3 block: columns 10..12, rows 100..101; centroid (11, 100.5) -> (11, 100).
  for (int r = 100; r <= 101; ++r)
    for (int c = 10; c <= 12; ++c) vystuppom2[index_pole(r, c)] = -1;
  // A diagonal chain is one 8-connected blob: (200,5), (201,6), (202,7).
  for (int i = 0; i < 3; ++i) vystuppom2[index_pole(200 + i, 5 + i)] = -1;
  bool preteceni = true;
  EXPECT_EQ(redukce_blobu(&preteceni, vystuppom2), 3);
  EXPECT_FALSE(preteceni);
  EXPECT_EQ(vystuppom2[index_pole(50, 600)], 1);  // met first (row 50)
  EXPECT_EQ(vystuppom2[index_pole(100, 11)], 2);
  EXPECT_EQ(vystuppom2[index_pole(201, 6)], 3);
  int nenulovych = 0;
  for (int i = 0; i < 640 * 480; ++i) nenulovych += vystuppom2[i] != 0;
  EXPECT_EQ(nenulovych, 3);
}

TEST(BlobReduction, ACentroidOutsideItsBlobOverwritesWhateverIsThere) {
  vycisti_pole();
  // An L-shaped blob whose truncated centroid is a background cell; a winding
  // blob (a spiral arm) is still one component.
  for (int c = 0; c < 9; ++c) vystuppom2[index_pole(10, c)] = -1;   // row 10, cols 0..8
  for (int r = 11; r < 19; ++r) vystuppom2[index_pole(r, 0)] = -1;  // col 0, rows 11..18
  // 17 cells: column sum 36, row sum 10 * 9 + (11 + ... + 18) = 90 + 116 = 206.
  EXPECT_EQ(redukce_blobu(nullptr, vystuppom2), 1);
  EXPECT_EQ(vystuppom2[index_pole(206 / 17, 36 / 17)], 1);
  EXPECT_EQ(vystuppom2[index_pole(10, 0)], 0);
}

TEST(BlobReduction, MoreThan9999BlobsStopLabellingWithinTheTable) {
  vycisti_pole();
  // Isolated pixels on every other row and column: 76800 blobs.
  for (int r = 0; r < 480; r += 2)
    for (int c = 0; c < 640; c += 2) vystuppom2[index_pole(r, c)] = -1;
  bool preteceni = false;
  EXPECT_EQ(redukce_blobu(&preteceni, vystuppom2), 9999);
  EXPECT_TRUE(preteceni);
  int nejvyssi = 0, zaporne = 0;
  for (int i = 0; i < 640 * 480; ++i) {
    if (vystuppom2[i] > nejvyssi) nejvyssi = vystuppom2[i];
    if (vystuppom2[i] < 0) ++zaporne;
  }
  EXPECT_EQ(nejvyssi, 9999);
  EXPECT_EQ(zaporne, 0);
}

TEST(BlobReduction, ALargeWindingBlobIsOneBlob) {
  vycisti_pole();
  // A serpentine over the whole image: every other row full, joined at
  // alternating ends.
  for (int r = 0; r < 480; r += 2) {
    for (int c = 0; c < 640; ++c) vystuppom2[index_pole(r, c)] = -1;
    if (r + 1 < 480) vystuppom2[index_pole(r + 1, (r / 2) % 2 == 0 ? 639 : 0)] = -1;
  }
  EXPECT_EQ(redukce_blobu(nullptr, vystuppom2), 1);
}

}  // namespace
