// The surface of the turned marker points beside the model: built from the
// points of the five turntable positions (body_souradnice slots 0..4 up to
// their counts, without the markers left out of triangulation; not the
// reference marks), kept in plocha_skenu for the viewer, written atomically
// to "surface.ply" and reported on standard output in one line:
//
//   surface: V vertices, T triangles, O open edges, N non-manifold edges, bounds a volume: yes
//
// or, for a surface that does not bound a volume (model/volume_check.h),
// "bounds a volume: no (what failed)". A surface with triangles that does
// not is still written, and is a warning as well ("program: surface.ply:
// bounds a volume: no (...)"), never a failure. A surface that cannot be
// built or written is a warning on standard error ("program: surface.ply:
// problem") and in the log; the viewer still opens (prohlizec_pokracuje), or
// in batch mode a file that cannot be written makes the result false. A
// successful write of a surface that bounds a volume adds nothing to the log.
#pragma once

#include "reconstruction/turntable_frame.h"

// With `vzpriment` the file is written in that frame (scan_outputs.h).
bool zapis_plochu(bool prohlizec_pokracuje, const Soustava* vzpriment = nullptr);

// The surface built beside the model, on a thread of its own:
// priprav_plochu starts the thread, which waits; zacni_plochu hands it the
// points as they are now (final, turned, and staying so) and starts the
// thread first if needed; zapis_plochu then waits for the surface.
// pockej_na_plochu ends the thread (giving it up when it has no points): a
// program that ends without zapis_plochu calls it first. Threads are
// started early because no thread can start while another loads a library
// (the viewer module, programs/viewer_loader.h).
void priprav_plochu();
void zacni_plochu();
void pockej_na_plochu();
