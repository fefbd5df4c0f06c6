// Entry point of the three reconstruction programs (viewer_projection,
// viewer_calibration, viewer_polar), compiled once per configuration.
#include <cstdio>
#include <string>

#include "model/instruction_pool.h"
#include "programs/scan_outputs.h"
#include "reconstruction/calibration.h"
#include "reconstruction/camera_rig.h"
#include "model/polar_model.h"
#include "model/projection_model.h"
#include "reconstruction/configuration.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/triangulation.h"
#include "viewer/viewer_start.h"

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
  bool z_rigu = false;
  if (!nacti_rig_programu(&z_rigu, &chyba)) ukonci_chybou("%s", chyba.c_str());
  prepocet_bodu(true);
  if constexpr (konfigurace::je_projekce) projection_model3D();
  if constexpr (konfigurace::je_kalibrace) {
    b_indexy[0] = 0;
    b_indexy[1] = 8;
    b_indexy[2] = 14;
    kalibrace();
  }
  if constexpr (konfigurace::je_polar) polar_model3D();
  zapis_vystupy_skenu();
  spust_prohlizec();
  zavri_log();
  return 0;
}
