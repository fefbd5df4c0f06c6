// polar_model3D: the triangle surface of viewer_polar.
//
// Reads body_souradnice and body_pocty of angle slots 0..4 (counts outside
// 0..73 are clamped to the table). Rebuilds pole_bodu, bodu_celkem and
// teziste, makes one point instruction per point, grows the segment graph of
// the points in the plane of their polar angles (theta, phi) about the
// centroid (segment_growth.h, steps 0..10001, "krok %d z 10000" every 100
// steps), appends every triangle of the graph to model1 three times (once
// from each corner, coloured from the apex's angles) and records the
// segments of no triangle in prunik. Prints its progress on standard output
// and ends by waiting for Enter (prompt and wait left out when the Enter
// waits are off, common/enter_prompt.h).
//
// A point at the centroid has no angles (NaN) and gets no segment. No points
// at all give an empty model. prunik is never written past its end (one log
// line when it is full).
//
// When the instruction pool cannot take one instruction per point, no point
// instruction and no polygon is made, and the result is false with the
// pool's message in chyba (when given). A point set too large for the
// segment growth (segment_growth.h) stops after the point instructions with
// the growth's message. The prompt and the wait still follow,
// as after any model.
#pragma once

#include <cstdint>
#include <string>

bool polar_model3D(std::string* chyba = nullptr);

// Everything polar_model3D does except the closing prompt and the wait.
bool postav_polar_model(std::string* chyba = nullptr);

// A colour component from an angle in radians: angle / 3.14159265 * 128,
// truncated toward zero and kept as a 16-bit value (negative values as their
// two's complement); 0 for NaN.
std::uint16_t slozka_barvy_z_uhlu(float uhel);
