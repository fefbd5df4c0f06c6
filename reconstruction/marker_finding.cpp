// Finding the markers of one image.
#include "reconstruction/marker_finding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/image_size.h"
#include "common/messages.h"

namespace {

// The pixels of one marker in one image: the first one in scan order and
// the one farthest from it (in columns or rows).
struct StopaZnacky {
  int x0 = -1, y0 = -1;
  int xd = 0, yd = 0, dalka = 0;
  void pridej(int x, int y) {
    if (x0 < 0) {
      x0 = x;
      y0 = y;
      return;
    }
    const int d = std::max(std::abs(x - x0), std::abs(y - y0));
    if (d > dalka) {
      dalka = d;
      xd = x;
      yd = y;
    }
  }
};

std::string misto(int sloupec, int radek) {
  return "column " + std::to_string(sloupec) + ", row " + std::to_string(radek);
}

// Whether one of the eight bytes of v is zero.
inline bool ma_nulovy_bajt(std::uint64_t v) {
  return ((v - 0x0101010101010101u) & ~v & 0x8080808080808080u) != 0;
}

// Bytes in a run of 16 pixels: a marker or reference pixel has a zero and a
// non-zero channel, so a run whose bytes are all zero (background) or all
// non-zero (the object) holds none and is passed over as a whole.
constexpr int bajtu_useku = 48;

bool usek_bez_znacek(const unsigned char* p) {
  std::uint64_t slova[bajtu_useku / 8];
  std::memcpy(slova, p, sizeof slova);
  std::uint64_t nebo = 0;
  bool nula = false;
  for (const std::uint64_t w : slova) {
    nebo |= w;
    nula = nula || ma_nulovy_bajt(w);
  }
  return nebo == 0 || !nula;
}

// The scan with the red and the blue channel at byte R and B of a pixel
// (green is always in the middle).
template <int R, int B>
bool najdi(const unsigned char* pixely, bool s_referencemi, int kapacita, const char* soubor,
           ZnackySnimku* v, std::string* chyba) {
  const std::size_t n = static_cast<std::size_t>(kapacita);
  v->znacky.assign(n, PixelZnacky());
  v->reference.assign(n, PixelZnacky());
  v->nejvyssi = 0;
  v->varovani.clear();
  std::vector<StopaZnacky> stopy(n);
  for (int radek = 0; radek < vyska_obrazu; radek++) {
    for (int sloupec = 0; sloupec < sirka_obrazu; sloupec++) {
      const unsigned char* p = pixely + (radek * sirka_obrazu + sloupec) * 3;
      if (sloupec % 16 == 0 && usek_bez_znacek(p)) {
        sloupec += 15;
        continue;
      }
      const int r = p[R], g = p[1], b = p[B];
      if (r != 0 && g == 0 && b == 0) {
        if (r > kapacita) {
          if (chyba != nullptr)
            *chyba = std::string(soubor) + ": marker number " + std::to_string(r) +
                     " (pixel column " + std::to_string(sloupec) + ", row " +
                     std::to_string(radek) + ") is beyond the capacity of " +
                     std::to_string(kapacita) + " markers per turntable position";
          return false;
        }
        v->znacky[r - 1] = {sloupec, radek};
        v->nejvyssi = std::max(v->nejvyssi, r);
        stopy[r - 1].pridej(sloupec, radek);
      } else if (s_referencemi && r == 0 && g != 0 && b == 0) {
        const int index = 255 - g;
        if (index >= kapacita) {
          if (chyba != nullptr)
            *chyba = std::string(soubor) + ": reference mark with green value " +
                     std::to_string(g) + " (pixel column " + std::to_string(sloupec) +
                     ", row " + std::to_string(radek) + ") needs entry " +
                     std::to_string(index) + ", beyond the capacity of " +
                     std::to_string(kapacita) + " entries (green values 255 to " +
                     std::to_string(256 - kapacita) + " fit)";
          return false;
        }
        v->reference[index] = {sloupec, radek};
      }
    }
  }
  for (std::size_t i = 0; i < n; i++) {
    const StopaZnacky& t = stopy[i];
    if (t.dalka <= rozpeti_tecky) continue;
    const PixelZnacky& posledni = v->znacky[i];
    v->varovani.push_back(zprava(
        soubor, "marker " + std::to_string(i + 1) + " is painted in places " + std::to_string(t.dalka) +
                    " pixels apart (" + misto(t.x0, t.y0) + " and " + misto(t.xd, t.yd) +
                    "), more than one dot can span; the last pixel in scan order, " +
                    misto(posledni.sloupec, posledni.radek) + ", counts"));
  }
  return true;
}

}  // namespace

bool najdi_znacky(const unsigned char* pixely, bool cervena_prvni, bool s_referencemi, int kapacita,
                  const char* soubor, ZnackySnimku* vysledek, std::string* chyba) {
  return cervena_prvni ? najdi<0, 2>(pixely, s_referencemi, kapacita, soubor, vysledek, chyba)
                       : najdi<2, 0>(pixely, s_referencemi, kapacita, soubor, vysledek, chyba);
}
