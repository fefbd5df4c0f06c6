// Triangles of a segment graph through per-point incident lists, so that
// each pair of incident segments costs a look along one short list instead
// of a scan of the segment list.
#include "model/triangle_emission.h"

#include <utility>

namespace {

struct Incidence {
  int usecka;
  int druhy_konec;
};

}  // namespace

TrojuhelnikyGrafu trojuhelniky_grafu(const std::vector<UseckaGrafu>& usecky, std::size_t bodu) {
  const int pocet = static_cast<int>(usecky.size());
  TrojuhelnikyGrafu vysledek;
  vysledek.pouziti.assign(usecky.size(), 0);
  std::vector<int>& pouziti = vysledek.pouziti;
  // The segments at each point, in list order: point p's are
  // incidentni[zacatky[p] .. zacatky[p + 1]).
  std::vector<std::size_t> zacatky(bodu + 1, 0);
  for (int s = 0; s < pocet; s++) {
    zacatky[static_cast<std::size_t>(usecky[s][0]) + 1]++;
    zacatky[static_cast<std::size_t>(usecky[s][1]) + 1]++;
  }
  for (std::size_t p = 0; p < bodu; p++) zacatky[p + 1] += zacatky[p];
  std::vector<Incidence> incidentni(zacatky.back());
  {
    std::vector<std::size_t> dalsi(zacatky.begin(), zacatky.end() - 1);
    for (int s = 0; s < pocet; s++) {
      const int a = usecky[s][0];
      const int b = usecky[s][1];
      incidentni[dalsi[a]++] = {s, b};
      incidentni[dalsi[b]++] = {s, a};
    }
  }
  // The first segment joining q and r, or -1: both lists are in list order,
  // so the first segment to the other end in either (the shorter is taken)
  // is the one a scan from the start would find.
  const auto spojeni = [&](int q, int r) {
    if (zacatky[q + 1] - zacatky[q] > zacatky[r + 1] - zacatky[r]) std::swap(q, r);
    for (std::size_t k = zacatky[q]; k < zacatky[q + 1]; k++)
      if (incidentni[k].druhy_konec == r) return incidentni[k].usecka;
    return -1;
  };
  for (std::size_t p = 0; p < bodu; p++) {
    for (std::size_t j = zacatky[p]; j < zacatky[p + 1]; j++) {
      for (std::size_t k = j + 1; k < zacatky[p + 1]; k++) {
        const int q = incidentni[j].druhy_konec;
        const int r = incidentni[k].druhy_konec;
        const int treti = spojeni(q, r);
        if (treti < 0) continue;
        pouziti[treti]++;
        pouziti[incidentni[j].usecka]++;
        pouziti[incidentni[k].usecka]++;
        vysledek.trojuhelniky.push_back({static_cast<int>(p), q, r});
      }
    }
  }
  return vysledek;
}
