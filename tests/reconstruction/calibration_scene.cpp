// Known camera set-ups and the images they give.
#include "tests/reconstruction/calibration_scene.h"

#include <cmath>

#include "reconstruction/scene_tables.h"

namespace {

double skalarne(const double* a, const double* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A camera whose image plane is x - y + z = 0, centred at `stred`, with
// columns along (1, 1, 0) turned by `natoceni` degrees about the plane's
// normal, pixel scale s, and its projection centre 225 * s^2 * n + `posun_osy`
// * n from the plane.
ZnamaKamera kamera_v_rovine(const double stred[3], double natoceni, double s, double posun_osy) {
  const double r3 = std::sqrt(3.0), r2 = std::sqrt(2.0), r6 = std::sqrt(6.0);
  const double n[3] = {1 / r3, -1 / r3, 1 / r3};
  const double h0[3] = {1 / r2, 1 / r2, 0};
  const double v0[3] = {-1 / r6, 1 / r6, 2 / r6};
  const double a = natoceni * 3.14159265358979 / 180;
  ZnamaKamera k{};
  for (int j = 0; j < 3; j++) {
    k.h[j] = s * (std::cos(a) * h0[j] + std::sin(a) * v0[j]);
    k.v[j] = s * (-std::sin(a) * h0[j] + std::cos(a) * v0[j]);
    k.o[j] = stred[j];
    k.k[j] = stred[j] + (225.0 * s * s + posun_osy) * n[j];
  }
  return k;
}

// A point of the plane near the middle of the calibration object, and the
// direction of camera 1's columns.
const double stred_objektu[3] = {10.0 / 3, 20.0 / 3, 10.0 / 3};

ZnamaSestava sestava(double posun_osy_1) {
  const double r2 = std::sqrt(2.0);
  const double o1[3] = {stred_objektu[0] - 7 / r2, stred_objektu[1] - 7 / r2, stred_objektu[2]};
  const double o2[3] = {stred_objektu[0] + 7 / r2, stred_objektu[1] + 7 / r2, stred_objektu[2]};
  ZnamaSestava s;
  s.kamera[0] = kamera_v_rovine(o1, 0.0, 1.0, posun_osy_1);
  s.kamera[1] = kamera_v_rovine(o2, 5.0, 1.1, 0.0);
  return s;
}

}  // namespace

ZnamaSestava testovaci_sestava() { return sestava(0.0); }

ZnamaSestava sestava_mimo_model() { return sestava(25.0); }

bool promitni(const ZnamaKamera& kamera, const double bod[3], double* sloupec, double* radek) {
  const double* h = kamera.h;
  const double* v = kamera.v;
  const double n[3] = {h[1] * v[2] - v[1] * h[2], h[2] * v[0] - v[2] * h[0],
                       h[0] * v[1] - v[0] * h[1]};
  double smer[3], ok[3];
  for (int j = 0; j < 3; j++) {
    smer[j] = bod[j] - kamera.k[j];
    ok[j] = kamera.o[j] - kamera.k[j];
  }
  const double jmenovatel = skalarne(n, smer);
  if (jmenovatel == 0.0) return false;
  const double t = skalarne(n, ok) / jmenovatel;
  double d[3];
  for (int j = 0; j < 3; j++) d[j] = kamera.k[j] + t * smer[j] - kamera.o[j];
  // H and V are orthogonal here, so the coordinates are plain projections.
  *sloupec = 360.0 + skalarne(d, h) / skalarne(h, h) / x_px;
  *radek = 240.0 + skalarne(d, v) / skalarne(v, v) / y_px;
  return true;
}

void pixel_znacky(const ZnamaKamera& kamera, int znacka, int* sloupec, int* radek) {
  const double bod[3] = {body_relativ[znacka][0], body_relativ[znacka][1], body_relativ[znacka][2]};
  double c = 0, r = 0;
  promitni(kamera, bod, &c, &r);
  *sloupec = static_cast<int>(std::lround(c));
  *radek = static_cast<int>(std::lround(r));
}

Obraz kalibracni_obraz(const ZnamaKamera& kamera) {
  Obraz obraz;
  for (int i = 0; i < 16; i++) {
    int c = 0, r = 0;
    pixel_znacky(kamera, i, &c, &r);
    obraz.nastav(c, r, static_cast<std::uint8_t>(i + 1), 0, 0);
  }
  return obraz;
}

bool zapis_kalibracni_snimky(const std::string& adresar, const ZnamaSestava& sestava) {
  return zapis_bmp(adresar + "/kalib1.bmp", kalibracni_obraz(sestava.kamera[0])) &&
         zapis_bmp(adresar + "/kalib2.bmp", kalibracni_obraz(sestava.kamera[1]));
}

bool zapis_snimky_znacek(const std::string& adresar) {
  const char* jmena[10] = {"000_k1_A.bmp", "000_k2_A.bmp", "080_k1_A.bmp", "080_k2_A.bmp",
                           "160_k1_A.bmp", "160_k2_A.bmp", "240_k1_A.bmp", "240_k2_A.bmp",
                           "200_k1_A.bmp", "200_k2_A.bmp"};
  const int reference[4][2] = {{300, 200}, {420, 210}, {360, 300}, {330, 260}};
  for (int i = 0; i < 10; i++) {
    Obraz obraz;
    if (i == 2 || i == 3)
      for (int m = 0; m < 4; m++)
        obraz.nastav(reference[m][0] - (i == 3 ? 40 : 0), reference[m][1], 0,
                     static_cast<std::uint8_t>(255 - m), 0);
    if (!zapis_bmp(adresar + "/" + jmena[i], obraz)) return false;
  }
  return true;
}
