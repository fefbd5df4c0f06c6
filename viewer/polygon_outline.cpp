// Outlined polygon drawing.
#include "viewer/polygon_outline.h"

#include "viewer/polygon_walk.h"

void Obrys(Polygon3D* polygon) { projdi_polygon(polygon, Kresba::obrys); }
