// The entry point of the viewer module.
#include "viewer/viewer_module.h"

extern "C" __attribute__((visibility("default"))) bool prohlizec_spust_s_tabulkami(
    std::string* chyba, const TabulkyProhlizece* tabulky, const NastaveniProhlizece* nastaveni) {
  return spust_prohlizec(chyba, *tabulky, *nastaveni);
}
