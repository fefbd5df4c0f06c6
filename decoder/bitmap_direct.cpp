// Direct reading of 8- and 24-bit uncompressed 640 x 480 bitmaps.
#include "decoder/bitmap_direct.h"

#include <cstdint>
#include <cstring>

#include "common/bitmap_header.h"
#include "decoder/decoder_state.h"

namespace {

// Whether the direct reader takes the file: any doubt leaves it to the
// image library.
bool prima_hlavicka(const unsigned char* d, std::size_t n, HlavickaBmp* h) {
  if (!precti_hlavicku_bmp(d, n, h)) return false;
  if (h->delka_info != 40 || h->roviny != 1 || h->komprese != 0) return false;
  if (h->sirka != sirka_obrazu || (h->vyska != vyska_obrazu && h->vyska != -vyska_obrazu))
    return false;
  if (h->bitu != 24 && !(h->bitu == 8 && (h->barev == 0 || h->barev == 256))) return false;
  const std::size_t paleta = h->bitu == 8 ? 4 * 256 : 0;
  return h->posun_dat >= delka_hlavicek_bmp + paleta &&
         pixely_v_souboru(h->posun_dat, delka_radku_bmp(sirka_obrazu, h->bitu) * vyska_obrazu, n);
}

}  // namespace

bool cti_bitmapu_primo(const unsigned char* d, std::size_t n, cv::Mat& obraz) {
  HlavickaBmp h;
  if (!prima_hlavicka(d, n, &h)) return false;
  unsigned char sede[256];
  bool stejne = true;  // a grey palette: every index is its own grey value
  if (h.bitu == 8)
    for (int i = 0; i < 256; ++i) {
      const unsigned char* p = paleta_bmp(d, h) + 4 * i;
      sede[i] = sed_bgr(p[0], p[1], p[2]);
      stejne = stejne && sede[i] == i;
    }
  obraz.create(vyska_obrazu, sirka_obrazu, CV_8UC1);
  for (int r = 0; r < vyska_obrazu; ++r) {
    const unsigned char* z = radek_obrazu_bmp(d, h, static_cast<std::uint32_t>(r));
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
