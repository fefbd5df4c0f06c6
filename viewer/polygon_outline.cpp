// Outlined polygon drawing.
#include "viewer/polygon_outline.h"

#include "viewer/drawing_trace.h"
#include "viewer/polygon_walk.h"

void Obrys(Polygon3D* polygon, std::FILE* stopa) { projdi_polygon(polygon, Kresba::obrys, stopa); }

void Obrys(Polygon3D* polygon) { Obrys(polygon, stopa_snimku(stav_bez_behu())); }
