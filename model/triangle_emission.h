// The triangles of the segment graph in usecky_provizorni as polygons.
//
// For every point p in index order, every two of its segments (in list
// order) whose far ends q and r are joined by a segment form a triangle,
// appended to model1 as a Polygon3D of the instructions of p, q and r in that
// order and coloured by `obarvi(p, polygon)`. Every triangle is therefore
// emitted three times, once from each corner. Each emission adds 1 to the
// use counter of its three segments; the counters are returned, one per
// segment of the list.
//
// instrukce[p] is the point instruction of point p; every segment endpoint
// must be below instrukce.size(). A point may have any number of segments.
#pragma once

#include <functional>
#include <vector>

#include "model/instruction_list.h"

std::vector<int> vytvor_trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                                     const std::function<void(int, Polygon3D*)>& obarvi);
