// Times the surface of the turned marker points (postav_plochu: the
// advancing-front reconstruction, closing the holes, orienting and the vertex
// normals) on the sample scene's 253 turned points and on the 365 points of
// five full turntable positions (73 markers each) of a vase-like object.
//
//   build/bench/surface_bench
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "model/mesh_analysis.h"
#include "model/surface_reconstruction.h"
#include "reconstruction/scene_tables.h"
#include "tests/model/point_sets.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/sample_scene.h"

namespace {

std::vector<std::array<float, 3>> body_slotu() {
  std::vector<std::array<float, 3>> body;
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < body_pocty[slot]; i++)
      if (znacka_platna(slot, i))
        body.push_back({body_souradnice[slot][i][0], body_souradnice[slot][i][1], body_souradnice[slot][i][2]});
  return body;
}

void mer(benchmark::State& stav, const std::vector<std::array<float, 3>>& body) {
  Plocha plocha;
  std::string chyba;
  for (auto _ : stav) {
    if (!postav_plochu(body, &plocha, &chyba)) stav.SkipWithError(chyba.c_str());
    benchmark::DoNotOptimize(plocha.trojuhelniky.data());
  }
  std::vector<std::vector<int>> steny;
  for (const auto& t : plocha.trojuhelniky) steny.push_back({t[0], t[1], t[2]});
  const RozborSite r = rozbor_site(steny);
  stav.counters["points"] = static_cast<double>(body.size());
  stav.counters["triangles"] = r.trojuhelniku;
  stav.counters["open_edges"] = r.otevrenych;
  stav.counters["non_manifold"] = r.nemanifoldnich;
}

void SampleScene253(benchmark::State& stav) {
  static const std::vector<std::array<float, 3>> body = [] {
    zrekonstruuj_scenu(vytvor_scenu(NastaveniSceny{}));
    return body_slotu();
  }();
  mer(stav, body);
}

void FivePositionsOf73(benchmark::State& stav) {
  static const std::vector<std::array<float, 3>> body = [] {
    nastav_body(vaza(5, 73));
    return body_slotu();
  }();
  mer(stav, body);
}

}  // namespace

BENCHMARK(SampleScene253)->Unit(benchmark::kMillisecond);
BENCHMARK(FivePositionsOf73)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
