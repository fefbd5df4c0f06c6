// What the filled drawing hands the GLU tessellator beyond the walk's own
// vertices: the vertices it creates where edges cross, and coordinates it can
// order reliably.
//
// NoveVrcholy holds the vertices the tessellator creates while it splits a
// self-intersecting or degenerate outline (the combine callback); the walk
// owns one per polygon and passes it as the polygon data of
// gluTessBeginPolygon, so the vertices live until the polygon has ended and
// are freed with the walk. Nothing is allocated unless the tessellator asks.
//
// Coordinates closer to zero than nejmensi_souradnice_teselatoru (1e-30) are
// handed to the tessellator as 0: nonzero values that small beside ordinary
// ones (denormal floats in a contour around the unit circle) broke the
// tessellator's sweep and crashed it. The vertex that is drawn keeps its
// exact coordinates; only the tessellator's copy is changed, by less than
// any distance the viewer can show (its near plane is 0.1 units away).
#pragma once

#include <GL/glu.h>

#include <array>
#include <forward_list>

constexpr double nejmensi_souradnice_teselatoru = 1e-30;

class NoveVrcholy {
 public:
  // A new vertex at the given coordinates; the pointer stays valid for the
  // object's lifetime.
  double* pridej(const GLdouble souradnice[3]);

 private:
  std::forward_list<std::array<double, 3>> vrcholy_;
};

// GLU_TESS_COMBINE_DATA callback: the vertex where edges cross (or where
// vertices coincide) for the polygon whose data is a NoveVrcholy. A vertex at
// exactly the coordinates of the first source vertex is that vertex itself,
// as without the callback. Without polygon data no vertex is made and GLU
// keeps its own handling (the crossing outline is not drawn).
void combineCallback(GLdouble souradnice[3], void* data[4], GLfloat vahy[4], void** vysledek,
                     void* nove_vrcholy);

// Passes the store entry v (x, y, z) to the tessellator as location and data,
// with coordinates closer to zero than nejmensi_souradnice_teselatoru given
// as 0; v itself is unchanged when the call returns (GLU copies the
// location, it keeps only the data pointer).
void predej_teselatoru(GLUtesselator* tess, double* v);
