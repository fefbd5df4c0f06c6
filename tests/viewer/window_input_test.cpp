// Key table, movement commands, Escape, mouse look with the warp box and the
// one-event-per-frame intake (SDL's dummy video driver provides the queue).
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "reconstruction/scene_tables.h"
#include "tests/viewer/recording_graphics.h"
#include "viewer/camera.h"
#include "viewer/graphics_calls.h"
#include "viewer/screenshot.h"
#include "viewer/window.h"

namespace {

class Vstup : public ::testing::Test {
 protected:
  void SetUp() override {
    nahrad_grafiku();
    std::memset(key, 0, sizeof key);
    for (int& p : pohyb) p = 0;
    lastpos[0] = 400;
    lastpos[1] = 300;
    yrot = 180.5f;
    zrot = 0;
  }
  void TearDown() override { obnov_grafiku(); }
};

TEST_F(Vstup, SBeatsWAndDBeatsA) {
  struct Pripad {
    bool w, s, a, d;
    int podel, bok;
  };
  const Pripad pripady[] = {{false, false, false, false, 0, 0}, {true, false, false, false, 1, 0},
                            {false, true, false, false, -1, 0}, {true, true, false, false, -1, 0},
                            {false, false, true, false, 0, 1},  {false, false, false, true, 0, -1},
                            {false, false, true, true, 0, -1},  {true, true, true, true, -1, -1}};
  for (const Pripad& p : pripady) {
    key['w'] = p.w;
    key['s'] = p.s;
    key['a'] = p.a;
    key['d'] = p.d;
    controlsSDL();
    EXPECT_EQ(pohyb[1], p.podel);
    EXPECT_EQ(pohyb[0], p.bok);
  }
}

TEST_F(Vstup, EscapeAsksTheLoopToEnd) {
  EXPECT_FALSE(zadan_konec());
  key[SDLK_ESCAPE] = 1;
  EXPECT_TRUE(zadan_konec());
  key[SDLK_ESCAPE] = 0;
  EXPECT_FALSE(zadan_konec());
}

TEST_F(Vstup, MouseTurnsOneDegreePerPixelInsideTheBox) {
  mouseMovement(410, 295);
  EXPECT_EQ(zrot, -10);
  EXPECT_EQ(yrot, 175.5f);
  EXPECT_EQ(lastpos[0], 410);
  EXPECT_EQ(lastpos[1], 295);
  EXPECT_EQ(mousepos[0], 410);
  EXPECT_EQ(mousepos[1], 295);
  // The box edges themselves do not warp.
  mouseMovement(220, 120);
  mouseMovement(580, 480);
  EXPECT_TRUE(volani("warp").empty());
}

TEST_F(Vstup, PointerBeyondTheBoxIsWarpedToTheOppositeEdge) {
  // 181 pixels left of the centre: warped 180 to the right; the view turns
  // by the received delta, then by the warp's own motion event.
  mouseMovement(219, 300);
  ASSERT_EQ(volani("warp").size(), 1u);
  EXPECT_EQ(volani("warp")[0].argumenty, (std::vector<double>{580, 300}));
  EXPECT_EQ(zrot, 181);
  EXPECT_EQ(lastpos[0], 219);
  mouseMovement(580, 300);
  EXPECT_EQ(zrot, -180);
  EXPECT_EQ(volani("warp").size(), 1u);

  // Both coordinates out: one warp with both moved; one out: the other is
  // passed as received.
  nahrad_grafiku();
  mouseMovement(581, 481);
  mouseMovement(300, 119);
  const std::vector<Volani> w = volani("warp");
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0].argumenty, (std::vector<double>{220, 120}));
  EXPECT_EQ(w[1].argumenty, (std::vector<double>{300, 480}));
}

TEST_F(Vstup, TheScreenshotTurnsTheViewToTheTurntableInAWindowToo) {
  // From the first position (pointer at the origin) the heading becomes
  // -540 and the elevation 180.5 + 360, without a warp; the run's mouse,
  // free in a window, has no say in it.
  lastpos[0] = lastpos[1] = 0;
  natoc_pro_snimek(nullptr);
  EXPECT_EQ(zrot, -540);
  EXPECT_EQ(yrot, 540.5f);
  EXPECT_TRUE(volani("warp").empty());
}

