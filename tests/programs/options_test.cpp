// The command-line options of the four programs, run for real: --help and
// --version write nothing, bad usage gives status 2 and writes nothing, a
// --dir run from elsewhere writes the same files as a run inside the
// directory, --no-window needs no display and no Enter and writes every file
// the plain run writes, --screenshot saves the model's picture as PNG, and
// --windowed leaves the mouse alone until a click.
#include <gtest/gtest.h>

#include <filesystem>
#include <opencv2/imgcodecs.hpp>
#include <set>
#include <string>
#include <vector>

#include "reconstruction/camera_rig.h"
#include "tests/support/program_run.h"
#include "tests/support/xvfb_session.h"

namespace {

namespace fs = std::filesystem;

struct Program {
  const char* jmeno;
  const char* cesta;
  const char* vzorek;                  // the sample inputs
  std::vector<const char*> vystupy;    // the files a run writes
  const char* vyzva;                   // the Enter prompt of the plain run ("" none)
};

const std::vector<Program>& programy() {
  static const std::vector<Program> p = {
      {"viewer_polar", VIEWER_POLAR_PATH, SAMPLE_SCENE_DIR, {"logfile.txt", "model.ply", "points.ply", "surface.ply"},
       "Tvorba 3D modelu dokoncena, pokracuj Enterem..."},
      {"viewer_projection", VIEWER_PROJECTION_PATH, SAMPLE_SCENE_DIR,
       {"logfile.txt", "model.ply", "points.ply", "surface.ply"}, ""},
      {"viewer_calibration", VIEWER_CALIBRATION_PATH, SAMPLE_SCENE_DIR,
       {"logfile.txt", "cameras.ply", "points.ply"}, "Kalibrace dokoncena, pokracuj Enterem...\n"},
      {"decoder", DECODER_PATH, DECODER_SAMPLE_DIR, {"data.txt"}, ""},
  };
  return p;
}

bool je_prohlizec(const Program& p) { return std::string(p.jmeno) != "decoder"; }

// A new directory with links to the sample inputs.
std::string se_vzorkem(const Program& p) {
  const std::string adresar = novy_adresar("options");
  for (const fs::directory_entry& e : fs::directory_iterator(p.vzorek))
    if (e.path().extension() == ".bmp") fs::create_symlink(e.path(), adresar + "/" + e.path().filename().string());
  return adresar;
}

std::set<std::string> obsah_adresare(const std::string& adresar) {
  std::set<std::string> jmena;
  for (const fs::directory_entry& e : fs::directory_iterator(adresar)) jmena.insert(e.path().filename().string());
  return jmena;
}

const std::vector<std::string> bez_displeje = {"DISPLAY", "SDL_VIDEODRIVER"};

TEST(Volby, HelpAndVersionPrintOnStandardOutputAndWriteNothing) {
  for (const Program& p : programy()) {
    SCOPED_TRACE(p.jmeno);
    const std::string adresar = se_vzorkem(p);
    const std::set<std::string> pred = obsah_adresare(adresar);
    const VysledekBehu napoveda = spust_program(p.cesta, adresar, "", 60, bez_displeje, {"--help"});
    EXPECT_EQ(napoveda.kod, 0);
    EXPECT_EQ(napoveda.chyby, "");
    EXPECT_EQ(napoveda.vystup.rfind(std::string("Usage: ") + p.jmeno + " [OPTION]...\n", 0), 0u);
    std::vector<std::string> zminky = {"--dir DIR", "--no-window", "--help", "--version", "Exit status:",
                                       "  2  bad usage"};
    for (const char* v : p.vystupy) zminky.push_back(v);
    for (const std::string& z : zminky) EXPECT_NE(napoveda.vystup.find(z), std::string::npos) << z;
    EXPECT_EQ(napoveda.vystup.find("--screenshot FILE") != std::string::npos, je_prohlizec(p));
    EXPECT_EQ(napoveda.vystup.find("--windowed") != std::string::npos, je_prohlizec(p));

    const VysledekBehu verze = spust_program(p.cesta, adresar, "", 60, bez_displeje, {"--version"});
    EXPECT_EQ(verze.kod, 0);
    EXPECT_EQ(verze.vystup, std::string(p.jmeno) + " " + SCANNER_VERSION + "\n");
    EXPECT_EQ(obsah_adresare(adresar), pred);
  }
}

TEST(Volby, BadUsageIsOneLineNamingTheArgumentStatusTwoAndNothingWritten) {
  struct Pripad {
    std::vector<std::string> argumenty;
    std::string jmenovany;
    bool jen_prohlizec;
  };
  const std::vector<Pripad> pripady = {
      {{"--frobnicate"}, "--frobnicate", false},
      {{"-x"}, "-x", false},
      {{"scan1"}, "scan1", false},
      {{"--", "--help"}, "--help", false},
      {{"--dir"}, "--dir", false},
      {{"--dir="}, "--dir", false},
      {{"--no-window=yes"}, "--no-window", false},
      {{"--help", "stray"}, "stray", false},
      {{"--windowed"}, "--windowed", false},  // a bad option for the decoder only
      {{"--no-window", "--screenshot=shot.png"}, "--screenshot", true},
  };
  for (const Program& p : programy())
    for (const Pripad& c : pripady) {
      if (c.jen_prohlizec && !je_prohlizec(p)) continue;
      if (c.argumenty[0] == "--windowed" && je_prohlizec(p)) continue;
      SCOPED_TRACE(std::string(p.jmeno) + " " + c.argumenty.back());
      const std::string adresar = se_vzorkem(p);
      const std::set<std::string> pred = obsah_adresare(adresar);
      const VysledekBehu beh = spust_program(p.cesta, adresar, "", 60, bez_displeje, c.argumenty);
      EXPECT_EQ(beh.kod, 2);
      EXPECT_EQ(beh.vystup, "");
      EXPECT_EQ(beh.chyby.rfind(std::string(p.jmeno) + ": " + c.jmenovany + ": ", 0), 0u) << beh.chyby;
      EXPECT_NE(beh.chyby.find(std::string(p.jmeno) + " --help"), std::string::npos) << beh.chyby;
      EXPECT_EQ(beh.chyby.find('\n'), beh.chyby.size() - 1) << beh.chyby;
      EXPECT_EQ(obsah_adresare(adresar), pred);
    }
}

TEST(Volby, AMissingDirectoryOrABatchOutputNotWrittenIsStatusOne) {
  const std::string adresar = novy_adresar("options-cwd");
  for (const Program& p : programy()) {
    SCOPED_TRACE(p.jmeno);
    const VysledekBehu beh = spust_program(p.cesta, adresar, "", 60, bez_displeje, {"--dir", adresar + "/none"});
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby.rfind(std::string(p.jmeno) + ": " + adresar + "/none: ", 0), 0u) << beh.chyby;
    EXPECT_EQ(beh.chyby.find('\n'), beh.chyby.size() - 1) << beh.chyby;
    EXPECT_TRUE(obsah_adresare(adresar).empty());
  }
  // In batch mode the files are the result: a model.ply that cannot take
  // the model (a directory stands there) is a failure, not a warning.
  const std::string sken = se_vzorkem(programy()[0]);
  fs::create_directory(sken + "/model.ply");
  const VysledekBehu beh = spust_program(VIEWER_POLAR_PATH, sken, "", 60, bez_displeje, {"--no-window"});
  EXPECT_EQ(beh.kod, 1);
  EXPECT_EQ(beh.chyby.rfind("viewer_polar: model.ply: cannot be written", 0), 0u) << beh.chyby;
  EXPECT_EQ(beh.chyby.find("the viewer goes on"), std::string::npos) << beh.chyby;
  EXPECT_TRUE(existuje(sken + "/points.ply"));
}

