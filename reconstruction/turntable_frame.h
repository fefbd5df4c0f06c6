// The turntable frame of a scan, and the viewing frame derived from it.
//
// The turntable frame has its origin at the turntable centre, z along the
// turntable axis pointing from the turntable plane towards the object, and
// x in the plane of the axis and camera 1's projection centre, pointing
// towards the camera; y = z x x. A mesh written in it stands upright.
//
// The viewing frame is the one the viewer's camera navigation assumes (z up,
// the turntable ahead along +y): origin at camera 1's projection centre, z
// the turntable frame's z, y the horizontal direction from camera 1 towards
// the axis (the turntable frame's -x) and x = y x z (its y).
//
// Inputs, in the world frame of the scan (any units): `kamera1` camera 1's
// projection centre; `stred` and `osa` a point on the turntable axis (the
// turntable centre) and the axis direction, of any length and either sign;
// `objekt` a point of the object (the centroid of the turned points), which
// decides which way is up. Fails with a one-line reason when the axis has
// no direction, the camera stands on the axis, or the object lies in the
// turntable plane; the numbers must be finite.
#pragma once

#include <string>

struct Soustava {
  double pocatek[3];  // origin, world coordinates
  double osy[3][3];   // osy[i]: the frame's axis i (unit) in world coordinates
};

bool soustava_tocny(const double kamera1[3], const double stred[3], const double osa[3], const double objekt[3],
                    Soustava* tocna, std::string* chyba);

Soustava soustava_pohledu(const Soustava& tocna, const double kamera1[3]);

// A world point in the frame's coordinates.
void do_soustavy(const Soustava& s, const double svet[3], double v_soustave[3]);

// The frame's transform as a column-major 4 x 4 matrix (OpenGL's order)
// that takes world coordinates into the frame's.
void matice_soustavy(const Soustava& s, double matice[16]);

// The horizontal distance from camera 1 to the turntable axis.
double vzdalenost_od_osy(const Soustava& tocna, const double kamera1[3]);
