// Writing the scan's output files.
#include "programs/scan_outputs.h"

#include <cstdio>
#include <string>

#include "common/messages.h"
#include "model/model_export.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/configuration.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scan_export.h"
#include "programs/surface_output.h"

namespace {

bool zapis(const char* jmeno, const std::string& obsah, bool prohlizec_pokracuje) {
  std::string chyba;
  if (zapis_atomicky(jmeno, obsah, &chyba)) {
    zapis_log("written: %s\n", jmeno);
    return true;
  }
  varuj(chyba, prohlizec_pokracuje ? "; the viewer goes on without it" : "");
  return false;
}

}  // namespace

bool zapis_vystupy_skenu(bool prohlizec_pokracuje) {
  bool vse = true;
  if constexpr (konfigurace::je_kalibrace)
    vse = zapis("cameras.ply", kamery_ply(false), prohlizec_pokracuje);
  else
    vse = zapis("model.ply", model_ply(false), prohlizec_pokracuje);
  vse = zapis("points.ply", body_ply(false), prohlizec_pokracuje) && vse;
  if constexpr (!konfigurace::je_kalibrace) vse = zapis_plochu(prohlizec_pokracuje) && vse;
  return vse;
}
