// The program's angle constants and the vector helpers that the
// reconstruction, the model and the viewer share.
//
// Vectors are arrays of three components. The float versions read floats
// and compute in double; vektorove rounds each component of its result to
// float once. The double versions compute in double. The order of the
// operations is part of the contract: callers store results bit for bit, so
// code whose arithmetic rounds differently (products taken in float, say)
// keeps its own expression instead of calling these.
#pragma once

#include <cmath>

// pi and 2 pi as the program writes them, to eight significant digits (not
// the double closest to pi); every angle conversion uses these.
constexpr double pi_programu = 3.14159265;
constexpr double dve_pi_programu = 6.2831853;

// Degrees to radians with the program's pi.
inline double radiany(double stupne) { return stupne * pi_programu / 180; }

// a . b, summed in double from the first component to the last.
inline double skalarne(const float* a, const float* b) {
  return static_cast<double>(a[0]) * b[0] + static_cast<double>(a[1]) * b[1] +
         static_cast<double>(a[2]) * b[2];
}
inline double skalarne(const double* a, const double* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// vysledek = a x b. The float version takes each component in double and
// rounds it to float.
inline void vektorove(const float* a, const float* b, float* vysledek) {
  vysledek[0] =
      static_cast<float>(static_cast<double>(a[1]) * b[2] - static_cast<double>(b[1]) * a[2]);
  vysledek[1] =
      static_cast<float>(static_cast<double>(a[2]) * b[0] - static_cast<double>(b[2]) * a[0]);
  vysledek[2] =
      static_cast<float>(static_cast<double>(a[0]) * b[1] - static_cast<double>(b[0]) * a[1]);
}
inline void vektorove(const double* a, const double* b, double* vysledek) {
  vysledek[0] = a[1] * b[2] - a[2] * b[1];
  vysledek[1] = a[2] * b[0] - a[0] * b[2];
  vysledek[2] = a[0] * b[1] - a[1] * b[0];
}

// The closest points of two lines, line 1 through P along u and line 2
// through Q along v, with d = Q - P: s, the parameter of line 2's point
// nearest to line 1 (Q + s v), with the operations rounded to float where
// the triangulation and the calibration always rounded them. False, and s
// unset, when the solve is undefined: u is zero, the lines are parallel,
// or s or line 1's parameter is not finite. The triangulation and the
// calibration both solve their closest points here.
inline bool nejblizsi_na_primce(const float* u, const float* v, const float* d, float* s_vysledek) {
  const float a = static_cast<float>(skalarne(u, u));
  const float b = static_cast<float>(-skalarne(u, v));
  const float c = static_cast<float>(skalarne(u, d));
  const float dd = static_cast<float>(skalarne(u, v));
  const float e = static_cast<float>(-skalarne(v, v));
  const float f = static_cast<float>(skalarne(v, d));
  if (a == 0.0f) return false;
  const float e2 = static_cast<float>(e - static_cast<double>(b) * dd / a);
  const float f2 = static_cast<float>(f - static_cast<double>(c) * dd / a);
  if (e2 == 0.0f) return false;
  const float s = static_cast<float>(static_cast<double>(f2) / e2);
  const float t = static_cast<float>((c - static_cast<double>(b) * s) / a);
  if (!std::isfinite(s) || !std::isfinite(t)) return false;
  *s_vysledek = s;
  return true;
}

// Determinant (in double) of the 3 x 3 matrix made of the columns a, b, c of
// the 3 x 4 matrix m, expanded along its first column.
inline double determinant(const float m[3][4], int a, int b, int c) {
  return m[0][a] *
             (static_cast<double>(m[1][b]) * m[2][c] - static_cast<double>(m[1][c]) * m[2][b]) -
         m[1][a] *
             (static_cast<double>(m[0][b]) * m[2][c] - static_cast<double>(m[0][c]) * m[2][b]) +
         m[2][a] *
             (static_cast<double>(m[0][b]) * m[1][c] - static_cast<double>(m[0][c]) * m[1][b]);
}
