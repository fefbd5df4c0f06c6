// Fuzz target: the bytes are a polygon's instruction list, 12 bytes per
// instruction holding its x, y and z as the raw bits of three floats (so NaN
// with any y, infinities and denormals all occur); a shorter tail is
// ignored, and at most 4096 instructions are taken. The polygon is drawn
// filled through the real GLU tessellator and outlined, into the recording
// graphics layer with the drawing trace on (written to /dev/null).
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/instruction_list.h"
#include "reconstruction/log_file.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/viewer/recording_graphics.h"
#include "viewer/polygon_fill.h"
#include "viewer/polygon_outline.h"

namespace {

constexpr std::size_t bajtu_instrukce = 12;
constexpr std::size_t nejvice_instrukci = 4096;

void priprav() {
  priprav_teselator();
  nahrad_grafiku(true);
  log1 = std::fopen("/dev/null", "w");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool pripraveno = (priprav(), true);
  (void)pripraveno;
  std::size_t pocet = size / bajtu_instrukce;
  if (pocet == 0) return 0;
  if (pocet > nejvice_instrukci) pocet = nejvice_instrukci;

  std::vector<PolygonInstrukce> instrukce;
  instrukce.reserve(pocet);
  for (std::size_t i = 0; i < pocet; ++i) {
    float xyz[3];
    std::memcpy(xyz, data + i * bajtu_instrukce, sizeof xyz);
    instrukce.emplace_back(xyz[0], xyz[1], xyz[2]);
  }
  // The builders never free polygons; here every element is freed after the
  // drawing so that the sanitizer sees only leaks of the drawing itself.
  Polygon3D polygon(&instrukce[0]);
  std::vector<PrvekSeznamu<PolygonInstrukce*>> prvky;
  prvky.reserve(pocet);
  for (std::size_t i = 1; i < pocet; ++i) {
    prvky.emplace_back(&instrukce[i]);
    polygon.instrukce.Pridej(&prvky.back());
  }
  Zobraz(&polygon);
  Obrys(&polygon);
  delete polygon.instrukce.Prvni();
  zaznam_volani.clear();
  return 0;
}
