// The walk over a polygon's instruction list shared by the filled and the
// outlined drawing.
//
// bod instructions become vertices (a point equal to the previous one within
// 0.00001 in every coordinate is dropped; the previous point starts as
// (NaN, NaN, 10000), which equals no point); konec ends the current contour
// and starts the next; oblouk with the two instructions after it becomes 50
// arc vertices (viewer/arc.h). Vertices are kept in a store of 700 entries
// until the polygon has ended. Ends the walk with the "vertexu:%d" line.
//
// Faulty input is drawn as far as it makes sense, never out of bounds:
// vertices beyond the 700th are left out (the line "vynechanych vertexu:%d"
// counts them); an oblouk without two instructions after it ends the walk;
// an oblouk before any point, or whose three points have no circle, becomes
// a straight edge to its end point ("oblouk bez kruznice"); a vertex with a
// coordinate that is not finite (a bod whose y or z is NaN or infinite, or
// x infinite) has no place to be drawn and is left out of both drawings, so
// that the tessellator never sees one (the line "vynechanych neciselnych
// vertexu:%d" counts them). The filled drawing hands vertices to the
// tessellator through viewer/tessellator_vertices.h: coordinates closer to
// zero than 1e-30 as 0, and a self-intersecting outline is filled.
#pragma once

#include <cstdio>

#include "model/instruction_list.h"

constexpr int kapacita_vrcholu = 700;

enum class Kresba { vypln, obrys };

// Writes its trace lines to `stopa` (drawing_trace.h; null for none).
void projdi_polygon(Polygon3D* polygon, Kresba kresba, std::FILE* stopa);
