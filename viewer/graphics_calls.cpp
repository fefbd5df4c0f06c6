// The table of graphics calls, filled with the real library functions.
#include "viewer/graphics_calls.h"

#include <SDL/SDL.h>

namespace {

void warp_sdl(std::uint16_t x, std::uint16_t y) { SDL_WarpMouse(x, y); }

}  // namespace

VolaniGrafiky skutecna_grafika() {
  VolaniGrafiky g{};
  g.begin = glBegin;
  g.end = glEnd;
  g.vertex3f = glVertex3f;
  g.vertex3d = glVertex3d;
  g.color3f = glColor3f;
  g.color3ub = glColor3ub;
  g.matrix_mode = glMatrixMode;
  g.viewport = glViewport;
  g.enable = glEnable;
  g.look_at = gluLookAt;
  g.tess_begin_polygon = gluTessBeginPolygon;
  g.tess_begin_contour = gluTessBeginContour;
  g.tess_vertex = gluTessVertex;
  g.tess_end_contour = gluTessEndContour;
  g.tess_end_polygon = gluTessEndPolygon;
  g.warp_mouse = warp_sdl;
  g.mult_matrixd = glMultMatrixd;
  return g;
}

VolaniGrafiky grafika = skutecna_grafika();

void obnov_grafiku() { grafika = skutecna_grafika(); }
