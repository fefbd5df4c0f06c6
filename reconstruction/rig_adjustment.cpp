// Joint refinement of both cameras with cv::LMSolver.
#include "reconstruction/rig_adjustment.h"

#include <algorithm>
#include <cmath>

#include <opencv2/calib3d.hpp>

namespace {

constexpr int parametru_kamery = 10;  // fx, fy, cx, cy, rvec, tvec

PohledKamery z_parametru(const double* p) {
  PohledKamery k;
  k.k = cv::Matx33d(p[0], 0, p[2], 0, p[1], p[3], 0, 0, 1);
  k.rvec = cv::Vec3d(p[4], p[5], p[6]);
  k.tvec = cv::Vec3d(p[7], p[8], p[9]);
  return k;
}

void do_parametru(const PohledKamery& k, double* p) {
  const double h[parametru_kamery] = {k.k(0, 0), k.k(1, 1), k.k(0, 2), k.k(1, 2), k.rvec[0],
                                      k.rvec[1], k.rvec[2], k.tvec[0], k.tvec[1], k.tvec[2]};
  for (int i = 0; i < parametru_kamery; i++) p[i] = h[i];
}

cv::Point2d promitni(const PohledKamery& k, const cv::Matx33d& r, const cv::Point3d& x) {
  const cv::Vec3d c = r * cv::Vec3d(x.x, x.y, x.z) + k.tvec;
  const cv::Vec3d u = k.k * c;
  return {u[0] / u[2], u[1] / u[2]};
}

class Uloha : public cv::LMSolver::Callback {
 public:
  Uloha(const ZnackyKamery* znacky, const std::vector<ParPixelu>* pary)
      : znacky_(znacky), pary_(pary) {}

  int pocet_chyb() const {
    return 2 * static_cast<int>(znacky_[0].objekt.size() + znacky_[1].objekt.size()) +
           static_cast<int>(pary_->size());
  }

  void chyby(const double* p, double* e) const {
    const PohledKamery k[2] = {z_parametru(p), z_parametru(p + parametru_kamery)};
    int n = 0;
    for (int c = 0; c < 2; c++) {
      cv::Matx33d r;
      cv::Rodrigues(k[c].rvec, r);
      for (std::size_t i = 0; i < znacky_[c].objekt.size(); i++) {
        const cv::Point2d u = promitni(k[c], r, znacky_[c].objekt[i]);
        e[n++] = u.x - znacky_[c].obraz[i].x;
        e[n++] = u.y - znacky_[c].obraz[i].y;
      }
    }
    const cv::Matx33d f = fundamentalni_matice(k[0], k[1]);
    for (const ParPixelu& par : *pary_) e[n++] = sampsonova_vzdalenost(f, par.u[0], par.u[1]);
  }

  bool compute(cv::InputArray param, cv::OutputArray err, cv::OutputArray jac) const override {
    cv::Mat p = param.getMat().clone();
    const int m = pocet_chyb();
    err.create(m, 1, CV_64F);
    cv::Mat e = err.getMat();
    chyby(p.ptr<double>(), e.ptr<double>());
    if (!jac.needed()) return true;
    // Central differences, each step relative to the parameter's size.
    jac.create(m, p.rows, CV_64F);
    cv::Mat j = jac.getMat();
    std::vector<double> plus(static_cast<std::size_t>(m)), minus(static_cast<std::size_t>(m));
    for (int i = 0; i < p.rows; i++) {
      double& x = p.at<double>(i);
      const double puvodni = x, h = 1e-6 * std::max(1.0, std::fabs(puvodni));
      x = puvodni + h;
      chyby(p.ptr<double>(), plus.data());
      x = puvodni - h;
      chyby(p.ptr<double>(), minus.data());
      x = puvodni;
      for (int r = 0; r < m; r++) j.at<double>(r, i) = (plus[r] - minus[r]) / (2 * h);
    }
    return true;
  }

 private:
  const ZnackyKamery* znacky_;
  const std::vector<ParPixelu>* pary_;
};

}  // namespace

cv::Matx33d fundamentalni_matice(const PohledKamery& k1, const PohledKamery& k2) {
  cv::Matx33d r1, r2;
  cv::Rodrigues(k1.rvec, r1);
  cv::Rodrigues(k2.rvec, r2);
  const cv::Matx33d r = r2 * r1.t();
  const cv::Vec3d t = k2.tvec - r * k1.tvec;
  const cv::Matx33d tx(0, -t[2], t[1], t[2], 0, -t[0], -t[1], t[0], 0);
  return k2.k.inv().t() * tx * r * k1.k.inv();
}

double sampsonova_vzdalenost(const cv::Matx33d& f, const cv::Point2d& a, const cv::Point2d& b) {
  const cv::Vec3d x1(a.x, a.y, 1), x2(b.x, b.y, 1);
  const cv::Vec3d fx1 = f * x1, ftx2 = f.t() * x2;
  const double cislo = x2.dot(fx1);
  const double jmen = fx1[0] * fx1[0] + fx1[1] * fx1[1] + ftx2[0] * ftx2[0] + ftx2[1] * ftx2[1];
  return jmen > 0 ? cislo / std::sqrt(jmen) : 0.0;
}

bool zpresni_spolecne(const ZnackyKamery znacky[2], const std::vector<ParPixelu>& pary,
                      PohledKamery kamery[2], SpolecneZpresneni* vysledek) {
  const cv::Matx33d f = fundamentalni_matice(kamery[0], kamery[1]);
  std::vector<ParPixelu> pouzite;
  for (const ParPixelu& par : pary)
    if (std::fabs(sampsonova_vzdalenost(f, par.u[0], par.u[1])) <= nejvetsi_vzdalenost_paru_px)
      pouzite.push_back(par);
  vysledek->pouzito = static_cast<int>(pouzite.size());
  vysledek->vynechano = static_cast<int>(pary.size() - pouzite.size());
  if (vysledek->pouzito < minimum_paru) return false;

  cv::Mat p(2 * parametru_kamery, 1, CV_64F);
  do_parametru(kamery[0], p.ptr<double>());
  do_parametru(kamery[1], p.ptr<double>() + parametru_kamery);
  const cv::Ptr<Uloha> uloha = cv::makePtr<Uloha>(znacky, &pouzite);
  try {
    cv::LMSolver::create(uloha, 200, 1e-12)->run(p);
  } catch (const cv::Exception&) {
    return false;
  }
  for (int i = 0; i < p.rows; i++)
    if (!std::isfinite(p.at<double>(i))) return false;
  kamery[0] = z_parametru(p.ptr<double>());
  kamery[1] = z_parametru(p.ptr<double>() + parametru_kamery);
  const cv::Matx33d g = fundamentalni_matice(kamery[0], kamery[1]);
  double soucet = 0;
  for (const ParPixelu& par : pouzite) soucet += std::fabs(sampsonova_vzdalenost(g, par.u[0], par.u[1]));
  vysledek->prumer_px = soucet / pouzite.size();
  return true;
}
