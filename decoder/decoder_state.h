// The global state of the decoder: the image file-name template, the
// turntable angles, the decoded grid points of both cameras and the pairs.
//
// text holds "AAAPFC.bmp": three angle digits, the pattern digit (0 for the
// references, 1 to 8 for the stripe patterns, 9 for the preview), the family
// digit (1 or 2 for the stripe families, 3 or 4 for the references) and the
// camera digit. Every image is read under the name text holds at that moment.
// A point table is read from index 0 up to the first record with kod -1 and
// never past its last record.
#pragma once

#include <cstdint>

#include "decoder/decoder_types.h"

extern char text[11];
extern std::int32_t uhly[12];
extern KodovanyBod body_kam1[kapacita_bodu];
extern KodovanyBod body_kam2[kapacita_bodu];
extern KorespondujiciPar korespond[kapacita_bodu];
extern std::int32_t kores_pocet;
extern std::int32_t key;

// Per-pixel work arrays of the code identification, element (row r, column c)
// at index c * 480 + r: the grid map (0 or 255) and the blob labels (-1 an
// unlabelled grid pixel, 0 background, a positive label otherwise).
extern std::int32_t vstuppom[sirka_obrazu * vyska_obrazu];
extern std::int32_t vystuppom2[sirka_obrazu * vyska_obrazu];


// Puts the three decimal digits of the angle (0 to 999) into text[0..2].
void nastav_uhel_v_textu(int uhel);
