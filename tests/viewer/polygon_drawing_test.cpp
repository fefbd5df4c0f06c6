// The filled and outlined polygon walk: points, duplicates, contours, arcs
// and the sound handling of faulty instruction lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "model/instruction_list.h"
#include "tests/viewer/recording_graphics.h"
#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/polygon_outline.h"

namespace {

const float nan_f = std::numeric_limits<float>::quiet_NaN();

struct Ins {
  float x, y, z;
};
Ins bod(float x, float y, float z) { return {x, y, z}; }
const Ins konec{nan_f, 0, 0};
const Ins oblouk{nan_f, 1, 0};

// Polygons made by polygon(), freed after each test.
std::vector<Polygon3D*> vytvorene;

Polygon3D* polygon(const std::vector<Ins>& ins) {
  Polygon3D* p = new Polygon3D(new PolygonInstrukce(ins[0].x, ins[0].y, ins[0].z));
  for (size_t i = 1; i < ins.size(); i++)
    p->instrukce.Pridej(
        new PrvekSeznamu<PolygonInstrukce*>(new PolygonInstrukce(ins[i].x, ins[i].y, ins[i].z)));
  vytvorene.push_back(p);
  return p;
}

void uvolni_polygony() {
  for (Polygon3D* p : vytvorene) {
    for (PrvekSeznamu<PolygonInstrukce*>* e = p->instrukce.Prvni(); e != nullptr;) {
      PrvekSeznamu<PolygonInstrukce*>* dalsi = e->dalsi;
      delete e->hodnota;
      delete e;
      e = dalsi;
    }
    delete p;
  }
  vytvorene.clear();
}

std::vector<std::string> radky(const std::string& text) {
  std::vector<std::string> r;
  std::istringstream s(text);
  std::string radek;
  while (std::getline(s, radek)) r.push_back(radek);
  return r;
}

std::vector<std::string> jmena() {
  std::vector<std::string> j;
  for (const Volani& v : zaznam_volani) j.push_back(v.jmeno);
  return j;
}

// The numbers of a log line after its label.
std::vector<double> cisla(const std::string& radek) {
  std::vector<double> c;
  std::string s = radek.substr(radek.find(':') + 1);
  for (char& z : s)
    if (z == '<' || z == '>' || z == ',') z = ' ';
  std::istringstream in(s);
  double x;
  while (in >> x) c.push_back(x);
  return c;
}

class Kresleni : public ::testing::Test {
 protected:
  void SetUp() override {
    priprav_teselator();
    nahrad_grafiku();
    otevri_testovaci_log();
  }
  void TearDown() override {
    uvolni_polygony();
    obnov_grafiku();
    zavri_testovaci_log();
  }
};

TEST_F(Kresleni, FourPointsGiveFourVerticesFilledAndOutlined) {
  Polygon3D* p = polygon({bod(0, 0, 0), bod(1, 0, 0), bod(1, 1, 0), bod(0, 1, 0)});
  Zobraz(p);
  EXPECT_EQ(jmena(), (std::vector<std::string>{"tess_begin_polygon", "tess_begin_contour",
                                               "tess_vertex", "tess_vertex", "tess_vertex",
                                               "tess_vertex", "tess_end_contour",
                                               "tess_end_polygon"}));
  // The tessellator gets the stored coordinates as both location and data.
  for (const Volani& v : volani("tess_vertex")) EXPECT_EQ(v.argumenty[3], 1.0);
  EXPECT_EQ(volani("tess_vertex")[2].argumenty[0], 1.0);
  EXPECT_EQ(volani("tess_vertex")[2].argumenty[1], 1.0);
  EXPECT_EQ(precti_testovaci_log(), "vertexu:4\n");

  nahrad_grafiku();
  Obrys(p);
  EXPECT_EQ(jmena(), (std::vector<std::string>{"begin", "vertex3d", "vertex3d", "vertex3d",
                                               "vertex3d", "end"}));
  EXPECT_EQ(zaznam_volani[0].argumenty[0], GL_LINE_LOOP);
  EXPECT_EQ(precti_testovaci_log(), "zobrazeni...\nzac\nbod\nbod\nbod\nbod\nvertexu:4\n");
}

TEST_F(Kresleni, ConsecutiveEqualPointsGiveOneVertex) {
  // 0.000005 apart is equal within 0.00001; 0.00002 is not; a closing point
  // equal to the first is not consecutive and stays.
  Polygon3D* p = polygon({bod(0, 0, 0), bod(0.000005f, 0, 0), bod(1, 0, 0), bod(1, 0.00002f, 0),
                          bod(1, 1, 0), bod(0, 0, 0)});
  Zobraz(p);
  EXPECT_EQ(volani("tess_vertex").size(), 5u);
  EXPECT_EQ(precti_testovaci_log(), "vertexu:5\n");
  nahrad_grafiku();
  Obrys(p);
  EXPECT_EQ(volani("vertex3d").size(), 5u);
  EXPECT_EQ(precti_testovaci_log(),
            "zobrazeni...\nzac\nbod\nbod\nbod\nbod\nbod\nbod\nvertexu:5\n");
}

TEST_F(Kresleni, KonecStartsANewContourAndKeepsThePreviousPoint) {
  Polygon3D* p = polygon({bod(0, 0, 0), bod(4, 0, 0), bod(4, 4, 0), konec, bod(4, 4, 0),
                          bod(1, 1, 0), bod(2, 1, 0), konec});
  Zobraz(p);
  EXPECT_EQ(jmena(),
            (std::vector<std::string>{"tess_begin_polygon", "tess_begin_contour", "tess_vertex",
                                      "tess_vertex", "tess_vertex", "tess_end_contour",
                                      "tess_begin_contour", "tess_vertex", "tess_vertex",
                                      "tess_end_contour", "tess_begin_contour",
                                      "tess_end_contour", "tess_end_polygon"}));
  EXPECT_EQ(precti_testovaci_log(), "vertexu:5\n");
  nahrad_grafiku();
  Obrys(p);
  // The trailing konec leaves an empty loop.
  EXPECT_EQ(jmena(), (std::vector<std::string>{"begin", "vertex3d", "vertex3d", "vertex3d", "end",
                                               "begin", "vertex3d", "vertex3d", "end", "begin",
                                               "end"}));
  EXPECT_EQ(precti_testovaci_log(),
            "zobrazeni...\nzac\nbod\nbod\nbod\nkonec\nbod\nbod\nbod\nkonec\nvertexu:5\n");
}

// Area of the triangles that GLU hands to the callbacks.
double plocha_trojuhelniku() {
  double plocha = 0;
  std::vector<std::vector<double>> vrcholy;
  GLenum typ = 0;
  for (const Volani& v : zaznam_volani) {
    if (v.jmeno == "begin") {
      typ = static_cast<GLenum>(v.argumenty[0]);
      vrcholy.clear();
    } else if (v.jmeno == "vertex3d") {
      vrcholy.push_back(v.argumenty);
    } else if (v.jmeno == "end") {
      auto tri = [&](const std::vector<double>& a, const std::vector<double>& b,
                     const std::vector<double>& c) {
        plocha += std::fabs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) / 2;
      };
      const size_t n = vrcholy.size();
      if (typ == GL_TRIANGLES)
        for (size_t i = 0; i + 2 < n; i += 3) tri(vrcholy[i], vrcholy[i + 1], vrcholy[i + 2]);
      if (typ == GL_TRIANGLE_FAN)
        for (size_t i = 1; i + 1 < n; i++) tri(vrcholy[0], vrcholy[i], vrcholy[i + 1]);
      if (typ == GL_TRIANGLE_STRIP)
        for (size_t i = 0; i + 2 < n; i++) tri(vrcholy[i], vrcholy[i + 1], vrcholy[i + 2]);
    }
  }
  return plocha;
}

