// The triangles of a segment graph (triangle_emission.h) as polygons of
// model1: each triangle (p, q, r), in the order given, is appended as a
// Polygon3D of the point instructions of p, q and r in that order and
// coloured by `obarvi(p, polygon)`.
//
// instrukce[p] is the point instruction of point p; every corner must be
// below instrukce.size().
#pragma once

#include <functional>
#include <vector>

#include "model/instruction_list.h"
#include "model/segment_growth.h"
#include "model/triangle_emission.h"

void trojuhelniky_do_modelu(const std::vector<PolygonInstrukce*>& instrukce,
                            const std::vector<TrojuhelnikGrafu>& trojuhelniky,
                            const std::function<void(int, Polygon3D*)>& obarvi);

// The triangles of the graph of `usecky` into model1.
void vytvor_trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                         const std::vector<UseckaGrafu>& usecky,
                         const std::function<void(int, Polygon3D*)>& obarvi);
