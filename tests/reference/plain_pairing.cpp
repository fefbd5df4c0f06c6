// Pairing by comparing every record with every other.
#include "tests/reference/plain_pairing.h"

#include "decoder/decoder_state.h"

void KorespondujiciBodyPostupne() {
  kores_pocet = 0;
  for (int i = 0; i < kapacita_bodu && body_kam1[i].kod != -1; ++i) {
    if (body_kam1[i].pocet != 1) continue;
    for (int j = 0; j < kapacita_bodu && body_kam2[j].kod != -1; ++j) {
      if (body_kam2[j].pocet == 1 && body_kam2[j].kod == body_kam1[i].kod &&
          kores_pocet < kapacita_bodu) {
        korespond[kores_pocet] =
            KorespondujiciPar{body_kam1[i].x, body_kam1[i].y, body_kam2[j].x, body_kam2[j].y};
        ++kores_pocet;
      }
    }
  }
}
