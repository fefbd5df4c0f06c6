// Shared modules the programs load at run time: the parts that bring in many
// shared libraries (windows, image codecs, the camera set-up file reader)
// and that a run does not always need.
//
// nacti_modul opens the module `jmeno` beside the running program, else the
// one at `cesta_sestaveni` (where the build put it), and keeps it loaded to
// the end of the process (window libraries keep threads and handlers of
// their own). It returns null with the loader's reason in `duvod`.
// funkce_modulu looks up a function and returns null with the reason when
// it is missing.
#pragma once

#include <string>

void* nacti_modul(const std::string& jmeno, const std::string& cesta_sestaveni, std::string* duvod);
void* funkce_modulu(void* modul, const char* jmeno, std::string* duvod);
