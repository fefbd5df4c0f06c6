// Window opening and the viewer run.
#include "viewer/viewer_start.h"

#include <SDL/SDL.h>

#include <cstdlib>
#include <string>

#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"
#include "viewer/window.h"

void spust_prohlizec() {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  if (SDL_Init(SDL_INIT_VIDEO) < 0)
    ukonci_chybou("viewer: the video subsystem cannot be initialised: %s", SDL_GetError());
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr || info->vfmt == nullptr) {
    const std::string duvod = SDL_GetError();
    SDL_Quit();
    ukonci_chybou("viewer: no video information: %s", duvod.c_str());
  }
  Uint32 priznaky = 0x80000007u;  // full screen, OpenGL, async blit, hardware surface
  if (info->hw_available) priznaky |= SDL_HWSURFACE;
  if (SDL_SetVideoMode(xscr, yscr, info->vfmt->BitsPerPixel, priznaky) == nullptr) {
    const std::string duvod = SDL_GetError();
    SDL_Quit();
    ukonci_chybou("viewer: the %d x %d full-screen OpenGL mode cannot be set: %s", xscr, yscr,
                  duvod.c_str());
  }
  init();
  main_loop_function();
  SDL_Quit();
}
