// Camera model in double precision.
#include "tools/camera_projection.h"

#include <opencv2/core.hpp>

#include "reconstruction/lens_distortion.h"

#include "common/geometry.h"

SestavaKamer vychozi_sestava() {
  SestavaKamer s{};
  const float k[2][3] = {{0.0f, 0.0f, 0.0f}, {28.5f, 0.0f, 0.3f}};
  const float l[2][3] = {{7.65f, 224.775f, 0.0f}, {-10.425f, 221.4f, 0.3f}};
  const float h[2][2] = {{0.999f, -0.034f}, {0.984f, 0.173f}};
  for (int c = 0; c < 2; c++) {
    for (int j = 0; j < 3; j++) {
      s.kamera[c][j] = k[c][j];
      s.stred[c][j] = l[c][j];
    }
    s.vodorovny[c][0] = h[c][0];
    s.vodorovny[c][1] = h[c][1];
  }
  s.x_px = 0.135f;
  s.y_px = 0.149f;
  return s;
}

namespace {

Bod3 z_pole(const float* p) { return {p[0], p[1], p[2]}; }
Bod3 z_pole3(const double* p) { return {p[0], p[1], p[2]}; }

Bod3 vodorovny(const SestavaKamer& s, int k) {
  return {s.vodorovny[k][0], s.vodorovny[k][1], 0.0};
}

const Bod3 svisly{0.0, 0.0, 1.0};

}  // namespace

Bod3 projekcni_stred(const SestavaKamer& s, int k) { return z_pole(s.kamera[k]); }

Bod3 bod_roviny(const SestavaKamer& s, int k, double sloupec, double radek) {
  const Bod3 l = z_pole(s.stred[k]);
  if (s.obecna) {
    const double* a = s.krok_sloupce[k];
    const double* b = s.krok_radku[k];
    return l + (sloupec - s.pixel_stredu[k][0]) * Bod3{a[0], a[1], a[2]} +
           (radek - s.pixel_stredu[k][1]) * Bod3{b[0], b[1], b[2]};
  }
  const double du = (sloupec - sloupec_stredu) * static_cast<double>(s.x_px);
  const double dv = (radek - radek_stredu) * static_cast<double>(s.y_px);
  return l + du * vodorovny(s, k) + dv * svisly;
}

namespace {

PoziceVObraze promitni_dirkou(const SestavaKamer& s, int k, Bod3 x);

}  // namespace

PoziceVObraze promitni(const SestavaKamer& s, int k, Bod3 x) {
  PoziceVObraze p = promitni_dirkou(s, k, x);
  if (!p.pred_kamerou || !ma_zkresleni(s)) return p;
  const ObjektivRigu o = objektiv_kamery(s, k);
  se_zkreslenim(o, p.sloupec, radek_shora(p.radek, 480), &p.sloupec, &p.radek);
  p.radek = radek_shora(p.radek, 480);
  return p;
}

namespace {

PoziceVObraze promitni_dirkou(const SestavaKamer& s, int k, Bod3 x) {
  PoziceVObraze p;
  if (s.obecna) {
    const double bod[3] = {x.x, x.y, x.z};
    p.pred_kamerou = promitni_rigem(kamera_ze_sestavy(s, k), bod, &p.sloupec, &p.radek);
    return p;
  }
  const Bod3 kk = z_pole(s.kamera[k]);
  const Bod3 l = z_pole(s.stred[k]);
  const Bod3 h = vodorovny(s, k);
  const Bod3 normala = vektorove(h, svisly);
  const double jmenovatel = skalar(normala, x - kk);
  if (jmenovatel == 0.0) return p;
  const double t = skalar(normala, l - kk) / jmenovatel;
  if (!(t > 0.0)) return p;
  const Bod3 q = kk + t * (x - kk) - l;
  // h has no z component, so h and the z axis are orthogonal.
  p.sloupec = sloupec_stredu + skalar(q, h) / skalar(h, h) / s.x_px;
  p.radek = radek_stredu + q.z / s.y_px;
  p.pred_kamerou = true;
  return p;
}

}  // namespace

Bod3 trianguluj(const SestavaKamer& s, double c1, double r1, double c2, double r2) {
  const Bod3 k1 = z_pole(s.kamera[0]);
  const Bod3 k2 = z_pole(s.kamera[1]);
  const Bod3 u = bod_roviny(s, 0, c1, r1) - k1;
  const Bod3 v = bod_roviny(s, 1, c2, r2) - k2;
  const Bod3 w = k1 - k2;
  const double a = skalar(u, u), b = skalar(u, v), c = skalar(v, v);
  const double d = skalar(u, w), e = skalar(v, w);
  const double jm = a * c - b * b;
  const double t = (b * e - c * d) / jm;
  const double q = (a * e - b * d) / jm;
  return 0.5 * ((k1 + t * u) + (k2 + q * v));
}

