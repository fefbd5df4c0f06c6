// The decoding core: the structured-light images of one camera at one
// turntable angle to its distinct codes, and the codes of two cameras to
// pixel pairs. Every function works only on what it is given; the work
// tables of the code identification belong to a KontextDekodovani, so two
// contexts may decode on two threads at the same time. Nothing here reads or
// writes the decoder program's global tables (decoder_state.h), which are
// filled from these results by the program's own layer
// (code_identification.h, correspondence.h).
#pragma once

#include <opencv2/core.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decoder/code_reading.h"
#include "decoder/decoder_types.h"

// The 18 images one camera's identification reads: the references 03
// (projector dark) and 04 (projector lit), the grid patterns 11 and 12, and
// the code patterns, bit k at kody[k] (81 ... 21 for bits 0..6, 82 ... 22
// for bits 7..13).
struct SnimkyKamery {
  cv::Mat ref03, ref04, mrizka1, mrizka2;
  std::vector<cv::Mat> kody;
};

// "AAAPFC.bmp": the angle in three digits (0 to 999), pattern digit,
// family digit and camera digit.
std::string jmeno_snimku(int uhel, char vzor, char rodina, int kamera);

// That image's path in `adresar` ("" or "." for the working directory).
std::string cesta_snimku(const std::string& adresar, int uhel, char vzor, char rodina, int kamera);

// The pattern and family digits of the 18 images of one camera, in the order
// nacti_snimky_kamery reads them, plus the preview "91" at the end.
std::vector<std::string> vzory_kamery();

// Loads the 18 images of camera `kamera` (1 or 2) at angle `uhel` from
// `adresar` ("" or "." for the working directory). False with one line
// naming the file and the problem in *chyba when one cannot be used
// (image_input.h); everything is read before anything is decoded.
bool nacti_snimky_kamery(const std::string& adresar, int uhel, int kamera,
                         SnimkyKamery* snimky, std::string* chyba);

// What one camera's identification found: one record per distinct code in
// order of first occurrence (pocet > 1 for a code several points carried),
// the three counts, and whether the grid map held more blobs than the
// 9999 labels (the rest were not decoded).
struct KodyKamery {
  std::vector<KodovanyBod> kody;
  SouhrnKodu souhrn;
  bool preteceni = false;
};

// The identification on images in memory with the two work tables given
// (640 x 480 cells each, laid out by index_pole): the grid map into `mapa`,
// its blob labels into `znacky`. The images are not changed.
KodyKamery identifikuj_kodove_snimky(const SnimkyKamery& snimky, std::int32_t* mapa,
                                     std::int32_t* znacky);

// A decoding context: the work tables of one identification at a time, and
// the memory of the pictures nacti_a_identifikuj reads. Both lie in one
// block that the system is asked to back with large pages: the context's
// 4 MB would otherwise cost a thousand page faults on first use, which in a
// virtual machine take longer than decoding a camera. Not copyable; one
// context per thread.
class KontextDekodovani {
 public:
  KontextDekodovani();
  KontextDekodovani(const KontextDekodovani&) = delete;
  KontextDekodovani& operator=(const KontextDekodovani&) = delete;

  // The identification on images in memory.
  KodyKamery identifikuj(const SnimkyKamery& snimky);

  // Loads camera `kamera` (1 or 2) at angle `uhel` from `adresar` and
  // identifies it, with the result identifikuj gives on the same images;
  // the 14 code images are read one at a time into one picture's memory,
  // each adding its bit (CteniKodu), so they are never all held. False with
  // one line naming the file and the problem when an image cannot be used.
  bool nacti_a_identifikuj(const std::string& adresar, int uhel, int kamera, KodyKamery* vysledek,
                           std::string* chyba);

  // A picture in the context's memory that is free between calls (dense
  // scanning reads the preview into it).
  cv::Mat& volny_snimek() { return kodovy_; }

 private:
  struct Uvolneni {
    void operator()(void* p) const;
  };
  std::unique_ptr<unsigned char, Uvolneni> pamet_;
  std::int32_t* mapa_ = nullptr;
  std::int32_t* znacky_ = nullptr;
  cv::Mat ref03_, ref04_, mrizka1_, mrizka2_, kodovy_;
};

// Every pair of a code carried by exactly one point of camera 1 and the
// point of camera 2 that alone carries the same code: in camera 1's order,
// at most `kapacita` pairs. Only the first n1 and n2 records are read.
std::vector<KorespondujiciPar> paruj_kody(const KodovanyBod* kam1, std::size_t n1,
                                          const KodovanyBod* kam2, std::size_t n2,
                                          std::size_t kapacita);
