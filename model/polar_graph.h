// The polar model of a point set, as a value: the points' centroid, their
// polar angles about it, the segment graph grown in the plane of those
// angles, its triangles and the segments of no triangle.
//
// teziste_bodu: the centroid, accumulated point by point in float as
// teziste[c] + p[c] / n (the division in double); zero for no points.
// The polar angles of point p: theta = acos(dz / r) and phi = atan2(dy, dx)
// of d = p - centroid in double, stored as floats; a point at the centroid
// has NaN angles and never gets a segment.
// polarni_graf grows the graph (segment_growth.h, with `rust` as given, so
// the caller chooses the steps and hears of them), finds its triangles
// (triangle_emission.h) and lists, in list order, the segments that no
// triangle uses.
#pragma once

#include <vector>

#include "model/segment_growth.h"
#include "model/triangle_emission.h"

struct PolarniGraf {
  float teziste[3];
  std::vector<BodRoviny> uhly;  // (theta, phi) of each point
  VysledekRustu rust;
  TrojuhelnikyGrafu trojuhelniky;
  std::vector<int> okrajove;  // indices into rust.usecky
};

void teziste_bodu(const std::vector<Bod3D>& body, float teziste[3]);

PolarniGraf polarni_graf(const std::vector<Bod3D>& body, const NastaveniRustu& rust);
