// Main loop and input.
#include "viewer/window.h"

#include <SDL/SDL.h>

#include <algorithm>

#include "viewer/camera.h"
#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/scene_drawing.h"
#include "viewer/viewer_tables.h"

unsigned char key[pocet_klaves];
int mousepos[2];
int lastpos[2];
std::int16_t editmod = 0;

StavProhlizece& stav_bez_behu() {
  static StavProhlizece stav;
  return stav;
}

void init() {
  priprav_teselator();
  glClearColor(0, 0, 0, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const TabulkyProhlizece& t = tabulky_prohlizece();
  gluPerspective(60.0, static_cast<double>(*t.xscr) / static_cast<double>(*t.yscr), 0.1, 200.0);
  glMatrixMode(GL_MODELVIEW);
}

namespace {

void nastav_klavesu(int symbol, unsigned char hodnota) {
  if (symbol >= 0 && symbol < pocet_klaves) key[symbol] = hodnota;
}

// The back buffer as RGB rows from the top (OpenGL gives them from the bottom).
void precti_snimek(std::vector<unsigned char>* rgb) {
  const int xscr = *tabulky_prohlizece().xscr, yscr = *tabulky_prohlizece().yscr;
  const std::size_t radek = static_cast<std::size_t>(xscr) * 3;
  std::vector<unsigned char> zdola(radek * static_cast<std::size_t>(yscr));
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, xscr, yscr, GL_RGB, GL_UNSIGNED_BYTE, zdola.data());
  rgb->resize(zdola.size());
  for (int y = 0; y < yscr; y++)
    std::copy_n(&zdola[radek * static_cast<std::size_t>(yscr - 1 - y)], radek, &(*rgb)[radek * y]);
}

}  // namespace

bool events(StavProhlizece& stav) {
  SDL_Event udalost;
  if (!SDL_PollEvent(&udalost)) return true;
  switch (udalost.type) {
    case SDL_KEYDOWN:
      nastav_klavesu(udalost.key.keysym.sym, 1);
      if (udalost.key.keysym.sym == SDLK_m) stav.zobrazena_plocha = !stav.zobrazena_plocha;
      break;
    case SDL_KEYUP:
      nastav_klavesu(udalost.key.keysym.sym, 0);
      break;
    case SDL_MOUSEMOTION:
      mouseMovement(stav, udalost.motion.x, udalost.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
      mouse(stav, udalost.button.button, udalost.button.x, udalost.button.y);
      break;
    case SDL_ACTIVEEVENT:
      if (udalost.active.state & SDL_APPINPUTFOCUS) zmena_fokusu(stav, udalost.active.gain != 0);
      break;
    case SDL_QUIT:
      return false;
    default:
      break;
  }
  return true;
}

bool events() {
  return events(stav_bez_behu());
}

void mouseMovement(const StavProhlizece& stav, int x, int y) {
  if (stav.mys_volna) {
    lastpos[0] = mousepos[0] = x;
    lastpos[1] = mousepos[1] = y;
    return;
  }
  const TabulkyProhlizece& t = tabulky_prohlizece();
  const int cx = *t.xscr / 2;
  const int cy = *t.yscr / 2;
  int nove_x = x;
  int nove_y = y;
  if (x < cx - 180)
    nove_x = cx + 180;
  else if (x > cx + 180)
    nove_x = cx - 180;
  if (y < cy - 180)
    nove_y = cy + 180;
  else if (y > cy + 180)
    nove_y = cy - 180;
  if (nove_x != x || nove_y != y)
    grafika.warp_mouse(static_cast<std::uint16_t>(nove_x), static_cast<std::uint16_t>(nove_y));
  const int dx = x - lastpos[0];
  const int dy = y - lastpos[1];
  lastpos[0] = x;
  lastpos[1] = y;
  *t.yrot = *t.yrot + dy;
  zrot = zrot - dx;
  mousepos[0] = x;
  mousepos[1] = y;
}

void mouseMovement(int x, int y) { mouseMovement(stav_bez_behu(), x, y); }

void mouse(StavProhlizece& stav, int, int x, int y) {
  if (!stav.mys_volna) return;
  stav.mys_volna = false;
  lastpos[0] = mousepos[0] = x;
  lastpos[1] = mousepos[1] = y;
  SDL_WM_GrabInput(SDL_GRAB_ON);
}

void mouse(int button, int x, int y) {
  mouse(stav_bez_behu(), button, x, y);
}

void zmena_fokusu(StavProhlizece& stav, bool ziskal) {
  if (ziskal || !stav.mys_po_kliknuti || stav.mys_volna) return;
  stav.mys_volna = true;
  SDL_WM_GrabInput(SDL_GRAB_OFF);
}

void controlsSDL() {
  if (key['w']) pohyb[1] = 1;
  if (key['s']) pohyb[1] = -1;
  if (!key['w'] && !key['s']) pohyb[1] = 0;
  if (key['a']) pohyb[0] = 1;
  if (key['d']) pohyb[0] = -1;
  if (!key['a'] && !key['d']) pohyb[0] = 0;
}

bool zadan_konec() { return key[SDLK_ESCAPE] != 0; }

void display(StavProhlizece& stav) { display_a_precti(stav, nullptr); }

void display() {
  display(stav_bez_behu());
}

void display_a_precti(StavProhlizece& stav, std::vector<unsigned char>* rgb) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glLoadIdentity();
  display3D(stav);
  if (rgb != nullptr) precti_snimek(rgb);
  SDL_GL_SwapBuffers();
  stav.pocet_snimku++;
  ukonci_stopu_kresleni(stav);
}

void display2(StavProhlizece& stav) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glLoadIdentity();
  SDL_GL_SwapBuffers();
  stav.pocet_snimku++;
  ukonci_stopu_kresleni(stav);
}

void display2() {
  display2(stav_bez_behu());
}

void main_loop_function(StavProhlizece& stav) {
  while (true) {
    if (!events(stav)) return;
    if (editmod == 0) {
      display(stav);
      controlsSDL();
    } else if (editmod == 1) {
      display2(stav);
      controlsSDL();
    } else {
      continue;
    }
    if (zadan_konec()) return;
  }
}

void main_loop_function() {
  main_loop_function(stav_bez_behu());
}
