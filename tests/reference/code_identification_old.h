// Identifikace: the older code identification of one camera, which the
// program replaced by Identifikace2; kept with its own tests, and linked by
// no program.
//
// Same images, bit order, messages and output tables as Identifikace2, except
// that the grid points come from one image, the preview pattern (pattern digit
// 9, family 1): its border map is closed (dilation, then erosion, 3 x 3, once),
// blobs of fewer than 200 pixels are dropped, line ends matching the eight
// templates of sablony_filtru are removed, and the surviving blobs are reduced
// to one point each. A bit is decided by majority of the 3 x 3 neighbourhood.
// Returns false (nothing printed or stored) when an image cannot be used.
#pragma once

#include <cstdint>
#include <string>

constexpr int hodnota_libovolna = 666;  // template entry matching 0 and 1
constexpr int min_velikost_blobu = 200;

// Eight 3 x 3 templates, row by row: entries 0, 1 or hodnota_libovolna. A
// set pixel whose neighbourhood (outside the image counts as 0) matches
// template j is removed by it; a pixel survives when no template removes it.
extern const int sablony_filtru[72];

// Work arrays, element (row r, column c) at index c * 480 + r: the closed
// border map (0/1), blob labels for the size filter, the eight per-template
// results and the label array of the surviving pixels.
extern std::int32_t mezikrok1[640 * 480];
extern std::int32_t mezikrok2[640 * 480];
extern std::int32_t vystuppom[8][640 * 480];
extern std::int32_t vystuppom3[640 * 480];

// Drops the 8-connected blobs of fewer than min_velikost_blobu set cells of
// mezikrok1 (uses mezikrok2 for the labels).
void odstran_male_bloby();

// Template j over mezikrok1 into vystuppom[j] (1 where a set pixel does not
// match it), and their intersection into vystuppom3 (-1 survivor, 0
// otherwise).
void filtr_sablonami();

bool Identifikace(int camera, std::string* chyba = nullptr);
