// The surface of a point cloud: advancing-front surface reconstruction
// (CGAL) over the points' Delaunay triangulation, oriented outwards, with
// area-weighted vertex normals.
//
// `body` are the points in any order (world units, single precision). Points
// that are not finite are left out, and of points with the same coordinates
// only the first is used. Fewer than four usable points, or points that all
// lie in one plane, give an empty surface. Connected pieces of fewer than a
// tenth of the triangles of the largest are left out. Holes are closed with
// triangles between the points round them. Only points that some triangle
// uses become vertices, in the order of `body`. Each connected piece of the
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

bool postav_plochu(const std::vector<std::array<float, 3>>& body, Plocha* plocha, std::string* chyba);