TEST_F(Kresleni, TessellatorFillsConcaveOutlinesAndLeavesHoles) {
  nahrad_grafiku(true);
  // An L shape of area 3 and a 4 x 4 square with a 2 x 2 hole (area 12).
  Zobraz(polygon({bod(0, 0, 0), bod(2, 0, 0), bod(2, 1, 0), bod(1, 1, 0), bod(1, 2, 0),
                  bod(0, 2, 0)}));
  EXPECT_NEAR(plocha_trojuhelniku(), 3, 1e-9);
  nahrad_grafiku(true);
  Zobraz(polygon({bod(0, 0, 0), bod(4, 0, 0), bod(4, 4, 0), bod(0, 4, 0), konec, bod(1, 1, 0),
                  bod(3, 1, 0), bod(3, 3, 0), bod(1, 3, 0)}));
  EXPECT_NEAR(plocha_trojuhelniku(), 12, 1e-9);
}

void over_pulkruh(double ocekavane_y_znamenko) {
  const std::vector<Volani> v = volani("tess_vertex");
  ASSERT_EQ(v.size(), 51u);
  for (size_t i = 1; i < v.size(); i++) {
    const std::vector<double>& a = v[i].argumenty;
    EXPECT_NEAR(std::hypot(a[0], a[1]), 1, 1e-6) << i;
    EXPECT_EQ(a[2], 0);
    EXPECT_GE(a[1] * ocekavane_y_znamenko, -1e-6) << i;
  }
  // Vertex 25 is the middle of the half circle, the last one is E.
  EXPECT_NEAR(v[25].argumenty[0], 0, 1e-6);
  EXPECT_NEAR(v[25].argumenty[1], ocekavane_y_znamenko, 1e-6);
  EXPECT_NEAR(v[50].argumenty[0], -1, 1e-6);
  EXPECT_NEAR(v[50].argumenty[1], 0, 1e-6);
}

