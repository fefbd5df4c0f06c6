// decoder: decodes the structured-light images of both cameras at one
// turntable angle, pairs the grid points that carry the same code, writes the
// pairs to "data.txt" and shows them in the windows "kamera1" and "kamera2"
// until Enter.
//
// A missing, unreadable or too small image, or an output file that cannot be
// written, ends the program with one message on standard error and exit
// status 1, leaving any earlier "data.txt" as it was. The options
// (common/options.h) come first; --no-window ends the run once "data.txt"
// is written, without the windows. --angle A decodes the images of
// turntable angle A instead of 60 and --output FILE writes the pairs there
// instead of "data.txt"; without them the run is as it always was.
#include <cstdio>
#include <opencv2/core/utils/logger.hpp>
#include <string>

#include "common/messages.h"
#include "common/options.h"
#include "reconstruction/atomic_file.h"
#include "decoder/code_identification.h"
#include "decoder/correspondence.h"
#include "decoder/data_file.h"
#include "decoder/decoder_state.h"

namespace {

const PopisProgramu popis{
    "decoder",
    "Decodes the structured-light images of both cameras at the turntable angle 60\n"
    "(or A with --angle A), pairs the grid points of the two cameras that carry the\n"
    "same code, writes the pairs to data.txt (or FILE with --output FILE) and shows\n"
    "them in the windows kamera1 and kamera2 until Enter.",
    "060PFC.bmp (AAAPFC.bmp with --angle A) for camera C (1, 2) and pattern P,\n"
    "family F: 03 and 04 (projector dark, lit), 11 and 12 (grid patterns),\n"
    "81 ... 21 and 82 ... 22 (code bits), 91 (the preview shown in the windows);\n"
    "38 images in all",
    "data.txt (the point pairs; FILE with --output FILE)",
    false, false, true};

int skonci(const std::string& chyba) {
  zrus_data();
  ohlas(chyba);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  nastav_jmeno_programu("decoder");
  Volby volby;
  const int konec = zpracuj_volby(argc, argv, popis, &volby);
  if (konec >= 0) return konec;
  chran_vystupy();
  // The program reports unreadable images itself, in one line each.
  cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);

  for (int i = 0; i < 12; ++i) uhly[i] = 30 * i;
  const int uhel = volby.uhel >= 0 ? volby.uhel : uhly[2];
  std::string chyba;
  if (!otevri_data(uhel, &chyba, volby.vystup.empty() ? "data.txt" : volby.vystup)) return skonci(chyba);
  nastav_uhel_v_textu(uhel);
  VycistiBody();
  if (volby.uhel >= 0) std::printf("turntable angle: %d\n", uhel);

  std::printf("KAMERA 1\n");
  text[5] = '1';
  if (!Identifikace2(1, &chyba)) return skonci(chyba);
  std::printf("---\n");

  std::printf("KAMERA 2\n");
  text[5] = '2';
  if (!Identifikace2(2, &chyba)) return skonci(chyba);
  std::printf("---\n");

  KorespondujiciBody();
  KorespondujiciUloz();
  // The preview images are checked before "data.txt" is replaced, so a run
  // that cannot finish leaves the earlier file alone.
  if (!nahledy_citelne(&chyba)) return skonci(chyba);
  if (!dokonci_data(&chyba)) return skonci(chyba);
  std::fflush(stdout);

  if (volby.bez_okna) return 0;
  if (!KorespondujiciUkaz(&chyba)) {
    ohlas(chyba);
    return 1;
  }
  return 0;
}
