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

void zapis(const char* jmeno, const std::string& obsah) {
  std::string chyba;
  if (zapis_atomicky(jmeno, obsah, &chyba)) {
    zapis_log("written: %s\n", jmeno);
    return;
  }
  ohlas(chyba + "; the viewer goes on without it");
  zapis_log("warning: %s\n", chyba.c_str());
}

}  // namespace

void zapis_vystupy_skenu() {
  if constexpr (konfigurace::je_kalibrace)
    zapis("cameras.ply", kamery_ply(false));
  else
    zapis("model.ply", model_ply(false));
  zapis("points.ply", body_ply(false));
  if constexpr (!konfigurace::je_kalibrace) zapis_plochu();
}
