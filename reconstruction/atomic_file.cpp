// Complete-or-nothing file output.
#include "reconstruction/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba) {
  const std::string docasny = cesta + ".tmp";
  auto selhani = [&](const char* co) {
    const int kod = errno;
    std::remove(docasny.c_str());
    if (chyba != nullptr) *chyba = cesta + ": cannot be written (" + co + ": " + std::strerror(kod) + ")";
    return false;
  };
  std::FILE* f = std::fopen(docasny.c_str(), "wb");
  if (f == nullptr) return selhani("open");
  if (std::fwrite(obsah.data(), 1, obsah.size(), f) != obsah.size()) {
    std::fclose(f);
    return selhani("write");
  }
  if (std::fclose(f) != 0) return selhani("close");
  if (std::rename(docasny.c_str(), cesta.c_str()) != 0) return selhani("rename");
  return true;
}
