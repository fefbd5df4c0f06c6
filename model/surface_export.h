// The surface as a PLY file for mesh tools and printers: "surface.ply".
//
// Element vertex: x, y, z and the outward unit normal nx, ny, nz (floats);
// element face: vertex_indices, three per triangle, counter-clockwise seen
// from outside. Floats read back bit-identical.
#pragma once

#include <string>

#include "model/surface_mesh.h"

std::string plocha_ply(const Plocha& plocha, bool ascii);
