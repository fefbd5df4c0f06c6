// The state of one viewer run beside the window's and the camera's globals
// (window.h, camera.h): how the mouse is taken, whether the surface is shown,
// the viewing frame, the drawing trace and the count of drawn frames.
//
// spust_prohlizec makes one from its settings (NastaveniProhlizece) and hands
// it to the loop, the frames and the input functions, which read and change
// it; it lives as long as the run. A value-initialised state is the
// full-screen viewer of the model in the compiled-in set-up's frame before
// its first frame: the state the entry points without one (events(),
// display(), main_loop_function(), ...) start from.
#pragma once

struct StavProhlizece {
  // The mouse (window.h): in a window it turns the view only after a click
  // (mys_po_kliknuti); mys_volna while it moves without turning the view.
  bool mys_po_kliknuti = false;
  bool mys_volna = false;
  // The surface replaces the model's polygons and segments (key M;
  // surface_drawing.h).
  bool zobrazena_plocha = false;
  // A viewing frame of the scan's own (camera.h): world into viewing frame,
  // column-major.
  bool ma_soustavu_pohledu = false;
  double matice_pohledu[16] = {};
  // The drawing trace goes to the log until the first frame has been drawn
  // (drawing_trace.h).
  bool stopa_kresleni = true;
  // Frames drawn since the start (display and display2).
  unsigned long pocet_snimku = 0;
};

// The state the entry points without one share for the whole process, so
// that called one after another they act as one viewer: the first display()
// ends the drawing trace, the frames are counted, M switches what the next
// frame shows. It starts value-initialised; spust_prohlizec does not use it.
StavProhlizece& stav_bez_behu();
