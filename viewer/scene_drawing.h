// One frame of the scene: the two camera wire frames, every polygon of model1
// filled in its colour and outlined in black, the 3D segments of prunik and,
// in viewer_calibration and viewer_polar, the calibration marks. While the
// run shows the surface (zobrazena_plocha, surface_drawing.h), the surface is
// drawn in place of the polygons and segments.
//
// display3D expects the model-view matrix to be the identity and the buffers
// cleared; it moves the camera (movefunc3D, pohled3D in the run's viewing
// frame) before drawing. All GL calls go through grafika.
#pragma once

#include "model/instruction_list.h"
#include "viewer/viewer_state.h"

void display3D(const StavProhlizece& stav);

// display3D of the model in the compiled-in set-up's frame.
void display3D();

// A three-axis cross at p (three floats) of half-length size, as GL_LINES
// along x, y and z, in the current colour.
void nakreslibod(const float* p, float size);

// Fills every polygon of the chain (no colour, no outline), with the log
// lines "COUNTITEM:%d" and "vsechny zobrazeny" around it.
void ZobrazPolygony(List<Polygon3D*> seznam);