Bod3 otoc(Bod3 x, const Osa& osa, double uhel) {
  const Bod3 n = jednotkovy(osa.smer);
  const Bod3 v = x - osa.bod;
  const double cs = std::cos(uhel), sn = std::sin(uhel);
  // Rodrigues' formula.
  return osa.bod + cs * v + sn * vektorove(n, v) + ((1.0 - cs) * skalar(n, v)) * n;
}

double uhel_otoceni_slotu(int uhel_stupne) {
  return radiany(uhel_stupne) + M_PI;
}

Osa osa_z_referenci(Bod3 r0, Bod3 r1, Bod3 r2) {
  const Bod3 s1 = jednotkovy(r2 - r0);
  const Bod3 s2 = jednotkovy(r2 - r1);
  const Bod3 n = jednotkovy(vektorove(s1, s2));
  // Circumcentre of the triangle in its plane.
  const Bod3 a = r0 - r2, b = r1 - r2;
  const Bod3 axb = vektorove(a, b);
  const Bod3 c = (1.0 / (2.0 * skalar(axb, axb))) *
                 vektorove(skalar(a, a) * b - skalar(b, b) * a, axb);
  return {r2 + c, n};
}

SestavaKamer sestava_z_rigu(const RigKamer& rig) {
  SestavaKamer s{};
  s.obecna = true;
  for (int k = 0; k < 2; k++) {
    const KameraRigu& c = rig.kamera[k];
    for (int j = 0; j < 3; j++) {
      s.kamera[k][j] = static_cast<float>(c.stred_projekce[j]);
      s.stred[k][j] = static_cast<float>(c.bod_stredu[j]);
      s.krok_sloupce[k][j] = c.krok_sloupce[j];
      s.krok_radku[k][j] = c.krok_radku[j];
    }
    s.pixel_stredu[k][0] = c.pixel_stredu[0];
    s.pixel_stredu[k][1] = c.pixel_stredu[1];
  }
  return s;
}

KameraRigu kamera_ze_sestavy(const SestavaKamer& s, int k) {
  KameraRigu c{};
  for (int j = 0; j < 3; j++) {
    c.stred_projekce[j] = s.kamera[k][j];
    c.bod_stredu[j] = s.stred[k][j];
    c.krok_sloupce[j] = s.obecna ? s.krok_sloupce[k][j]
                                 : static_cast<double>(s.x_px) * (j < 2 ? s.vodorovny[k][j] : 0.0f);
    c.krok_radku[j] = s.obecna ? s.krok_radku[k][j] : (j == 2 ? static_cast<double>(s.y_px) : 0.0);
  }
  c.pixel_stredu[0] = s.obecna ? s.pixel_stredu[k][0] : sloupec_stredu;
  c.pixel_stredu[1] = s.obecna ? s.pixel_stredu[k][1] : radek_stredu;
  return c;
}

RigKamer rig_ze_sestavy(const SestavaKamer& s, const std::string& jednotka) {
  RigKamer rig;
  rig.jednotka = jednotka;
  for (int k = 0; k < 2; k++) rig.kamera[k] = kamera_ze_sestavy(s, k);
  return rig;
}

namespace {

// Two cameras at the given centres, each turned to look at `cil`, rolled
// about its optical axis by `natoceni` degrees, with its image plane at
// `vzdalenost` and pixels of `roztec` on it, principal point (330, 250).
SestavaKamer otocene_kamery(const Bod3 (&stredy)[2], Bod3 cil, const double (&natoceni)[2], double vzdalenost,
                            const double (&roztec)[2]) {
  SestavaKamer s{};
  s.obecna = true;
  for (int k = 0; k < 2; k++) {
    const Bod3 vpred = jednotkovy(cil - stredy[k]);
    const Bod3 vpravo = jednotkovy(vektorove(vpred, Bod3{0, 0, 1}));
    const Bod3 nahoru = vektorove(vpravo, vpred);
    const double a = natoceni[k] * M_PI / 180.0;
    const Bod3 sloupce = std::cos(a) * vpravo + std::sin(a) * nahoru;
    const Bod3 radky = -std::sin(a) * vpravo + std::cos(a) * nahoru;
    const Bod3 l = stredy[k] + vzdalenost * vpred;
    const double pole_k[3] = {stredy[k].x, stredy[k].y, stredy[k].z};
    const double pole_l[3] = {l.x, l.y, l.z};
    const double pole_s[3] = {sloupce.x, sloupce.y, sloupce.z};
    const double pole_r[3] = {radky.x, radky.y, radky.z};
    for (int j = 0; j < 3; j++) {
      s.kamera[k][j] = static_cast<float>(pole_k[j]);
      s.stred[k][j] = static_cast<float>(pole_l[j]);
      s.krok_sloupce[k][j] = roztec[0] * pole_s[j];
      s.krok_radku[k][j] = roztec[1] * pole_r[j];
    }
    s.pixel_stredu[k][0] = 330.0;
    s.pixel_stredu[k][1] = 250.0;
  }
  return s;
}

// The projection centres and the point both cameras look at (the middle of
// the vase above the turntable centre) of the wide set-up; roll about the
// optical axis in degrees.
const Bod3 stredy_siroke[2] = {{-22.0, 10.0, 4.0}, {40.0, 6.0, -3.0}};
const Bod3 cil_siroke{4.6, 135.8, 0.0};
const double natoceni_siroke[2] = {2.0, -3.0};

}  // namespace

