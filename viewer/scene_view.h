// The program's side of the viewer's entry point: the viewer's tables
// (viewer_tables.h) pointing at the program's scene tables, model list,
// surface and log. The one place that hands the viewer the global tables.
#pragma once

#include "viewer/viewer_tables.h"

TabulkyProhlizece tabulky_sceny();
