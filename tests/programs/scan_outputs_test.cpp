// The files viewer_polar leaves beside its log, on the sample scene: the
// model's faces are the distinct triangles of model1 and its edges the
// prunik segments; an output that cannot be written is a warning and the
// run goes on to the viewer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/instruction_pool.h"
#include "model/model_export.h"
#include "model/polar_model.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/sample_scene.h"

namespace {

using Bod = std::array<float, 3>;
using Trojuhelnik = std::array<Bod, 3>;

struct Vysledek {
  std::vector<Bod> vrcholy;
  std::map<std::set<Bod>, std::pair<Trojuhelnik, std::array<int, 3>>> steny;
  std::vector<std::pair<Bod, Bod>> hrany;
};

Vysledek precti(const std::string& text) {
  std::istringstream vstup(text);
  std::string radek;
  int vrcholu = 0, sten = 0, hran = 0;
  while (std::getline(vstup, radek) && radek != "end_header") {
    std::istringstream slova(radek);
    std::string a, b;
    int n = 0;
    slova >> a >> b >> n;
    if (a == "element" && b == "vertex") vrcholu = n;
    if (a == "element" && b == "face") sten = n;
    if (a == "element" && b == "edge") hran = n;
  }
  Vysledek v;
  for (int i = 0; i < vrcholu; i++) {
    Bod b;
    vstup >> b[0] >> b[1] >> b[2];
    v.vrcholy.push_back(b);
  }
  for (int i = 0; i < sten; i++) {
    int n, a, b, c;
    std::array<int, 3> barva;
    vstup >> n >> a >> b >> c >> barva[0] >> barva[1] >> barva[2];
    const Trojuhelnik t{v.vrcholy.at(a), v.vrcholy.at(b), v.vrcholy.at(c)};
    EXPECT_TRUE(v.steny.emplace(std::set<Bod>(t.begin(), t.end()), std::make_pair(t, barva)).second);
  }
  for (int i = 0; i < hran; i++) {
    int a, b, r, g, m;
    vstup >> a >> b >> r >> g >> m;
    EXPECT_EQ(r, 255);
    EXPECT_EQ(m, 255);  // magenta in viewer_polar
    v.hrany.emplace_back(v.vrcholy.at(a), v.vrcholy.at(b));
  }
  return v;
}

Bod poloha(const PolygonInstrukce* i) { return {i->x, i->y, i->z}; }

TEST(ScanOutputs, SampleModelFacesAreTheDistinctTrianglesAndEdgesThePrunikSegments) {
  ASSERT_EQ(zrekonstruuj_scenu(vytvor_scenu(NastaveniSceny{})), "");
  vyprazdni_model();
  testing::internal::CaptureStdout();
  postav_polar_model();
  testing::internal::GetCapturedStdout();
  const Vysledek soubor = precti(model_ply(true));

  // The distinct triangles of model1, each in the colour of its first copy.
  std::map<std::set<Bod>, std::pair<Trojuhelnik, std::array<int, 3>>> ocekavane;
  int kopii = 0;
  for (auto* e = model1.Prvni(); e != nullptr; e = e->dalsi, kopii++) {
    const auto* i = e->hodnota->instrukce.Prvni();
    const Trojuhelnik t{poloha(i->hodnota), poloha(i->dalsi->hodnota), poloha(i->dalsi->dalsi->hodnota)};
    ocekavane.emplace(std::set<Bod>(t.begin(), t.end()),
                      std::make_pair(t, std::array<int, 3>{e->hodnota->cervena & 255,
                                                           e->hodnota->zelena & 255,
                                                           e->hodnota->modra & 255}));
  }
  ASSERT_GT(ocekavane.size(), 100u);
  EXPECT_EQ(static_cast<std::size_t>(kopii), 3 * ocekavane.size());
  EXPECT_EQ(soubor.steny, ocekavane);

  ASSERT_EQ(soubor.hrany.size(), static_cast<std::size_t>(pocetusecek3d));
  for (int s = 0; s < pocetusecek3d; s++) {
    EXPECT_EQ(soubor.hrany[s].first, (Bod{prunik[s].p[0], prunik[s].p[1], prunik[s].p[2]}));
    EXPECT_EQ(soubor.hrany[s].second, (Bod{prunik[s].p[3], prunik[s].p[4], prunik[s].p[5]}));
  }
}

TEST(ScanOutputs, AnOutputThatCannotBeWrittenIsAWarningAndTheRunGoesOn) {
  const std::string adresar = novy_adresar("outputs");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(vytvor_scenu(NastaveniSceny{}), adresar, &chyba)) << chyba;
  ASSERT_EQ(mkdir((adresar + "/model.ply.tmp").c_str(), 0755), 0);
  const VysledekBehu beh = spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
  EXPECT_FALSE(beh.vyprsel);
  EXPECT_EQ(beh.kod, 1);  // the window, not the file, ends a run without a display
  EXPECT_NE(beh.chyby.find("viewer_polar: model.ply: cannot be written"), std::string::npos) << beh.chyby;
  EXPECT_NE(beh.chyby.find("\nviewer_polar: display: "), std::string::npos) << beh.chyby;
  EXPECT_FALSE(existuje(adresar + "/model.ply"));
  const std::string body = precti_soubor(adresar + "/points.ply");
  EXPECT_EQ(body.rfind("ply\nformat binary_little_endian 1.0\n", 0), 0u);
  // 253 points of 3 floats and 2 bytes, 4 reference marks of 3 floats and 1 byte.
  const std::size_t hlavicka = body.find("end_header\n") + 11;
  EXPECT_EQ(body.size() - hlavicka, 253u * 14 + 4u * 13);
}

TEST(ScanOutputs, ADirectoryTheUserCannotWriteGivesWarningsAndTheRunGoesOnToTheViewer) {
  // The program runs as an unprivileged user in a directory it may read but
  // not write; only the log, made beforehand, is open to it. Only root can
  // start a program as another user.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the program as another user";
  const std::string adresar = novy_adresar("outputs-readonly");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(vytvor_scenu(NastaveniSceny{}), adresar, &chyba)) << chyba;
  const std::string log = adresar + "/logfile.txt";
  { std::ofstream f(log); }
  ASSERT_EQ(chmod(log.c_str(), 0666), 0);
  ASSERT_EQ(chmod(adresar.c_str(), 0755), 0);
  const VysledekBehu beh = spust_program_bez_prav(VIEWER_POLAR_PATH, adresar, {"DISPLAY", "SDL_VIDEODRIVER"});
  EXPECT_FALSE(beh.vyprsel);
  EXPECT_EQ(beh.kod, 1);  // the window, not the files, ends a run without a display
  for (const char* soubor : {"model.ply", "points.ply"}) {
    EXPECT_NE(beh.chyby.find(std::string("viewer_polar: ") + soubor + ": cannot be written"), std::string::npos)
        << beh.chyby;
    EXPECT_FALSE(existuje(adresar + "/" + soubor));
    EXPECT_FALSE(existuje(adresar + "/" + soubor + ".tmp"));
  }
  EXPECT_NE(beh.chyby.find("\nviewer_polar: display: "), std::string::npos) << beh.chyby;
  EXPECT_NE(precti_soubor(log).find("warning: model.ply: cannot be written"), std::string::npos);
}

}  // namespace
