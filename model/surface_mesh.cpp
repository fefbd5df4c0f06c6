// The surface of this run.
#include "model/surface_mesh.h"

Plocha plocha_skenu;
