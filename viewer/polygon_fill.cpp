// Filled polygon drawing and its tessellator.
#include "viewer/polygon_fill.h"

#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_walk.h"
#include "viewer/tessellator_vertices.h"

GLUtesselator* tobj = gluNewTess();

void beginCallback(GLenum typ) { grafika.begin(typ); }
void endCallback() { grafika.end(); }
void vertexCallback(GLdouble* v) { grafika.vertex3d(v[0], v[1], v[2]); }

void priprav_teselator() {
  if (tobj != nullptr) gluDeleteTess(tobj);
  tobj = gluNewTess();
  using Callback = void (*)();
  gluTessCallback(tobj, GLU_TESS_VERTEX, reinterpret_cast<Callback>(vertexCallback));
  gluTessCallback(tobj, GLU_TESS_BEGIN, reinterpret_cast<Callback>(beginCallback));
  gluTessCallback(tobj, GLU_TESS_END, reinterpret_cast<Callback>(endCallback));
  gluTessCallback(tobj, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(combineCallback));
}

void Zobraz(Polygon3D* polygon, std::FILE* stopa) { projdi_polygon(polygon, Kresba::vypln, stopa); }

void Zobraz(Polygon3D* polygon) { Zobraz(polygon, stopa_snimku(stav_bez_behu())); }