// The window library and the rig file's library live in modules that a
// batch run without "rig.yml" never loads; with the file, its reader loads.
TEST(Volby, ABatchRunLoadsTheWindowLibraryNeverAndTheRigReaderOnlyForAFile) {
  const std::string sken = se_vzorkem(programy()[0]);
  std::vector<std::string> prostredi = bez_displeje;
  prostredi.push_back("LD_DEBUG=libs");
  const VysledekBehu beh = spust_program(VIEWER_POLAR_PATH, sken, "", 60, prostredi, {"--no-window"});
  EXPECT_EQ(beh.kod, 0);
  EXPECT_NE(beh.chyby.find("libstdc++"), std::string::npos) << "LD_DEBUG says nothing";
  for (const char* knihovna : {"libSDL", "libGL", "libopencv", "viewer_window", "rig_reader"})
    EXPECT_EQ(beh.chyby.find(knihovna), std::string::npos) << knihovna;
  const std::string body = precti_soubor(sken + "/points.ply");
  std::string chyba;
  ASSERT_TRUE(zapis_rig(sken + "/rig.yml", vychozi_rig(), &chyba)) << chyba;
  const VysledekBehu s_rigem = spust_program(VIEWER_POLAR_PATH, sken, "", 60, prostredi, {"--no-window"});
  EXPECT_EQ(s_rigem.kod, 0) << s_rigem.chyby;
  EXPECT_NE(s_rigem.chyby.find("rig_reader.so"), std::string::npos);
  EXPECT_NE(s_rigem.vystup.find("camera set-up: rig.yml"), std::string::npos);
  EXPECT_EQ(precti_soubor(sken + "/points.ply"), body);  // the compiled-in set-up, bit for bit
}