TEST_F(Kresleni, HalfCircleArcInAConstantZPlane) {
  Polygon3D* horni = polygon({bod(1, 0, 0), oblouk, bod(-1, 0, 0), bod(0, 1, 0)});
  Zobraz(horni);
  over_pulkruh(1);
  const std::vector<std::string> log = radky(precti_testovaci_log());
  ASSERT_EQ(log.size(), 9u);
  const std::vector<std::vector<double>> ocekavane = {{4, 0, 0, 0},  {-2, 2, 0, 0}, {-2, -2, 0, 0},
                                                      {8},           {0},           {0},
                                                      {1, 0, 0},     {0, -1, 0},    {51}};
  const char* navesti[] = {"matice:   ", "matice:   ", "matice:   ", "det0: ",  "det1: ",
                           "det2: ",     "n2:   <     ", "oprava:   <     ", "vertexu:"};
  for (size_t i = 0; i < log.size(); i++) {
    EXPECT_EQ(log[i].rfind(navesti[i], 0), 0u) << log[i];
    const std::vector<double> c = cisla(log[i]);
    ASSERT_EQ(c.size(), ocekavane[i].size()) << log[i];
    for (size_t k = 0; k < c.size(); k++) EXPECT_EQ(c[k], ocekavane[i][k]) << log[i];
  }
  EXPECT_EQ(log[0], "matice:   4.000000    0.000000    0.000000    0.000000");

  nahrad_grafiku();
  Zobraz(polygon({bod(1, 0, 0), oblouk, bod(-1, 0, 0), bod(0, -1, 0)}));
  over_pulkruh(-1);
  EXPECT_NE(precti_testovaci_log().find("vertexu:51\n"), std::string::npos);
}

TEST_F(Kresleni, OutlineDrawsTheSameArcVerticesAndAPointEqualToTheEndIsDropped) {
  Polygon3D* p = polygon({bod(1, 0, 0), oblouk, bod(-1, 0, 0), bod(0, 1, 0), bod(-1, 0, 0)});
  Zobraz(p);
  const std::vector<Volani> vypln = volani("tess_vertex");
  const std::string log_vyplne = precti_testovaci_log();
  EXPECT_NE(log_vyplne.find("vertexu:51\n"), std::string::npos);
  nahrad_grafiku();
  Obrys(p);
  const std::vector<Volani> obrys = volani("vertex3d");
  ASSERT_EQ(obrys.size(), vypln.size());
  for (size_t i = 0; i < obrys.size(); i++)
    for (int k = 0; k < 3; k++) EXPECT_EQ(obrys[i].argumenty[k], vypln[i].argumenty[k]);
  const std::string log_obrysu = precti_testovaci_log();
  EXPECT_EQ(log_obrysu.rfind("zobrazeni...\nzac\nbod\noblouk\nmatice:", 0), 0u) << log_obrysu;
  EXPECT_NE(log_obrysu.find("oprava:"), std::string::npos);
  EXPECT_NE(log_obrysu.find(">\nbod\nvertexu:51\n"), std::string::npos) << log_obrysu;
}

