// Camera model in double precision.
#include "tools/camera_projection.h"

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

Bod3 vodorovny(const SestavaKamer& s, int k) {
  return {s.vodorovny[k][0], s.vodorovny[k][1], 0.0};
}

const Bod3 svisly{0.0, 0.0, 1.0};

}  // namespace

Bod3 projekcni_stred(const SestavaKamer& s, int k) { return z_pole(s.kamera[k]); }

Bod3 bod_roviny(const SestavaKamer& s, int k, double sloupec, double radek) {
  const Bod3 l = z_pole(s.stred[k]);
  const double du = (sloupec - sloupec_stredu) * static_cast<double>(s.x_px);
  const double dv = (radek - radek_stredu) * static_cast<double>(s.y_px);
  return l + du * vodorovny(s, k) + dv * svisly;
}

PoziceVObraze promitni(const SestavaKamer& s, int k, Bod3 x) {
  PoziceVObraze p;
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
