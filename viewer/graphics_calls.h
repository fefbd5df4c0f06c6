// The OpenGL, GLU and SDL calls of the drawing and input code, gathered in
// one table of function pointers.
//
// `grafika` starts with the real library functions. Tests replace single
// entries with recorders, so that the drawing walk, the camera transform and
// the mouse warp can be checked without a window or a GL context. Every entry
// must stay callable: a test restores the table (obnov_grafiku) when done.
//
// The table is reached by name rather than handed to the drawing: the GLU
// tessellator's begin, vertex and end callbacks (polygon_fill.h) are
// registered without user data and get nothing but GLU's arguments, and they
// must draw through the same table as the rest of the frame.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>

struct VolaniGrafiky {
  void (*begin)(GLenum mode);
  void (*end)();
  void (*vertex3f)(GLfloat x, GLfloat y, GLfloat z);
  void (*vertex3d)(GLdouble x, GLdouble y, GLdouble z);
  void (*color3f)(GLfloat r, GLfloat g, GLfloat b);
  void (*color3ub)(GLubyte r, GLubyte g, GLubyte b);
  void (*matrix_mode)(GLenum mode);
  void (*viewport)(GLint x, GLint y, GLsizei w, GLsizei h);
  void (*enable)(GLenum cap);
  void (*look_at)(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
                  GLdouble ux, GLdouble uy, GLdouble uz);
  void (*tess_begin_polygon)(GLUtesselator* tess, GLvoid* data);
  void (*tess_begin_contour)(GLUtesselator* tess);
  void (*tess_vertex)(GLUtesselator* tess, GLdouble* location, GLvoid* data);
  void (*tess_end_contour)(GLUtesselator* tess);
  void (*tess_end_polygon)(GLUtesselator* tess);
  void (*warp_mouse)(std::uint16_t x, std::uint16_t y);
  void (*mult_matrixd)(const GLdouble* m);
};

extern VolaniGrafiky grafika;

// The table with the real library functions.
VolaniGrafiky skutecna_grafika();

// Puts the real library functions back into `grafika`.
void obnov_grafiku();
