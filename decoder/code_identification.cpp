// The code identification of one camera.
#include "decoder/code_identification.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/messages.h"
#include "decoder/code_reading.h"
#include "decoder/decoder_state.h"
#include "decoder/grid_points.h"
#include "decoder/image_input.h"

bool nacti_vzor(char vzor, char rodina, cv::Mat& obraz, std::string* chyba) {
  text[3] = vzor;
  text[4] = rodina;
  return nacti_snimek_textu(obraz, chyba);
}

bool Identifikace2(int camera, std::string* chyba) {
  // The images of the first camera lend their memory to the second.
  static cv::Mat ref03, ref04, mrizka1, mrizka2;
  static std::vector<cv::Mat> kody(bitu_kodu);
  if (!nacti_vzor('0', '3', ref03, chyba) || !nacti_vzor('0', '4', ref04, chyba) ||
      !nacti_vzor('1', '1', mrizka1, chyba) || !nacti_vzor('1', '2', mrizka2, chyba))
    return false;
  // All code images are loaded before any work, so that a missing one stops
  // the camera before anything is printed or stored.
  for (int k = 0; k < bitu_kodu; ++k) {
    const char rodina = k < 7 ? '1' : '2';
    const char vzor = static_cast<char>('8' - k % 7);
    if (!nacti_vzor(vzor, rodina, kody[static_cast<std::size_t>(k)], chyba)) return false;
  }

  identifikuj_snimky(camera, ref03, ref04, mrizka1, mrizka2, kody);
  return true;
}

void identifikuj_snimky(int camera, const cv::Mat& ref03, const cv::Mat& ref04,
                        const cv::Mat& mrizka1, const cv::Mat& mrizka2,
                        const std::vector<cv::Mat>& kody) {
  mapa_mrizky_primo(ref04, ref03, mrizka1, mrizka2);
  bool preteceni = false;
  redukce_blobu(&preteceni);
  if (preteceni)
    ohlas(zprava("camera " + std::to_string(camera), "the grid map holds more than " +
                                                           std::to_string(max_znacek - 1) + " blobs; only the first " +
                                                           std::to_string(max_znacek - 1) + " are decoded"));

  const std::vector<ZnackaBodu> body_znacky = cti_kody_primo(ref04, ref03, kody);
  SouhrnKodu souhrn;
  const std::vector<KodovanyBod> seznam = seznam_kodu(body_znacky, &souhrn);
  uloz_kody(camera, seznam, souhrn);
}
