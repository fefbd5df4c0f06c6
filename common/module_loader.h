// Shared modules the programs load at run time: the parts that bring in many
// shared libraries (windows, image codecs, the camera set-up file reader)
// and that a run does not always need.
//
// nacti_modul opens the module `jmeno` from the first place that holds it:
// beside the running program, then in ../lib/<package>/ relative to the
// program's directory (where `cmake --install` and the Debian package put
// the modules, SCANNER_MODULE_DIR), and, only for a program that runs inside
// the build tree (SCANNER_BUILD_TREE), at `cesta_sestaveni`, where the build
// put it. An installed program thus never reaches into a build tree, not
// even one that still exists. When no place holds the module, the last
// place tried is opened, so the loader's reason names the path it expected.
// The module stays loaded to the end of the process (window libraries keep
// threads and handlers of their own). Returns null with the loader's reason
// in `duvod`.
// funkce_modulu looks up a function and returns null with the reason when
// it is missing.
#pragma once

#include <string>

void* nacti_modul(const std::string& jmeno, const std::string& cesta_sestaveni, std::string* duvod);
void* funkce_modulu(void* modul, const char* jmeno, std::string* duvod);
