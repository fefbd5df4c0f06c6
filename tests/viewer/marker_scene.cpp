// Marker scene written by the window tests.
#include "tests/viewer/marker_scene.h"

#include <cmath>

#include "reconstruction/scene_tables.h"
#include "tools/bmp_writer.h"

namespace {

constexpr double pi = 3.14159265358979;

double det3(const double a[3], const double b[3], const double c[3]) {
  return a[0] * (b[1] * c[2] - b[2] * c[1]) - b[0] * (a[1] * c[2] - a[2] * c[1]) +
         c[0] * (a[1] * b[2] - a[2] * b[1]);
}

}  // namespace

bool promitni_do_kamery(int c, const double X[3], int* sloupec, int* radek) {
  static const double vodorovne[2][3] = {{0.999, -0.034, 0}, {0.984, 0.173, 0}};
  const double svisle[3] = {0, 0, 1};
  // K + t (X - K) = L + u h + v z, solved for t, u, v.
  double d[3], mh[3], mv[3], p[3];
  for (int i = 0; i < 3; i++) {
    d[i] = X[i] - stereo_kamera[c][i];
    mh[i] = -vodorovne[c][i];
    mv[i] = -svisle[i];
    p[i] = static_cast<double>(stereo_lok[c][i]) - stereo_kamera[c][i];
  }
  const double D = det3(d, mh, mv);
  if (D == 0) return false;
  const double t = det3(p, mh, mv) / D;
  const double u = det3(d, p, mv) / D;
  const double v = det3(d, mh, p) / D;
  if (t <= 0) return false;
  *sloupec = static_cast<int>(std::lround(360 + u / x_px));
  *radek = static_cast<int>(std::lround(240 + v / y_px));
  return *sloupec >= 0 && *sloupec < 640 && *radek >= 0 && *radek < 480;
}

bool zapis_scenu_znacek(const std::string& adresar) {
  static const char* uhly_snimku[5] = {"000", "080", "160", "240", "200"};
  const double stred[3] = {5, 136, 0};
  for (int slot = 0; slot < 5; slot++) {
    Obraz snimky[2];
    // Eight points on a sphere of radius 8 around the axis, placed
    // differently in every position.
    for (int m = 0; m < 8; m++) {
      const double delka = 2 * pi * (m + 0.37 * slot) / 8;
      const double sirka = (m % 2 == 0 ? 0.5 : -0.5) + 0.1 * slot;
      const double X[3] = {stred[0] + 8 * std::cos(sirka) * std::cos(delka),
                           stred[1] + 8 * std::cos(sirka) * std::sin(delka),
                           stred[2] + 8 * std::sin(sirka)};
      for (int c = 0; c < 2; c++) {
        int s, r;
        if (!promitni_do_kamery(c, X, &s, &r)) return false;
        snimky[c].nastav(s, r, static_cast<std::uint8_t>(m + 1), 0, 0);
      }
    }
    if (slot == 1) {
      // Reference marks on the turntable: a horizontal circle of radius 15
      // below the points.
      const double uhly_znacek[4] = {0, 100, 220, 300};
      for (int k = 0; k < 4; k++) {
        const double a = uhly_znacek[k] * pi / 180;
        const double X[3] = {5 + 15 * std::cos(a), 136 + 15 * std::sin(a), -15};
        for (int c = 0; c < 2; c++) {
          int s, r;
          if (!promitni_do_kamery(c, X, &s, &r)) return false;
          snimky[c].nastav(s, r, 0, static_cast<std::uint8_t>(255 - k), 0);
        }
      }
    }
    for (int c = 0; c < 2; c++) {
      const std::string jmeno = adresar + "/" + uhly_snimku[slot] + "_k" + std::to_string(c + 1) +
                                "_A.bmp";
      if (!zapis_bmp(jmeno, snimky[c])) return false;
    }
  }
  // The calibration object, its mark 0 at (-2, 128, -6); marks 1, 9 and 15
  // (the three the calibration solves with) are painted last.
  const double posun[3] = {-2, 128, -6};
  const int poradi[16] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 15, 0, 8, 14};
  for (int c = 0; c < 2; c++) {
    Obraz snimek;
    for (int k : poradi) {
      const double X[3] = {body_relativ[k][0] + posun[0], body_relativ[k][1] + posun[1],
                           body_relativ[k][2] + posun[2]};
      int s, r;
      if (!promitni_do_kamery(c, X, &s, &r)) return false;
      snimek.nastav(s, r, static_cast<std::uint8_t>(k + 1), 0, 0);
    }
    if (!zapis_bmp(adresar + "/kalib" + std::to_string(c + 1) + ".bmp", snimek)) return false;
  }
  return true;
}
