// The triangulated points and the camera set-up as PLY files.
//
// body_ply: "points.ply" — element vertex: every point of the five
// turntable positions in the common frame (x, y, z, the angle slot 0..4 as
// `position`, the marker number as `marker`); element reference: the four
// turntable reference marks as triangulated (x, y, z, `mark` 0..3 for green
// 255..252), not turned.
// kamery_ply: "cameras.ply" — per camera its projection centre and the four
// corners of its image rectangle (vertices), the rectangle as a face and the
// four lines from the centre to the corners as edges, all red.
#pragma once

#include <string>

std::string body_ply(bool ascii);
std::string kamery_ply(bool ascii);
