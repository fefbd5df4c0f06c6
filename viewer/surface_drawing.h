// The surface of the turned marker points (plocha_skenu) in the viewer,
// shown instead of the model while the user has switched to it with the
// key M (prepni_plochu on each press); the first frames show the model.
//
// kresli_plochu draws the triangles shaded by their vertex normals, lit from
// the midpoint of the two cameras' projection centres, in light blue-grey;
// it writes nothing to the log. All GL calls go through grafika.
#pragma once

// Whether the surface replaces the model's polygons and segments.
extern bool zobrazena_plocha;

void prepni_plochu();
void kresli_plochu();
