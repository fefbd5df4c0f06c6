// The entry point of the viewer module.
#include "viewer/viewer_module.h"

extern "C" __attribute__((visibility("default"))) bool prohlizec_spust(
    std::string* chyba, const NastaveniProhlizece* nastaveni) {
  return spust_prohlizec(chyba, *nastaveni);
}
