// The viewer as a shared module ("viewer_window_<configuration>.so", beside
// the program). The window library and OpenGL bring in a hundred and more
// shared libraries whose loading takes longer than reading the ten marker
// images; in the module they load on a second thread while the program
// reconstructs, and a run without a window never loads them.
//
// The module's code reads the scene and model tables of the program that
// loads it (the program exports its symbols).
#pragma once

#include <string>

#include "viewer/viewer_start.h"

extern "C" {
// spust_prohlizec, looked up by the name beside it.
using SpustProhlizecFn = bool (*)(std::string* chyba, const NastaveniProhlizece* nastaveni);
constexpr const char* jmeno_spust_prohlizec = "prohlizec_spust";
}
