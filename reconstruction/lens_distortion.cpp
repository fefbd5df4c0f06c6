// The reconstruction programs undo the distortion themselves rather than
// through OpenCV's calib3d: they would otherwise load that library and its
// many dependencies at every start, and its undistortPoints stops after five
// iterations, too few for strong barrel distortion at the image corners.
#include "reconstruction/lens_distortion.h"

#include <cmath>

namespace {

// Normalised coordinates of a pixel (camera matrix undone) and back.
void normalizuj(const double* m, double u, double v, double* x, double* y) {
  *y = (v - m[5]) / m[4];
  *x = (u - m[2] - m[1] * *y) / m[0];
}

void na_pixel(const double* m, double x, double y, double* u, double* v) {
  *u = m[0] * x + m[1] * y + m[2];
  *v = m[4] * y + m[5];
}

void zkresli(const double* d, double x, double y, double* xd, double* yd) {
  const double r2 = x * x + y * y;
  const double radialni = 1 + r2 * (d[0] + r2 * (d[1] + r2 * d[4]));
  *xd = x * radialni + 2 * d[2] * x * y + d[3] * (r2 + 2 * x * x);
  *yd = y * radialni + d[2] * (r2 + 2 * y * y) + 2 * d[3] * x * y;
}

}  // namespace

bool ma_zkresleni(const ObjektivRigu& o) {
  for (double k : o.zkresleni)
    if (k != 0) return true;
  return false;
}

KameraRigu kamera_z_objektivu(const ObjektivRigu& o, int vyska) {
  const double* m = o.matice;
  const double* r = o.otoceni;
  const double f = m[0];
  KameraRigu k;
  // Projection centre -R^T t; the columns of R^T are the rows of R.
  for (int j = 0; j < 3; j++)
    k.stred_projekce[j] = -(r[0 + j] * o.posun[0] + r[3 + j] * o.posun[1] + r[6 + j] * o.posun[2]);
  // A pixel (u, v) looks along K^-1 (u, v, 1); its image-plane point at
  // depth f is centre + f R^T K^-1 (u, v, 1), which is linear in u and v.
  const double sloupec_kamery[3] = {1 / m[0], 0, 0};
  const double radek_kamery[3] = {-m[1] / (m[0] * m[4]), 1 / m[4], 0};
  for (int j = 0; j < 3; j++) {
    k.bod_stredu[j] = k.stred_projekce[j] + f * r[6 + j];
    k.krok_sloupce[j] = f * (r[0 + j] * sloupec_kamery[0] + r[3 + j] * sloupec_kamery[1]);
    // Rows from the bottom run the other way.
    k.krok_radku[j] = -f * (r[0 + j] * radek_kamery[0] + r[3 + j] * radek_kamery[1]);
  }
  k.pixel_stredu[0] = m[2];
  k.pixel_stredu[1] = radek_shora(m[5], vyska);
  return k;
}

void bez_zkresleni(const ObjektivRigu& o, double sloupec, double radek, double* ideal_sloupec, double* ideal_radek) {
  double xd, yd;
  normalizuj(o.matice, sloupec, radek, &xd, &yd);
  const double* d = o.zkresleni;
  double x = xd, y = yd;
  for (int krok = 0; krok < 100; krok++) {
    // Fixed-point step: x = (xd - tangential(x)) / radial(x).
    const double r2 = x * x + y * y;
    const double radialni = 1 + r2 * (d[0] + r2 * (d[1] + r2 * d[4]));
    const double nx = (xd - (2 * d[2] * x * y + d[3] * (r2 + 2 * x * x))) / radialni;
    const double ny = (yd - (d[2] * (r2 + 2 * y * y) + 2 * d[3] * x * y)) / radialni;
    const double zmena = std::abs(nx - x) * o.matice[0] + std::abs(ny - y) * o.matice[4];
    x = nx;
    y = ny;
    if (!(zmena > 1e-9)) break;
  }
  na_pixel(o.matice, x, y, ideal_sloupec, ideal_radek);
}

void se_zkreslenim(const ObjektivRigu& o, double sloupec, double radek, double* skutecny_sloupec,
                   double* skutecny_radek) {
  double x, y, xd, yd;
  normalizuj(o.matice, sloupec, radek, &x, &y);
  zkresli(o.zkresleni, x, y, &xd, &yd);
  na_pixel(o.matice, xd, yd, skutecny_sloupec, skutecny_radek);
}
