// Fuzz target: the bytes are the whole content of a "rig.yml". A file the
// reader accepts must come back the same through its own writer; a refused
// one must give a single-line message naming the file.
#include <cstdlib>
#include <cstring>
#include <string>

#include "reconstruction/rig_file.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > nejvetsi_soubor_rigu) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  RigKamer rig;
  std::string chyba;
  if (!precti_rig(text, "rig.yml", &rig, &chyba)) {
    if (chyba.rfind("rig.yml: ", 0) != 0 || chyba.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  RigKamer znovu;
  if (!precti_rig(text_rigu(rig), "rig.yml", &znovu, &chyba) || znovu.jednotka != rig.jednotka ||
      std::memcmp(znovu.kamera, rig.kamera, sizeof rig.kamera) != 0)
    std::abort();
  return 0;
}
