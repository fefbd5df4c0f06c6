// Grey image loading with the size check every stage relies on.
#include "decoder/image_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/bitmap_header.h"
#include "common/input_file.h"
#include "decoder/bitmap_direct.h"
#include "decoder/decoder_state.h"
#include "decoder/display_module.h"

namespace {

// No camera image comes near these; a header that claims more is refused
// before the image library allocates for it.
constexpr std::int64_t nejvetsi_strana = 16384;
constexpr off_t nejvetsi_soubor = 256L * 1024 * 1024;

bool selhani(std::string* chyba, const char* jmeno, const std::string& duvod) {
  if (chyba != nullptr) *chyba = std::string(jmeno) + ": " + duvod;
  return false;
}

// The checks of a Windows bitmap header that the image library leaves to
// its allocation or to the end of the file: a size that is zero or far too
// large, and uncompressed pixel data that cannot fit the file. Files of
// other formats, and the fields the library checks well itself, pass.
bool hlavicka_bmp_v_poradku(const std::vector<unsigned char>& d, const char* jmeno,
                            std::string* chyba) {
  if (!ma_podpis_bmp(d.data(), d.size())) return true;
  HlavickaBmp h;
  if (!precti_hlavicku_bmp(d.data(), d.size(), &h))
    return selhani(chyba, jmeno,
                   "the file has " + std::to_string(d.size()) +
                       " bytes, too short for a bitmap header of 54 bytes");
  const std::int64_t posun = h.posun_dat;
  const std::int64_t sirka = h.sirka;
  const std::int64_t vyska = h.vyska;
  const std::int64_t abs_vyska = pocet_radku_bmp(h);
  if (sirka <= 0 || abs_vyska == 0 || sirka > nejvetsi_strana || abs_vyska > nejvetsi_strana)
    return selhani(chyba, jmeno,
                   "the bitmap header gives " + std::to_string(sirka) + " x " +
                       std::to_string(vyska) + " pixels, not a camera image");
  if (posun >= static_cast<std::int64_t>(d.size()))
    return selhani(chyba, jmeno,
                   "pixel data at offset " + std::to_string(posun) + " lie past the end of the " +
                       std::to_string(d.size()) + "-byte file");
  const bool nekomprimovany = h.komprese == 0 || h.komprese == 3;  // plain or bit fields
  const std::uint64_t bajtu =
      delka_radku_bmp(static_cast<std::uint32_t>(sirka), h.bitu) * pocet_radku_bmp(h);
  if (nekomprimovany && !pixely_v_souboru(h.posun_dat, bajtu, d.size()))
    return selhani(chyba, jmeno,
                   "pixel data of " + std::to_string(bajtu) + " bytes at offset " +
                       std::to_string(posun) + " do not fit the file of " +
                       std::to_string(d.size()) + " bytes");
  return true;
}

// The 8- and 24-bit bitmaps of the cameras are read directly; the image
// library, in the display module, decodes every other kind.
bool dekoduj(const std::vector<unsigned char>& d, const char* jmeno, cv::Mat& obraz,
             std::string* chyba) {
  if (cti_bitmapu_primo(d.data(), d.size(), obraz)) return true;
  std::string duvod;
  if (!dekoduj_knihovnou(d.data(), d.size(), obraz, &duvod)) return selhani(chyba, jmeno, duvod);
  return true;
}

// The loading itself; on failure `obraz` may hold anything.
bool nacti_snimek_do(const char* jmeno, cv::Mat& obraz, std::string* chyba) {
  long long velikost = 0;
  std::string problem;
  std::FILE* soubor = otevri_vstup(jmeno, "an image file", &problem, &velikost);
  if (soubor == nullptr) {
    if (chyba != nullptr) *chyba = problem;
    return false;
  }
  if (velikost == 0 || velikost > nejvetsi_soubor) std::fclose(soubor);
  if (velikost == 0) return selhani(chyba, jmeno, "the file is empty");
  if (velikost > nejvetsi_soubor)
    return selhani(chyba, jmeno,
                   "the file has " + std::to_string(velikost) +
                       " bytes, far more than a camera image");
  // One buffer per thread serves every image it reads: a fresh one per file
  // costs a page fault per 4 KiB.
  thread_local std::vector<unsigned char> data;
  data.resize(static_cast<std::size_t>(velikost));
  data.resize(std::fread(data.data(), 1, data.size(), soubor));
  const bool chyba_cteni = std::ferror(soubor) != 0;
  std::fclose(soubor);
  if (chyba_cteni) return selhani(chyba, jmeno, "read error");
  if (!hlavicka_bmp_v_poradku(data, jmeno, chyba)) return false;

  if (!dekoduj(data, jmeno, obraz, chyba)) return false;
  if (obraz.empty() || obraz.type() != CV_8UC1) {
    obraz.release();
    return selhani(chyba, jmeno, "not a readable image (damaged or of an unsupported kind)");
  }
  if (obraz.cols != sirka_obrazu || obraz.rows != vyska_obrazu) {
    const bool mensi = obraz.cols < sirka_obrazu || obraz.rows < vyska_obrazu;
    const std::string rozmer = std::to_string(obraz.cols) + " x " + std::to_string(obraz.rows);
    obraz.release();
    // The tables of every stage are 640 x 480; of a larger picture only the
    // top-left corner would be decoded.
    return selhani(chyba, jmeno,
                   "image is " + rozmer + " pixels, " +
                       (mensi ? "smaller than 640 x 480" : "larger than the 640 x 480 the decoder works on"));
  }
  return true;
}

}  // namespace

bool nacti_snimek(const char* jmeno, cv::Mat& obraz, std::string* chyba) {
  // An image of the right size that holds its memory alone, or memory its
  // caller gave it, is read into that memory: a fresh picture per file
  // costs a page fault per 4 KiB, which a run of many images on several
  // threads pays again and again. Memory that another image shares is left
  // to it.
  const bool vlastni = obraz.u != nullptr ? obraz.u->refcount == 1 : obraz.data != nullptr;
  if (!vlastni) obraz.release();
  if (nacti_snimek_do(jmeno, obraz, chyba)) return true;
  obraz.release();
  return false;
}
