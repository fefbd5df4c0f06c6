// Outlined drawing of one polygon: one closed line loop per contour in the
// current colour, along exactly the vertices of the filled drawing
// (viewer/polygon_walk.h). Adds the trace lines "zobrazeni...", "zac" and
// one "bod", "konec" or "oblouk" line per instruction, to `stopa`
// (drawing_trace.h; null for none) / to the log.
#pragma once

#include <cstdio>

#include "model/instruction_list.h"

void Obrys(Polygon3D* polygon, std::FILE* stopa);
void Obrys(Polygon3D* polygon);
