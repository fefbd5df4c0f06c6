// Times the surface of the turned marker points (postav_plochu: one point
// for each mark, the advancing-front reconstruction, closing the holes,
// orienting and the vertex normals) and the check that it bounds a volume,
// on the sample scene's 253 turned points and on the 365 points of five
// full turntable positions (73 markers each) of a vase-like object.
//
//   build/bench/surface_bench
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "model/mesh_analysis.h"
#include "model/surface_reconstruction.h"
#include "model/volume_check.h"
#include "reconstruction/scene_tables.h"
#include "tests/model/point_sets.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/sample_scene.h"

namespace {

// The turned points and the position of each, as the programs hand them over.
struct Body {
  std::vector<std::array<float, 3>> souradnice;
  std::vector<int> polohy;
};

Body body_slotu() {
  Body body;
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < body_pocty[slot]; i++)
      if (znacka_platna(slot, i)) {
        body.souradnice.push_back(
            {body_souradnice[slot][i][0], body_souradnice[slot][i][1], body_souradnice[slot][i][2]});
        body.polohy.push_back(slot);
      }
  return body;
}

// The surface as the programs build it, and the check whether it bounds a
// volume that they run after it.
void mer(benchmark::State& stav, const Body& body) {
  Plocha plocha;
  std::string chyba;
  KontrolaObjemu k;
  for (auto _ : stav) {
    if (!postav_plochu(body.souradnice, body.polohy, &plocha, &chyba)) stav.SkipWithError(chyba.c_str());
    std::vector<std::array<double, 3>> vrcholy;
    for (const auto& v : plocha.vrcholy) vrcholy.push_back({v[0], v[1], v[2]});
    k = zkontroluj_objem(vrcholy, plocha.trojuhelniky);
    benchmark::DoNotOptimize(plocha.trojuhelniky.data());
  }
  if (!k.ohranicuje) stav.SkipWithError(("does not bound a volume: " + k.proc).c_str());
  std::vector<std::vector<int>> steny;
  for (const auto& t : plocha.trojuhelniky) steny.push_back({t[0], t[1], t[2]});
  const RozborSite r = rozbor_site(steny);
  stav.counters["points"] = static_cast<double>(body.souradnice.size());
  stav.counters["vertices"] = static_cast<double>(plocha.vrcholy.size());
  stav.counters["triangles"] = r.trojuhelniku;
  stav.counters["open_edges"] = r.otevrenych;
  stav.counters["non_manifold"] = r.nemanifoldnich;
}

void SampleScene253(benchmark::State& stav) {
  static const Body body = [] {
    zrekonstruuj_scenu(vytvor_scenu(NastaveniSceny{}));
    return body_slotu();
  }();
  mer(stav, body);
}

void FivePositionsOf73(benchmark::State& stav) {
  static const Body body = [] {
    nastav_body(vaza(5, 73));
    return body_slotu();
  }();
  mer(stav, body);
}

}  // namespace

BENCHMARK(SampleScene253)->Unit(benchmark::kMillisecond);
BENCHMARK(FivePositionsOf73)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
