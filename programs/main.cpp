// Entry point of the three reconstruction programs (viewer_projection,
// viewer_calibration, viewer_polar), compiled once per configuration.
#include <cstdio>
#include <string>

#include "model/instruction_pool.h"
#include "model/polar_model.h"
#include "model/projection_model.h"
#include "reconstruction/configuration.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/triangulation.h"

int main() {
  if (!otevri_log()) {
    std::fprintf(stderr, "logfile.txt: cannot be created in the working directory\n");
    return 1;
  }
  init_ins();
  vynuluj_pocty_znacek();
  std::string chyba;
  if (!nacti_snimky_znacek(&chyba)) ukonci_chybou("%s", chyba.c_str());
  nastav_obdelniky_kamer();
  prepocet_bodu(true);
  if constexpr (konfigurace::je_polar) polar_model3D();
  if constexpr (konfigurace::je_projekce) projection_model3D();
  zavri_log();
  return 0;
}
