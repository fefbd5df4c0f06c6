// kvadr: an axis-aligned box as six four-sided polygons.
//
// (x, y, z) is the centre, (dx, dy, dz) half the extent along each axis.
// Eight corner instructions are made in the pool (c0..c7: z - dz face
// counter-clockwise from (x - dx, y - dy), then the z + dz face likewise);
// the faces (c0 c1 c2 c3), (c4 c5 c6 c7), (c0 c4 c5 c1), (c1 c5 c6 c2),
// (c2 c6 c7 c3), (c3 c7 c4 c0) share them and are appended to `seznam` in
// that order, all in the given colour.
#pragma once

#include "model/instruction_list.h"

void kvadr(float x, float y, float z, float dx, float dy, float dz, unsigned short cervena,
           unsigned short zelena, unsigned short modra, Seznam<Polygon3D*>* seznam);
