// Storage of the decoder's global state.
#include "decoder/decoder_state.h"

char text[11] = "000000.bmp";
std::int32_t uhly[12];
KodovanyBod body_kam1[kapacita_bodu];
KodovanyBod body_kam2[kapacita_bodu];
KorespondujiciPar korespond[kapacita_bodu];
std::int32_t kores_pocet = 0;
std::int32_t key = 0;
std::int32_t vstuppom[sirka_obrazu * vyska_obrazu];
std::int32_t vystuppom2[sirka_obrazu * vyska_obrazu];

void nastav_uhel_v_textu(int uhel) {
  text[0] = static_cast<char>('0' + uhel / 100);
  text[1] = static_cast<char>('0' + (uhel % 100) / 10);
  text[2] = static_cast<char>('0' + uhel % 10);
}
