// Fuzz target: the bytes are the whole content of one marker image file. They
// go through readBMP's checks and conversion and, when accepted, through the
// marker scan as camera 1's image of the reference slot (object markers and
// reference marks) and as camera 2's image of slot 0.
#include <memory>
#include <string>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/marker_scan.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string chyba;
  std::unique_ptr<char[]> pixely(readBMP_z_pameti(data, size, "fuzz.bmp", &chyba));
  if (!pixely) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(pixely.get());
  vynuluj_pocty_znacek();
  skenuj_znacky(p, "fuzz.bmp", 1, 1, &chyba);
  skenuj_znacky(p, "fuzz.bmp", 2, 0, &chyba);
  return 0;
}
