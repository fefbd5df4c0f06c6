// Grey image loading with the size check every stage relies on.
#include "decoder/image_input.h"

#include <opencv2/imgcodecs.hpp>

#include "decoder/decoder_state.h"

bool nacti_snimek(const char* jmeno, cv::Mat& obraz, std::string* chyba) {
  obraz = cv::imread(jmeno, cv::IMREAD_GRAYSCALE);
  if (obraz.empty() || obraz.type() != CV_8UC1) {
    obraz.release();
    if (chyba != nullptr)
      *chyba = std::string(jmeno) + ": missing or not a readable image";
    return false;
  }
  if (obraz.cols < sirka_obrazu || obraz.rows < vyska_obrazu) {
    if (chyba != nullptr)
      *chyba = std::string(jmeno) + ": image is " + std::to_string(obraz.cols) + " x " +
               std::to_string(obraz.rows) + " pixels, smaller than 640 x 480";
    obraz.release();
    return false;
  }
  return true;
}

bool nacti_snimek_textu(cv::Mat& obraz, std::string* chyba) {
  return nacti_snimek(text, obraz, chyba);
}
