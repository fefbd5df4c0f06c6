// The circular arc of the polygon instruction format.
//
// An arc runs from the start point A (the last vertex before the arc
// instruction) to the end point E through a point H between them. The
// 50 vertices after A are computed on the circle through A, E and H; the
// last one lies at E. Writes the construction to the drawing trace `stopa`
// (drawing_trace.h; null for none): the three "matice:" rows, for an arc in
// a plane z = const the "det0:".."det2:" lines, the "n2:" line and, when A
// and E are opposite, the "oprava:" line.
// Inputs must be finite. Three points in line, or two of them coinciding,
// have no circle: the function then returns false and writes no vertex.
#pragma once

#include <cstdio>

constexpr int vrcholu_oblouku = 50;

bool vrcholy_oblouku(const float A[3], const float E[3], const float H[3],
                     double vrcholy[vrcholu_oblouku][3], std::FILE* stopa);
