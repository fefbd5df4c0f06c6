// "surface.ply" of viewer_polar and viewer_projection on sample scenes,
// judged by tools/mesh_report: a closed, 2-manifold, consistently and
// outwards oriented mesh whose vertices are no farther from the true object
// than the turned points are from their true places; the files the programs
// wrote before are unchanged; a surface that cannot be written is a warning.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "model/instruction_pool.h"
#include "model/model_export.h"
#include "model/polar_model.h"
#include "reconstruction/scan_export.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/sample_scene.h"

namespace {

// mesh_report's output: the number after each "name: ".
struct Zprava {
  std::string text;
  double cislo(const std::string& jmeno) const {
    const std::size_t i = text.find("\n" + jmeno + ": ");
    EXPECT_NE(i, std::string::npos) << jmeno << "\n" << text;
    return i == std::string::npos ? NAN : std::atof(text.c_str() + i + jmeno.size() + 3);
  }
  double za(const std::string& slovo) const {
    const std::size_t i = text.find(slovo + " ");
    EXPECT_NE(i, std::string::npos) << slovo << "\n" << text;
    return i == std::string::npos ? NAN : std::atof(text.c_str() + i + slovo.size() + 1);
  }
};

Zprava zprava(const std::string& soubor, const std::string& pravda = "") {
  const std::string prikaz = std::string(MESH_REPORT_PATH) + " '" + soubor + "'" +
                             (pravda.empty() ? "" : " --truth '" + pravda + "'");
  Zprava z;
  std::FILE* p = popen(prikaz.c_str(), "r");
  char blok[4096];
  for (std::size_t n; p != nullptr && (n = std::fread(blok, 1, sizeof blok, p)) > 0;) z.text.append(blok, n);
  EXPECT_TRUE(p != nullptr && pclose(p) == 0) << prikaz;
  return z;
}

// RMS and largest distance of the turned points from their true places.
std::pair<double, double> chyba_bodu(const Scena& sc) {
  double ctverce = 0, nejvic = 0;
  int pocet = 0;
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (const ZnackaPolohy& z : sc.znacky[slot]) {
      const float* p = body_souradnice[slot][z.cislo - 1];
      const double d = delka(Bod3{p[0], p[1], p[2]} - z.pravda);
      ctverce += d * d;
      nejvic = std::max(nejvic, d);
      pocet++;
    }
  return {std::sqrt(ctverce / pocet), nejvic};
}

// Runs the program on the scene and checks the surface against the truth.
std::string over_plochu(const char* program, const Scena& sc, const std::string& adresar) {
  const VysledekBehu beh = spust_bez_displeje(program, adresar, "\n");
  EXPECT_TRUE(zastaveno_u_okna(beh)) << beh.chyby;
  EXPECT_EQ(precti_soubor(adresar + "/logfile.txt").find("surface"), std::string::npos);
  const Zprava z = zprava(adresar + "/surface.ply", adresar);
  EXPECT_EQ(z.cislo("non-manifold edges"), 0);
  EXPECT_EQ(z.cislo("inconsistently oriented edges"), 0);
  EXPECT_LE(z.cislo("open edges"), 0.02 * z.cislo("edges"));
  EXPECT_EQ(z.text.find("closed: no"), std::string::npos) << z.text;
  EXPECT_EQ(z.cislo("connected components"), 1);
  EXPECT_GT(z.cislo("signed volume"), 0);  // triangles counter-clockwise seen from outside
  // About one vertex for each mark of the object, however many positions
  // saw it: a repeat that does not stand out from its neighbours as a tight
  // cluster stays (a few in a hundred), but no two marks become one.
  std::set<int> znacky;
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (const ZnackaPolohy& zn : sc.znacky[slot]) znacky.insert(zn.bod_objektu);
  EXPECT_GE(z.cislo("vertices"), static_cast<double>(znacky.size()));
  EXPECT_LE(z.cislo("vertices"), 1.05 * static_cast<double>(znacky.size()));
  // The console line agrees with the report.
  char radek[200];
  EXPECT_NE(z.text.find("\nbounds a volume: yes\n"), std::string::npos) << z.text;
  EXPECT_EQ(z.cislo("crossing triangle pairs"), 0);
  std::snprintf(radek, sizeof radek,
                "surface: %.0f vertices, %.0f triangles, %.0f open edges, 0 non-manifold edges, bounds a volume: yes\n",
                z.cislo("vertices"), z.cislo("triangles"), z.cislo("open edges"));
  EXPECT_NE(beh.vystup.find(radek), std::string::npos) << beh.vystup;
  // A surface through the points adds no error of its own.
  EXPECT_EQ(zrekonstruuj_scenu(sc), "");
  const auto [rms, nejvic] = chyba_bodu(sc);
  EXPECT_LE(z.za("RMS"), rms);
  EXPECT_LE(z.za("largest"), nejvic + 0.1);
  std::printf("%s seed %llu: %s", program, static_cast<unsigned long long>(sc.nastaveni.seed), z.text.c_str());
  std::printf("  turned points against their true places: RMS %.4f, largest %.4f\n", rms, nejvic);
  return precti_soubor(adresar + "/surface.ply");
}

std::string zapsana_scena(const Scena& sc, const char* jmeno) {
  const std::string adresar = novy_adresar(jmeno);
  std::string chyba;
  EXPECT_TRUE(zapis_scenu(sc, adresar, &chyba)) << chyba;
  return adresar;
}

TEST(SurfaceOutput, SampleSceneGivesAClosedOutwardSurfaceAndLeavesTheOtherFilesAsTheyWere) {
  const Scena sc = vytvor_scenu(NastaveniSceny{});
  const std::string polar = zapsana_scena(sc, "surface-polar");
  const std::string projekce = zapsana_scena(sc, "surface-projection");
  const std::string plocha = over_plochu(VIEWER_POLAR_PATH, sc, polar);
  // viewer_projection turns the same points: the same surface.
  EXPECT_TRUE(over_plochu(VIEWER_PROJECTION_PATH, sc, projekce) == plocha);
  // model.ply and points.ply hold what the in-process builder and export give.
  ASSERT_EQ(zrekonstruuj_scenu(sc), "");
  EXPECT_TRUE(precti_soubor(polar + "/points.ply") == body_ply(false));
  vyprazdni_model();
  testing::internal::CaptureStdout();
  postav_polar_model();
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(precti_soubor(polar + "/model.ply") == model_ply(false));
}

TEST(SurfaceOutput, RandomScenesGiveClosedOutwardSurfaces) {
  for (std::uint64_t seed : {2u, 3u}) {
    NastaveniSceny n;
    n.seed = seed;
    n.pozadi = false;
    const Scena sc = vytvor_scenu(n);
    over_plochu(VIEWER_POLAR_PATH, sc, zapsana_scena(sc, "surface-seed"));
  }
}

TEST(SurfaceOutput, ASurfaceThatCannotBeWrittenIsAWarningAndTheRunGoesOn) {
  const std::string adresar = zapsana_scena(vytvor_scenu(NastaveniSceny{}), "surface-unwritable");
  // A directory with a file in it where the surface should go: no file can
  // be renamed over it.
  ASSERT_EQ(mkdir((adresar + "/surface.ply").c_str(), 0755), 0);
  ASSERT_TRUE(zapis_soubor(adresar + "/surface.ply/keep", {'k'}));
  const VysledekBehu beh = spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
  EXPECT_EQ(beh.kod, 1);  // the window, not the file, ends a run without a display
  EXPECT_EQ(beh.chyby.rfind("viewer_polar: surface.ply: cannot be written", 0), 0u) << beh.chyby;
  EXPECT_NE(beh.chyby.find("\nviewer_polar: display: "), std::string::npos) << beh.chyby;
  EXPECT_NE(precti_soubor(adresar + "/logfile.txt").find("warning: surface.ply: cannot be written"),
            std::string::npos);
  EXPECT_TRUE(existuje(adresar + "/surface.ply/keep"));
  EXPECT_TRUE(existuje(adresar + "/model.ply"));
  EXPECT_NE(beh.vystup.find("surface: 143 vertices, "), std::string::npos) << beh.vystup;
}

TEST(MeshReport, JudgesTheModelAndRefusesWhatItCannotRead) {
  const std::string adresar = zapsana_scena(vytvor_scenu(NastaveniSceny{}), "surface-report");
  spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
  // The polar model's triangles are not a surface.
  const Zprava model = zprava(adresar + "/model.ply", adresar + "/ground_truth.txt");
  EXPECT_GT(model.cislo("non-manifold edges"), 10);
  EXPECT_GT(model.cislo("inconsistently oriented edges"), 100);
  // Points alone: no faces; their distance from the object is reported.
  const Zprava body = zprava(adresar + "/points.ply", adresar);
  EXPECT_EQ(body.cislo("triangles"), 0);
  EXPECT_EQ(body.za("over"), 253);
  // Bad input and bad usage.
  const std::string r = std::string(MESH_REPORT_PATH);
  EXPECT_EQ(std::system((r + " " + adresar + "/ground_truth.txt 2>/dev/null").c_str()), 1 << 8);
  EXPECT_EQ(std::system((r + " " + adresar + "/nothing.ply 2>/dev/null").c_str()), 1 << 8);
  EXPECT_EQ(std::system((r + " 2>/dev/null").c_str()), 2 << 8);
  EXPECT_EQ(std::system((r + " --bogus x.ply 2>/dev/null").c_str()), 2 << 8);
}

TEST(MeshReport, FlagsAFlatTwoSidedSheetAndDegenerateTriangles) {
  const std::string adresar = novy_adresar("report-flat");
  const struct {
    const char* jmeno;
    const char* vrcholy;
    const char* steny;
    int degenerovanych;
  } pripady[] = {
      // A triangle and its back: closed, but enclosing nothing.
      {"sheet.ply", "0 0 0\n1 0 0\n0 1 0\n", "3 0 1 2\n3 0 2 1\n", 0},
      // The same with corners in line: no area either.
      {"line.ply", "0 0 0\n1 1 1\n2 2 2\n", "3 0 1 2\n3 0 2 1\n", 2},
  };
  for (const auto& p : pripady) {
    const std::string cesta = adresar + "/" + p.jmeno;
    std::FILE* f = std::fopen(cesta.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f,
                 "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
                 "property float z\nelement face 2\nproperty list uchar int vertex_indices\n"
                 "end_header\n%s%s",
                 p.vrcholy, p.steny);
    std::fclose(f);
    const Zprava z = zprava(cesta);
    EXPECT_NE(z.text.find("\nclosed: no (the faces enclose no volume)\n"), std::string::npos) << z.text;
    EXPECT_EQ(z.cislo("degenerate triangles"), p.degenerovanych) << p.jmeno;
  }
}

}  // namespace
