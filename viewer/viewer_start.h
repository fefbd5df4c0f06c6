// Opening the full-screen OpenGL window and running the viewer until the
// window's quit event.
//
// Video mode: xscr x yscr at the display's colour depth, flags full screen
// (left out for a window), OpenGL, hardware surface, asynchronous blit. When SDL cannot initialise
// video or set the mode (no display, no OpenGL), spust_prohlizec returns
// false at once with a message naming SDL's reason. SDL's fallback drivers
// that show nothing ("offscreen", "dummy"), which it picks when no display
// can be opened, count as no display unless SDL_VIDEODRIVER names them.
// Escape and the window's quit event both end the loop; then the frame
// count goes to the log, SDL is shut down and the result is true.
//
// The OpenGL picture is not rescaled by the SDL 1.2 compatibility layer
// (SDL12COMPAT_OPENGL_SCALING is set to 0 unless the environment sets it):
// on a screen without a window manager, such as Xvfb, its scaling would
// stretch the 800 x 600 frame to the desktop size and crop it, and report
// mouse positions in the stretched scale.
#pragma once

#include <string>

#include "viewer/viewer_tables.h"

// How the viewer runs; the defaults are the full-screen viewer.
struct NastaveniProhlizece {
  // An xscr x yscr window (flags without full screen) whose mouse turns the
  // view only after a click into it (window.h).
  bool v_okne = false;
  // When set: no loop; one frame facing the model saved as PNG there
  // (screenshot.h), then the same shutdown as after the loop.
  std::string snimek;
  // A scan with a camera set-up of its own: the viewing frame the flight
  // happens in (camera.h; world into viewing frame, column-major), the
  // model's centroid in it, which the screenshot faces, and the step of one
  // frame's movement. Without it the compiled-in set-up's frame, a step of
  // one unit and the demo's fixed turn for the screenshot.
  bool vlastni_soustava = false;
  double matice[16] = {};
  double cil[3] = {};
  float krok = 1.0f;
  // The surface (plocha_skenu) from the first frame on, as after the key M.
  bool plocha_hned = false;
};

// Shows `tabulky` (viewer_tables.h), which the viewer keeps using until it
// is given others, in a run state (viewer_state.h) made from `nastaveni`.
// Returns when the viewer has ended, with the number of frames drawn in
// *pocet_snimku when asked; the caller closes the log.
bool spust_prohlizec(std::string* chyba, const TabulkyProhlizece& tabulky,
                     const NastaveniProhlizece& nastaveni = NastaveniProhlizece(),
                     unsigned long* pocet_snimku = nullptr);
