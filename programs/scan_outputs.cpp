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
#include "reconstruction/upright_ply.h"
#include "programs/surface_output.h"

namespace {

bool zapis(const char* jmeno, const std::string& ply, bool prohlizec_pokracuje, const Soustava* vzpriment) {
  std::string chyba, obsah;
  if (ply_k_zapisu(jmeno, ply, vzpriment, &obsah, &chyba) && zapis_atomicky(jmeno, obsah, &chyba)) {
    zapis_log("written: %s\n", jmeno);
    return true;
  }
  varuj(chyba, prohlizec_pokracuje ? "; the viewer goes on without it" : "");
  return false;
}

}  // namespace

bool zapis_vystupy_skenu(bool prohlizec_pokracuje, const Soustava* vzpriment) {
  bool vse = true;
  if constexpr (konfigurace::je_kalibrace)
    vse = zapis("cameras.ply", kamery_ply(false), prohlizec_pokracuje, vzpriment);
  else
    vse = zapis("model.ply", model_ply(false), prohlizec_pokracuje, vzpriment);
  vse = zapis("points.ply", body_ply(false), prohlizec_pokracuje, vzpriment) && vse;
  if constexpr (!konfigurace::je_kalibrace) vse = zapis_plochu(prohlizec_pokracuje, vzpriment) && vse;
  return vse;
}
