// A binary little-endian PLY file of this system (points, model, surface,
// cameras) rewritten in the turntable frame (turntable_frame.h), so that
// mesh viewers show the object standing and printing needs no rotation.
//
// In every element, the float properties x, y, z are taken as a point and
// turned into the frame, and nx, ny, nz as a direction and turned with it
// (rounded to float once, from double); every other property and the order
// of everything stay. One header comment, after the format line, names the
// frame. Returns false with a one-line reason (no file name: the caller
// adds it) for a file this reader does not understand: not binary little-
// endian, a property type it does not know, or data that ends early.
#pragma once

#include <string>

#include "reconstruction/turntable_frame.h"

bool ply_vzpriment(const std::string& ply, const Soustava& tocna, std::string* vysledek, std::string* chyba);

// The PLY text a program writes to `jmeno`: `ply` itself without a frame,
// or turned into `vzpriment`. False with "jmeno: problem" in *chyba when it
// cannot be turned.
bool ply_k_zapisu(const char* jmeno, const std::string& ply, const Soustava* vzpriment, std::string* obsah,
                  std::string* chyba);

// The header comment that names the frame.
extern const char* const komentar_vzpriment;
