#include "tools/chessboard_images.h"

#include <cmath>
#include <opencv2/calib3d.hpp>
#include <random>

#include "reconstruction/lens_distortion.h"

namespace {

// The normalised viewing ray (x, y, 1) of every sample of every pixel of a
// camera, distortion undone, 4 x 4 samples per pixel.
std::vector<cv::Point2d> paprsky(const ObjektivRigu& o, int sirka, int vyska) {
  std::vector<cv::Point2d> p;
  p.reserve(static_cast<std::size_t>(sirka) * vyska * 16);
  for (int v = 0; v < vyska; v++)
    for (int u = 0; u < sirka; u++)
      for (int j = 0; j < 4; j++)
        for (int i = 0; i < 4; i++) {
          double us, vs;
          bez_zkresleni(o, u - 0.375 + 0.25 * i, v - 0.375 + 0.25 * j, &us, &vs);
          p.emplace_back((us - o.matice[2] - o.matice[1] * (vs - o.matice[5]) / o.matice[4]) / o.matice[0],
                         (vs - o.matice[5]) / o.matice[4]);
        }
  return p;
}

}  // namespace

cv::Vec3d cil_sachovnice(const RigKamer& rig) {
  // The optical axes: camera 1's along +z from the origin, camera 2's from
  // its centre; the midpoint of their closest approach.
  const cv::Matx33d R2(rig.objektiv[1].otoceni);
  const cv::Vec3d c2 = -(R2.t() * cv::Vec3d(rig.objektiv[1].posun)), u(0, 0, 1), v = R2.t() * cv::Vec3d(0, 0, 1);
  const cv::Vec3d w = -c2;
  const double b = u.dot(v), d = u.dot(w), e = v.dot(w), jmen = 1 - b * b;
  const double s = (b * e - d) / jmen, t = (e - b * d) / jmen;
  return 0.5 * (s * u + (c2 + t * v));
}

double ctverec_pro_rig(const RigKamer& rig, cv::Size rohu) {
  // The board spans 45 % of camera 1's width where the cameras look.
  return 0.45 * rig.sirka * cil_sachovnice(rig)[2] / rig.objektiv[0].matice[0] / (rohu.width + 1);
}

RigKamer rig_s_objektivy(double k1) {
  RigKamer rig;
  rig.verze = verze_rigu_objektivu;
  rig.jednotka = "units of the chessboard sample";
  const double uhel = 10 * CV_PI / 180;
  for (int c = 0; c < 2; c++) {
    ObjektivRigu& o = rig.objektiv[c];
    const double f = c == 0 ? 620 : 615;
    const double m[9] = {f, 0, 322.5 - 5 * c, 0, f * 1.002, 238.0 + 4 * c, 0, 0, 1};
    const double d[5] = {k1, 0, 0, 0, 0};
    std::copy(m, m + 9, o.matice);
    std::copy(d, d + 5, o.zkresleni);
    const double s = c == 0 ? 0 : uhel;  // camera 2 looks a little towards -x
    const double r[9] = {std::cos(s), 0, std::sin(s), 0, 1, 0, -std::sin(s), 0, std::cos(s)};
    std::copy(r, r + 9, o.otoceni);
    const double t[3] = {c == 0 ? 0.0 : -100.0, c == 0 ? 0.0 : 0.5, c == 0 ? 0.0 : 12.0};
    std::copy(t, t + 3, o.posun);
    rig.kamera[c] = kamera_z_objektivu(o, rig.vyska);
  }
  return rig;
}

SnimkySachovnice vyfot_sachovnici(const RigKamer& rig, int pocet, cv::Size rohu, double ctverec, double sum,
                                  unsigned seed) {
  SnimkySachovnice vysledek;
  std::vector<cv::Point2d> p[2] = {paprsky(rig.objektiv[0], rig.sirka, rig.vyska),
                                   paprsky(rig.objektiv[1], rig.sirka, rig.vyska)};
  std::mt19937 nahoda(seed);
  std::normal_distribution<double> sum_pixelu(0, sum);
  const double sirka_desky = (rohu.width + 1) * ctverec, vyska_desky = (rohu.height + 1) * ctverec;
  const cv::Vec3d cil = cil_sachovnice(rig);
  for (int i = 0; i < pocet; i++) {
    // Pose i: the board's centre near the line from camera 1 to where both
    // cameras look, at 0.85 to 1.15 times that distance, tilted up to 30
    // degrees.
    const double a = 2 * CV_PI * i / pocet;
    const double vzdalenost = cil[2] * (0.85 + 0.15 * (1 + std::sin(1.7 * i)));
    const cv::Vec3d natoceni(0.45 * std::sin(a), 0.45 * std::cos(1.3 * a), 0.3 * std::sin(2.1 * a));
    cv::Matx33d R;
    cv::Rodrigues(natoceni, R);
    const cv::Vec3d stred(cil[0] * vzdalenost / cil[2] + 0.25 * sirka_desky * std::cos(a),
                          cil[1] * vzdalenost / cil[2] + 0.25 * vyska_desky * std::sin(1.4 * a), vzdalenost);
    // Board point (x, y, 0), origin at the first inner corner, lies at
    // stred + R (x - cx, y - cy, 0) in camera 1's frame.
    const cv::Vec3d ex = R * cv::Vec3d(1, 0, 0), ey = R * cv::Vec3d(0, 1, 0), n = R * cv::Vec3d(0, 0, 1);
    const cv::Vec3d pocatek = stred - ex * (rohu.width - 1) * ctverec / 2 - ey * (rohu.height - 1) * ctverec / 2;
    for (int c = 0; c < 2; c++) {
      // Camera c's centre and axes in camera 1's frame.
      const ObjektivRigu& o = rig.objektiv[c];
      const cv::Matx33d Rc(o.otoceni);
      const cv::Vec3d tc(o.posun[0], o.posun[1], o.posun[2]);
      const cv::Vec3d C = -(Rc.t() * tc);
      cv::Mat snimek(rig.vyska, rig.sirka, CV_8U);
      std::size_t k = 0;
      for (int v = 0; v < rig.vyska; v++)
        for (int u = 0; u < rig.sirka; u++) {
          double jas = 0;
          for (int s = 0; s < 16; s++, k++) {
            const cv::Vec3d smer = Rc.t() * cv::Vec3d(p[c][k].x, p[c][k].y, 1);
            const double jmen = smer.dot(n);
            double hodnota = 40;  // the room behind the board
            if (std::abs(jmen) > 1e-12) {
              const double t = (pocatek - C).dot(n) / jmen;
              const cv::Vec3d x = C + t * smer - pocatek;
              const double bx = x.dot(ex) / ctverec + 1, by = x.dot(ey) / ctverec + 1;
              if (t > 0 && bx >= -0.5 && by >= -0.5 && bx < rohu.width + 1.5 && by < rohu.height + 1.5) {
                const bool uvnitr = bx >= 0 && by >= 0 && bx < rohu.width + 1 && by < rohu.height + 1;
                const bool cerne = uvnitr && ((static_cast<int>(std::floor(bx)) + static_cast<int>(std::floor(by))) % 2 == 0);
                hodnota = cerne ? 25 : 225;
              }
            }
            jas += hodnota / 16;
          }
          snimek.at<unsigned char>(v, u) = cv::saturate_cast<unsigned char>(jas + sum_pixelu(nahoda));
        }
      vysledek.snimky[c].push_back(snimek);
    }
  }
  return vysledek;
}
