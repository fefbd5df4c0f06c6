// One frame of the scene per configuration, from the recorded GL calls.
// Built once for every program configuration.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "model/instruction_pool.h"
#include "model/surface_mesh.h"
#include "reconstruction/configuration.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "tests/viewer/recording_graphics.h"
#include "viewer/camera.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/scene_drawing.h"

namespace {

class Scena : public ::testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    vyprazdni_model();
    nastav_obdelniky_kamer();
    for (int i = 0; i < 3; i++) pozice[i] = pozicelok[i] = 0, pohyb[i] = 0;
    yrot = 180.5f;
    zrot = 0;
    priprav_teselator();
    nahrad_grafiku();
    otevri_testovaci_log();
  }
  void TearDown() override {
    obnov_grafiku();
    zavri_testovaci_log();
    vyprazdni_model();
  }
};

std::vector<double> v3(const float* p) { return {p[0], p[1], p[2]}; }

// Checks the calls from position i on against the expected names and
// vertex values; returns the position after them.
size_t kamera(size_t i, int c) {
  const std::vector<Volani>& z = zaznam_volani;
  EXPECT_EQ(z[i].jmeno, "color3f");
  EXPECT_EQ(z[i].argumenty, (std::vector<double>{1, 0, 0}));
  EXPECT_EQ(z[i + 1].jmeno, "begin");
  EXPECT_EQ(z[i + 1].argumenty[0], GL_LINE_LOOP);
  for (int k = 0; k < 4; k++) EXPECT_EQ(z[i + 2 + k].argumenty, v3(stereo_body[c][k]));
  EXPECT_EQ(z[i + 6].jmeno, "end");
  EXPECT_EQ(z[i + 7].argumenty[0], GL_LINES);
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(z[i + 8 + 2 * k].argumenty, v3(stereo_kamera[c]));
    EXPECT_EQ(z[i + 9 + 2 * k].argumenty, v3(stereo_body[c][k]));
  }
  EXPECT_EQ(z[i + 16].jmeno, "end");
  i += 17;
  if (konfigurace::je_projekce || konfigurace::je_kalibrace) {
    EXPECT_EQ(z[i].argumenty, (std::vector<double>{1, 0, 1}));
    EXPECT_EQ(z[i + 2].argumenty, v3(stereo_kamera[c]));
    EXPECT_EQ(z[i + 3].argumenty, v3(stereo_lok[c]));
    i += 5;
  }
  return i;
}

TEST_F(Scena, EmptyModelShowsTheCamerasAndTheMarksOfTheConfiguration) {
  display3D();
  const std::vector<Volani>& z = zaznam_volani;
  ASSERT_GE(z.size(), 4u);
  EXPECT_EQ(z[0].jmeno, "matrix_mode");
  EXPECT_EQ(z[0].argumenty[0], GL_MODELVIEW);
  EXPECT_EQ(z[1].argumenty, (std::vector<double>{0, 0, 800, 600}));
  EXPECT_EQ(z[2].argumenty[0], GL_DEPTH_TEST);
  EXPECT_EQ(z[3].jmeno, "look_at");
  size_t i = kamera(4, 0);
  i = kamera(i, 1);
  if (!konfigurace::prunik_s_priznakem) {
    // The segment colour is set once, whether or not there are segments.
    EXPECT_EQ(z[i].argumenty, (std::vector<double>{1, 0, 1}));
    i++;
  }
  if (konfigurace::kresli_kalibracni_znacky) {
    // Olive lines between the marks, then a yellow cross on each mark.
    ASSERT_EQ(z.size(), i + 3 + 22 + 1 + 16 * 8);
    EXPECT_EQ(z[i].argumenty, (std::vector<double>{0.5, 0.5, 0}));
    EXPECT_EQ(z[i + 1].argumenty[0], GL_LINES);
    EXPECT_EQ(z[i + 2].argumenty, v3(body_relativ[0]));
    EXPECT_EQ(z[i + 3].argumenty, v3(body_relativ[2]));
    EXPECT_EQ(z[i + 22].argumenty, v3(body_relativ[2]));
    EXPECT_EQ(z[i + 23].argumenty, v3(body_relativ[14]));
    EXPECT_EQ(z[i + 25].argumenty, (std::vector<double>{1, 1, 0}));
    EXPECT_EQ(volani("begin").size(), 2u * (konfigurace::kresli_pohledove_cary ? 3 : 2) + 1 + 16);
  } else {
    EXPECT_EQ(z.size(), i);
  }
  EXPECT_EQ(precti_testovaci_log(), "");
}

