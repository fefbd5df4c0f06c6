// Geometry shared by the trimming and the joining of models.
//
// rovina_trojuhelniku: the plane of corners v0, v1, v2 as a unit normal
// n = (v2 - v0) x (v2 - v1) / |...| and d = -(n . v0). Returns false when the
// normal is zero within 0.0001 in all three components (corners in line or
// coinciding): such a triangle has no plane and is skipped by the callers.
//
// prusecik_primek: where line A + s * a meets line B + t * b, solved from two
// coordinates; the ordered axis pairs (0,1), (1,0), (0,2), (1,2), (2,0),
// (2,1) are tried in turn and a pair is used when a[row] and the
// denominator b[row] * a[col] / a[row] - b[col] are both non-zero within
// 0.0001. Returns false when every pair fails (the lines are parallel as far
// as the test can tell); otherwise sets t (on B) and s (on A).
#pragma once

bool rovina_trojuhelniku(const float* v0, const float* v1, const float* v2, float* n, float* d);

bool prusecik_primek(const float* bod_a, const float* smer_a, const float* bod_b,
                     const float* smer_b, float* t_na_b, float* s_na_a);

// True when all three components are zero within 0.0001.
bool nulovy_vektor(const float* v);

// Copies corners 0, 1, 2 of a polygon; false when its list does not start
// with three point instructions.
class Polygon3D;
bool rohy_polygonu(const Polygon3D* polygon, float rohy[3][3]);
