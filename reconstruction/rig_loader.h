// Reading "rig.yml" through the shared module "rig_reader.so" (beside the
// program): the file format's library and the many shared libraries it
// needs then load only when there is a file to read, not at every start.
// Same contract as nacti_rig; a module that cannot be loaded is a failure
// with the loader's reason.
#pragma once

#include <string>

#include "reconstruction/rig_file.h"

extern "C" {
using RigNactiFn = bool (*)(const std::string* cesta, RigKamer* rig, std::string* chyba);
constexpr const char* jmeno_rig_nacti = "rig_nacti";
}

bool nacti_rig_modulem(const std::string& cesta, RigKamer* rig, std::string* chyba);
