// Recording stand-in for the graphics calls.
#include "tests/viewer/recording_graphics.h"

#include <cstdio>

#include "reconstruction/log_file.h"
#include "viewer/graphics_calls.h"
#include "viewer/scene_view.h"

std::vector<Volani> zaznam_volani;

namespace {

void zapis(const char* jmeno, std::vector<double> argumenty = {}) {
  zaznam_volani.push_back({jmeno, std::move(argumenty)});
}

void r_begin(GLenum m) { zapis("begin", {static_cast<double>(m)}); }
void r_end() { zapis("end"); }
void r_vertex3f(GLfloat x, GLfloat y, GLfloat z) { zapis("vertex3f", {x, y, z}); }
void r_vertex3d(GLdouble x, GLdouble y, GLdouble z) { zapis("vertex3d", {x, y, z}); }
void r_color3f(GLfloat r, GLfloat g, GLfloat b) { zapis("color3f", {r, g, b}); }
void r_color3ub(GLubyte r, GLubyte g, GLubyte b) { zapis("color3ub", {double(r), double(g), double(b)}); }
void r_matrix_mode(GLenum m) { zapis("matrix_mode", {static_cast<double>(m)}); }
void r_viewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  zapis("viewport", {double(x), double(y), double(w), double(h)});
}
void r_enable(GLenum c) { zapis("enable", {static_cast<double>(c)}); }
void r_look_at(GLdouble a, GLdouble b, GLdouble c, GLdouble d, GLdouble e, GLdouble f, GLdouble g,
               GLdouble h, GLdouble i) {
  zapis("look_at", {a, b, c, d, e, f, g, h, i});
}
void r_tess_begin_polygon(GLUtesselator*, GLvoid*) { zapis("tess_begin_polygon"); }
void r_tess_begin_contour(GLUtesselator*) { zapis("tess_begin_contour"); }
void r_tess_vertex(GLUtesselator*, GLdouble* v, GLvoid* data) {
  zapis("tess_vertex", {v[0], v[1], v[2], data == v ? 1.0 : 0.0});
}
void r_tess_end_contour(GLUtesselator*) { zapis("tess_end_contour"); }
void r_tess_end_polygon(GLUtesselator*) { zapis("tess_end_polygon"); }
void r_warp(std::uint16_t x, std::uint16_t y) { zapis("warp", {double(x), double(y)}); }
void r_mult_matrixd(const GLdouble* m) { zapis("mult_matrixd", std::vector<double>(m, m + 16)); }

}  // namespace

void nahrad_grafiku(bool skutecny_teselator) {
  pouzij_tabulky(tabulky_sceny());
  zaznam_volani.clear();
  VolaniGrafiky g = skutecna_grafika();
  g.begin = r_begin;
  g.end = r_end;
  g.vertex3f = r_vertex3f;
  g.vertex3d = r_vertex3d;
  g.color3f = r_color3f;
  g.color3ub = r_color3ub;
  g.matrix_mode = r_matrix_mode;
  g.viewport = r_viewport;
  g.enable = r_enable;
  g.look_at = r_look_at;
  if (!skutecny_teselator) {
    g.tess_begin_polygon = r_tess_begin_polygon;
    g.tess_begin_contour = r_tess_begin_contour;
    g.tess_vertex = r_tess_vertex;
    g.tess_end_contour = r_tess_end_contour;
    g.tess_end_polygon = r_tess_end_polygon;
  }
  g.warp_mouse = r_warp;
  g.mult_matrixd = r_mult_matrixd;
  grafika = g;
}

std::vector<Volani> volani(const std::string& jmeno) {
  std::vector<Volani> v;
  for (const Volani& c : zaznam_volani)
    if (c.jmeno == jmeno) v.push_back(c);
  return v;
}

void otevri_testovaci_log() {
  zavri_log();
  log1 = std::tmpfile();
}

std::string precti_testovaci_log() {
  if (log1 == nullptr) return "";
  std::fflush(log1);
  std::rewind(log1);
  std::string obsah;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, log1)) > 0) obsah.append(buf, n);
  std::fclose(log1);
  log1 = std::tmpfile();
  return obsah;
}

void zavri_testovaci_log() { zavri_log(); }
