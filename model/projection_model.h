// projection_model3D: the triangle surface of viewer_projection.
//
// Reads osa_rotace (the turntable axis A, B), teziste, and body_souradnice /
// body_pocty of every angle slot (counts clamped to the tables; slots beyond
// body_souradnice count as empty). The central plane through the origin, A
// and B cuts the points into two halves (n.p > 0: half 0, flattened onto
// n.x = -50; otherwise half 1, flattened onto n.x = +50). Each half grows
// its segment graph in the coordinates of its projection plane
// (segment_growth.h, steps 0..4001, "krok %d..." every 100 steps), records
// every segment in prunik as a line on that plane (flag word 0, byte 0 in
// usecky_proviz_okraj), and appends every triangle three times to model1 in
// grey over the unflattened points. Makes one point instruction per point
// and records its slot in adresy_bodu_global. Prints "OK1".."OK3" on
// standard output, "TADY TADY TADY" per half in the log.
//
// An axis in line with the origin leaves the central plane undefined: a
// line in the log, no model, and false with chyba (when not null) saying so.
// Too few free pool slots: no model (pool_pretekl tells). A half too large
// for the segment growth (segment_growth.h) ends the build with false and
// the growth's message. A half without
// points contributes nothing. prunik is never written past its end (one log
// line when it is full).
#pragma once

#include <string>

bool projection_model3D(std::string* chyba = nullptr);