TEST_F(Kresleni, ArcInAPlaneOfConstantYGoesThroughItsMiddlePoint) {
  // From (14, 39, -14) to (6, 39, -14) through (10, 39, -18): the lower
  // half of the circle of radius 4 around (10, 39, -14); no det lines.
  Zobraz(polygon({bod(14, 39, -14), oblouk, bod(6, 39, -14), bod(10, 39, -18)}));
  const std::vector<Volani> v = volani("tess_vertex");
  ASSERT_EQ(v.size(), 51u);
  for (size_t i = 1; i < v.size(); i++) {
    const std::vector<double>& a = v[i].argumenty;
    EXPECT_NEAR(std::hypot(a[0] - 10, a[2] + 14), 4, 1e-5) << i;
    EXPECT_NEAR(a[1], 39, 1e-5);
    EXPECT_LE(a[2], -14 + 1e-5) << i;
  }
  EXPECT_NEAR(v[50].argumenty[0], 6, 1e-5);
  const std::string log = precti_testovaci_log();
  EXPECT_EQ(log.find("det0"), std::string::npos);
  EXPECT_NE(log.find("n2:"), std::string::npos);
}

TEST_F(Kresleni, QuarterArcInAGeneralPlane) {
  // A quarter circle of radius 2 around (1, 1, 1) in the plane spanned by
  // (1, 1, 0)/sqrt 2 and (0, 0, 1); H is the middle of the quarter.
  const double c = 1 / std::sqrt(2.0);
  auto na_kruhu = [&](double t) {
    return bod(static_cast<float>(1 + 2 * std::cos(t) * c), static_cast<float>(1 + 2 * std::cos(t) * c),
               static_cast<float>(1 + 2 * std::sin(t)));
  };
  Zobraz(polygon({na_kruhu(0), oblouk, na_kruhu(M_PI / 2), na_kruhu(M_PI / 4)}));
  const std::vector<Volani> v = volani("tess_vertex");
  ASSERT_EQ(v.size(), 51u);
  for (size_t i = 1; i < v.size(); i++) {
    const std::vector<double>& a = v[i].argumenty;
    EXPECT_NEAR(std::hypot(a[0] - 1, a[1] - 1, a[2] - 1), 2, 1e-4) << i;
    EXPECT_GE(a[2], 1 - 1e-4) << i;  // the short way, through H
  }
  EXPECT_NEAR(v[50].argumenty[2], 3, 1e-4);
}

TEST_F(Kresleni, MoreThanSevenHundredVerticesAreCutAtTheStore) {
  // Fifteen half-circle arcs back and forth: 1 + 750 vertices.
  std::vector<Ins> ins = {bod(1, 0, 0)};
  for (int i = 0; i < 15; i++) {
    const float x = i % 2 == 0 ? -1.0f : 1.0f;
    ins.insert(ins.end(), {oblouk, bod(x, 0, 0), bod(0, i % 2 == 0 ? 1.0f : -1.0f, 0)});
  }
  Zobraz(polygon(ins));
  EXPECT_EQ(volani("tess_vertex").size(), 700u);
  const std::string log = precti_testovaci_log();
  EXPECT_NE(log.find("vertexu:700\nvynechanych vertexu:51\n"), std::string::npos);
  // 800 plain points in the outline.
  std::vector<Ins> body;
  for (int i = 0; i < 800; i++) body.push_back(bod(static_cast<float>(i), 0, 0));
  nahrad_grafiku();
  Obrys(polygon(body));
  EXPECT_EQ(volani("vertex3d").size(), 700u);
  EXPECT_NE(precti_testovaci_log().find("vertexu:700\nvynechanych vertexu:100\n"),
            std::string::npos);
}

