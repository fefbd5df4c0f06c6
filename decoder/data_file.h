// The output file "data.txt": the fixed header, the pairs and the end marker.
//
// The file is written through the atomic file writer: its content gathers
// in memory, and only dokonci_data puts it on disk (beside "data.txt",
// renamed over it), so "data.txt" is either the complete new file or
// whatever it was before the run, and an interrupted run leaves no
// temporary file. Content, one item per
// line: 302 391 123 310 556 393 377 315 497 271 387 192, "M", the angle, then
// x1 y1 x2 y2 of every pair, then "Q".
#pragma once

#include <string>

// Starts the content with the header and the angle; the file is `soubor`
// ("data.txt" unless the decoder's --output names another).
bool otevri_data(int uhel, std::string* chyba, const std::string& soubor = "data.txt");

// Appends the pairs of korespond[0 .. kores_pocet - 1] and "Q".
void KorespondujiciUloz();

// Writes the file and renames it to its name; false with a message that
// gives the reason (and no temporary file left) when that failed.
bool dokonci_data(std::string* chyba);

// The name of the pair file of the run ("data.txt" unless --output).
const std::string& jmeno_souboru_dat();

// Drops the content; the file is not touched.
void zrus_data();

// The six fixed number pairs of the header.
extern const int hlavicka_dat[12];
