// The surface of the turned marker points: a triangle mesh with one normal
// per vertex, built beside the model (surface_reconstruction.h) and written
// to "surface.ply"; the viewer can show it instead of the model.
//
// vrcholy and normaly have the same length; every corner of trojuhelniky
// indexes vrcholy. Triangles run counter-clockwise seen from outside the
// object, and normals point out of it.
#pragma once

#include <array>
#include <vector>

struct Plocha {
  std::vector<std::array<float, 3>> vrcholy;
  std::vector<std::array<float, 3>> normaly;
  std::vector<std::array<int, 3>> trojuhelniky;
};

// The surface of this run; empty until a program builds it.
extern Plocha plocha_skenu;