SestavaKamer siroka_sestava() {
  return otocene_kamery(stredy_siroke, cil_siroke, natoceni_siroke, 180.0, {0.11, 0.12});
}

SestavaKamer sestava_webkamer() {
  // The wide set-up's cameras moved halfway towards the vase, along their
  // lines of sight, with a focal length of 800 pixels: the same view
  // angles between the cameras, the scene about as large in the picture.
  Bod3 stredy[2];
  for (int k = 0; k < 2; k++) stredy[k] = cil_siroke + 0.6 * (stredy_siroke[k] - cil_siroke);
  return otocene_kamery(stredy, cil_siroke, natoceni_siroke, 180.0, {180.0 / 700.0, 180.0 / 700.0});
}

bool ma_zkresleni(const SestavaKamer& s) {
  for (const auto& d : s.zkresleni)
    for (double v : d)
      if (v != 0) return true;
  return false;
}

// Camera k as OpenCV describes it, in the world frame: the axes of its
// frame (x along a row, y down a column, z towards the image plane), the
// camera matrix from the pixel steps and the distance of the image plane.
ObjektivRigu objektiv_kamery(const SestavaKamer& s, int k) {
  const KameraRigu c = kamera_ze_sestavy(s, k);
  const Bod3 K = z_pole3(c.stred_projekce), L = z_pole3(c.bod_stredu);
  const Bod3 ks = z_pole3(c.krok_sloupce), kr_dolu = -1.0 * z_pole3(c.krok_radku);
  const Bod3 ex = jednotkovy(ks);
  Bod3 ez = jednotkovy(vektorove(ks, kr_dolu));
  if (skalar(ez, L - K) < 0) ez = -1.0 * ez;
  const Bod3 ey = vektorove(ez, ex);
  const double d = skalar(L - K, ez), kry = skalar(kr_dolu, ey), krx = skalar(kr_dolu, ex);
  const double c0 = c.pixel_stredu[0], r0 = radek_shora(c.pixel_stredu[1], 480);
  ObjektivRigu o{};
  const double fx = d / delka(ks), fy = d / kry;
  o.matice[0] = fx;
  o.matice[1] = -d * krx / (kry * delka(ks));
  o.matice[2] = c0 - skalar(ex, L - K) / delka(ks) + skalar(ey, L - K) * krx / (kry * delka(ks));
  o.matice[4] = fy;
  o.matice[5] = r0 - skalar(ey, L - K) / kry;
  o.matice[8] = 1;
  for (int i = 0; i < 5; i++) o.zkresleni[i] = s.zkresleni[k][i];
  const Bod3 osy[3] = {ex, ey, ez};
  for (int i = 0; i < 3; i++) {
    o.otoceni[3 * i] = osy[i].x;
    o.otoceni[3 * i + 1] = osy[i].y;
    o.otoceni[3 * i + 2] = osy[i].z;
    o.posun[i] = -skalar(osy[i], K);
  }
  return o;
}

RigKamer rig_objektivu_ze_sestavy(const SestavaKamer& s, const std::string& jednotka) {
  RigKamer rig;
  rig.verze = verze_rigu_objektivu;
  rig.jednotka = jednotka;
  const ObjektivRigu svet[2] = {objektiv_kamery(s, 0), objektiv_kamery(s, 1)};
  const cv::Matx33d R1(svet[0].otoceni);
  const cv::Vec3d t1(svet[0].posun);
  for (int k = 0; k < 2; k++) {
    ObjektivRigu o = svet[k];
    // x_k = R_k X + t_k and X = R1^T (x_1 - t1): x_k = R_k R1^T x_1 + t_k - R_k R1^T t1.
    const cv::Matx33d R = cv::Matx33d(svet[k].otoceni) * R1.t();
    const cv::Vec3d t = cv::Vec3d(svet[k].posun) - R * t1;
    for (int i = 0; i < 9; i++) o.otoceni[i] = k == 0 ? (i % 4 == 0 ? 1 : 0) : R.val[i];
    for (int i = 0; i < 3; i++) o.posun[i] = k == 0 ? 0 : t[i];
    rig.objektiv[k] = o;
    rig.kamera[k] = kamera_z_objektivu(o, rig.vyska);
  }
  return rig;
}
