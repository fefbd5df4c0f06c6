// Opening the full-screen OpenGL window and running the viewer until the
// window's quit event.
//
// Video mode: xscr x yscr at the display's colour depth, flags full screen,
// OpenGL, hardware surface, asynchronous blit. When SDL cannot initialise
// video or set the mode (no display, no OpenGL), the program ends with a
// message naming SDL's reason on standard error and exit status 1 (the log
// is closed). SDL's fallback drivers that show nothing ("offscreen",
// "dummy"), which it picks when no display can be opened, count as no
// display unless SDL_VIDEODRIVER names them. Escape ends the process from inside the loop with status 0.
//
// The OpenGL picture is not rescaled by the SDL 1.2 compatibility layer
// (SDL12COMPAT_OPENGL_SCALING is set to 0 unless the environment sets it):
// on a screen without a window manager, such as Xvfb, its scaling would
// stretch the 800 x 600 frame to the desktop size and crop it, and report
// mouse positions in the stretched scale.
#pragma once

// Returns when the window's quit event arrives; the caller closes the log.
void spust_prohlizec();
