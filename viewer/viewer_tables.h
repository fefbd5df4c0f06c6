// What the viewer draws and what it needs of its program, handed over by
// the program through the viewer's entry point (spust_prohlizec,
// viewer_module.h) instead of being looked up by name: a table renamed or
// retyped in the program then stops the program's build, not a run.
//
// The viewer keeps the pointers while it runs (pouzij_tabulky, set by
// spust_prohlizec) and reads the tables every frame; the program owns them.
// Code that draws outside spust_prohlizec, such as tests, calls
// pouzij_tabulky first. The program's side fills the struct from its tables
// (tabulky_sceny, viewer/scene_view.h).
#pragma once

#include <cstdio>
#include <string>

#include "model/instruction_list.h"
#include "model/surface_mesh.h"
#include "reconstruction/scene_records.h"

struct TabulkyProhlizece {
  // The view: elevation in degrees and the sign of its cosine (written by the
  // viewer), the step of one frame's movement, the window's size in pixels.
  float* yrot = nullptr;
  float* yrot2 = nullptr;
  float* speed = nullptr;
  int* xscr = nullptr;
  int* yscr = nullptr;
  // The two cameras: projection centres, the corners of the image planes and
  // the look-at points ([2][3], [2][4][3], [2][3]).
  const float (*stereo_kamera)[3] = nullptr;
  const float (*stereo_body)[4][3] = nullptr;
  const float (*stereo_lok)[3] = nullptr;
  // The sixteen marks of the calibration object.
  const float (*body_relativ)[3] = nullptr;
  // The model's polygons, the 3D segments (pocetusecek3d of them, clamped to
  // kapacita_prunik) and the surface.
  const Seznam<Polygon3D*>* model1 = nullptr;
  const ZaznamUsecky* prunik = nullptr;
  const int* pocetusecek3d = nullptr;
  const Plocha* plocha_skenu = nullptr;
  // The program's log: the stream (null while none is open), its line writer
  // and the count of a polygon chain with its log lines.
  std::FILE* const* log = nullptr;
  void (*zapis_log)(const char* format, ...) = nullptr;
  int (*pocet_polygonu)(const List<Polygon3D*>& seznam) = nullptr;
  // Writes a whole file atomically (reconstruction/atomic_file.h).
  bool (*zapis_soubor)(const std::string& cesta, const std::string& obsah,
                       std::string* chyba) = nullptr;
};

// The tables the viewer draws from now on.
void pouzij_tabulky(const TabulkyProhlizece& tabulky);

// The tables last given to pouzij_tabulky.
const TabulkyProhlizece& tabulky_prohlizece();
