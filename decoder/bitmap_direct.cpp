// Direct reading of 8- and 24-bit uncompressed 640 x 480 bitmaps.
#include "decoder/bitmap_direct.h"

#include <cstdint>
#include <cstring>

#include "decoder/decoder_state.h"

namespace {

std::uint32_t u32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

unsigned u16(const unsigned char* p) { return p[0] | p[1] << 8; }

// The fields the direct reader needs, or false when the file is of another
// kind (any doubt leaves it to the image library).
struct Hlavicka {
  std::size_t posun = 0;       // of the first stored row
  int bitu = 0;                // 8 or 24
  bool shora_dolu = false;     // rows stored top row first
};

bool prima_hlavicka(const unsigned char* d, std::size_t n, Hlavicka* h) {
  constexpr std::size_t konec_hlavicky = 14 + 40;
  if (n < konec_hlavicky || d[0] != 'B' || d[1] != 'M') return false;
  const std::int32_t sirka = static_cast<std::int32_t>(u32(d + 18));
  const std::int32_t vyska = static_cast<std::int32_t>(u32(d + 22));
  const unsigned bitu = u16(d + 28);
  const std::uint32_t barev = u32(d + 46);
  if (u32(d + 14) != 40 || u16(d + 26) != 1 || u32(d + 30) != 0) return false;
  if (sirka != sirka_obrazu || (vyska != vyska_obrazu && vyska != -vyska_obrazu)) return false;
  if (bitu != 24 && !(bitu == 8 && (barev == 0 || barev == 256))) return false;
  const std::size_t paleta = bitu == 8 ? 4 * 256 : 0;
  const std::size_t radek = (static_cast<std::size_t>(sirka_obrazu) * bitu / 8 + 3) / 4 * 4;
  h->posun = u32(d + 10);
  h->bitu = static_cast<int>(bitu);
  h->shora_dolu = vyska < 0;
  return h->posun >= konec_hlavicky + paleta && h->posun <= n &&
         n - h->posun >= radek * vyska_obrazu;
}

}  // namespace

bool cti_bitmapu_primo(const unsigned char* d, std::size_t n, cv::Mat& obraz) {
  Hlavicka h;
  if (!prima_hlavicka(d, n, &h)) return false;
  unsigned char sede[256];
  bool stejne = true;  // a grey palette: every index is its own grey value
  if (h.bitu == 8)
    for (int i = 0; i < 256; ++i) {
      const unsigned char* p = d + 54 + 4 * i;
      sede[i] = sed_bgr(p[0], p[1], p[2]);
      stejne = stejne && sede[i] == i;
    }
  const std::size_t radek = (static_cast<std::size_t>(sirka_obrazu) * h.bitu / 8 + 3) / 4 * 4;
  obraz.create(vyska_obrazu, sirka_obrazu, CV_8UC1);
  for (int r = 0; r < vyska_obrazu; ++r) {
    const int ulozeny = h.shora_dolu ? r : vyska_obrazu - 1 - r;
    const unsigned char* z = d + h.posun + radek * static_cast<std::size_t>(ulozeny);
    unsigned char* cil = obraz.ptr<unsigned char>(r);
    if (h.bitu == 8 && stejne) {
      std::memcpy(cil, z, sirka_obrazu);
    } else if (h.bitu == 8) {
      for (int c = 0; c < sirka_obrazu; ++c) cil[c] = sede[z[c]];
    } else {
      for (int c = 0; c < sirka_obrazu; ++c, z += 3) cil[c] = sed_bgr(z[0], z[1], z[2]);
    }
  }
  return true;
}
