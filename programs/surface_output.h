// The surface of the turned marker points beside the model: built from the
// points of the five turntable positions (body_souradnice slots 0..4 up to
// their counts, without the markers left out of triangulation; not the
// reference marks), kept in plocha_skenu for the viewer, written atomically
// to "surface.ply" and reported on standard output in one line:
//
//   surface: V vertices, T triangles, O open edges, N non-manifold edges
//
// A surface that cannot be built or written is a warning on standard error
// ("program: surface.ply: problem") and in the log; the viewer still opens
// (prohlizec_pokracuje), or in batch mode a file that cannot be written makes
// the result false. A successful write adds nothing to the log.
#pragma once

bool zapis_plochu(bool prohlizec_pokracuje);

// Starts building the surface of the points as they are now on a thread of
// its own, for zapis_plochu to wait for: the points must be final (turned)
// and stay so. pockej_na_plochu waits for a building that was started; a
// program that ends without zapis_plochu calls it first.
void zacni_plochu();
void pockej_na_plochu();
