// Filled drawing of one polygon through the GLU tessellator.
//
// tobj is the one tessellator of all filled polygons, with the begin, vertex
// and end callbacks (beginCallback -> begin, vertexCallback -> vertex3d of
// the coordinate triple, endCallback -> end, all through grafika), the
// combine callback of viewer/tessellator_vertices.h (a self-intersecting
// outline is filled, with a vertex where its edges cross) and GLU's default
// properties (odd winding rule). The tessellator needs no GL context; the
// callbacks draw into the current one.
#pragma once

#include <GL/glu.h>

#include <cstdio>

#include "model/instruction_list.h"

extern GLUtesselator* tobj;

void beginCallback(GLenum typ);
void endCallback();
void vertexCallback(GLdouble* v);

// A new tessellator in tobj (the previous one is deleted) with the three
// callbacks registered.
void priprav_teselator();

// Draws the polygon filled in the current colour (viewer/polygon_walk.h),
// with its trace lines to `stopa` (drawing_trace.h; null for none) / to the
// log.
void Zobraz(Polygon3D* polygon, std::FILE* stopa);
void Zobraz(Polygon3D* polygon);
