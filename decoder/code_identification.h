// Identifikace2: decodes the structured-light images of one camera at the
// angle already in `text` and stores its distinct codes in body_kam1
// (kamera 1) or body_kam2 (otherwise).
//
// Reads, with text[5] already set to the camera digit: the references 03
// (projector dark) and 04 (projector lit), the grid patterns of families 1
// and 2 (pattern digit 1), and the code patterns 8 down to 2 of family 1
// (bits 0..6) and of family 2 (bits 7..13). Prints the three count lines.
// Returns false, with nothing printed and the point table unchanged, when an
// image is missing, unreadable or smaller than 640 x 480; chyba then names
// the file. When the grid map holds more than 9999 blobs the first 9999 are
// decoded and a warning goes to standard error.
#pragma once

#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "decoder/code_reading.h"
#include "decoder/decoder_types.h"

bool Identifikace2(int camera, std::string* chyba = nullptr);

// The work of Identifikace2 after loading, on images already in memory: the
// references, the two grid patterns and the 14 code images (bit k at index
// k), each single-channel 8-bit of at least 640 x 480. The grid map is found
// in one pass (mapa_mrizky_primo) and the tri-state of the code images only
// where the codes are read (cti_kody_primo); the images are not changed.
void identifikuj_snimky(int camera, const cv::Mat& ref03, const cv::Mat& ref04,
                        const cv::Mat& mrizka1, const cv::Mat& mrizka2,
                        const std::vector<cv::Mat>& kody);

// Loads the image of pattern digit `vzor` and family digit `rodina` under the
// template (text[3], text[4] are set and kept).
bool nacti_vzor(char vzor, char rodina, cv::Mat& obraz, std::string* chyba);

// The file whose name `text` holds now, loaded as nacti_snimek does.
bool nacti_snimek_textu(cv::Mat& obraz, std::string* chyba);

// Prints the three count lines and copies the list into the first records of
// body_kam1 (kamera 1) or body_kam2 (otherwise).
void uloz_kody(int kamera, const std::vector<KodovanyBod>& seznam, const SouhrnKodu& souhrn);
