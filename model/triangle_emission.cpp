// Triangle emission through per-point incident lists, so that each pair of
// incident segments costs a look along one short list instead of a scan of
// the segment list.
#include "model/triangle_emission.h"

#include <cstddef>
#include <utility>

#include "model/instruction_pool.h"
#include "reconstruction/scene_tables.h"

namespace {

struct Incidence {
  int usecka;
  int druhy_konec;
};

}  // namespace

std::vector<int> vytvor_trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                                     const std::function<void(int, Polygon3D*)>& obarvi) {
  const int pocet = usecky_proviz_pocet;
  std::vector<int> pouziti(static_cast<std::size_t>(pocet), 0);
  // The segments at each point, in list order: point p's are
  // incidentni[zacatky[p] .. zacatky[p + 1]).
  std::vector<std::size_t> zacatky(instrukce.size() + 1, 0);
  for (int s = 0; s < pocet; s++) {
    zacatky[static_cast<std::size_t>(usecky_provizorni[s][0]) + 1]++;
    zacatky[static_cast<std::size_t>(usecky_provizorni[s][1]) + 1]++;
  }
  for (std::size_t p = 0; p < instrukce.size(); p++) zacatky[p + 1] += zacatky[p];
  std::vector<Incidence> incidentni(zacatky.back());
  {
    std::vector<std::size_t> dalsi(zacatky.begin(), zacatky.end() - 1);
    for (int s = 0; s < pocet; s++) {
      const int a = usecky_provizorni[s][0];
      const int b = usecky_provizorni[s][1];
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
  for (std::size_t p = 0; p < instrukce.size(); p++) {
    for (std::size_t j = zacatky[p]; j < zacatky[p + 1]; j++) {
      for (std::size_t k = j + 1; k < zacatky[p + 1]; k++) {
        const int q = incidentni[j].druhy_konec;
        const int r = incidentni[k].druhy_konec;
        const int treti = spojeni(q, r);
        if (treti < 0) continue;
        pouziti[treti]++;
        pouziti[incidentni[j].usecka]++;
        pouziti[incidentni[k].usecka]++;
        auto* polygon = new Polygon3D(instrukce[p]);
        pridej_instrukci(polygon, instrukce[q]);
        pridej_instrukci(polygon, instrukce[r]);
        pridej_polygon(model1, polygon);
        obarvi(static_cast<int>(p), polygon);
      }
    }
  }
  return pouziti;
}