class Fronta : public Vstup {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(800, 600, 32, 0), nullptr) << SDL_GetError();
  }
  static void TearDownTestSuite() { SDL_Quit(); }

  void SetUp() override {
    Vstup::SetUp();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
  }

  static void posli(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError(); }
  static SDL_Event klavesa(Uint8 typ, SDLKey symbol) {
    SDL_Event e{};
    e.type = typ;
    e.key.type = typ;
    e.key.keysym.sym = symbol;
    return e;
  }
};

TEST_F(Fronta, OneEventPerCallAndQuitEndsTheLoop) {
  posli(klavesa(SDL_KEYDOWN, SDLK_w));
  posli(klavesa(SDL_KEYUP, SDLK_w));
  SDL_Event pohyb_mysi{};
  pohyb_mysi.type = SDL_MOUSEMOTION;
  pohyb_mysi.motion.type = SDL_MOUSEMOTION;
  pohyb_mysi.motion.x = 430;
  pohyb_mysi.motion.y = 300;
  posli(pohyb_mysi);
  SDL_Event tlacitko{};
  tlacitko.type = SDL_MOUSEBUTTONDOWN;
  tlacitko.button.type = SDL_MOUSEBUTTONDOWN;
  tlacitko.button.button = 1;
  posli(tlacitko);
  SDL_Event konec{};
  konec.type = SDL_QUIT;
  posli(konec);

  EXPECT_TRUE(events());
  EXPECT_EQ(key['w'], 1);
  EXPECT_TRUE(events());
  EXPECT_EQ(key['w'], 0);
  EXPECT_TRUE(events());
  EXPECT_EQ(zrot, -30);
  EXPECT_TRUE(events());  // the button press changes nothing
  EXPECT_EQ(zrot, -30);
  EXPECT_EQ(yrot, 180.5f);
  EXPECT_FALSE(events());
  EXPECT_TRUE(events());  // empty queue
}

TEST_F(Fronta, AWindowsMouseTurnsTheViewOnlyWhileTakenAndMSwitchesTheRunsSurface) {
  StavProhlizece stav;
  stav.mys_po_kliknuti = stav.mys_volna = true;
  // Free: the pointer is followed, neither turned by nor warped.
  mouseMovement(stav, 700, 590);
  EXPECT_EQ(zrot, 0);
  EXPECT_EQ(yrot, 180.5f);
  EXPECT_EQ(lastpos[0], 700);
  EXPECT_TRUE(volani("warp").empty());
  // A click takes it: motion from the click's point turns the view.
  mouse(stav, 1, 410, 300);
  EXPECT_FALSE(stav.mys_volna);
  mouseMovement(stav, 420, 300);
  EXPECT_EQ(zrot, -10);
  // Losing the focus frees it again; gaining it does not take it.
  zmena_fokusu(stav, false);
  EXPECT_TRUE(stav.mys_volna);
  zmena_fokusu(stav, true);
  EXPECT_TRUE(stav.mys_volna);
  // Full screen the focus changes nothing.
  StavProhlizece cela_obrazovka;
  zmena_fokusu(cela_obrazovka, false);
  EXPECT_FALSE(cela_obrazovka.mys_volna);

  posli(klavesa(SDL_KEYDOWN, SDLK_m));
  posli(klavesa(SDL_KEYUP, SDLK_m));
  posli(klavesa(SDL_KEYDOWN, SDLK_m));
  EXPECT_TRUE(events(stav));
  EXPECT_TRUE(stav.zobrazena_plocha);
  EXPECT_TRUE(events(stav));
  EXPECT_TRUE(stav.zobrazena_plocha);
  EXPECT_TRUE(events(stav));
  EXPECT_FALSE(stav.zobrazena_plocha);
  SDL_WM_GrabInput(SDL_GRAB_OFF);
}

TEST_F(Fronta, KeySymbolsOutsideTheTableAreIgnored) {
  posli(klavesa(SDL_KEYDOWN, static_cast<SDLKey>(pocet_klaves + 5)));
  unsigned char pred[pocet_klaves];
  std::memcpy(pred, key, sizeof key);
  EXPECT_TRUE(events());
  EXPECT_EQ(std::memcmp(pred, key, sizeof key), 0);
}

}  // namespace
