// decoder_report DATA_TXT TRUTH_TXT: prints how many pairs the decoder wrote,
// how many are correct (both pixels within 1.5 pixels of one true crossing),
// how many are wrong and how many crossings seen by both cameras were missed.
#include <cstdio>

#include "tools/decoder_report.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: decoder_report DATA_TXT TRUTH_TXT\n");
    return 1;
  }
  std::vector<ParBodu> pary;
  Pravda pravda;
  std::string chyba;
  if (!nacti_data(argv[1], &pary, &chyba) || !nacti_pravdu(argv[2], &pravda, &chyba)) {
    std::fprintf(stderr, "decoder_report: %s\n", chyba.c_str());
    return 1;
  }
  const Hodnoceni h = ohodnot(pary, pravda);
  std::printf("pairs %d\n", h.paru);
  std::printf("correct %d\n", h.spravnych);
  std::printf("wrong %d\n", h.chybnych);
  std::printf("missed %d of %d crossings seen by both cameras\n", h.zmeskanych, h.krizeni);
  return 0;
}
