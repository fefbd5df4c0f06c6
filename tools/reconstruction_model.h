// The reconstruction of one marker as a smooth function of its inputs, in
// double precision: triangulate the point, find the axis from the first three
// reference marks, turn the point by the slot's angle. Used to derive how far
// pixel errors can move a reconstructed point, and to split a measured error
// into its sources.
#pragma once

#include "tools/camera_projection.h"

// Image positions of one point in both cameras (fractional pixels allowed).
struct PixelyBodu {
  double sloupec[2] = {0, 0};
  double radek[2] = {0, 0};
};

PixelyBodu pixely_z_pozic(const PoziceVObraze& kamera1, const PoziceVObraze& kamera2);

Bod3 trianguluj_pixely(const SestavaKamer& s, const PixelyBodu& p);

// The point the reconstruction yields for a marker seen at `bod` in a slot
// with turntable angle uhel_stupnu, the reference marks 255, 254, 253 seen
// at reference[0..2].
Bod3 zrekonstruuj(const SestavaKamer& s, const PixelyBodu& bod, const PixelyBodu reference[3],
                  int uhel_stupnu);

// The same from the triangulated marker and reference marks.
Bod3 otoc_do_spolecne(Bod3 bod, const Bod3 reference[3], int uhel_stupnu);

// How the reconstructed point moves: bod[0..3] per pixel of the marker's
// column 1, row 1, column 2, row 2; reference[3m + j] per world unit of
// coordinate j of triangulated reference mark m. Central differences.
struct Citlivost {
  Bod3 bod[4];
  Bod3 reference[9];
};

Citlivost citlivost(const SestavaKamer& s, const PixelyBodu& bod, const Bod3 reference[3],
                    int uhel_stupnu);

// How a triangulated point moves per pixel of each of its four coordinates.
void citlivost_triangulace(const SestavaKamer& s, const PixelyBodu& p, Bod3 sloupce[4]);

// Largest distance of a triangulated point from the truth, to first order,
// when each of its pixel coordinates is off by at most chyba_px.
double mez_triangulace(const SestavaKamer& s, const PixelyBodu& p, double chyba_px);

// Largest distance of the reconstructed point from the truth when each
// marker pixel coordinate is off by between od_px and do_px pixels and
// triangulated reference mark m lies at most chyba_referenci[m] from its true
// place. To first order: writing each offset as the middle of the range plus
// at most half its width, |sum of columns * middle| + sum of |column| * half
// width for the marker, and the Frobenius norm of each mark's 3 x 3 block
// times its distance; that sum is enlarged by rezerva_linearizace for the
// terms of higher order.
double mez_chyby(const Citlivost& c, double od_px, double do_px, const double chyba_referenci[3]);

// Relative room for what the first-order bound leaves out. Over two pixels
// the rays' pixel-to-world map departs from linear by well under one per
// cent (a pixel is 1/1700 of the ray length to the image plane, and the
// depth goes with the inverse of the disparity); two per cent are allowed.
constexpr double rezerva_linearizace = 0.02;

// Room for the single-precision arithmetic of the reconstruction, in world
// units. A float holds about 7 digits, i.e. about 1e-5 at coordinates of 140;
// the ray solve loses about two more digits to the small angle between the
// rays (e' is |v|^2 sin^2 of an angle of about 7 degrees: a cancellation by a
// factor of about 60), which gives about 1e-3. Five times that is allowed.
constexpr double rezerva_zaokrouhleni = 0.005;
