// The code identification of one camera, between the decoder's global tables
// and the decoding core.
#include "decoder/code_identification.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/messages.h"
#include "decoder/decoder_state.h"
#include "decoder/decoding.h"
#include "decoder/grid_points.h"
#include "decoder/image_input.h"

bool nacti_snimek_textu(cv::Mat& obraz, std::string* chyba) {
  return nacti_snimek(text, obraz, chyba);
}

bool nacti_vzor(char vzor, char rodina, cv::Mat& obraz, std::string* chyba) {
  text[3] = vzor;
  text[4] = rodina;
  return nacti_snimek_textu(obraz, chyba);
}

bool Identifikace2(int camera, std::string* chyba) {
  // The images of the first camera lend their memory to the second.
  static SnimkyKamery s;
  s.kody.resize(bitu_kodu);
  if (!nacti_vzor('0', '3', s.ref03, chyba) || !nacti_vzor('0', '4', s.ref04, chyba) ||
      !nacti_vzor('1', '1', s.mrizka1, chyba) || !nacti_vzor('1', '2', s.mrizka2, chyba))
    return false;
  // All code images are loaded before any work, so that a missing one stops
  // the camera before anything is printed or stored.
  for (int k = 0; k < bitu_kodu; ++k) {
    const char rodina = k < 7 ? '1' : '2';
    const char vzor = static_cast<char>('8' - k % 7);
    if (!nacti_vzor(vzor, rodina, s.kody[static_cast<std::size_t>(k)], chyba)) return false;
  }

  identifikuj_snimky(camera, s.ref03, s.ref04, s.mrizka1, s.mrizka2, s.kody);
  return true;
}

void uloz_kody(int kamera, const std::vector<KodovanyBod>& seznam, const SouhrnKodu& souhrn) {
  std::printf("vyrazeno pro nejednoznacny kod: %d\n", souhrn.nejednoznacne);
  std::printf("vyrazeno pro konflikt kodu: %d\n", souhrn.konflikty);
  std::printf("dobre body z celeho mereni: %d\n", souhrn.dobre);
  KodovanyBod* cil = kamera == 1 ? body_kam1 : body_kam2;
  for (std::size_t i = 0; i < seznam.size() && i < static_cast<std::size_t>(kapacita_bodu); ++i)
    cil[i] = seznam[i];
}

void identifikuj_snimky(int camera, const cv::Mat& ref03, const cv::Mat& ref04,
                        const cv::Mat& mrizka1, const cv::Mat& mrizka2,
                        const std::vector<cv::Mat>& kody) {
  const SnimkyKamery s{ref03, ref04, mrizka1, mrizka2, kody};
  const KodyKamery vysledek = identifikuj_kodove_snimky(s, vstuppom, vystuppom2);
  if (vysledek.preteceni)
    ohlas(zprava("camera " + std::to_string(camera), "the grid map holds more than " +
                                                           std::to_string(max_znacek - 1) + " blobs; only the first " +
                                                           std::to_string(max_znacek - 1) + " are decoded"));
  uloz_kody(camera, vysledek.kody, vysledek.souhrn);
}
