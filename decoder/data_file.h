// The output file "data.txt": the fixed header, the pairs and the end marker.
//
// The file is written through the atomic file writer (a unique temporary
// name in the same directory, renamed to "data.txt" only by dokonci_data), so
// "data.txt" is either the complete new file or whatever it was before the
// run. Content, one item per
// line: 302 391 123 310 556 393 377 315 497 271 387 192, "M", the angle, then
// x1 y1 x2 y2 of every pair, then "Q".
#pragma once

#include <string>

// Creates the temporary file and writes the header with the angle.
bool otevri_data(int uhel, std::string* chyba);

// Appends the pairs of korespond[0 .. kores_pocet - 1] and "Q".
void KorespondujiciUloz();

// Closes the temporary file and renames it to "data.txt"; false (and the
// temporary file removed) when a write, the close or the rename failed.
bool dokonci_data(std::string* chyba);

// Closes and removes the temporary file; "data.txt" is not touched.
void zrus_data();

// The six fixed number pairs of the header.
extern const int hlavicka_dat[12];
