// Window opening and the viewer run.
#include "viewer/viewer_start.h"

#include <SDL/SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"
#include "viewer/window.h"

void spust_prohlizec() {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  // An empty SDL_VIDEODRIVER names no driver: treat it as not set.
  const char* vyzadany = std::getenv("SDL_VIDEODRIVER");
  if (vyzadany != nullptr && *vyzadany == '\0') unsetenv("SDL_VIDEODRIVER");
  if (SDL_Init(SDL_INIT_VIDEO) < 0)
    ukonci_chybou("viewer: the video subsystem cannot be initialised: %s", SDL_GetError());
  // Without a display SDL falls back to drivers that show nothing (it
  // renders off screen); the viewer would then loop drawing into nothing.
  // They are accepted only when asked for by name in SDL_VIDEODRIVER.
  char ovladac[64] = "";
  if (SDL_VideoDriverName(ovladac, sizeof ovladac) != nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr &&
      (std::strcmp(ovladac, "offscreen") == 0 || std::strcmp(ovladac, "dummy") == 0)) {
    SDL_Quit();
    const char* displej = std::getenv("DISPLAY");
    ukonci_chybou(
        "viewer: the video subsystem cannot be initialised: no display to show the window on "
        "(DISPLAY is %s%s%s; SDL found only its \"%s\" driver, which shows nothing)",
        displej != nullptr ? "\"" : "", displej != nullptr ? displej : "not set",
        displej != nullptr ? "\"" : "", ovladac);
  }
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
  const Uint32 zacatek = SDL_GetTicks();
  main_loop_function();
  // One line when the window closes (never while it is open): how many
  // frames were drawn in how long.
  const double sekund = (SDL_GetTicks() - zacatek) / 1000.0;
  zapis_log("frames drawn: %lu in %.1f s (%.1f per second)\n", pocet_snimku, sekund,
            sekund > 0 ? pocet_snimku / sekund : 0.0);
  SDL_Quit();
}