TEST_F(Scena, PolygonsAreFilledInTheLowBitsOfTheirColourAndOutlinedInBlack) {
  Polygon3D* p = new Polygon3D(instrukce_polygonu[nova_instrukce(0, 5, 0)]);
  pridej_instrukci(p, instrukce_polygonu[nova_instrukce(1, 5, 0)]);
  pridej_instrukci(p, instrukce_polygonu[nova_instrukce(1, 5, 1)]);
  pridej_polygon(model1, p);
  p->cervena = 300;
  p->zelena = 0;
  p->modra = 513;
  display3D();
  const std::vector<Volani> ub = volani("color3ub");
  ASSERT_EQ(ub.size(), 1u);
  EXPECT_EQ(ub[0].argumenty, (std::vector<double>{44, 0, 1}));
  size_t barva = 0;
  while (zaznam_volani[barva].jmeno != "color3ub") barva++;
  std::vector<std::string> dale;
  ASSERT_GE(zaznam_volani.size(), barva + 14);
  for (size_t i = barva + 1; i < barva + 14; i++) dale.push_back(zaznam_volani[i].jmeno);
  EXPECT_EQ(dale, (std::vector<std::string>{
                      "tess_begin_polygon", "tess_begin_contour", "tess_vertex", "tess_vertex",
                      "tess_vertex", "tess_end_contour", "tess_end_polygon", "color3f", "begin",
                      "vertex3d", "vertex3d", "vertex3d", "end"}));
  EXPECT_EQ(zaznam_volani[barva + 8].argumenty, (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(precti_testovaci_log(),
            "vertexu:3\nzobrazeni...\nzac\nbod\nbod\nbod\nvertexu:3\n");
}

[[maybe_unused]] void nastav_priznak(ZaznamUseckySPriznakem& u, int p) { u.priznak = p; }
[[maybe_unused]] void nastav_priznak(ZaznamUseckyBezPriznaku&, int) {}

TEST_F(Scena, SegmentsAreMagentaAndInTheProjectionProgramYellowWhenFlagged) {
  for (int s = 0; s < 3; s++) {
    for (int k = 0; k < 6; k++) prunik[s].p[k] = static_cast<float>(10 * s + k);
    nastav_priznak(prunik[s], s == 1 ? 7 : 0);
  }
  pocetusecek3d = 3;
  display3D();
  // Find the segments after the second camera: each is a GL_LINES pair with
  // the first and the second end point.
  const std::vector<Volani>& z = zaznam_volani;
  std::vector<std::vector<double>> barvy;
  std::vector<std::vector<double>> konce;
  size_t i = kamera(kamera(4, 0), 1);
  for (int s = 0; s < 3; s++) {
    if (z[i].jmeno == "color3f") barvy.push_back(z[i++].argumenty);
    EXPECT_EQ(z[i].argumenty[0], GL_LINES);
    konce.push_back(z[i + 1].argumenty);
    konce.push_back(z[i + 2].argumenty);
    EXPECT_EQ(z[i + 3].jmeno, "end");
    i += 4;
  }
  if (konfigurace::prunik_s_priznakem)
    EXPECT_EQ(barvy, (std::vector<std::vector<double>>{{1, 0, 1}, {1, 1, 0}, {1, 0, 1}}));
  else
    EXPECT_EQ(barvy, (std::vector<std::vector<double>>{{1, 0, 1}}));
  for (int s = 0; s < 3; s++) {
    EXPECT_EQ(konce[2 * s], v3(&prunik[s].p[0]));
    EXPECT_EQ(konce[2 * s + 1], v3(&prunik[s].p[3]));
  }
}

TEST_F(Scena, TheRunsStateChoosesSurfaceOrModelViewingFrameAndTrace) {
  Polygon3D* p = new Polygon3D(instrukce_polygonu[nova_instrukce(0, 5, 0)]);
  pridej_polygon(model1, p);
  pocetusecek3d = 1;
  plocha_skenu.vrcholy = {{0, 5, 0}, {1, 5, 0}, {0, 5, 1}};
  plocha_skenu.normaly = {{0, -1, 0}, {0, -1, 0}, {0, -1, 0}};
  plocha_skenu.trojuhelniky = {{0, 1, 2}};
  StavProhlizece stav;
  stav.zobrazena_plocha = true;
  stav.ma_soustavu_pohledu = true;
  stav.matice_pohledu[0] = stav.matice_pohledu[5] = stav.matice_pohledu[10] = stav.matice_pohledu[15] = 1;
  display3D(stav);
  ASSERT_EQ(volani("mult_matrixd").size(), 1u);
  EXPECT_EQ(zaznam_volani[4].jmeno, "mult_matrixd");
  EXPECT_TRUE(volani("color3ub").empty());
  EXPECT_TRUE(volani("tess_vertex").empty());
  std::vector<Volani> trojuhelniky;
  for (const Volani& b : volani("begin"))
    if (b.argumenty[0] == GL_TRIANGLES) trojuhelniky.push_back(b);
  EXPECT_EQ(trojuhelniky.size(), 1u);
  // The model comes back when the surface is switched off; after the run's
  // first frame it is drawn without its trace.
  nahrad_grafiku();
  stav.zobrazena_plocha = false;
  stav.stopa_kresleni = false;
  display3D(stav);
  EXPECT_EQ(volani("color3ub").size(), 1u);
  EXPECT_EQ(volani("tess_vertex").size(), 1u);
  EXPECT_EQ(precti_testovaci_log(), "");
  plocha_skenu = Plocha();
}

TEST_F(Scena, CrossAtAPointAlongTheThreeAxes) {
  const float p[3] = {1, 2, 3};
  nakreslibod(p, 0.2f);
  // Single-precision sums, as the cross is computed.
  const std::vector<Volani> v = volani("vertex3f");
  ASSERT_EQ(v.size(), 6u);
  EXPECT_EQ(v[0].argumenty, (std::vector<double>{1.0f - 0.2f, 2, 3}));
  EXPECT_EQ(v[1].argumenty, (std::vector<double>{1.0f + 0.2f, 2, 3}));
  EXPECT_EQ(v[2].argumenty, (std::vector<double>{1, 2.0f - 0.2f, 3}));
  EXPECT_EQ(v[3].argumenty, (std::vector<double>{1, 2.0f + 0.2f, 3}));
  EXPECT_EQ(v[4].argumenty, (std::vector<double>{1, 2, 3.0f - 0.2f}));
  EXPECT_EQ(v[5].argumenty, (std::vector<double>{1, 2, 3.0f + 0.2f}));
  EXPECT_EQ(volani("begin").size(), 1u);
  EXPECT_EQ(volani("begin")[0].argumenty[0], GL_LINES);
}

TEST_F(Scena, FillingAListLogsItsCountTwice) {
  ZobrazPolygony(List<Polygon3D*>(model1.Prvni()));
  EXPECT_EQ(precti_testovaci_log(),
            "checkB1\ncheckB2\ncheckB4\nCOUNTITEM:0\ncheckB1\ncheckB2\ncheckB4\n"
            "vsechny zobrazeny\n");
  EXPECT_TRUE(zaznam_volani.empty());
  Polygon3D* p = new Polygon3D(instrukce_polygonu[nova_instrukce(0, 5, 0)]);
  pridej_polygon(model1, p);
  ZobrazPolygony(List<Polygon3D*>(model1.Prvni()));
  EXPECT_EQ(precti_testovaci_log(),
            "checkB1\ncheckB2\ncheckB3\ncheckB4\nCOUNTITEM:1\ncheckB1\ncheckB2\ncheckB3\n"
            "checkB4\nvertexu:1\nvsechny zobrazeny\n");
  EXPECT_TRUE(volani("color3ub").empty());
  EXPECT_EQ(volani("tess_vertex").size(), 1u);
}

}  // namespace
