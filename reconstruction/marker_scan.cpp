// Marker scan and camera image rectangles.
#include "reconstruction/marker_scan.h"

#include <memory>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/scene_tables.h"

const SnimekZnacek snimky_znacek[10] = {
    {"000_k1_A.bmp", 1, 0}, {"000_k2_A.bmp", 2, 0}, {"080_k1_A.bmp", 1, 1},
    {"080_k2_A.bmp", 2, 1}, {"160_k1_A.bmp", 1, 2}, {"160_k2_A.bmp", 2, 2},
    {"240_k1_A.bmp", 1, 3}, {"240_k2_A.bmp", 2, 3}, {"200_k1_A.bmp", 1, 4},
    {"200_k2_A.bmp", 2, 4}};

void vynuluj_pocty_znacek() {
  for (int i = 0; i < konfigurace::mazanych_poctu; i++) body_pocty[i] = 0;
  body_pocty[slot_referenci] = 4;
}

namespace {

void uloz_pixel(BodData& bod, int kamera, int sloupec, int radek) {
  if (kamera == 1) {
    bod.x1 = sloupec;
    bod.y1 = radek;
  } else {
    bod.x2 = sloupec;
    bod.y2 = radek;
  }
}

}  // namespace

bool skenuj_znacky(const unsigned char* pixely, const char* soubor, int kamera, int slot,
                   std::string* chyba) {
  const int kapacita = konfigurace::znacek_na_slot;
  const bool s_referencemi = slot == 1;
  for (int radek = 0; radek < vyska_snimku; radek++) {
    for (int sloupec = 0; sloupec < sirka_snimku; sloupec++) {
      const unsigned char* p = pixely + radek * 1920 + sloupec * 3;
      const int r = p[0], g = p[1], b = p[2];
      if (r != 0 && g == 0 && b == 0) {
        if (r > kapacita) {
          if (chyba != nullptr)
            *chyba = std::string(soubor) + ": marker number " + std::to_string(r) +
                     " (pixel column " + std::to_string(sloupec) + ", row " +
                     std::to_string(radek) + ") is beyond the capacity of " +
                     std::to_string(kapacita) + " markers per turntable position";
          return false;
        }
        uloz_pixel(body_data[slot][r - 1], kamera, sloupec, radek);
        if (kamera == 1 && body_pocty[slot] < r) body_pocty[slot] = r;
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
        uloz_pixel(body_data[slot_referenci][index], kamera, sloupec, radek);
      }
    }
  }
  return true;
}

bool nacti_snimky_znacek(std::string* chyba) {
  for (const SnimekZnacek& snimek : snimky_znacek) {
    std::unique_ptr<char[]> pixely(readBMP(snimek.soubor, chyba));
    if (!pixely) return false;
    if (!skenuj_znacky(reinterpret_cast<const unsigned char*>(pixely.get()), snimek.soubor,
                       snimek.kamera, snimek.slot, chyba))
      return false;
  }
  return true;
}

void nastav_obdelniky_kamer() {
  const float smer[2][2] = {{-0.999f, 0.034f}, {-0.984f, -0.173f}};
  const double w = 48.63;
  const double h = 35.95;
  for (int c = 0; c < 2; c++) {
    vektor80[0] = smer[c][0];
    vektor80[1] = smer[c][1];
    const float* l = stereo_lok[c];
    const double hx = vektor80[0];
    const double hy = vektor80[1];
    const double rohy[4][3] = {{l[0] + hx * w, l[1] + hy * w, l[2] + h},
                               {l[0] + hx * w, l[1] + hy * w, l[2] - h},
                               {l[0] - hx * w, l[1] - hy * w, l[2] - h},
                               {l[0] - hx * w, l[1] - hy * w, l[2] + h}};
    for (int k = 0; k < 4; k++)
      for (int j = 0; j < 3; j++) stereo_body[c][k][j] = static_cast<float>(rohy[k][j]);
  }
}
