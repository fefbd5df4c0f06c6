// --screenshot: one frame of the scene saved as a PNG file.
//
// Needs the OpenGL window and init(). Turns the view as the demo does by
// moving the pointer from (0, 0) to (540, 360) of the 800 x 600 frame: the
// heading becomes -540 (= 180) degrees and the elevation 180.5 + 360, so the
// view looks along +y at the turntable; in a window too, whose mouse turns
// the view only after a click. Then draws one frame (display in the run's
// state, so the frame count and the log's drawing trace are those of one
// frame), reads it back and writes it to `cesta` as an 8-bit RGB PNG of
// xscr x yscr pixels, complete or not at all. Returns false with a message
// naming the file when it cannot be written.
//
// With `cil` (a point of the viewing frame, camera.h), the view is turned
// from the first position to face that point instead, upright.
#pragma once

#include <string>

#include "viewer/viewer_state.h"

bool uloz_snimek_obrazovky(StavProhlizece& stav, const std::string& cesta, std::string* chyba,
                           const double* cil = nullptr);

// The turn of the view before the screenshot's frame (above).
void natoc_pro_snimek(const double* cil);
