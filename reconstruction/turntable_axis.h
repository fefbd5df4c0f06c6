// The turntable axis from its three reference marks, and the turn of a
// point about it into the common frame.
//
// The reference marks lie on the turntable, at the same distance from its
// axis. osa_z_referenci takes their triangulated positions r0, r1, r2 and
// finds:
//   - the two directions of the turntable plane, smerovy[0] along r2 - r0
//     and smerovy[1] along r2 - r1, each normalised (a zero vector stays
//     zero);
//   - the plane's normal n = smerovy[0] x smerovy[1], normalised, with the
//     plane offset -n . r0 in normalovy[3];
//   - the centre of the circle through the marks, where the two planes of
//     equal distance (r0 r1 and r1 r2) meet the turntable plane, solved by
//     Cramer's rule: determinanty[0] is the system's determinant and
//     stred = (-d1 / d0, d2 / d0, -d3 / d0);
//   - the axis's second point, stred + n.
// Every quantity is stored as a float; the expressions are evaluated in
// double, in the order the scan has always used, so the results are bit
// for bit those of every earlier scan.
//
// The result is false when the marks do not span a plane (in line,
// coinciding or missing): the determinant is zero, the centre is not
// finite or the normal is zero. *osa is then filled up to the determinants
// (for the caller's log), stred and druhy_bod are left unset, and *chyba
// (when not null) says why in one line, without naming files.
#pragma once

#include <string>

struct OsaTocny {
  float smerovy[2][3];
  float normalovy[4];
  float determinanty[4];
  float stred[3];
  float druhy_bod[3];
};

bool osa_z_referenci(const float r0[3], const float r1[3], const float r2[3], OsaTocny* osa,
                     std::string* chyba);

// Turns point p, in place, about the axis through `bod_osy` along `smer_osy`
// (any non-zero length) by uhel_stupne degrees plus a half turn, as the
// points of a turntable position at that angle are turned into the common
// frame: p's foot f on the axis, r = f - p, p' = f + cos t r - sin t (r x n)
// with t = uhel_stupne * pi / 180 in double and n = smer_osy.
void otoc_kolem_osy(const float bod_osy[3], const float smer_osy[3], int uhel_stupne, float p[3]);
