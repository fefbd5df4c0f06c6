// The segment growth's grid of cells.
#include "model/segment_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double maximum_bunek = 4096;
}  // namespace

Mrizka::Mrizka(const std::vector<BodRoviny>& body) {
  double min_x = std::numeric_limits<double>::infinity(), max_x = -min_x;
  double min_y = min_x, max_y = max_x;
  int konecnych = 0;
  for (const BodRoviny& b : body) {
    if (!std::isfinite(b.x) || !std::isfinite(b.y)) continue;
    min_x = std::min(min_x, static_cast<double>(b.x));
    max_x = std::max(max_x, static_cast<double>(b.x));
    min_y = std::min(min_y, static_cast<double>(b.y));
    max_y = std::max(max_y, static_cast<double>(b.y));
    konecnych++;
  }
  if (konecnych == 0) min_x = max_x = min_y = max_y = 0;
  x0_ = min_x;
  y0_ = min_y;
  const double sirka = max_x - min_x;
  const double vyska = max_y - min_y;
  const double bunek = std::max(1, konecnych);
  double gx = 1, gy = 1;
  if (sirka > 0 && vyska > 0) {
    gx = std::ceil(std::sqrt(bunek * (sirka / vyska)));
    gx = std::min(std::max(gx, 1.0), maximum_bunek);
    gy = std::min(std::max(std::ceil(bunek / gx), 1.0), maximum_bunek);
  } else if (sirka > 0) {
    gx = std::min(bunek, maximum_bunek);
  } else if (vyska > 0) {
    gy = std::min(bunek, maximum_bunek);
  }
  gx_ = static_cast<int>(gx);
  gy_ = static_cast<int>(gy);
  kx_ = sirka > 0 ? gx_ / sirka : 0;
  ky_ = vyska > 0 ? gy_ / vyska : 0;
  bunky_.resize(static_cast<std::size_t>(gx_) * gy_);
  razitka_.assign(bunky_.size(), 0);
}

void Mrizka::vloz(int index, double min_x, double max_x, double min_y, double max_y) {
  for (int r = radek(min_y); r <= radek(max_y); r++)
    for (int s = sloupec(min_x); s <= sloupec(max_x); s++)
      bunky_[static_cast<std::size_t>(r) * gx_ + s].push_back(index);
}

void Mrizka::smaz_razitka() { std::fill(razitka_.begin(), razitka_.end(), 0); }

double Mrizka::nejmensi_bunka() const {
  double strana = 0;
  if (kx_ > 0) strana = 1 / kx_;
  if (ky_ > 0) strana = strana > 0 ? std::min(strana, 1 / ky_) : 1 / ky_;
  return strana;
}
