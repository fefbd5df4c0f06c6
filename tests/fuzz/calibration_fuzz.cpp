// Fuzz target: the bytes are the whole content of one calibration image file.
// When readBMP accepts them, the image is scanned for calibration marks and
// the calibration is solved with it as the image of both cameras (the
// printout goes to /dev/null).
#include <cstdio>
#include <memory>
#include <string>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/calibration.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* nikam = std::fopen("/dev/null", "w");
  std::string chyba;
  std::unique_ptr<char[]> pixely(readBMP_z_pameti(data, size, "kalib1.bmp", &chyba));
  if (!pixely) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(pixely.get());
  b_indexy[0] = 0;
  b_indexy[1] = 8;
  b_indexy[2] = 14;
  kalibruj(p, p, nikam, &chyba);
  return 0;
}
