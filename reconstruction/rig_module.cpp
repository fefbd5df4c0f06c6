// The entry point of the module that reads the camera set-up file: the file
// format's library is loaded only when a "rig.yml" is there to read.
#include "reconstruction/rig_loader.h"

extern "C" __attribute__((visibility("default"))) bool rig_nacti(const std::string* cesta,
                                                                 RigKamer* rig,
                                                                 std::string* chyba) {
  return nacti_rig(*cesta, rig, chyba);
}
