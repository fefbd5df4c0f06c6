// Bitmap writer.
#include "tools/bmp_writer.h"

#include "reconstruction/atomic_file.h"

namespace {

void uloz_u32(std::vector<std::uint8_t>& b, std::size_t pozice, std::uint32_t hodnota) {
  for (int i = 0; i < 4; i++) b[pozice + i] = static_cast<std::uint8_t>(hodnota >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> bajty_bmp(const Obraz& obraz, std::uint32_t posun_dat) {
  const std::size_t radek = (static_cast<std::size_t>(obraz.sirka) * 3 + 3) / 4 * 4;
  const std::size_t data = radek * obraz.vyska;
  std::vector<std::uint8_t> b(posun_dat + data, 0);
  b[0] = 'B';
  b[1] = 'M';
  uloz_u32(b, 2, static_cast<std::uint32_t>(b.size()));
  uloz_u32(b, 10, posun_dat);
  uloz_u32(b, 14, 40);
  uloz_u32(b, 18, static_cast<std::uint32_t>(obraz.sirka));
  uloz_u32(b, 22, static_cast<std::uint32_t>(obraz.vyska));
  b[26] = 1;
  b[28] = 24;
  uloz_u32(b, 34, static_cast<std::uint32_t>(data));
  for (int y = 0; y < obraz.vyska; y++)
    for (int x = 0; x < obraz.sirka; x++) {
      const std::uint8_t* p = &obraz.rgb[(static_cast<std::size_t>(y) * obraz.sirka + x) * 3];
      std::uint8_t* q = &b[posun_dat + y * radek + static_cast<std::size_t>(x) * 3];
      q[0] = p[2];
      q[1] = p[1];
      q[2] = p[0];
    }
  return b;
}

bool zapis_soubor(const std::string& cesta, const std::vector<std::uint8_t>& bajty) {
  return zapis_atomicky(cesta, bajty.data(), bajty.size(), nullptr);
}

bool zapis_bmp(const std::string& cesta, const Obraz& obraz) {
  return zapis_soubor(cesta, bajty_bmp(obraz));
}
