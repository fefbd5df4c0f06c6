// The tables of the running viewer.
#include "viewer/viewer_tables.h"

namespace {
TabulkyProhlizece tabulky;
}  // namespace

void pouzij_tabulky(const TabulkyProhlizece& t) { tabulky = t; }

const TabulkyProhlizece& tabulky_prohlizece() { return tabulky; }
