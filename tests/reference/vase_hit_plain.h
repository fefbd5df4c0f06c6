// zasah_vazy written plainly: every step of the march and of the bisection
// asks uvnitr_vazy, and the step length is computed apart from it. Slow; the
// reference the fast one (sample_object.cpp) must match exactly, hit for
// hit and bit for bit, since the rendered sample sets depend on every bit.
// Linked by no program.
#pragma once

#include "tools/sample_object.h"

// Same contract as zasah_vazy.
bool zasah_vazy_doslovne(Bod3 oko, Bod3 smer, double* t, Bod3* normala);
