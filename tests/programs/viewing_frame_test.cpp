// The scan's own frames. The turntable frame and the viewing frame from
// camera, axis and object; the viewer's screenshot of scans reconstructed
// with a calibrated "rig.yml" (a wide rig, and cameras turned a quarter turn
// about the vertical) shows the model upright in the middle, as with the
// compiled-in set-up; --upright writes the files with the true axis along z
// and the true turntable centre at the origin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "reconstruction/turntable_frame.h"
#include "reconstruction/upright_ply.h"
#include "tests/support/program_run.h"
#include "tests/support/xvfb_session.h"
#include "tools/rigid_alignment.h"
#include "tools/sample_scene.h"
#include "viewer/camera.h"

namespace {

TEST(TurntableFrame, AxesFromCameraAxisAndObjectAndTheViewingFrameBesideThem) {
  // Axis along -z given upside down; the object above the turntable (+z);
  // camera 1 off to +x and below the turntable centre.
  const double kamera[3] = {50, 10, -5}, stred[3] = {10, 10, 0}, osa[3] = {0, 0, -3}, objekt[3] = {10, 11, 8};
  Soustava t;
  std::string chyba;
  ASSERT_TRUE(soustava_tocny(kamera, stred, osa, objekt, &t, &chyba)) << chyba;
  const double ocekavane[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_NEAR(t.osy[i][j], ocekavane[i][j], 1e-15);
  double v[3];
  do_soustavy(t, kamera, v);
  EXPECT_NEAR(v[0], 40, 1e-12);
  EXPECT_NEAR(v[2], -5, 1e-12);
  EXPECT_NEAR(vzdalenost_od_osy(t, kamera), 40, 1e-12);
  // The viewing frame: camera at the origin, the axis ahead along +y, z up;
  // its matrix does what do_soustavy does.
  const Soustava p = soustava_pohledu(t, kamera);
  double m[16], q[3];
  matice_soustavy(p, m);
  do_soustavy(p, stred, q);
  for (int i = 0; i < 3; i++)
    EXPECT_NEAR(m[i] * stred[0] + m[4 + i] * stred[1] + m[8 + i] * stred[2] + m[12 + i], q[i], 1e-12);
  EXPECT_NEAR(q[0], 0, 1e-12);
  EXPECT_NEAR(q[1], 40, 1e-12);
  EXPECT_NEAR(q[2], 5, 1e-12);
  // Facing a point ahead and slightly down gives the compiled-in set-up's
  // angles (elevation 180.5 degrees, heading a half turn).
  float elevace = 0, kurz = 0;
  const double smer[3] = {0, 1, -std::tan(0.5 * 3.14159265 / 180)};
  uhly_pohledu(smer, &elevace, &kurz);
  EXPECT_NEAR(elevace, 180.5, 1e-4);
  EXPECT_NEAR(std::abs(kurz), 180, 1e-4);
  // What gives no frame.
  const double nula[3] = {0, 0, 0};
  EXPECT_FALSE(soustava_tocny(kamera, stred, nula, objekt, &t, &chyba));
  EXPECT_EQ(chyba, "the turntable axis has no direction");
  const double v_rovine[3] = {20, 30, 0};
  EXPECT_FALSE(soustava_tocny(kamera, stred, osa, v_rovine, &t, &chyba));
  EXPECT_EQ(chyba, "the object lies in the turntable plane");
  const double na_ose[3] = {10, 10, 30};
  EXPECT_FALSE(soustava_tocny(na_ose, stred, osa, objekt, &t, &chyba));
  EXPECT_EQ(chyba, "camera 1 stands on the turntable axis");
}

// A scene with the given cameras, written, and its "rig.yml" calibrated by
// viewer_calibration from the calibration object's images.
std::string kalibrovana_scena(const SestavaKamer& sestava, const char* jmeno, Scena* sc = nullptr) {
  NastaveniSceny n;
  n.sestava = sestava;
  const Scena scena = vytvor_scenu(n);
  const std::string adresar = novy_adresar(jmeno);
  std::string chyba;
  EXPECT_TRUE(zapis_scenu(scena, adresar, &chyba)) << chyba;
  const VysledekBehu kal = spust_program(VIEWER_CALIBRATION_PATH, adresar, "", 120, {}, {"--no-window"});
  EXPECT_EQ(kal.kod, 0) << kal.chyby;
  EXPECT_TRUE(existuje(adresar + "/rig.yml"));
  if (sc != nullptr) *sc = scena;
  return adresar;
}

// The compiled-in cameras turned by a quarter turn about the vertical
// through the turntable centre of the sample scenes.
SestavaKamer otocena_sestava() {
  SestavaKamer s = vychozi_sestava();
  const double cx = 4.6, cy = 135.8;
  const auto otoc = [](float* x, float* y, double ox, double oy) {
    const double dx = *x - ox, dy = *y - oy;
    *x = static_cast<float>(ox - dy);
    *y = static_cast<float>(oy + dx);
  };
  for (int k = 0; k < 2; k++) {
    otoc(&s.kamera[k][0], &s.kamera[k][1], cx, cy);
    otoc(&s.stred[k][0], &s.stred[k][1], cx, cy);
    otoc(&s.vodorovny[k][0], &s.vodorovny[k][1], 0, 0);
  }
  return s;
}

using SnimkyRigu = TestySXvfb;

TEST_F(SnimkyRigu, TheScreenshotShowsTheModelUprightInTheMiddleWithACalibratedRig) {
  for (const auto& [sestava, jmeno] : {std::pair{siroka_sestava(), "frame-wide"},
                                       std::pair{otocena_sestava(), "frame-quarter-turn"}}) {
    SCOPED_TRACE(jmeno);
    const std::string adresar = kalibrovana_scena(sestava, jmeno);
    const VysledekBehu beh = spust_program(VIEWER_POLAR_PATH, adresar, "", 120,
                                           {"DISPLAY=" + displej_->jmeno(), "SDL_VIDEODRIVER"},
                                           {"--screenshot", "shot.png"});
    ASSERT_EQ(beh.kod, 0) << beh.chyby;
    const cv::Mat obraz = cv::imread(adresar + "/shot.png", cv::IMREAD_COLOR);
    ASSERT_FALSE(obraz.empty());
    // The model's fill has blue 64 and green from 100 (viewer_polar's colours).
    long cernych = 0, modelu = 0;
    double sx = 0, sy = 0;
    for (int y = 0; y < obraz.rows; y++)
      for (int x = 0; x < obraz.cols; x++) {
        const cv::Vec3b& b = obraz.at<cv::Vec3b>(y, x);
        if (b == cv::Vec3b(0, 0, 0)) cernych++;
        if (b[0] != 64 || b[1] < 100) continue;
        modelu++;
        sx += x;
        sy += y;
      }
    const double plocha = static_cast<double>(obraz.total());
    EXPECT_GE(cernych / plocha, 0.9);
    EXPECT_GE(modelu / plocha, 0.005);
    EXPECT_LE(modelu / plocha, 0.2);
    ASSERT_GT(modelu, 0);
    EXPECT_NEAR(sx / modelu, obraz.cols / 2.0, obraz.cols / 8.0);
    EXPECT_NEAR(sy / modelu, obraz.rows / 2.0, obraz.rows / 8.0);
    if (::testing::Test::HasFailure()) cv::imwrite(std::string(jmeno) + "-failed.png", obraz);
  }
}

// The points of "points.ply" (x, y, z, position, marker), matched with their
// true places in the common frame; false when the file is not as written.
bool body_a_pravda(const std::string& ply, const Scena& sc, std::vector<Bod3>* body, std::vector<Bod3>* pravda) {
  const std::size_t konec = ply.find("end_header\n");
  const std::size_t prvek = ply.find("element vertex ");
  if (konec == std::string::npos || prvek == std::string::npos) return false;
  const int pocet = std::atoi(ply.c_str() + prvek + 15);
  const char* data = ply.data() + konec + 11;
  if (ply.size() < konec + 11 + static_cast<std::size_t>(pocet) * 14) return false;
  for (int i = 0; i < pocet; i++, data += 14) {
    float p[3];
    std::memcpy(p, data, 12);
    const int slot = static_cast<unsigned char>(data[12]), cislo = static_cast<unsigned char>(data[13]);
    for (const ZnackaPolohy& z : sc.znacky[slot])
      if (z.cislo == cislo) {
        body->push_back({p[0], p[1], p[2]});
        pravda->push_back(z.pravda);
      }
  }
  return !body->empty();
}

TEST(Upright, FilesComeOutWithTheTrueAxisAlongZAndTheTrueCentreAtTheOrigin) {
  const auto over = [](const Scena& sc, const std::string& adresar) {
    const VysledekBehu beh = spust_program(VIEWER_POLAR_PATH, adresar, "", 120, {}, {"--no-window", "--upright"});
    ASSERT_EQ(beh.kod, 0) << beh.chyby;
    for (const char* soubor : {"points.ply", "model.ply", "surface.ply"})
      EXPECT_NE(precti_soubor(adresar + "/" + soubor).find(std::string(komentar_vzpriment) + "\n"), std::string::npos)
          << soubor;
    std::vector<Bod3> body, pravda;
    ASSERT_TRUE(body_a_pravda(precti_soubor(adresar + "/points.ply"), sc, &body, &pravda));
    const Zarovnani z = nejlepsi_zarovnani(pravda, body);
    // Up: from the turntable towards the object.
    Bod3 nahoru = sc.osa.smer, teziste;
    for (const Bod3& b : sc.body_objektu) teziste = teziste + (1.0 / sc.body_objektu.size()) * b;
    if (skalar(teziste - sc.osa.bod, nahoru) < 0) nahoru = -1.0 * nahoru;
    const Bod3 osa = jednotkovy(z.smer(nahoru));
    EXPECT_LT(std::acos(std::min(1.0, osa.z)) * 180 / 3.14159265, 0.5);
    EXPECT_LT(delka(z(sc.osa.bod)), 0.2);
  };
  // The compiled-in set-up, and a wide rig calibrated in the calibration
  // object's frame (its files lie on their side without the option).
  Scena sc = vytvor_scenu(NastaveniSceny{});
  const std::string adresar = novy_adresar("upright");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(sc, adresar, &chyba)) << chyba;
  over(sc, adresar);
  const std::string siroka = kalibrovana_scena(siroka_sestava(), "upright-wide", &sc);
  over(sc, siroka);
  // pairs_to_points takes --upright only with --turn.
  const VysledekBehu pary = spust_program(PAIRS_TO_POINTS_PATH, adresar, "", 120, {}, {"--upright"});
  EXPECT_EQ(pary.kod, 2);
  EXPECT_NE(pary.chyby.find("--upright: needs --turn"), std::string::npos) << pary.chyby;
}

}  // namespace
