// Painting marker images: numbered marker dots in an exact colour, and a
// shaded grey picture of the object and a blue turntable behind them so that
// the images look like marked photographs. The background colours are never
// a marker colour (grey has red, green and blue alike and non-zero; the
// turntable has blue).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bmp_writer.h"
#include "tools/camera_projection.h"

enum class StylZnacky {
  skvrna,  // a small round blob, as a person marking dots paints it
  pixel,   // a single pixel, the one nearest to the true position
};

// Blob radii in pixels: every painted pixel's centre lies within the radius
// of the true subpixel position, so the pixel the marker scan keeps (the
// last one in scan order) is off by at most nejvetsi_polomer_skvrny in each
// coordinate.
constexpr double nejmensi_polomer_skvrny = 0.8;
constexpr double nejvetsi_polomer_skvrny = 1.8;

struct PixelObrazu {
  int sloupec = 0;
  int radek = 0;
};

// The pixel nearest to a subpixel position.
PixelObrazu nejblizsi_pixel(PoziceVObraze p);

// The pixels of a marker at subpixel position p: with StylZnacky::pixel the
// nearest pixel; with a blob every pixel whose centre lies within `polomer`
// of p, and always the nearest pixel. Pixels outside a 640 x 480 image are
// left out. Listed in scan order (rows, then columns).
std::vector<PixelObrazu> pixely_znacky(PoziceVObraze p, StylZnacky styl, double polomer);

// Paints the pixels of pixely_znacky in colour (r, g, b) and returns the last
// of them in scan order, the pixel the marker scan keeps.
PixelObrazu namaluj_znacku(Obraz& obraz, PoziceVObraze p, StylZnacky styl, double polomer,
                           std::uint8_t r, std::uint8_t g, std::uint8_t b);

// An image with a depth buffer for splatting surface samples.
struct Platno {
  Obraz obraz;
  std::vector<float> hloubka = std::vector<float>(640 * 480, 1e30f);

  // Paints the pixel nearest to p in grey `jas` (1..255), or in the dark
  // blue of the turntable, if it is nearer than what the pixel shows.
  void bod(PoziceVObraze p, double vzdalenost, std::uint8_t jas);
  void tocna(PoziceVObraze p, double vzdalenost);
};
