// orezmodely3D: where the triangles of one model cut through another's.
//
// Models are told apart by the red component of their polygons (the profile
// model sets it to its typ). For every polygon of model typ1 in list order,
// the first polygon of model typ2 whose plane meets it along a common
// stretch of the two planes' line gives a prunik record (and two pool
// instructions for its ends); both polygons get red 256 and take part in no
// further pairing. Prints "nalezena prusecnice" per stretch, "chyba!" (and
// waits for a character) when eliminating an axis leaves a residue.
// Triangles without a plane (corners in line or coinciding) and pairs whose
// line cannot be constructed are skipped. When prunik is full the builder
// stops (the table reports it once).
#pragma once

void orezmodely3D(int typ1, int typ2);
