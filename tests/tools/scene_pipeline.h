// Running the reconstruction of viewer_polar up to the turn into the common
// frame on a sample scene held in memory, and the error bounds the tests
// hold its results to.
#pragma once

#include <string>

#include "tools/sample_scene.h"

// Clears the scene tables, scans the scene's ten images (as the bytes of
// their files, through readBMP) and runs prepocet_bodu(true). Returns the
// first scan error, or an empty string.
std::string zrekonstruuj_scenu(const Scena& scena);

// The largest error a marker's turned point may have: each marker pixel
// coordinate off by what the painting style allows (rozsah_odchylky), each
// reference mark off by the distance of its triangulated pixels from its
// true place, plus the room for single-precision arithmetic.
double mez_znacky(const Scena& scena, const ZnackaPolohy& z, int slot);