// Three runs without a display: the plain one inside its directory (Enter on
// standard input), --no-window inside its directory, and --no-window --dir
// from another working directory. The batch runs end with status 0, print
// what the plain run prints up to its Enter prompt, and write the files the
// plain run writes, byte for byte; the plain run still stops at the window.
TEST(Volby, BatchRunsWithoutDisplayOrEnterWriteThePlainRunsFilesAlsoThroughDir) {
  for (const Program& p : programy()) {
    SCOPED_TRACE(p.jmeno);
    const std::string obycejny = se_vzorkem(p), uvnitr = se_vzorkem(p), odjinud = se_vzorkem(p);
    const std::string jinde = novy_adresar("options-cwd");
    const std::vector<std::string> prostredi = {"DISPLAY", "SDL_VIDEODRIVER", "XDG_RUNTIME_DIR=" + jinde};
    const VysledekBehu plain = spust_program(p.cesta, obycejny, "\n\n", 120, prostredi);
    const VysledekBehu davka = spust_program(p.cesta, uvnitr, "", 120, prostredi, {"--no-window"});
    const VysledekBehu pres_dir = spust_program(p.cesta, jinde, "", 120, prostredi, {"--no-window", "--dir=" + odjinud});
    if (je_prohlizec(p))
      EXPECT_TRUE(zastaveno_u_okna(plain)) << plain.chyby;
    else
      EXPECT_EQ(plain.kod, 0);
    // The plain run's console without its Enter prompt (the surface line of
    // viewer_polar follows the prompt, which ends no line).
    std::string bez_vyzvy = plain.vystup;
    const std::string vyzva = p.vyzva;
    if (!vyzva.empty()) {
      const std::size_t kde = bez_vyzvy.find(vyzva);
      ASSERT_NE(kde, std::string::npos) << plain.vystup;
      bez_vyzvy.erase(kde, vyzva.size());
    }
    for (const VysledekBehu* b : {&davka, &pres_dir}) {
      EXPECT_EQ(b->kod, 0) << b->chyby;
      EXPECT_EQ(b->chyby, "");
      EXPECT_EQ(b->vystup, bez_vyzvy);
    }
    for (const char* soubor : p.vystupy) {
      const std::string ocekavany = precti_soubor(obycejny + "/" + soubor);
      EXPECT_FALSE(ocekavany.empty()) << soubor;
      EXPECT_EQ(precti_soubor(uvnitr + "/" + soubor), ocekavany) << soubor;
      EXPECT_EQ(precti_soubor(odjinud + "/" + soubor), ocekavany) << soubor;
    }
    EXPECT_TRUE(obsah_adresare(jinde).empty());
  }
}

// The screenshot and the window under Xvfb.
using VolbyOkna = TestySXvfb;

// Pixels of the model's filled triangles: viewer_polar colours them with blue
// 64 (red and green from the polar angles); nothing else in the scene has it.
int pixely_modelu(const cv::Mat& bgr, int* x0, int* x1) {
  int n = 0;
  *x0 = bgr.cols;
  *x1 = -1;
  for (int y = 0; y < bgr.rows; y++)
    for (int x = 0; x < bgr.cols; x++) {
      const cv::Vec3b& b = bgr.at<cv::Vec3b>(y, x);
      if (b[0] != 64 || b[1] < 100) continue;
      n++;
      *x0 = std::min(*x0, x);
      *x1 = std::max(*x1, x);
    }
  return n;
}

