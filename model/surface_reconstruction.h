// The surface of a point cloud: advancing-front surface reconstruction
// (CGAL) over the points' Delaunay triangulation, oriented outwards, with
// area-weighted vertex normals.
//
// `body` are the points in any order (world units, single precision), and
// `polohy` the turntable position of each (or empty: every point a mark of
// its own). Points that are not finite are left out, and of points with the
// same coordinates only the first is used. Of the points that measure one
// mark from several positions only the most central is used
// (near_duplicates.h): their small-scale folds would keep holes from being
// closed without crossings. Fewer than four usable points, or points that
// all lie in one plane, give an empty surface. Connected pieces of fewer
// than a tenth of the triangles of the largest are left out. Holes are
// closed with triangles between the points round them, chosen so that they
// cross no other triangle where such a patch exists (the reconstruction's
// own triangles never cross, being facets of one Delaunay triangulation);
// otherwise by the library's hole filling, which may cross, so the caller
// checks the result (volume_check.h). Only points that some triangle uses
// become vertices, in the order of `body`. Each connected piece of the
// surface is turned so that it encloses positive volume around its own
// centroid, which makes its triangles counter-clockwise and its normals
// outward when the piece wraps round the object.
//
// Points on one line (within a millionth of their extent) or in one plane
// give an empty surface too: then true, and chyba (when four or more usable
// points) says why. Returns false with chyba (no file name: the caller adds
// it) when the library reports a failure; *plocha is then empty.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/surface_mesh.h"

bool postav_plochu(const std::vector<std::array<float, 3>>& body, const std::vector<int>& polohy, Plocha* plocha,
                   std::string* chyba);

// The surface of points that are each a mark of its own (no positions).
bool postav_plochu(const std::vector<std::array<float, 3>>& body, Plocha* plocha, std::string* chyba);
