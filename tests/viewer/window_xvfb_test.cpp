// The three programs and the test scene in real windows under Xvfb (Mesa
// software OpenGL): the picture after turning round to face the scene,
// movement, the log that stops growing, switching to the surface and back,
// the close request, Escape, and the
// failures without a display or without OpenGL. Screenshots of a failing
// check are kept in xvfb-failures/ beside the test log.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/viewer/marker_scene.h"
#include "tests/support/xvfb_session.h"

namespace {

const std::string enter_na_vstupu(16, '\n');

class Okna : public TestySXvfb {
 protected:
  void SetUp() override {
    TestySXvfb::SetUp();
    if (HasFatalFailure()) return;
    adresar_ = novy_adresar("viewer-window");
    ASSERT_FALSE(adresar_.empty());
    // Every run starts with the pointer at the screen centre.
    displej_->prikaz("xdotool mousemove 512 384");
  }

  void TearDown() override {
    if (HasFailure()) {
      mkdir("xvfb-failures", 0755);
      const std::string jmeno =
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
      for (const std::string& s : snimky_)
        std::system(("convert '" + s + "' 'xvfb-failures/" + jmeno + "-" +
                     s.substr(s.rfind('/') + 1) + ".png' 2>/dev/null")
                        .c_str());
      std::printf("screenshots kept in xvfb-failures/ (%s)\n", adresar_.c_str());
    }
  }

  Snimek fotka(const std::string& nazev) {
    const std::string cesta = adresar_ + "/" + nazev;
    snimky_.push_back(cesta);
    return vyfot(*displej_, cesta);
  }

  // Turns the view round to face the scene along +y: the heading is minus
  // the sum of all x motions since the start (540 = 180 + a full turn), the
  // elevation 180.5 plus the sum of the y motions (360 = a full turn).
  // Waits for the first picture of the window.
  bool pripraveno(const std::string& okno) {
    return pockej_na_okno(*displej_, okno, adresar_ + "/ready.ppm", 30);
  }

  // Waits until the turn has changed the picture and it has settled.
  void otoc_k_scene(const std::string& okno) {
    const Snimek pred = vyfot(*displej_, adresar_ + "/before-turn.ppm");
    displej_->prikaz("xdotool mousemove --window " + okno + " 540 360");
    ustaleny_snimek(*displej_, adresar_ + "/turned.ppm", pred, 100, 30);
  }

  void posli_zavreni(const std::string& okno) {
    displej_->prikaz(std::string(X11_CLOSE_WINDOW_PATH) + " " + okno);
  }

