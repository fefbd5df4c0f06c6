// The frames of this scan (reconstruction/turntable_frame.h), from the
// scene tables: camera 1's projection centre (stereo_kamera[0]), the
// turntable axis (osa_rotace[0], rotace_normalovy) and the centroid of the
// turned points (turned_points.h), which tells up from down.
//
// soustava_skenu fails with a one-line reason when the scan has no usable
// axis or no turned points. nastav_pohled_skenu gives the viewer the
// viewing frame, the centroid in it for the screenshot to face, and a
// movement step scaled so that crossing the scene takes as many frames as
// with the compiled-in set-up; it is used with a camera set-up of the
// user's ("rig.yml") and leaves the settings alone when the frame fails.
#pragma once

#include <string>

#include "reconstruction/turntable_frame.h"
#include "viewer/viewer_start.h"

// The horizontal distance from camera 1 to the turntable axis on the
// compiled-in set-up's sample scene, in world units: one unit of movement
// per frame suits it.
constexpr double vzdalenost_osy_vestavene = 135.9;

// `teziste` receives the centroid of the turned points (world).
bool soustava_skenu(Soustava* tocna, double teziste[3], std::string* chyba);

bool nastav_pohled_skenu(NastaveniProhlizece* nastaveni, std::string* chyba);
