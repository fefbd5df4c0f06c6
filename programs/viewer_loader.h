// Loading the viewer module (viewer/viewer_module.h) on a thread of its own,
// started before the reconstruction, so that the window library is ready
// when the window opens.
//
// zacni_nacitat_prohlizec starts the loading once; spust_prohlizec_modulu
// waits for it (starting it if needed) and runs the viewer. When the module
// cannot be loaded, spust_prohlizec_modulu returns false with the loader's
// reason in `chyba`. The viewer draws `tabulky` (viewer_tables.h; the
// program's own are tabulky_sceny(), viewer/scene_view.h).
#pragma once

#include <string>

#include "viewer/viewer_start.h"

void zacni_nacitat_prohlizec();
bool spust_prohlizec_modulu(std::string* chyba, const TabulkyProhlizece& tabulky,
                            const NastaveniProhlizece& nastaveni);

// Waits for a loading that was started; call before the program returns
// without the viewer (a thread must not outlive main).
void pockej_na_prohlizec();
