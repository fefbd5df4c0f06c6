// Entry point of the three reconstruction programs (viewer_projection,
// viewer_calibration, viewer_polar), compiled once per configuration.
//
// The options come first (common/options.h: --help, --version and bad usage
// end the program before anything is read or written); with none the run is
// the plain one. Every stage reports bad input by returning false with one
// message; here the message is printed, the log closed and the exit status
// chosen: 0 when the viewer ends (window closed or Escape), after the
// screenshot, or in batch mode (--no-window) once the files are written; 1 on
// bad input, when the window cannot be opened or the screenshot written, and
// in batch mode when an output file (the log among them) cannot be written.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "common/enter_prompt.h"
#include "common/messages.h"
#include "common/options.h"
#include "reconstruction/atomic_file.h"
#include "model/instruction_pool.h"
#include "model/polar_model.h"
#include "model/projection_model.h"
#include "programs/scan_frame.h"
#include "programs/scan_outputs.h"
#include "programs/surface_output.h"
#include "reconstruction/rig_loader.h"
#include "programs/usage.h"
#include "programs/viewer_loader.h"
#include "viewer/scene_view.h"
#include "reconstruction/calibration.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/configuration.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/triangulation.h"

namespace {

// A run that ends on bad input or an output it cannot write says so in its
// log too; a window that cannot open is no fault of the scan, and its log
// stays the one a batch run writes.
int skonci_chybou(const std::string& chyba, bool do_logu = true) {
  pockej_na_prohlizec();
  pockej_na_plochu();
  ohlas(chyba);
  if (do_logu) zapis_log("error: %s\n", chyba.c_str());
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
  if constexpr (konfigurace::je_polar) {
    if (!polar_model3D(chyba)) return false;
  }
  return !pool_pretekl(chyba);
}

// The calibration program has the file's library anyway (it writes the
// file); the others load it only when there is a file to read.
CteniRigu cteni_rigu() {
  if constexpr (konfigurace::je_kalibrace)
    return nacti_rig;
  else
    return nacti_rig_modulem;
}

}  // namespace

int main(int argc, char** argv) {
  nastav_jmeno_programu(konfigurace::jmeno_programu);
  Volby volby;
  const int konec = zpracuj_volby(argc, argv, popis_prohlizece(), &volby);
  if (konec >= 0) return konec;
  chran_vystupy();
  if (volby.bez_okna || !volby.snimek.empty()) vypni_cekani_na_enter();
  // The surface's thread waits for the points, and the window library loads
  // while the images are read and the model built. In that order: no thread
  // can start while another loads a library.
  if constexpr (!konfigurace::je_kalibrace) priprav_plochu();
  if (!volby.bez_okna) zacni_nacitat_prohlizec();
  // Like the other output files, a log that cannot be made is a warning.
  std::string problem_logu;
  const bool log_otevren = otevri_log(&problem_logu);
  if (!log_otevren) ohlas(problem_logu + "; the program goes on without its log");
  init_ins();
  vynuluj_pocty_znacek();
  std::string chyba;
  std::vector<std::string> varovani;
  const bool nacteno = nacti_snimky_znacek(&chyba, &varovani);
  for (const std::string& v : varovani) varuj(v);
  if (!nacteno) return skonci_chybou(chyba);
  nastav_obdelniky_kamer();
  bool z_rigu = false;
  if (!nacti_rig_programu(&z_rigu, &chyba, cteni_rigu())) return skonci_chybou(chyba);
  if (!prepocet_bodu(true, &chyba)) return skonci_chybou(chyba);
  // The points are final: the surface is built beside the model.
  if constexpr (!konfigurace::je_kalibrace) zacni_plochu();
  if (!krok_konfigurace(&chyba)) return skonci_chybou(chyba);
  Soustava tocna;
  if (volby.vzpriment) {
    double teziste[3];
    std::string proc;
    if (!soustava_skenu(&tocna, teziste, &proc))
      return skonci_chybou(zprava("--upright", "the turntable frame cannot be found: " + proc));
  }
  const bool zapsano = zapis_vystupy_skenu(!volby.bez_okna, volby.vzpriment ? &tocna : nullptr);
  // In batch mode the files are the result: one not written (the log among
  // them) is a failure.
  if (volby.bez_okna) {
    zavri_log();
    return zapsano && log_otevren ? 0 : 1;
  }
  NastaveniProhlizece prohlizec{volby.v_okne, volby.snimek};
  // The compiled-in set-up is built in the viewer's frame; another one
  // gives the viewer a frame of the scan's own.
  std::string proc;
  if (z_rigu && !nastav_pohled_skenu(&prohlizec, &proc))
    varuj(zprava("rig.yml", "the viewer keeps the compiled-in set-up's frame: " + proc));
  if (!spust_prohlizec_modulu(&chyba, tabulky_sceny(), prohlizec)) return skonci_chybou(chyba, false);
  zavri_log();
  return 0;
}
