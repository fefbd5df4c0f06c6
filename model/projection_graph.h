// The projection model of a point set, as a value.
//
// The central plane passes through the origin (camera 1) and the turntable
// axis A, B; its unit normal is n = (O - A) x (O - B), normalised. It cuts
// the points into two halves: n.p > 0 is half 0, flattened onto the plane
// n.x = -50, the rest half 1, flattened onto n.x = +50. Each half's plane
// has its origin where the centroid's normal meets it and the axes u = n x w
// (w the normalised (0.1, 0.1, -0.1)) and v = n x u; a point's plane
// coordinates (a, b) solve d = a u + b v from the first pair of coordinate
// rows whose divisions are defined (NaN when none is). Each half grows its
// segment graph in those coordinates (segment_growth.h, steps 0..4001),
// every segment also a 3D line on the half's plane, and finds its triangles
// (triangle_emission.h). Every quantity is stored as a float and computed
// in double, as the program always has.
//
// normala_stredni_roviny finds n, and fails when the axis is in line with
// the origin (the plane is undefined); projekcni_graf takes it and stops
// with the growth's message when a half is too large for the growth. The
// callbacks (any may be empty) let the caller follow the build as it
// happens: once the halves are split, and for each half after its first
// full pass, at the end of each step, for each segment with its 3D line,
// and when its growth has ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/segment_growth.h"
#include "model/triangle_emission.h"

struct PolovinaProjekce {
  float pocatek[3];
  std::vector<int> body;  // indices of the half's points in the input, in input order
  std::vector<BodRoviny> souradnice;
  VysledekRustu rust;
  TrojuhelnikyGrafu trojuhelniky;  // corners numbered within the half
};

struct ProjekcniGraf {
  float normala[3];
  float u[3];
  float v[3];
  PolovinaProjekce poloviny[2];
};

struct PrubehProjekce {
  std::function<void()> po_rozdeleni;
  std::function<void(int polovina)> po_uvodnim_pruchodu;
  std::function<void(int polovina, int krok)> na_konci_kroku;
  std::function<void(int polovina, int usecka, const float a[3], const float b[3])> po_care;
  std::function<void(int polovina)> po_rustu;
};

// The central plane's unit normal n from the axis points osa[0], osa[1];
// false when the axis is in line with the origin (every component of the
// cross product within 0.0001 of zero).
bool normala_stredni_roviny(const float osa[2][3], float n[3]);

bool projekcni_graf(const float normala[3], const float teziste[3], const std::vector<Bod3D>& body,
                    const PrubehProjekce& prubeh, ProjekcniGraf* graf, std::string* chyba);