  std::string adresar_;
  std::vector<std::string> snimky_;
};

struct Program {
  const char* jmeno;
  const char* cesta;
  bool kalibracni_znacky;  // yellow crosses
  bool pohledove_cary;     // magenta camera-to-look-point lines
};

void PrintTo(const Program& p, std::ostream* os) { *os << p.jmeno; }

class ProgramyVOkne : public Okna, public ::testing::WithParamInterface<Program> {};

TEST_P(ProgramyVOkne, ShowTheSceneMoveKeepTheLogAndEndOnTheCloseRequest) {
  const Program& p = GetParam();
  ASSERT_TRUE(zapis_scenu_znacek(adresar_));
  BeziciProgram beh(p.cesta, {}, adresar_, displej_->jmeno(), enter_na_vstupu);
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  ASSERT_TRUE(pripraveno(okno)) << beh.chyby();
  otoc_k_scene(okno);
  const Snimek pred = fotka("facing-scene.ppm");
  ASSERT_TRUE(pred.platny());
  // The camera frames are red; the calibration marks yellow crosses; the
  // lines to the look points magenta.
  EXPECT_GT(pred.pocet(255, 0, 0), 100);
  if (p.kalibracni_znacky) {
    EXPECT_GT(pred.pocet(255, 255, 0), 10);
  }
  if (p.pohledove_cary) {
    EXPECT_GT(pred.pocet(255, 0, 255), 20);
  }
  if (!p.pohledove_cary && !p.kalibracni_znacky) ADD_FAILURE() << "unknown program";

  // The log holds the first frame and then stays as it is: watched for two
  // seconds of redrawn frames.
  const std::string log = adresar_ + "/logfile.txt";
  const long velikost1 = velikost_souboru(log);
  pockej_sekund(2);
  EXPECT_EQ(velikost_souboru(log), velikost1);
  EXPECT_EQ(fotka("still.ppm").rozdil(pred), 0);

  // Holding W for 0.1 s moves the eye: the picture changes.
  displej_->prikaz("xdotool keydown w");
  pockej_sekund(0.1);
  displej_->prikaz("xdotool keyup w");
  snimky_.push_back(adresar_ + "/after-w.ppm");
  EXPECT_GT(ustaleny_snimek(*displej_, snimky_.back(), pred, 100, 30).rozdil(pred), 100);
  EXPECT_EQ(velikost_souboru(log), velikost1);

  posli_zavreni(okno);
  EXPECT_EQ(beh.pockej(20), 0) << beh.chyby();
  const std::string obsah = precti_soubor(log);
  EXPECT_EQ(obsah.rfind("spusteno\n", 0), 0u);
  EXPECT_NE(obsah.find("BOD1:"), std::string::npos);
  // Closing adds exactly one line, the frame count.
  ASSERT_GE(static_cast<long>(obsah.size()), velikost1);
  const std::string konec = obsah.substr(static_cast<std::size_t>(velikost1));
  EXPECT_EQ(konec.rfind("frames drawn: ", 0), 0u) << konec;
  EXPECT_EQ(konec.find('\n'), konec.size() - 1) << konec;
}

INSTANTIATE_TEST_SUITE_P(
    TriProgramy, ProgramyVOkne,
    ::testing::Values(Program{"projection", VIEWER_PROJECTION_PATH, false, true},
                      Program{"calibration", VIEWER_CALIBRATION_PATH, true, true},
                      Program{"polar", VIEWER_POLAR_PATH, true, false}),
    [](const ::testing::TestParamInfo<Program>& i) { return std::string(i.param.jmeno); });

// Pixels of the surface's light blue-grey shading (blue the largest
// component, clearly above red), which neither the polar model (blue 64),
// the cameras, the segments nor the calibration marks have.
int pixelu_plochy(const Snimek& s) {
  int pocet = 0;
  for (int y = 0; y < s.vyska; y++)
    for (int x = 0; x < s.sirka; x++) {
      const unsigned char* q = s.pixel(x, y);
      if (q[2] >= 80 && q[2] >= q[0] + 12 && q[2] >= q[1] + 6 && q[1] >= q[0]) pocet++;
    }
  return pocet;
}

TEST_F(Okna, KeyMSwitchesBetweenTheModelAndTheSurface) {
  ASSERT_TRUE(zapis_scenu_znacek(adresar_));
  BeziciProgram beh(VIEWER_POLAR_PATH, {}, adresar_, displej_->jmeno(), enter_na_vstupu);
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  pockej_sekund(0.5);
  otoc_k_scene(okno);
  const Snimek model = fotka("model.ppm");
  ASSERT_TRUE(model.platny());
  EXPECT_EQ(pixelu_plochy(model), 0);
  const std::string log = adresar_ + "/logfile.txt";
  const long velikost = velikost_souboru(log);

  displej_->prikaz("xdotool key m");
  pockej_sekund(0.5);
  const Snimek plocha = fotka("surface.ppm");
  EXPECT_GT(pixelu_plochy(plocha), 1000);
  EXPECT_GT(plocha.pocet(255, 0, 0), 100);  // the cameras stay
  EXPECT_EQ(velikost_souboru(log), velikost);

  displej_->prikaz("xdotool key m");
  pockej_sekund(0.5);
  EXPECT_EQ(fotka("model-again.ppm").rozdil(model), 0);
  posli_zavreni(okno);
  EXPECT_EQ(beh.pockej(20), 0) << beh.chyby();
  EXPECT_NE(beh.vystup().find("Enterem...surface: 40 vertices, "), std::string::npos) << beh.vystup();
}

TEST_F(Okna, TestSceneShowsColoursOutlinesSegmentsAndTheRightScale) {
  BeziciProgram beh(VIEWER_TEST_SCENE_PATH, {}, adresar_, displej_->jmeno(), "");
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  ASSERT_TRUE(pripraveno(okno)) << beh.chyby();
  otoc_k_scene(okno);
  const Snimek s = fotka("test-scene.ppm");
  ASSERT_TRUE(s.platny());
  EXPECT_GT(s.pocet(0, 200, 0), 5000);    // grid triangles
  EXPECT_GT(s.pocet(0, 0, 255), 5000);
  EXPECT_GT(s.pocet(255, 128, 0), 1000);  // square with a hole
  EXPECT_GT(s.pocet(128, 0, 255), 300);   // half disc of the arc
  EXPECT_GT(s.pocet(255, 0, 255), 300);   // segments around the grid
  // The grid: 40 units wide at distance 40 under a 60-degree field of view
  // is 520 pixels of the 800 x 600 frame, centred in the window.
  const std::vector<int> o = s.ohraniceni({{0, 200, 0}, {0, 0, 255}, {0, 160, 160}, {0, 0, 200}});
  int wx = 0, wy = 0;
  ASSERT_TRUE(poloha_okna(*displej_, okno, &wx, &wy));
  EXPECT_NEAR(o[2] - o[0] + 1, 520, 12);
  EXPECT_NEAR((o[0] + o[2]) / 2.0 - wx, 400, 6);
  // Black outlines cross the coloured grid.
  int cerne = 0;
  for (int y = o[1] + 2; y < o[3] - 2; y++)
    for (int x = o[0] + 2; x < o[2] - 2; x++) {
      const unsigned char* q = s.pixel(x, y);
      if (q[0] == 0 && q[1] == 0 && q[2] == 0) cerne++;
    }
  EXPECT_GT(cerne, 500);
  // The half disc lies below the grid and to the right of its centre.
  const std::vector<int> d = s.ohraniceni({{128, 0, 255}});
  EXPECT_GT(d[1], o[3]);
  EXPECT_GT(d[0], (o[0] + o[2]) / 2);

  posli_zavreni(okno);
  EXPECT_EQ(beh.pockej(20), 0) << beh.chyby();
  EXPECT_NE(beh.vystup().find("snimku: "), std::string::npos);
  const std::string log = precti_soubor(adresar_ + "/logfile.txt");
  EXPECT_NE(log.find("oblouk\nmatice:"), std::string::npos);
  EXPECT_NE(log.find("konec\n"), std::string::npos);
}

TEST_F(Okna, PointerLeavingTheBoxIsWarpedToTheOppositeEdge) {
  BeziciProgram beh(VIEWER_TEST_SCENE_PATH, {}, adresar_, displej_->jmeno(), "");
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  ASSERT_TRUE(pripraveno(okno)) << beh.chyby();
  int wx = 0, wy = 0;
  ASSERT_TRUE(poloha_okna(*displej_, okno, &wx, &wy));
  displej_->prikaz("xdotool mousemove --window " + okno + " 600 300");
  std::string poloha;
  int x = -1, y = -1;
  pockej_na(
      [&] {
        poloha = displej_->prikaz("xdotool getmouselocation");
        return std::sscanf(poloha.c_str(), "x:%d y:%d", &x, &y) == 2 && x - wx != 600;
      },
      30);
  ASSERT_EQ(std::sscanf(poloha.c_str(), "x:%d y:%d", &x, &y), 2) << poloha;
  EXPECT_EQ(x - wx, 220);
  EXPECT_EQ(y - wy, 300);
  posli_zavreni(okno);
  EXPECT_EQ(beh.pockej(20), 0);
}

TEST_F(Okna, EscapeEndsTheProgramWithStatusZero) {
  ASSERT_TRUE(zapis_scenu_znacek(adresar_));
  BeziciProgram beh(VIEWER_POLAR_PATH, {}, adresar_, displej_->jmeno(), enter_na_vstupu);
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  ASSERT_TRUE(pripraveno(okno)) << beh.chyby();
  displej_->prikaz("xdotool key Escape");
  EXPECT_EQ(beh.pockej(20), 0);
  // The same shutdown as closing the window: the frame count ends the log.
  const std::string log = precti_soubor(adresar_ + "/logfile.txt");
  EXPECT_EQ(log.rfind("spusteno\n", 0), 0u);
  const std::size_t posledni = log.rfind("frames drawn: ");
  ASSERT_NE(posledni, std::string::npos);
  EXPECT_EQ(log.find('\n', posledni), log.size() - 1);
}

TEST(OknoBezObrazovky, NoDisplayOrNoOpenGLEndsWithTheReasonAndStatusOne) {
  const std::string adresar = novy_adresar("viewer-nodisplay");
  ASSERT_FALSE(adresar.empty());
  {
    BeziciProgram beh(VIEWER_TEST_SCENE_PATH, {}, adresar, ":1999", "");
    EXPECT_EQ(beh.pockej(60), 1);
    EXPECT_NE(beh.chyby().find("viewer_test_scene: display: the video subsystem cannot be initialised: "),
              std::string::npos)
        << beh.chyby();
    EXPECT_GT(beh.chyby().size(), std::string("viewer_test_scene: display: the video subsystem cannot be initialised: \n").size());
  }
  {
    BeziciProgram beh(VIEWER_TEST_SCENE_PATH, {}, adresar, ":1999", "", {"SDL_VIDEODRIVER=dummy"});
    EXPECT_EQ(beh.pockej(60), 1);
    EXPECT_NE(beh.chyby().find("viewer_test_scene: display: the 800 x 600 full-screen OpenGL mode cannot be set: "),
              std::string::npos)
        << beh.chyby();
  }
  // The log is closed and complete.
  EXPECT_EQ(precti_soubor(adresar + "/logfile.txt"), "spusteno\n");
}

TEST(OknoNaMaleObrazovce, FillsAnEightHundredBySixHundredScreen) {
  XvfbDisplej displej("800x600x24");
  ASSERT_FALSE(displej.jmeno().empty());
  const std::string adresar = novy_adresar("viewer-small");
  BeziciProgram beh(VIEWER_TEST_SCENE_PATH, {}, adresar, displej.jmeno(), "");
  const std::string okno = najdi_okno(displej, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  ASSERT_TRUE(pockej_na_okno(displej, okno, adresar + "/ready.ppm", 30)) << beh.chyby();
  const Snimek pred = vyfot(displej, adresar + "/before-turn.ppm");
  displej.prikaz("xdotool mousemove --window " + okno + " 540 360");
  const Snimek s = ustaleny_snimek(displej, adresar + "/small.ppm", pred, 100, 30);
  ASSERT_EQ(s.sirka, 800);
  const std::vector<int> o = s.ohraniceni({{0, 200, 0}, {0, 0, 255}, {0, 160, 160}, {0, 0, 200}});
  EXPECT_NEAR(o[2] - o[0] + 1, 520, 12);
  EXPECT_NEAR((o[0] + o[2]) / 2.0, 400, 6);
  displej.prikaz(std::string(X11_CLOSE_WINDOW_PATH) + " " + okno);
  EXPECT_EQ(beh.pockej(20), 0);
}

}  // namespace
