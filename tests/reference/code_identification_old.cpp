// The older, single-image code identification.
#include "tests/reference/code_identification_old.h"

#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "common/messages.h"
#include "decoder/code_identification.h"
#include "decoder/code_reading.h"
#include "decoder/decoder_state.h"
#include "decoder/grid_points.h"
#include "decoder/image_primitives.h"

namespace {
constexpr int X = hodnota_libovolna;
}

// Line ends: a set pixel with nothing set around it but a continuation on
// one side (straight, in four rotations) or on one diagonal (four rotations).
// Removing them trims one-pixel spurs, which would pull a blob's centroid off
// the crossing, and leaves closed outlines and solid areas alone.
const int sablony_filtru[72] = {
    0, 0, 0, 0, 1, 0, X, 1, X,  // continues downwards
    X, 0, 0, 1, 1, 0, X, 0, 0,  // continues to the left
    X, 1, X, 0, 1, 0, 0, 0, 0,  // continues upwards
    0, 0, X, 0, 1, 1, 0, 0, X,  // continues to the right
    0, 0, 0, 0, 1, 0, 0, 0, 1,  // continues down and right
    0, 0, 0, 0, 1, 0, 1, 0, 0,  // continues down and left
    1, 0, 0, 0, 1, 0, 0, 0, 0,  // continues up and left
    0, 0, 1, 0, 1, 0, 0, 0, 0,  // continues up and right
};

std::int32_t mezikrok1[640 * 480];
std::int32_t mezikrok2[640 * 480];
std::int32_t vystuppom[8][640 * 480];
std::int32_t vystuppom3[640 * 480];

namespace {

int bunka(const std::int32_t* pole, int r, int c) {
  if (r < 0 || r >= vyska_obrazu || c < 0 || c >= sirka_obrazu) return 0;
  return pole[index_pole(r, c)];
}

}  // namespace

void odstran_male_bloby() {
  for (int i = 0; i < sirka_obrazu * vyska_obrazu; ++i) mezikrok2[i] = mezikrok1[i] != 0 ? -1 : 0;
  std::vector<int> zasobnik, blob;
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      if (mezikrok2[index_pole(r, c)] != -1) continue;
      blob.clear();
      zasobnik.assign(1, index_pole(r, c));
      mezikrok2[index_pole(r, c)] = 1;
      while (!zasobnik.empty()) {
        const int i = zasobnik.back();
        zasobnik.pop_back();
        blob.push_back(i);
        const int cc = i / vyska_obrazu, rr = i % vyska_obrazu;
        for (int dr = -1; dr <= 1; ++dr) {
          for (int dc = -1; dc <= 1; ++dc) {
            if (bunka(mezikrok2, rr + dr, cc + dc) != -1) continue;
            mezikrok2[index_pole(rr + dr, cc + dc)] = 1;
            zasobnik.push_back(index_pole(rr + dr, cc + dc));
          }
        }
      }
      if (static_cast<int>(blob.size()) < min_velikost_blobu)
        for (int i : blob) mezikrok1[i] = 0;
    }
  }
}

void filtr_sablonami() {
  for (int j = 0; j < 8; ++j) {
    const int* sablona = &sablony_filtru[9 * j];
    for (int r = 0; r < vyska_obrazu; ++r) {
      for (int c = 0; c < sirka_obrazu; ++c) {
        int& vysledek = vystuppom[j][index_pole(r, c)];
        if (mezikrok1[index_pole(r, c)] == 0) {
          vysledek = 0;
          continue;
        }
        bool shoda = true;
        for (int k = 0; k < 9 && shoda; ++k) {
          const int ocekavana = sablona[k];
          if (ocekavana == hodnota_libovolna) continue;
          shoda = (bunka(mezikrok1, r + k / 3 - 1, c + k % 3 - 1) != 0 ? 1 : 0) == ocekavana;
        }
        vysledek = shoda ? 0 : 1;
      }
    }
  }
  for (int i = 0; i < sirka_obrazu * vyska_obrazu; ++i) {
    bool prezil = true;
    for (int j = 0; j < 8; ++j) prezil = prezil && vystuppom[j][i] != 0;
    vystuppom3[i] = prezil ? -1 : 0;
  }
}

bool Identifikace(int camera, std::string* chyba) {
  cv::Mat ref03, ref04, mrizka;
  if (!nacti_vzor('0', '3', ref03, chyba) || !nacti_vzor('0', '4', ref04, chyba) ||
      !nacti_vzor('9', '1', mrizka, chyba))
    return false;
  std::vector<cv::Mat> kody(bitu_kodu);
  for (int k = 0; k < bitu_kodu; ++k) {
    const char rodina = k < 7 ? '1' : '2';
    const char vzor = static_cast<char>('8' - k % 7);
    if (!nacti_vzor(vzor, rodina, kody[static_cast<std::size_t>(k)], chyba)) return false;
  }

  cv::Mat hranice;
  hranicni_mapa(ref04, ref03, mrizka, hranice);
  cv::dilate(hranice, hranice, cv::Mat());
  cv::erode(hranice, hranice, cv::Mat());
  for (int r = 0; r < vyska_obrazu; ++r)
    for (int c = 0; c < sirka_obrazu; ++c)
      mezikrok1[index_pole(r, c)] = intenzita(hranice, r, c) != 0 ? 1 : 0;
  odstran_male_bloby();
  filtr_sablonami();
  bool preteceni = false;
  redukce_blobu(&preteceni, vystuppom3);
  if (preteceni)
    ohlas(zprava("camera " + std::to_string(camera), "the grid map holds more than " +
                                                           std::to_string(max_znacek - 1) + " blobs; only the first " +
                                                           std::to_string(max_znacek - 1) + " are decoded"));

  for (cv::Mat& obraz : kody) cernabila(ref04, ref03, obraz, obraz);
  const std::vector<ZnackaBodu> body_znacky = cti_kody(kody, vystuppom3, true);
  SouhrnKodu souhrn;
  const std::vector<KodovanyBod> seznam = seznam_kodu(body_znacky, &souhrn);
  uloz_kody(camera, seznam, souhrn);
  return true;
}
