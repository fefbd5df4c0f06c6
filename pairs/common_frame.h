// Turning triangulated pairs into the common frame of the marker scan.
//
// otoc_body_do_spolecne reads the ten marker images (marker_scan.h) in the
// working directory with the camera set-up in use (camera_rig.h), finds the
// turntable axis from the reference marks of the "080" images as the
// reconstruction does (prepocet_bodu) and turns every point as the
// reconstruction turns a position whose turntable angle is `uhel` degrees
// (otoc_do_spolecne). The scan's warnings about object markers are not
// reported: only the reference marks matter here. A missing or unusable
// image, or reference marks that give no axis, return false with
// "--turn: cannot turn the points into the common frame: <reason>" in
// *chyba, the reason naming the file; the points are then left as they were.
#pragma once

#include <string>
#include <vector>

#include "pairs/pair_points.h"

bool otoc_body_do_spolecne(std::vector<BodParu>* body, int uhel, std::string* chyba);

// The two steps of it: the axis from the marker images (false with the
// reason, naming the file, in *duvod), and the turn of points taken at
// turntable angle `uhel` with the axis found.
bool urci_osu_ze_znacek(std::string* duvod);
void otoc_body(std::vector<BodParu>* body, int uhel);
