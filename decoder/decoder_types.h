// The records the decoder's stages exchange: decoded grid points, pairs of
// pixels, and the layout of the per-pixel work tables. Plain types only; the
// decoder program's global tables of them are in decoder_state.h.
#pragma once

#include <cstdint>

#include "common/image_size.h"

constexpr int kapacita_bodu = 10000;  // records per point table and pair table

// One decoded grid point: its 14-bit code (0 to 16383, -1 ends a table), how
// many grid points of the camera carried the code, and its column and row.
struct KodovanyBod {
  std::int32_t kod;
  std::int32_t pocet;
  std::int32_t x;
  std::int32_t y;
};

// Two pixels that carry the same unique code: column and row in camera 1,
// then in camera 2.
struct KorespondujiciPar {
  std::int32_t x1;
  std::int32_t y1;
  std::int32_t x2;
  std::int32_t y2;
};

// Cell (row r, column c) of a per-pixel work table lies at c * 480 + r.
inline int index_pole(int radek, int sloupec) { return sloupec * vyska_obrazu + radek; }
