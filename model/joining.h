// spojmodely3D: snaps points of one profile model onto another surface that
// they lie inside.
//
// For each point i of slot profil1 (its instruction through
// adresy_bodu_global), the ray from teziste through the point is tested
// against the triangles of model profil2 (polygons whose red component is
// profil2, in list order). If the ray meets one farther from the centroid
// than the point, the point's instruction takes the position of the nearest
// point of slot profil2 ("%d zmenen na %d"), the triangle's red becomes 255,
// and the next point follows. "NENALEZEN!!!" (ray parallel to a plane) and
// "chyba v bodX3uhelnik" (crossing point off the plane) each wait for one
// character. Triangles without a plane are skipped; points without an
// instruction, slots outside the tables and a profil2 without points change
// nothing.
#pragma once

void spojmodely3D(int profil1, int profil2);
