// The surface of the turned marker points (plocha_skenu) in the viewer,
// shown instead of the model while the user has switched to it with the
// key M (each press switches zobrazena_plocha of the run state,
// viewer_state.h); the first frames show the model unless the run starts
// with the surface.
//
// kresli_plochu draws the triangles shaded by their vertex normals, lit from
// the midpoint of the two cameras' projection centres, in light blue-grey;
// it writes nothing to the log. All GL calls go through grafika.
#pragma once

void kresli_plochu();
