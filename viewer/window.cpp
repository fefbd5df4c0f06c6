// Main loop and input.
#include "viewer/window.h"

#include <SDL/SDL.h>


#include "reconstruction/scene_tables.h"
#include "viewer/camera.h"
#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/scene_drawing.h"
#include "viewer/surface_drawing.h"

unsigned char key[pocet_klaves];
int mousepos[2];
int lastpos[2];
std::int16_t editmod = 0;
unsigned long pocet_snimku = 0;
bool konec_prohlizeni = false;

void init() {
  priprav_teselator();
  glClearColor(0, 0, 0, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, static_cast<double>(xscr) / static_cast<double>(yscr), 0.1, 200.0);
  glMatrixMode(GL_MODELVIEW);
}

namespace {

void nastav_klavesu(int symbol, unsigned char hodnota) {
  if (symbol >= 0 && symbol < pocet_klaves) key[symbol] = hodnota;
}

}  // namespace

bool events() {
  SDL_Event udalost;
  if (!SDL_PollEvent(&udalost)) return true;
  switch (udalost.type) {
    case SDL_KEYDOWN:
      nastav_klavesu(udalost.key.keysym.sym, 1);
      if (udalost.key.keysym.sym == SDLK_m) prepni_plochu();
      break;
    case SDL_KEYUP:
      nastav_klavesu(udalost.key.keysym.sym, 0);
      break;
    case SDL_MOUSEMOTION:
      mouseMovement(udalost.motion.x, udalost.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
      mouse(udalost.button.button, udalost.button.x, udalost.button.y);
      break;
    case SDL_QUIT:
      return false;
    default:
      break;
  }
  return true;
}

void mouseMovement(int x, int y) {
  const int cx = xscr / 2;
  const int cy = yscr / 2;
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
  yrot = yrot + dy;
  zrot = zrot - dx;
  mousepos[0] = x;
  mousepos[1] = y;
}

void mouse(int, int, int) {}

void controlsSDL() {
  if (key[SDLK_ESCAPE]) konec_prohlizeni = true;
  if (key['w']) pohyb[1] = 1;
  if (key['s']) pohyb[1] = -1;
  if (!key['w'] && !key['s']) pohyb[1] = 0;
  if (key['a']) pohyb[0] = 1;
  if (key['d']) pohyb[0] = -1;
  if (!key['a'] && !key['d']) pohyb[0] = 0;
}

void display() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glLoadIdentity();
  display3D();
  SDL_GL_SwapBuffers();
  pocet_snimku++;
  ukonci_stopu_kresleni();
}

void display2() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glLoadIdentity();
  SDL_GL_SwapBuffers();
  pocet_snimku++;
  ukonci_stopu_kresleni();
}

void main_loop_function() {
  while (true) {
    if (!events()) return;
    if (editmod == 0) {
      display();
      controlsSDL();
    } else if (editmod == 1) {
      display2();
      controlsSDL();
    }
    if (konec_prohlizeni) return;
  }
}
