// Fuzz target: the bytes are the pixels of the 18 grey 640 x 480 images of one
// camera, stored one after another, rows top to bottom: reference 03,
// reference 04, grid patterns 1 and 2, then code bits 0 to 13. An input
// shorter than the 5 529 600 bytes of a full set repeats from its start, so
// short inputs give images tiled with their bytes: grid maps with many tiny
// blobs and codes at every point. The images go through the identification
// of camera 1 (border maps, grid map, blob reduction, code reading, the
// code list).
#include <opencv2/core.hpp>
#include <vector>

#include "decoder/code_identification.h"
#include "decoder/code_reading.h"
#include "decoder/decoder_state.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr std::size_t pixelu = static_cast<std::size_t>(sirka_obrazu) * vyska_obrazu;
  std::vector<cv::Mat> snimky(4 + bitu_kodu);
  std::size_t i = 0;
  for (cv::Mat& s : snimky) {
    s.create(vyska_obrazu, sirka_obrazu, CV_8UC1);
    for (int r = 0; r < vyska_obrazu; ++r) {
      unsigned char* radek = s.ptr<unsigned char>(r);
      for (int c = 0; c < sirka_obrazu; ++c) radek[c] = data[i++ % size];
    }
  }
  static_assert(pixelu * (4 + bitu_kodu) == 5529600, "the full set size in the comment");
  std::vector<cv::Mat> kody(snimky.begin() + 4, snimky.end());
  identifikuj_snimky(1, snimky[0], snimky[1], snimky[2], snimky[3], kody);
  return 0;
}
