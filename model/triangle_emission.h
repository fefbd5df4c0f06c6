// The triangles of a segment graph.
//
// For every point p in index order, every two of its segments (in list
// order) whose far ends q and r are joined by a segment form a triangle
// (p, q, r), in that order. Every triangle is therefore found three times,
// once from each corner. Each finding adds 1 to the use counter of its
// three segments; the counters come with the triangles, one per segment of
// the list.
//
// Every segment endpoint must be below `bodu`, the number of points. A point
// may have any number of segments.
#pragma once

#include <cstddef>
#include <vector>

#include "model/segment_growth.h"

struct TrojuhelnikGrafu {
  int p;
  int q;
  int r;
};

struct TrojuhelnikyGrafu {
  std::vector<TrojuhelnikGrafu> trojuhelniky;
  std::vector<int> pouziti;
};

TrojuhelnikyGrafu trojuhelniky_grafu(const std::vector<UseckaGrafu>& usecky, std::size_t bodu);
