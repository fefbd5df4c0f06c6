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

// Largest distance of the reconstructed point from the truth, to first order,
// when each marker pixel coordinate is off by at most chyba_bodu_px and
// triangulated reference mark m lies at most chyba_referenci[m] from its true
// place: sum of |column| * error for the marker, and the Frobenius norm of
// each mark's 3 x 3 block times its distance.
double mez_chyby(const Citlivost& c, double chyba_bodu_px, const double chyba_referenci[3]);

// Room for the single-precision arithmetic of the reconstruction, in world
// units. A float holds about 7 digits, i.e. about 1e-5 at coordinates of 140;
// the ray solve loses about two more digits to the small angle between the
// rays (e' is |v|^2 sin^2 of an angle of about 7 degrees: a cancellation by a
// factor of about 60), which gives about 1e-3. Five times that is allowed.
constexpr double rezerva_zaokrouhleni = 0.005;
