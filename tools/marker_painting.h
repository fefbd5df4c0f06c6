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

// Blob radii in pixels.
constexpr double nejmensi_polomer_skvrny = 0.8;
constexpr double nejvetsi_polomer_skvrny = 1.8;

// Range of the offset, in each coordinate, of the pixel the marker scan
// keeps (the last in scan order) from the true subpixel position.
// A single pixel is the nearest one: -0.5 to 0.5. A blob's kept pixel lies
// in its last row, at most the radius below the true row and, since the
// nearest pixel belongs to the blob, at least that pixel's row: -0.5 to the
// radius. It is the last pixel of a run of pixels that lies within the
// radius of the true column (or holds the nearest pixel), so its column is
// at most the radius to the right and, the run being non-empty, at least
// max(-w, w - 1) >= -0.5 for a run of half-width w: again -0.5 to the radius.
struct RozsahOdchylky {
  double od;
  double do_;
};
RozsahOdchylky rozsah_odchylky(StylZnacky styl);

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
