// Appending 3D segments to prunik, the segment table the viewer draws.
//
// pridej_prunik writes the two end points of a new record and increases
// pocetusecek3d; the flag word of viewer_projection's records is left as it
// is (the caller sets it where it has a meaning). When the table is full
// nothing is written: the first refusal is reported once on standard error
// and in the log, and -1 is returned.
#pragma once

// Returns the index of the new record, or -1 when prunik is full.
int pridej_prunik(const float* zacatek, const float* konec);

// True when prunik has no free record left.
bool prunik_plny();