TEST_F(VolbyOkna, ScreenshotIsAPngOfTheModelWrittenWithoutEnterOrWindowLoop) {
  const Program& p = programy()[0];
  const std::string sken = se_vzorkem(p), jinde = novy_adresar("options-cwd");
  const VysledekBehu beh =
      spust_program(p.cesta, jinde, "", 120, {"DISPLAY=" + displej_->jmeno(), "SDL_VIDEODRIVER"},
                    {"--screenshot", "shot.png", "--dir", sken});
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  EXPECT_EQ(beh.vystup.find("Enterem"), std::string::npos);
  const cv::Mat obraz = cv::imread(sken + "/shot.png", cv::IMREAD_COLOR);
  ASSERT_FALSE(obraz.empty());
  EXPECT_EQ(obraz.cols, 800);
  EXPECT_EQ(obraz.rows, 600);
  // The vase, about 25 units across at about 135, is some 90 pixels wide,
  // near the middle of the frame; the cameras' red image frames cross it.
  int x0 = 0, x1 = 0;
  EXPECT_GT(pixely_modelu(obraz, &x0, &x1), 3000);
  EXPECT_NEAR(x1 - x0, 90, 20);
  EXPECT_NEAR((x0 + x1) / 2.0, 400, 40);
  int cervene = 0;
  for (auto it = obraz.begin<cv::Vec3b>(); it != obraz.end<cv::Vec3b>(); ++it)
    if (*it == cv::Vec3b(0, 0, 255)) cervene++;
  EXPECT_GT(cervene, 500);
  EXPECT_NE(precti_soubor(sken + "/logfile.txt").find("frames drawn: 1 in "), std::string::npos);
  EXPECT_FALSE(existuje(sken + "/shot.png.tmp"));

  // A screenshot that cannot be written: status 1, one message naming it.
  const VysledekBehu spatny = spust_program(p.cesta, sken, "", 120,
                                            {"DISPLAY=" + displej_->jmeno(), "SDL_VIDEODRIVER"},
                                            {"--screenshot=" + sken + "/none/shot.png"});
  EXPECT_EQ(spatny.kod, 1);
  EXPECT_EQ(spatny.chyby.rfind("viewer_polar: " + sken + "/none/shot.png: cannot be written", 0), 0u)
      << spatny.chyby;
}

TEST_F(VolbyOkna, WindowedIsEightHundredBySixHundredAndTurnsOnlyAfterAClick) {
  const Program& p = programy()[0];
  const std::string sken = se_vzorkem(p);
  displej_->prikaz("xdotool mousemove 10 10");
  BeziciProgram beh(p.cesta, {"--windowed"}, sken, displej_->jmeno(), "\n");
  const std::string okno = najdi_okno(*displej_, beh.pid(), 60);
  ASSERT_FALSE(okno.empty()) << beh.chyby();
  EXPECT_NE(displej_->prikaz("xdotool getwindowgeometry " + okno).find("Geometry: 800x600"), std::string::npos);
  pockej_sekund(0.5);
  const Snimek na_zacatku = vyfot(*displej_, sken + "/start.ppm");
  // The pointer crosses the window: no turn, no warp.
  displej_->prikaz("xdotool mousemove --window " + okno + " 700 500");
  pockej_sekund(0.5);
  EXPECT_EQ(vyfot(*displej_, sken + "/crossed.ppm").rozdil(na_zacatku), 0);
  int wx = 0, wy = 0, x = -1, y = -1;
  ASSERT_TRUE(poloha_okna(*displej_, okno, &wx, &wy));
  std::sscanf(displej_->prikaz("xdotool getmouselocation").c_str(), "x:%d y:%d", &x, &y);
  EXPECT_EQ(x - wx, 700);
  EXPECT_EQ(y - wy, 500);
  // A click takes the mouse; 180 pixels to the right turn the view round
  // to the scene, whose red camera frames appear.
  displej_->prikaz("xdotool mousemove --window " + okno + " 400 300 click 1");
  pockej_sekund(0.3);
  displej_->prikaz("xdotool mousemove --window " + okno + " 580 300");
  pockej_sekund(0.8);
  const Snimek otoceny = vyfot(*displej_, sken + "/turned.ppm");
  EXPECT_EQ(na_zacatku.pocet(255, 0, 0), 0);
  EXPECT_GT(otoceny.pocet(255, 0, 0), 500);
  displej_->prikaz(std::string(X11_CLOSE_WINDOW_PATH) + " " + okno);
  EXPECT_EQ(beh.pockej(20), 0) << beh.chyby();
}

}  // namespace
