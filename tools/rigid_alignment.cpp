// Kabsch's method.
#include "tools/rigid_alignment.h"

#include <opencv2/core.hpp>

Bod3 Zarovnani::smer(Bod3 v) const {
  const double* r0 = otoceni[0];
  const double* r1 = otoceni[1];
  const double* r2 = otoceni[2];
  return {r0[0] * v.x + r0[1] * v.y + r0[2] * v.z, r1[0] * v.x + r1[1] * v.y + r1[2] * v.z,
          r2[0] * v.x + r2[1] * v.y + r2[2] * v.z};
}

Bod3 Zarovnani::operator()(Bod3 x) const { return smer(x) + posun; }

Zarovnani nejlepsi_zarovnani(const std::vector<Bod3>& z, const std::vector<Bod3>& na) {
  Zarovnani v;
  const std::size_t n = z.size();
  if (n < 3 || na.size() != n) return v;
  Bod3 tz, tn;
  for (std::size_t i = 0; i < n; i++) {
    tz = tz + (1.0 / n) * z[i];
    tn = tn + (1.0 / n) * na[i];
  }
  cv::Matx33d h = cv::Matx33d::zeros();
  for (std::size_t i = 0; i < n; i++) {
    const Bod3 a = z[i] - tz, b = na[i] - tn;
    const double pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
    for (int r = 0; r < 3; r++)
      for (int c = 0; c < 3; c++) h(r, c) += pa[r] * pb[c];
  }
  cv::Mat w, u, vt;
  cv::SVD::compute(cv::Mat(h), w, u, vt);
  if (w.at<double>(1) <= 1e-12 * w.at<double>(0)) return v;
  cv::Matx33d uu(u), vv(vt);
  vv = vv.t();
  // A reflection is turned into the nearest rotation.
  const double d = cv::determinant(vv * uu.t()) < 0 ? -1.0 : 1.0;
  const cv::Matx33d r = vv * cv::Matx33d::diag(cv::Vec3d(1, 1, d)) * uu.t();
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) v.otoceni[i][j] = r(i, j);
  v.posun = tn - v.smer(tz);
  return v;
}

Bod3 do_mistniho_ramce(const double r[3][3], Bod3 posun, Bod3 x) {
  const Bod3 d = x - posun;
  return {r[0][0] * d.x + r[1][0] * d.y + r[2][0] * d.z, r[0][1] * d.x + r[1][1] * d.y + r[2][1] * d.z,
          r[0][2] * d.x + r[1][2] * d.y + r[2][2] * d.z};
}
