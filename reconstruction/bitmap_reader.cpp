// Bitmap reading with every header field checked before it is used.
#include "reconstruction/bitmap_reader.h"

#include "common/bitmap_header.h"
#include "common/input_file.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// No valid 640 x 480 bitmap comes near this; larger files are refused
// before they are read into memory.
constexpr long nejvetsi_soubor = 64L * 1024 * 1024;

std::nullptr_t selhani(std::string* chyba, const char* jmeno, const std::string& duvod) {
  if (chyba != nullptr) *chyba = std::string(jmeno) + ": " + duvod;
  return nullptr;
}

bool nelze(std::string* chyba, const char* jmeno, const std::string& duvod) {
  selhani(chyba, jmeno, duvod);
  return false;
}

}  // namespace

namespace {

// The checks: the pixel data inside `data`, or null (with the message) on
// any input that is not such a bitmap.
const unsigned char* over_bmp(const unsigned char* data, std::size_t velikost, const char* jmeno,
                              std::string* chyba) {
  if (velikost == 0) return selhani(chyba, jmeno, "the file is empty");
  if (velikost < delka_hlavicek_bmp)
    return selhani(chyba, jmeno,
                   "the file has " + std::to_string(velikost) +
                       " bytes, too short for a bitmap header of 54 bytes");
  HlavickaBmp h;
  if (!precti_hlavicku_bmp(data, velikost, &h))
    return selhani(chyba, jmeno, "not a Windows bitmap (the file does not start with \"BM\")");

  if (h.delka_info < 40)
    return selhani(chyba, jmeno,
                   "unsupported bitmap header of " + std::to_string(h.delka_info) +
                       " bytes (a 40-byte or larger information header is needed)");
  if (h.bitu != 24)
    return selhani(chyba, jmeno,
                   "has " + std::to_string(h.bitu) + " bits per pixel, 24 are needed");
  if (h.komprese != 0)
    return selhani(chyba, jmeno,
                   "is compressed (compression " + std::to_string(h.komprese) +
                       "), an uncompressed bitmap is needed");
  if (h.sirka != sirka_obrazu || h.vyska != vyska_obrazu)
    return selhani(chyba, jmeno,
                   "is " + std::to_string(h.sirka) + " x " + std::to_string(h.vyska) +
                       " pixels, 640 x 480 (bottom-up) are needed");
  // Rows of 640 pixels of 3 bytes need no padding, so the stored rows follow
  // each other exactly as the conversion reads them.
  static_assert(delka_radku_bmp(sirka_obrazu, 24) * vyska_obrazu == bajtu_snimku);
  if (h.posun_dat < delka_hlavicek_bmp || !pixely_v_souboru(h.posun_dat, bajtu_snimku, velikost))
    return selhani(chyba, jmeno,
                   "pixel data at offset " + std::to_string(h.posun_dat) + " with " +
                       std::to_string(bajtu_snimku) + " bytes do not fit the file of " +
                       std::to_string(velikost) + " bytes");

  return data + h.posun_dat;
}

// The checks and the conversion into `pixely`.
bool preved_bmp(const unsigned char* data, std::size_t velikost, const char* jmeno,
                std::string* chyba, char* pixely) {
  const unsigned char* z = over_bmp(data, velikost, jmeno, chyba);
  if (z == nullptr) return false;
  // The file stores blue, green, red; the callers read red first.
  for (std::size_t i = 0; i < bajtu_snimku; i += 3) {
    pixely[i] = static_cast<char>(z[i + 2]);
    pixely[i + 1] = static_cast<char>(z[i + 1]);
    pixely[i + 2] = static_cast<char>(z[i]);
  }
  return true;
}

}  // namespace

char* readBMP_z_pameti(const unsigned char* data, std::size_t velikost, const char* jmeno,
                       std::string* chyba) {
  std::unique_ptr<char[]> pixely(new char[bajtu_snimku]);
  if (!preved_bmp(data, velikost, jmeno, chyba, pixely.get())) return nullptr;
  return pixely.release();
}

char* readBMP(const char* path, std::string* chyba) {
  std::vector<unsigned char> obsah;
  std::unique_ptr<char[]> pixely(new char[bajtu_snimku]);
  if (!readBMP_do(path, obsah, pixely.get(), chyba)) return nullptr;
  return pixely.release();
}

namespace {

// Reads the whole file into `obsah` and sets the number of bytes read; false
// with the message.
bool precti_soubor(const char* path, std::vector<unsigned char>& obsah, std::size_t* precteno,
                   std::string* chyba) {
  long long velikost = 0;
  // otevri_vstup always writes its message; the caller may not want one.
  std::string problem;
  std::FILE* soubor = otevri_vstup(path, "a bitmap file", &problem, &velikost);
  if (soubor == nullptr) {
    if (chyba != nullptr) *chyba = problem;
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> zavrit(soubor, std::fclose);

  if (velikost > nejvetsi_soubor)
    return nelze(chyba, path,
                 "the file has " + std::to_string(velikost) +
                     " bytes, far more than a 640 x 480 bitmap");
  obsah.resize(static_cast<std::size_t>(velikost));
  *precteno = std::fread(obsah.data(), 1, obsah.size(), soubor);
  if (std::ferror(soubor))
    return nelze(chyba, path, std::string("read error: ") + std::strerror(errno));
  return true;
}

}  // namespace

bool readBMP_do(const char* path, std::vector<unsigned char>& obsah, char* pixely,
                std::string* chyba) {
  std::size_t precteno = 0;
  return precti_soubor(path, obsah, &precteno, chyba) &&
         preved_bmp(obsah.data(), precteno, path, chyba, pixely);
}

const unsigned char* readBMP_v_souboru(const char* path, std::vector<unsigned char>& obsah,
                                       std::string* chyba) {
  std::size_t precteno = 0;
  if (!precti_soubor(path, obsah, &precteno, chyba)) return nullptr;
  return over_bmp(obsah.data(), precteno, path, chyba);
}
