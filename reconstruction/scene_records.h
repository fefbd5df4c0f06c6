// The records and sizes of the scene tables (scene_tables.h), for code that
// is handed the tables instead of reaching for them: a marker's pixels in
// both images, a 3D segment of the viewer, and the tables' capacities.
#pragma once

#include <cstdint>

#include "reconstruction/configuration.h"

// Pixel of one marker in both camera images (column, row); 0 when absent.
struct BodData {
  int x1;
  int y1;
  int x2;
  int y2;
};

// One 3D segment for the viewer: first end point, second end point and, in
// viewer_projection, a flag word that selects the drawing colour.
struct ZaznamUseckyBezPriznaku {
  float p[6];
};
struct ZaznamUseckySPriznakem {
  float p[6];
  std::int32_t priznak;
};
template <bool s_priznakem>
struct VolbaZaznamu {
  using typ = ZaznamUseckyBezPriznaku;
};
template <>
struct VolbaZaznamu<true> {
  using typ = ZaznamUseckySPriznakem;
};
using ZaznamUsecky = VolbaZaznamu<konfigurace::prunik_s_priznakem>::typ;

// The flag word of a record; 0 where records have none.
inline std::int32_t priznak_usecky(const ZaznamUseckyBezPriznaku&) { return 0; }
inline std::int32_t priznak_usecky(const ZaznamUseckySPriznakem& z) { return z.priznak; }

constexpr int kapacita_prunik = 4000;
constexpr int kapacita_usecek = 4000;
constexpr int slotu_souradnic = 10;
constexpr int slot_referenci = 9;
constexpr int pocet_poctu = 16;