TEST_F(Kresleni, VerticesThatAreNotNumbersAreLeftOutOfBothDrawings) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<Ins> ins = {bod(0, 0, 0), bod(1, nan_f, 0), bod(1, 0, inf), bod(inf, 1, 0),
                                bod(1, 1, 0), bod(0, 1, 0)};
  Zobraz(polygon(ins));
  const std::vector<Volani> v = volani("tess_vertex");
  ASSERT_EQ(v.size(), 3u);
  for (const Volani& c : v)
    for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(c.argumenty[k]));
  EXPECT_EQ(precti_testovaci_log(), "vertexu:3\nvynechanych neciselnych vertexu:3\n");
  nahrad_grafiku();
  Obrys(polygon(ins));
  EXPECT_EQ(volani("vertex3d").size(), 3u);
  EXPECT_NE(precti_testovaci_log().find("vertexu:3\nvynechanych neciselnych vertexu:3\n"),
            std::string::npos);
}

// The input the fuzzing found: a point whose y is NaN after a konec used to
// crash the real tessellator at the end of the polygon.
TEST_F(Kresleni, RealTessellatorSurvivesAPointWithoutY) {
  nahrad_grafiku(true);
  Zobraz(polygon({bod(0, 0, 0), konec, bod(1, 0, 2), bod(0, 1, 0), bod(0, 3, 3), bod(3, nan_f, 2),
                  bod(0, 4, 4)}));
  for (const Volani& c : volani("vertex3d"))
    for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(c.argumenty[k]));
  EXPECT_EQ(volani("tess_vertex").size(), 0u);  // the real tessellator was used
}

// A bow tie: its two edges cross at (1, 1). The tessellator makes the
// crossing vertex through the combine callback and fills both triangles
// (area 1 each); without the callback GLU drew nothing.
TEST_F(Kresleni, SelfIntersectingOutlineIsFilledThroughItsCrossing) {
  nahrad_grafiku(true);
  Zobraz(polygon({bod(0, 0, 0), bod(2, 2, 0), bod(2, 0, 0), bod(0, 2, 0)}));
  EXPECT_NEAR(plocha_trojuhelniku(), 2, 1e-9);
  int v_krizeni = 0;
  for (const Volani& v : volani("vertex3d"))
    if (v.argumenty[0] == 1 && v.argumenty[1] == 1 && v.argumenty[2] == 0) v_krizeni++;
  EXPECT_GE(v_krizeni, 2);  // a corner of both triangles
  EXPECT_EQ(precti_testovaci_log(), "vertexu:4\n");
}

// Coordinates closer to zero than 1e-30 reach the tessellator as 0 (nonzero
// values that small broke its sweep); the drawn vertex keeps them.
TEST_F(Kresleni, TessellatorGetsTinyCoordinatesAsZeroAndTheDrawingKeepsThem) {
  const std::vector<Ins> ins = {bod(0, 0, 0), bod(1, 1e-35f, 0), bod(1, 1, 1e-29f),
                                bod(0, 1, -1e-31f)};
  Zobraz(polygon(ins));
  const std::vector<Volani> v = volani("tess_vertex");
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[1].argumenty[1], 0.0);
  EXPECT_EQ(v[2].argumenty[2], static_cast<double>(1e-29f));
  EXPECT_EQ(v[3].argumenty[2], 0.0);
  nahrad_grafiku(true);
  Zobraz(polygon(ins));
  std::vector<double> y_vrcholu, z_vrcholu;
  for (const Volani& c : volani("vertex3d")) {
    y_vrcholu.push_back(c.argumenty[1]);
    z_vrcholu.push_back(c.argumenty[2]);
  }
  EXPECT_NE(std::find(y_vrcholu.begin(), y_vrcholu.end(), static_cast<double>(1e-35f)),
            y_vrcholu.end());
  EXPECT_NE(std::find(z_vrcholu.begin(), z_vrcholu.end(), static_cast<double>(-1e-31f)),
            z_vrcholu.end());
  EXPECT_NEAR(plocha_trojuhelniku(), 1, 1e-9);
}

