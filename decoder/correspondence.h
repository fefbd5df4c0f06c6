// Pairing the grid points of the two cameras by their codes, and showing the
// pairs.
//
// A point table (body_kam1, body_kam2) is read from index 0 up to the first
// record with kod -1 and never past index 9999; only codes with pocet 1
// (unique in their camera) are paired.
#pragma once

#include <string>

// Sets kod -1 and pocet 0 in every record of both tables (x, y are kept).
void VycistiBody();

// Fills korespond with every pair of a unique camera 1 code and the unique
// camera 2 point of the same code, in camera 1 table order; sets kores_pocet
// and prints "KORESPONDUJE %d BODU". Camera 2 is looked up through a table
// from code to its records.
void KorespondujiciBody();

// Loads the preview images (pattern digit 9, family 1) of both cameras under
// the template, leaving text[3..5] at '9', '1', '2'. Returns false with a
// message naming the file when one cannot be used.
bool nahledy_citelne(std::string* chyba);

// Whether windows can be shown: DISPLAY is set and the display module opens
// it. When the module cannot be loaded, `duvod` (when given) says why.
bool okna_k_dispozici(std::string* duvod = nullptr);

// Marks the paired pixels black in the two preview images, shows them in the
// windows "kamera1" and "kamera2" (through the display module) and waits
// until Enter is pressed in either, both windows have been closed, or
// standard input is at its end (or closed), where nobody can answer. Returns
// false with a message when a preview image or the display module cannot be
// used. Without a display it shows nothing, prints a note on standard error
// and returns true.
bool KorespondujiciUkaz(std::string* chyba = nullptr);

// Whether a key code from the window wait means Enter.
inline bool je_enter(int kod_klavesy) { return kod_klavesy == 13 || kod_klavesy == 10; }
