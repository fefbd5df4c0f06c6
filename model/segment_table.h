// The grown segment graph (segment_growth.h) into the programs' segment
// table: usecky_provizorni and usecky_proviz_pocet receive the segments in
// their order (never more than the table holds), and a growth that ended at
// its segment limit writes "prekrocen max usecek!!!" to the log, as it
// always has. A refused growth leaves the table empty and returns false
// with the growth's message in *chyba (when not null).
#pragma once

#include <string>

#include "model/segment_growth.h"

bool usecky_do_tabulky(const VysledekRustu& rust, std::string* chyba = nullptr);
