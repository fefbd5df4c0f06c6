// Triangle emission through per-point incident lists and a table of the
// segment joining two points, so that each pair of incident segments costs
// one look-up instead of a scan of the segment list.
#include "model/triangle_emission.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

#include "model/instruction_pool.h"
#include "reconstruction/scene_tables.h"

namespace {

std::uint64_t klic_dvojice(int a, int b) {
  const auto m = static_cast<std::uint32_t>(a < b ? a : b);
  const auto v = static_cast<std::uint32_t>(a < b ? b : a);
  return (static_cast<std::uint64_t>(m) << 32) | v;
}

struct Incidence {
  int usecka;
  int druhy_konec;
};

}  // namespace

std::vector<int> vytvor_trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                                     const std::function<void(int, Polygon3D*)>& obarvi) {
  const int pocet = usecky_proviz_pocet;
  std::vector<int> pouziti(static_cast<std::size_t>(pocet), 0);
  std::vector<std::vector<Incidence>> incidentni(instrukce.size());
  // The first segment joining two points (the list holds no pair twice, but
  // the first one is what a scan from the start would find).
  std::unordered_map<std::uint64_t, int> spojeni;
  spojeni.reserve(static_cast<std::size_t>(pocet) * 2);
  for (int s = 0; s < pocet; s++) {
    const int a = usecky_provizorni[s][0];
    const int b = usecky_provizorni[s][1];
    incidentni[a].push_back({s, b});
    incidentni[b].push_back({s, a});
    spojeni.emplace(klic_dvojice(a, b), s);
  }
  for (std::size_t p = 0; p < incidentni.size(); p++) {
    const std::vector<Incidence>& seznam = incidentni[p];
    for (std::size_t j = 0; j < seznam.size(); j++) {
      for (std::size_t k = j + 1; k < seznam.size(); k++) {
        const int q = seznam[j].druhy_konec;
        const int r = seznam[k].druhy_konec;
        const auto nalez = spojeni.find(klic_dvojice(q, r));
        if (nalez == spojeni.end()) continue;
        pouziti[nalez->second]++;
        pouziti[seznam[j].usecka]++;
        pouziti[seznam[k].usecka]++;
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
