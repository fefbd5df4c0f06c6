// Times the profile model against the plain reference builder on one
// turntable position of a vase-like object (its markers seen by camera 1),
// checks that both leave the same segments and polygons, and prints both
// times (a slot holds at most 65 markers in this program).
//
//   build/bench/profile_model_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "model/instruction_pool.h"
#include "model/profile_model.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"
#include "tests/model/point_sets.h"

namespace {

// One position of the vase with its camera 1 pixels from a plain pinhole
// looking along +y (the object stands about 224 units away).
void priprav_slot(int bodu) {
  nastav_body(vaza(1, bodu));
  for (int i = 0; i < body_pocty[0]; i++) {
    const float* p = body_souradnice[0][i];
    body_data[0][i].x1 = static_cast<int>(320 + 600 * p[0] / p[1]);
    body_data[0][i].y1 = static_cast<int>(240 - 600 * p[2] / p[1]);
  }
  vyprazdni_model();
  usecky_proviz_pocet = 0;
}

std::vector<int> otisk() {
  std::vector<int> o;
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    o.push_back(usecky_provizorni[s][0]);
    o.push_back(usecky_provizorni[s][1]);
  }
  for (auto* e = model1.Prvni(); e != nullptr; e = e->dalsi) {
    for (auto* i = e->hodnota->instrukce.Prvni(); i != nullptr; i = i->dalsi)
      for (int k = 0; k < kapacita_instrukci; k++)
        if (instrukce_polygonu[k] == i->hodnota) o.push_back(k);
    o.push_back(e->hodnota->cervena);
  }
  return o;
}

// The builder as the benchmark's template argument takes.
void profil_rychle(int profil, int typ) { model3D(profil, typ); }

template <void (*Builder)(int, int)>
void BM_profil(benchmark::State& stav) {
  const int bodu = static_cast<int>(stav.range(0));
  for (auto _ : stav) {
    stav.PauseTiming();
    priprav_slot(bodu);
    stav.ResumeTiming();
    Builder(0, 2);
  }
  stav.counters["segments"] = usecky_proviz_pocet;
}

}  // namespace

BENCHMARK_TEMPLATE(BM_profil, profil_rychle)->Name("profile/fast")->Arg(konfigurace::znacek_na_slot)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_profil, model3D_doslovne)->Name("profile/plain")->Arg(konfigurace::znacek_na_slot)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  priprav_slot(konfigurace::znacek_na_slot);
  model3D(0, 2);
  const std::vector<int> rychly = otisk();
  priprav_slot(konfigurace::znacek_na_slot);
  model3D_doslovne(0, 2);
  std::printf("profile model, %d points: results identical: %s\n", konfigurace::znacek_na_slot,
              rychly == otisk() ? "yes" : "NO");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
