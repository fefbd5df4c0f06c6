// Reading the 14-bit code at every labelled grid point, keeping one entry per
// distinct code, and the three count lines.
//
// Code images are the tri-state images (0, 127, 255) of the 14 code
// patterns, index k giving bit k; each single-channel 8-bit, at least
// 640 x 480. The labels come from a label table laid out by index_pole, as
// redukce_blobu leaves it (grid_points.h).
#pragma once

#include <opencv2/core.hpp>
#include <vector>

#include "decoder/decoder_types.h"

constexpr int bitu_kodu = 14;

// One labelled point: its column, row and code; kod -2 means no point was
// read for the label, -1 an ambiguous code.
struct ZnackaBodu {
  int x;
  int y;
  int kod;
};

// How one 3 x 3 neighbourhood reads: 1 (some 255, no 0), 0 (no 255), or -1
// (both a 0 and a 255: ambiguous). 127 counts for neither.
int bit_okoli(const cv::Mat& kodovy, int radek, int sloupec);

// The older rule: bit 1 when 5 or more of the 9 pixels are 255, else 0 when
// 5 or more are 0, else -1 (ambiguous).
int bit_okoli_vetsinou(const cv::Mat& kodovy, int radek, int sloupec);

// body_znacky[L] for L = 0..9999 from the labels in `pole`: points in rows 1..478 and columns 1..638 get their code read from
// `kody` with bit_okoli, or with bit_okoli_vetsinou when `vetsinou` is set
// (the first ambiguous image sets kod -1 and ends the reading); the others
// keep kod -2.
std::vector<ZnackaBodu> cti_kody(const std::vector<cv::Mat>& kody,
                                 const std::int32_t* pole, bool vetsinou = false);

// The same as cti_kody with bit_okoli on the tri-state images of `kody`
// against the references (ref04 lit, ref03 dark), but with the raw code
// images: the tri-state is found only in the 3 x 3 neighbourhoods that are
// read. The labels are visited in memory order; where a label occurs more
// than once, the last cell in row order counts, as in cti_kody.
std::vector<ZnackaBodu> cti_kody_primo(const cv::Mat& ref04, const cv::Mat& ref03,
                                       const std::vector<cv::Mat>& kody,
                                       const std::int32_t* pole);

// The same reading one code image at a time, so that the images need not
// all be in memory at once: the labelled points and their neighbours that
// the references light differently are found when it is made, each code
// image adds the next bit (bit 0 first), and vysledek() gives what
// cti_kody_primo gives with the images added so far.
class CteniKodu {
 public:
  CteniKodu(const cv::Mat& ref04, const cv::Mat& ref03, const std::int32_t* pole);
  void pridej_bit(const cv::Mat& kodovy);
  std::vector<ZnackaBodu> vysledek() const;

 private:
  struct Bod {
    int L, r, c;
    int sousedu;
    int kod;  // -1 once a bit was ambiguous
    unsigned char A[9], B[9];
    int poloha[9];  // row * 640 + column of each neighbour
  };
  std::vector<Bod> body_;
  int bitu_ = 0;
};

// The counts of one camera.
struct SouhrnKodu {
  int nejednoznacne = 0;  // points with an ambiguous code
  int konflikty = 0;      // codes carried by more than one point
  int dobre = 0;          // codes carried by exactly one point
};

// One entry per distinct code in order of first occurrence (label order),
// with its count and the position of its first point; counts the ambiguous
// points and sorts the codes into good and conflicting.
std::vector<KodovanyBod> seznam_kodu(const std::vector<ZnackaBodu>& body_znacky,
                                     SouhrnKodu* souhrn);