TEST_F(Kresleni, ArcWithoutTwoFollowingInstructionsEndsTheWalk) {
  Zobraz(polygon({bod(0, 0, 0), bod(1, 0, 0), oblouk, bod(1, 1, 0)}));
  EXPECT_EQ(volani("tess_vertex").size(), 2u);
  EXPECT_EQ(volani("tess_end_polygon").size(), 1u);
  EXPECT_EQ(precti_testovaci_log(), "neuplny oblouk\nvertexu:2\n");
  nahrad_grafiku();
  Obrys(polygon({bod(0, 0, 0), oblouk}));
  EXPECT_EQ(jmena(), (std::vector<std::string>{"begin", "vertex3d", "end"}));
  EXPECT_EQ(precti_testovaci_log(),
            "zobrazeni...\nzac\nbod\noblouk\nneuplny oblouk\nvertexu:1\n");
}

TEST_F(Kresleni, ArcWithoutACircleBecomesAStraightEdge) {
  struct Pripad {
    const char* nazev;
    std::vector<Ins> ins;
    size_t vrcholu;
  };
  const std::vector<Pripad> pripady = {
      {"before any point", {oblouk, bod(2, 0, 0), bod(1, 1, 0), bod(0, 3, 0)}, 2},
      {"points in line", {bod(0, 0, 0), oblouk, bod(2, 0, 0), bod(1, 0, 0)}, 2},
      {"end equal to start", {bod(0, 0, 0), oblouk, bod(0, 0, 0), bod(1, 1, 0)}, 2},
      {"end equal to middle", {bod(0, 0, 0), oblouk, bod(1, 1, 0), bod(1, 1, 0)}, 2},
      {"all three equal", {bod(5, 5, 5), oblouk, bod(5, 5, 5), bod(5, 5, 5)}, 2},
      {"end is not a point", {bod(0, 0, 0), oblouk, konec, bod(1, 1, 0)}, 1},
      // Squares overflow single precision: no finite centre.
      {"huge coordinates", {bod(1e30f, 0, 0), oblouk, bod(-1e30f, 0, 0), bod(0, 1e30f, 0)}, 2},
      {"infinite middle point",
       {bod(0, 0, 0), oblouk, bod(2, 0, 0), bod(1, std::numeric_limits<float>::infinity(), 0)},
       2},
  };
  for (const Pripad& p : pripady) {
    nahrad_grafiku();
    Zobraz(polygon(p.ins));
    EXPECT_EQ(volani("tess_vertex").size(), p.vrcholu) << p.nazev;
    for (const Volani& v : volani("tess_vertex"))
      for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(v.argumenty[k])) << p.nazev;
    const std::string log = precti_testovaci_log();
    EXPECT_NE(log.find("oblouk bez kruznice\n"), std::string::npos) << p.nazev << "\n" << log;
  }
}

TEST_F(Kresleni, TinyAndLargeArcsStayOnTheirCircle) {
  for (const double r : {1e-3, 1e3}) {
    nahrad_grafiku();
    const float f = static_cast<float>(r);
    Zobraz(polygon({bod(f, 0, 5), oblouk, bod(-f, 0, 5), bod(0, f, 5)}));
    const std::vector<Volani> v = volani("tess_vertex");
    ASSERT_EQ(v.size(), 51u) << r;
    for (const Volani& a : v) {
      EXPECT_NEAR(std::hypot(a.argumenty[0], a.argumenty[1]) / r, 1, 1e-4) << r;
      EXPECT_GE(a.argumenty[1] / r, -1e-4) << r;
    }
    precti_testovaci_log();
  }
}

TEST_F(Kresleni, TraceStopsWhenTheRunsFirstFrameHasEnded) {
  Polygon3D* p = polygon({bod(1, 0, 0), oblouk, bod(-1, 0, 0), bod(0, 1, 0)});
  StavProhlizece stav;
  Obrys(p, stopa_snimku(stav));
  EXPECT_FALSE(precti_testovaci_log().empty());
  ukonci_stopu_kresleni(stav);
  Zobraz(p, stopa_snimku(stav));
  Obrys(p, stopa_snimku(stav));
  EXPECT_EQ(precti_testovaci_log(), "");
  // Another run traces its first frame again.
  StavProhlizece dalsi;
  Zobraz(p, stopa_snimku(dalsi));
  EXPECT_FALSE(precti_testovaci_log().empty());
  EXPECT_EQ(volani("vertex3d").size(), 102u);  // drawing itself goes on
}

}  // namespace
