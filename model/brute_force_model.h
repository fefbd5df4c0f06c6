// brutalforce_model3D: the triangle of the first point and its two nearest
// neighbours, recorded as three prunik segments.
//
// Makes one point instruction per point of slots 0..9 (up to each slot's
// count) and works on exactly the instructions it made, whatever else the
// pool holds. From the first of them it finds the nearest unused point
// (Euclidean, lowest creation order on a tie), records (first, it), marks
// both used, does the same for the second neighbour, and closes the triangle
// with (second neighbour, first neighbour). With fewer than three points it
// records only the segments whose end points exist. No polygon is made.
#pragma once

void brutalforce_model3D();
