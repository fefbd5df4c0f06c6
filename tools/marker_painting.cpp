// Marker dots and background.
#include "tools/marker_painting.h"

#include <algorithm>
#include <cmath>

PixelObrazu nejblizsi_pixel(PoziceVObraze p) {
  return {static_cast<int>(std::lround(p.sloupec)), static_cast<int>(std::lround(p.radek))};
}

RozsahOdchylky rozsah_odchylky(StylZnacky styl) {
  return styl == StylZnacky::pixel ? RozsahOdchylky{-0.5, 0.5}
                                   : RozsahOdchylky{-0.5, nejvetsi_polomer_skvrny};
}

namespace {

bool v_obraze(int sloupec, int radek) {
  return sloupec >= 0 && sloupec < 640 && radek >= 0 && radek < 480;
}

}  // namespace

std::vector<PixelObrazu> pixely_znacky(PoziceVObraze p, StylZnacky styl, double polomer) {
  std::vector<PixelObrazu> pixely;
  const PixelObrazu stred = nejblizsi_pixel(p);
  if (styl == StylZnacky::pixel) {
    if (v_obraze(stred.sloupec, stred.radek)) pixely.push_back(stred);
    return pixely;
  }
  const int dosah = static_cast<int>(std::ceil(polomer)) + 1;
  for (int r = stred.radek - dosah; r <= stred.radek + dosah; r++) {
    for (int c = stred.sloupec - dosah; c <= stred.sloupec + dosah; c++) {
      const double dc = c - p.sloupec, dr = r - p.radek;
      const bool uvnitr = dc * dc + dr * dr <= polomer * polomer;
      if ((uvnitr || (c == stred.sloupec && r == stred.radek)) && v_obraze(c, r))
        pixely.push_back({c, r});
    }
  }
  return pixely;
}

PixelObrazu namaluj_znacku(Obraz& obraz, PoziceVObraze p, StylZnacky styl, double polomer,
                           std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  PixelObrazu posledni{};
  for (const PixelObrazu& px : pixely_znacky(p, styl, polomer)) {
    obraz.nastav(px.sloupec, px.radek, r, g, b);
    posledni = px;
  }
  return posledni;
}

void Platno::bod(PoziceVObraze p, double vzdalenost, std::uint8_t jas) {
  const PixelObrazu px = nejblizsi_pixel(p);
  if (!p.pred_kamerou || !v_obraze(px.sloupec, px.radek)) return;
  float& z = hloubka[static_cast<std::size_t>(px.radek) * 640 + px.sloupec];
  if (vzdalenost >= z) return;
  z = static_cast<float>(vzdalenost);
  const std::uint8_t v = std::max<std::uint8_t>(jas, 1);
  obraz.nastav(px.sloupec, px.radek, v, v, v);
}

void Platno::tocna(PoziceVObraze p, double vzdalenost) {
  const PixelObrazu px = nejblizsi_pixel(p);
  if (!p.pred_kamerou || !v_obraze(px.sloupec, px.radek)) return;
  float& z = hloubka[static_cast<std::size_t>(px.radek) * 640 + px.sloupec];
  if (vzdalenost >= z) return;
  z = static_cast<float>(vzdalenost);
  obraz.nastav(px.sloupec, px.radek, 24, 28, 70);
}
