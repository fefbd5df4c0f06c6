// The model builders written as plainly as they are described: every growth
// step re-scans every point and every segment, every triangle search scans
// the segment list from its start. They are slow and serve as the reference
// the fast builders must match exactly (segments, polygons, records, console
// and log lines), in the tests and in the benchmark.
#pragma once

#include <vector>

#include "model/segment_growth.h"

// The plain segment growth; same contract as rust_usecek followed by
// usecky_do_tabulky (segment_table.h).
void rust_usecek_doslovne(const std::vector<BodRoviny>& body, const NastaveniRustu& nastaveni);

// postav_polar_model, plainly.
void postav_polar_model_doslovne();

// projection_model3D, plainly.
void projection_model3D_doslovne();

// model3D, plainly, for slots and types in range (typ 0..5).
void model3D_doslovne(int profil, int typ);
