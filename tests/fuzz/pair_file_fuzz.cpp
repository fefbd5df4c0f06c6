// Fuzz target: the bytes are the whole content of a "data.txt". A refused
// file must give one short printable line naming the file (a quoted line
// is cut at about 40 characters); an accepted one
// holds at most the pair limit, every pixel inside the image and an angle
// from -360 to 360.
#include <cstdlib>
#include <string>

#include "pairs/pair_file.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  DataParu pary;
  std::string chyba;
  if (!precti_pary(text, "data.txt", &pary, &chyba)) {
    if (chyba.rfind("data.txt: ", 0) != 0 || chyba.size() > 200) std::abort();
    for (char z : chyba)
      if (static_cast<unsigned char>(z) < 0x20 || static_cast<unsigned char>(z) >= 0x7f) std::abort();
    return 0;
  }
  if (pary.pary.size() > static_cast<std::size_t>(max_paru) || pary.uhel < -360 || pary.uhel > 360)
    std::abort();
  for (const ParPixelu& p : pary.pary)
    if (p.x1 < 0 || p.x1 >= sirka_obrazu || p.x2 < 0 || p.x2 >= sirka_obrazu || p.y1 < 0 ||
        p.y1 >= vyska_obrazu || p.y2 < 0 || p.y2 >= vyska_obrazu)
      std::abort();
  return 0;
}
