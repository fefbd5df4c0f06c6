// The grown segment graph (segment_growth.h) into the programs' segment
// table: usecky_provizorni and usecky_proviz_pocet receive the segments in
// their order (never more than the table holds), and a growth that ended at
// its segment limit writes "prekrocen max usecek!!!" to the log, as it
// always has.
#pragma once

#include "model/segment_growth.h"

void usecky_do_tabulky(const VysledekRustu& rust);
