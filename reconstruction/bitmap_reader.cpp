// Bitmap reading with every header field checked before it is used.
#include "reconstruction/bitmap_reader.h"

#include "common/input_file.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t delka_hlavicky = 54;
// No valid 640 x 480 bitmap comes near this; larger files are refused
// before they are read into memory.
constexpr long nejvetsi_soubor = 64L * 1024 * 1024;

std::uint32_t cti_u32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t cti_u16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

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
  if (velikost < delka_hlavicky)
    return selhani(chyba, jmeno,
                   "the file has " + std::to_string(velikost) +
                       " bytes, too short for a bitmap header of 54 bytes");
  if (data[0] != 'B' || data[1] != 'M')
    return selhani(chyba, jmeno, "not a Windows bitmap (the file does not start with \"BM\")");

  const std::uint32_t posun = cti_u32(data + 10);
  const std::uint32_t info = cti_u32(data + 14);
  const auto sirka = static_cast<std::int32_t>(cti_u32(data + 18));
  const auto vyska = static_cast<std::int32_t>(cti_u32(data + 22));
  const std::uint16_t bitu = cti_u16(data + 28);
  const std::uint32_t komprese = cti_u32(data + 30);

  if (info < 40)
    return selhani(chyba, jmeno,
                   "unsupported bitmap header of " + std::to_string(info) +
                       " bytes (a 40-byte or larger information header is needed)");
  if (bitu != 24)
    return selhani(chyba, jmeno,
                   "has " + std::to_string(bitu) + " bits per pixel, 24 are needed");
  if (komprese != 0)
    return selhani(chyba, jmeno,
                   "is compressed (compression " + std::to_string(komprese) +
                       "), an uncompressed bitmap is needed");
  if (sirka != sirka_obrazu || vyska != vyska_obrazu)
    return selhani(chyba, jmeno,
                   "is " + std::to_string(sirka) + " x " + std::to_string(vyska) +
                       " pixels, 640 x 480 (bottom-up) are needed");
  if (posun < delka_hlavicky || posun > velikost || velikost - posun < bajtu_snimku)
    return selhani(chyba, jmeno,
                   "pixel data at offset " + std::to_string(posun) + " with " +
                       std::to_string(bajtu_snimku) + " bytes do not fit the file of " +
                       std::to_string(velikost) + " bytes");

  return data + posun;
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
  std::FILE* soubor = otevri_vstup(path, "a bitmap file", chyba, &velikost);
  if (soubor == nullptr) return false;
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
