// Entry point of the three reconstruction programs (viewer_projection,
// viewer_calibration, viewer_polar), compiled once per configuration.
//
// Every stage reports bad input by returning false with one message; here
// the message is printed, the log closed and the exit status chosen: 0 when
// the viewer ends (window closed or Escape), 1 on bad input or when the
// window cannot be opened.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "common/messages.h"
#include "model/instruction_pool.h"
#include "model/polar_model.h"
#include "model/projection_model.h"
#include "programs/scan_outputs.h"
#include "reconstruction/calibration.h"
#include "reconstruction/configuration.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/triangulation.h"
#include "viewer/viewer_start.h"

namespace {

int skonci_chybou(const std::string& chyba) {
  ohlas(chyba);
  zavri_log();
  return 1;
}

// The configuration's own step after the triangulation.
bool krok_konfigurace(std::string* chyba) {
  if constexpr (konfigurace::je_projekce) {
    if (!projection_model3D(chyba)) return false;
  }
  if constexpr (konfigurace::je_kalibrace) {
    b_indexy[0] = 0;
    b_indexy[1] = 8;
    b_indexy[2] = 14;
    if (!kalibrace(chyba)) return false;
  }
  if constexpr (konfigurace::je_polar) polar_model3D();
  return !pool_pretekl(chyba);
}

}  // namespace

int main() {
  nastav_jmeno_programu(konfigurace::jmeno_programu);
  // Like the other output files, a log that cannot be made is a warning.
  if (!otevri_log())
    ohlas(zprava("logfile.txt", std::string("cannot be created in the working directory (") +
                                    std::strerror(errno) + "); the program goes on without its log"));
  init_ins();
  vynuluj_pocty_znacek();
  std::string chyba;
  std::vector<std::string> varovani;
  const bool nacteno = nacti_snimky_znacek(&chyba, &varovani);
  for (const std::string& v : varovani) {
    ohlas(v);
    zapis_log("warning: %s\n", v.c_str());
  }
  if (!nacteno) return skonci_chybou(chyba);
  nastav_obdelniky_kamer();
  if (!prepocet_bodu(true, &chyba)) return skonci_chybou(chyba);
  if (!krok_konfigurace(&chyba)) return skonci_chybou(chyba);
  zapis_vystupy_skenu();
  if (!spust_prohlizec(&chyba)) return skonci_chybou(chyba);
  zavri_log();
  return 0;
}
