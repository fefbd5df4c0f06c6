// The viewer module, loaded beside the program on a thread of its own.
#include "programs/viewer_loader.h"

#include <thread>

#include "common/module_loader.h"
#include "viewer/viewer_module.h"

namespace {

std::thread nacitani;
bool zacato = false;
void* modul = nullptr;
std::string chyba_nacteni;

void nacti() { modul = nacti_modul(VIEWER_MODULE_NAME, VIEWER_MODULE, &chyba_nacteni); }

}  // namespace

void zacni_nacitat_prohlizec() {
  if (zacato) return;
  zacato = true;
  nacitani = std::thread(nacti);
}

void pockej_na_prohlizec() {
  if (nacitani.joinable()) nacitani.join();
}

bool spust_prohlizec_modulu(std::string* chyba, const TabulkyProhlizece& tabulky,
                            const NastaveniProhlizece& nastaveni) {
  zacni_nacitat_prohlizec();
  pockej_na_prohlizec();
  const auto f = reinterpret_cast<SpustProhlizecFn>(funkce_modulu(modul, jmeno_spust_prohlizec, &chyba_nacteni));
  if (f == nullptr) {
    if (chyba != nullptr) *chyba = "display: the viewer module cannot be loaded: " + chyba_nacteni;
    return false;
  }
  return f(chyba, &tabulky, &nastaveni);
}
