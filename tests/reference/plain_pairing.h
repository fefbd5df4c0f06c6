// The plain twin of KorespondujiciBody: the same pairs of the decoder's
// global tables found by comparing every record with every other, printing
// nothing. The tests hold the indexed pairing to it.
#pragma once

void KorespondujiciBodyPostupne();
