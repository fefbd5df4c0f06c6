// The model as a PLY file for mesh tools: "model.ply".
//
// Vertices are the point instructions of the pool in slot order, followed by
// the end points of prunik segments that are not already such a vertex
// (same coordinates). Each distinct polygon of model1 (the same set of
// instructions) becomes one face, in the vertex order and with the colour
// (low eight bits, as the viewer draws it) of its first copy in model1;
// polygons with contour or arc instructions are left out. prunik segments
// become an edge element coloured as the viewer draws them.
#pragma once

#include <string>

struct SouhrnExportu {
  int vrcholu = 0;
  int sten = 0;
  int hran = 0;
  int vynechanych_polygonu = 0;
};

// Builds the file's content.
std::string model_ply(bool ascii, SouhrnExportu* souhrn = nullptr);

// Writes it to `cesta` atomically; false with chyba when it cannot.
bool zapis_model_ply(const std::string& cesta, bool ascii, std::string* chyba,
                     SouhrnExportu* souhrn = nullptr);
