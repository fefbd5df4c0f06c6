// The files a reconstruction program leaves beside "logfile.txt" once its
// model is built: "model.ply" (viewer_calibration: "cameras.ply") and
// "points.ply", binary PLY; viewer_polar and viewer_projection then build
// and write "surface.ply" (surface_output.h). A file that cannot be written
// is a warning on standard error (the viewer still opens); an existing file
// is replaced only by a complete new one. In batch mode (prohlizec_pokracuje
// false) no viewer follows: the warning says only what went wrong.
#pragma once

// With `vzpriment` every file is written in that frame (the turntable
// frame, reconstruction/upright_ply.h).
#include "reconstruction/turntable_frame.h"

// Whether every file was written.
bool zapis_vystupy_skenu(bool prohlizec_pokracuje = true, const Soustava* vzpriment = nullptr);
