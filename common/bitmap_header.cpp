// The two bitmap headers, little-endian as stored.
#include "common/bitmap_header.h"

namespace {

std::uint32_t u32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

bool ma_podpis_bmp(const unsigned char* d, std::size_t n) {
  return n >= 2 && d[0] == 'B' && d[1] == 'M';
}

bool precti_hlavicku_bmp(const unsigned char* d, std::size_t n, HlavickaBmp* h) {
  if (n < delka_hlavicek_bmp || !ma_podpis_bmp(d, n)) return false;
  h->posun_dat = u32(d + 10);
  h->delka_info = u32(d + 14);
  h->sirka = static_cast<std::int32_t>(u32(d + 18));
  h->vyska = static_cast<std::int32_t>(u32(d + 22));
  h->roviny = u16(d + 26);
  h->bitu = u16(d + 28);
  h->komprese = u32(d + 30);
  h->barev = u32(d + 46);
  return true;
}
