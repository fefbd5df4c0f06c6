// The viewer as a shared module ("viewer_window_<configuration>.so", beside
// the program). The window library and OpenGL bring in a hundred and more
// shared libraries whose loading takes longer than reading the ten marker
// images; in the module they load on a second thread while the program
// reconstructs, and a run without a window never loads them.
//
// The program hands the module the tables it draws through the entry point
// (viewer_tables.h); the module needs no symbol of the program, and its link
// fails on any reference to one. The entry point's name changes with its
// arguments, so that a module of another build is refused when loaded
// instead of being called with the wrong ones.
#pragma once

#include <string>

#include "viewer/viewer_start.h"

extern "C" {
// spust_prohlizec, looked up by the name beside it.
using SpustProhlizecFn = bool (*)(std::string* chyba, const TabulkyProhlizece* tabulky,
                                  const NastaveniProhlizece* nastaveni);
constexpr const char* jmeno_spust_prohlizec = "prohlizec_spust_s_tabulkami";
}
