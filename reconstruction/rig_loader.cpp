// Loading the camera set-up file reader on first use.
#include "reconstruction/rig_loader.h"

#include "common/module_loader.h"

bool nacti_rig_modulem(const std::string& cesta, RigKamer* rig, std::string* chyba) {
  std::string duvod;
  void* modul = nacti_modul("rig_reader.so", RIG_READER_MODULE, &duvod);
  const auto f = reinterpret_cast<RigNactiFn>(funkce_modulu(modul, jmeno_rig_nacti, &duvod));
  if (f == nullptr) {
    if (chyba != nullptr) *chyba = cesta + ": the reader of camera set-up files cannot be loaded: " + duvod;
    return false;
  }
  return f(&cesta, rig, chyba);
}
