// Window opening and the viewer run.
#include "viewer/viewer_start.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/messages.h"
#include "viewer/screenshot.h"
#include "viewer/viewer_state.h"
#include "viewer/viewer_tables.h"
#include "viewer/window.h"

namespace {
bool selhani(std::string* chyba, const std::string& problem) {
  if (chyba != nullptr) *chyba = zprava("display", problem);
  return false;
}

// SDL with its video mode set, or false with the reason (SDL shut down).
bool otevri_okno(bool v_okne, std::string* chyba) {
  const int xscr = *tabulky_prohlizece().xscr, yscr = *tabulky_prohlizece().yscr;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  // An empty SDL_VIDEODRIVER names no driver: treat it as not set.
  const char* vyzadany = std::getenv("SDL_VIDEODRIVER");
  if (vyzadany != nullptr && *vyzadany == '\0') unsetenv("SDL_VIDEODRIVER");
  if (SDL_Init(SDL_INIT_VIDEO) < 0)
    return selhani(chyba, std::string("the video subsystem cannot be initialised: ") + SDL_GetError());
  // Without a display SDL falls back to drivers that show nothing (it
  // renders off screen); the viewer would then loop drawing into nothing.
  // They are accepted only when asked for by name in SDL_VIDEODRIVER.
  char ovladac[64] = "";
  if (SDL_VideoDriverName(ovladac, sizeof ovladac) != nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr &&
      (std::strcmp(ovladac, "offscreen") == 0 || std::strcmp(ovladac, "dummy") == 0)) {
    SDL_Quit();
    const char* displej = std::getenv("DISPLAY");
    return selhani(chyba, std::string("the video subsystem cannot be initialised: no display to show the window on "
                                      "(DISPLAY is ") +
                              (displej != nullptr ? "\"" + std::string(displej) + "\"" : "not set") +
                              "; SDL found only its \"" + ovladac + "\" driver, which shows nothing)");
  }
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr || info->vfmt == nullptr) {
    const std::string duvod = SDL_GetError();
    SDL_Quit();
    return selhani(chyba, "no video information: " + duvod);
  }
  Uint32 priznaky = 0x80000007u;  // full screen, OpenGL, async blit, hardware surface
  if (v_okne) priznaky &= ~static_cast<Uint32>(SDL_FULLSCREEN);
  if (info->hw_available) priznaky |= SDL_HWSURFACE;
  if (SDL_SetVideoMode(xscr, yscr, info->vfmt->BitsPerPixel, priznaky) == nullptr) {
    const std::string duvod = SDL_GetError();
    SDL_Quit();
    return selhani(chyba, "the " + std::to_string(xscr) + " x " + std::to_string(yscr) +
                              (v_okne ? " windowed" : " full-screen") + " OpenGL mode cannot be set: " + duvod);
  }
  return true;
}

// The state a run starts in: the mouse of a window free until a click, the
// surface when asked for from the first frame, the scan's viewing frame.
StavProhlizece pocatecni_stav(const NastaveniProhlizece& nastaveni) {
  StavProhlizece stav;
  stav.mys_po_kliknuti = stav.mys_volna = nastaveni.v_okne;
  stav.zobrazena_plocha = nastaveni.plocha_hned;
  stav.ma_soustavu_pohledu = nastaveni.vlastni_soustava;
  if (nastaveni.vlastni_soustava) std::copy_n(nastaveni.matice, 16, stav.matice_pohledu);
  return stav;
}

}  // namespace

bool spust_prohlizec(std::string* chyba, const TabulkyProhlizece& tabulky, const NastaveniProhlizece& nastaveni,
                     unsigned long* pocet_snimku) {
  pouzij_tabulky(tabulky);
  if (!otevri_okno(nastaveni.v_okne, chyba)) return false;
  StavProhlizece stav = pocatecni_stav(nastaveni);
  if (nastaveni.vlastni_soustava) *tabulky.speed = nastaveni.krok;
  init();
  const Uint32 zacatek = SDL_GetTicks();
  bool vysledek = true;
  if (nastaveni.snimek.empty())
    main_loop_function(stav);
  else
    vysledek =
        uloz_snimek_obrazovky(stav, nastaveni.snimek, chyba, nastaveni.vlastni_soustava ? nastaveni.cil : nullptr);
  // One line when the window closes (never while it is open): how many
  // frames were drawn in how long.
  const double sekund = (SDL_GetTicks() - zacatek) / 1000.0;
  tabulky.zapis_log("frames drawn: %lu in %.1f s (%.1f per second)\n", stav.pocet_snimku, sekund,
                    sekund > 0 ? stav.pocet_snimku / sekund : 0.0);
  SDL_Quit();
  if (pocet_snimku != nullptr) *pocet_snimku = stav.pocet_snimku;
  return vysledek;
}
