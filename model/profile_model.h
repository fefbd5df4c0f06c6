// model3D: the triangle surface of one turntable position (one profile).
//
// Reads body_pocty[profil], body_souradnice[profil] and the camera 1 pixels
// (x1, y1) of body_data[profil]. Makes one point instruction per point
// (recording its pool slot in adresy_bodu_global[profil]), grows the segment
// graph of the points judged in the camera 1 image (pixel distances, steps
// 0..1001, "TADY TADY TADY\n" in the log after the first full pass) and
// appends every triangle of the graph to model1 three times, once from each
// corner, in the colour of `typ`. Replaces the segment list, keeps earlier
// polygons; writes nothing to prunik, prints nothing and does not wait.
//
// profil must be an angle slot of the tables (0..9); any other value is
// refused and changes nothing. A pool that cannot take one instruction per
// point is refused too (no instruction, no polygon; the pool keeps its flag),
// and so is a point set too large for the segment growth (segment_growth.h;
// its point instructions stay, no polygon).
// A refusal returns false with one message in chyba, or on standard error
// when chyba is null. The count is
// clamped to the markers a slot can hold. typ 0..5 selects a colour of the
// table below; any other typ gives red = typ (as 16 bits, like the table,
// so trimming and joining still find the model by its red) on grey 128, 128.
#pragma once

#include <cstdint>
#include <string>

bool model3D(int profil, int typ, std::string* chyba = nullptr);

struct BarvaProfilu {
  std::uint16_t cervena, zelena, modra;
};

// The colour model3D gives its polygons for `typ`.
BarvaProfilu barva_profilu(int typ);
