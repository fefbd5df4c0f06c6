// Centroid, polar angles, segment growth, triangles and border segments.
#include "model/polar_graph.h"

#include <cmath>

void teziste_bodu(const std::vector<Bod3D>& body, float teziste[3]) {
  teziste[0] = teziste[1] = teziste[2] = 0;
  const int n = static_cast<int>(body.size());
  for (int i = 0; i < n; i++)
    for (int c = 0; c < 3; c++) teziste[c] = static_cast<float>(teziste[c] + static_cast<double>(body[i][c]) / n);
}

PolarniGraf polarni_graf(const std::vector<Bod3D>& body, const NastaveniRustu& rust) {
  PolarniGraf graf;
  teziste_bodu(body, graf.teziste);
  const float* t = graf.teziste;
  graf.uhly.resize(body.size());
  for (std::size_t i = 0; i < body.size(); i++) {
    const double dx = static_cast<double>(body[i][0]) - t[0];
    const double dy = static_cast<double>(body[i][1]) - t[1];
    const double dz = static_cast<double>(body[i][2]) - t[2];
    const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
    graf.uhly[i].x = static_cast<float>(std::acos(dz / r));
    graf.uhly[i].y = static_cast<float>(std::atan2(dy, dx));
  }
  graf.rust = rust_usecek(graf.uhly, rust);
  graf.trojuhelniky = trojuhelniky_grafu(graf.rust.usecky, body.size());
  for (std::size_t s = 0; s < graf.rust.usecky.size(); s++)
    if (graf.trojuhelniky.pouziti[s] == 0) graf.okrajove.push_back(static_cast<int>(s));
  return graf;
}
