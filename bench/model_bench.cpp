// Times the fast model builder of this program's configuration (polar or
// projection) against the plain reference builder on the same turntable-like
// point sets, checks per set that both leave the same segments, polygons and
// records, and prints the ratio of their times.
//
// Each fast builder's time is the median of five repetitions (each the mean
// of as many runs as fill half a second), so that a moment of other load on
// the machine does not decide it. The fast builders are timed first, all of
// them: a plain builder keeps a core busy for up to half a minute, and on
// the development machine the next second or so then runs about a fifth
// slower (the polar model of 365 points took 5.5 ms on average right after
// it, 4.6 ms after a pause).
//
//   build/bench/model_bench_polar
//   build/bench/model_bench_projection
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "model/instruction_pool.h"
#include "model/polar_model.h"
#include "model/projection_model.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"
#include "tests/model/point_sets.h"

namespace {

constexpr bool polar = konfigurace::je_polar;
const char* const nazev_modelu = polar ? "polar" : "projection";

// Point sets: five turntable positions of a vase-like object; the
// projection model also takes the four reference marks of slot 9.
void priprav_body(int bodu) {
  const int na_pozici = (bodu - (polar ? 0 : 4)) / 5;
  nastav_body(vaza(5, na_pozici));
  if (!polar) nastav_osu_a_znacky();
}

void vycisti_vystupy() {
  vyprazdni_model();
  usecky_proviz_pocet = 0;
  pocetusecek3d = 0;
}

// Runs a builder with standard output sent to /dev/null (the builders print
// a progress line every 100 steps).
void bez_vystupu(void (*builder)()) {
  std::fflush(stdout);
  const int ulozeny = dup(1);
  const int nic = open("/dev/null", O_WRONLY);
  dup2(nic, 1);
  close(nic);
  builder();
  std::fflush(stdout);
  dup2(ulozeny, 1);
  close(ulozeny);
}

void rychly_builder() {
  if constexpr (polar) postav_polar_model();
  else (void)projection_model3D();
}

void doslovny_builder() {
  if constexpr (polar) postav_polar_model_doslovne();
  else projection_model3D_doslovne();
}

struct Otisk {
  std::vector<std::int32_t> usecky;
  std::vector<std::uintptr_t> polygony;
  std::vector<unsigned char> prunik_bajty;
  bool operator==(const Otisk& o) const {
    return usecky == o.usecky && polygony == o.polygony && prunik_bajty == o.prunik_bajty;
  }
};

Otisk otisk() {
  Otisk o;
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    o.usecky.push_back(usecky_provizorni[s][0]);
    o.usecky.push_back(usecky_provizorni[s][1]);
  }
  std::map<const PolygonInstrukce*, int> sloty;
  for (int k = 0; k < kapacita_instrukci; k++)
    if (instrukce_polygonu[k] != nullptr) sloty[instrukce_polygonu[k]] = k;
  for (auto* e = model1.Prvni(); e != nullptr; e = e->dalsi) {
    for (auto* i = e->hodnota->instrukce.Prvni(); i != nullptr; i = i->dalsi) o.polygony.push_back(sloty[i->hodnota]);
    o.polygony.push_back(e->hodnota->cervena | (e->hodnota->zelena << 16));
    o.polygony.push_back(e->hodnota->modra);
  }
  const auto* zacatek = reinterpret_cast<const unsigned char*>(prunik);
  o.prunik_bajty.assign(zacatek, zacatek + sizeof(ZaznamUsecky) * static_cast<std::size_t>(pocetusecek3d));
  return o;
}

// What the fast builder left, per point count, and whether the plain one
// left the same.
std::map<int, Otisk> rychle_otisky;
std::map<int, bool> shoda;

void BM_rychly(benchmark::State& stav) {
  const int bodu = static_cast<int>(stav.range(0));
  for (auto _ : stav) {
    stav.PauseTiming();
    priprav_body(bodu);
    vycisti_vystupy();
    stav.ResumeTiming();
    bez_vystupu(rychly_builder);
  }
  rychle_otisky[bodu] = otisk();
  stav.counters["segments"] = usecky_proviz_pocet;
}

void BM_doslovny(benchmark::State& stav) {
  const int bodu = static_cast<int>(stav.range(0));
  for (auto _ : stav) {
    stav.PauseTiming();
    priprav_body(bodu);
    vycisti_vystupy();
    stav.ResumeTiming();
    bez_vystupu(doslovny_builder);
  }
  const auto rychly = rychle_otisky.find(bodu);
  shoda[bodu] = rychly != rychle_otisky.end() && rychly->second == otisk() && !rychly->second.usecky.empty();
  stav.counters["segments"] = usecky_proviz_pocet;
}

// Collects the time per iteration of every run for the ratio lines.
class Zapisovac : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& behy) override {
    for (const Run& beh : behy)
      if (beh.iterations > 0) casy[beh.benchmark_name()] = beh.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(behy);
  }
  std::map<std::string, double> casy;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<int> velikosti = polar ? std::vector<int>{100, 325, 365} : std::vector<int>{100, 325, 369};
  for (int bodu : velikosti)
    benchmark::RegisterBenchmark((std::string(nazev_modelu) + "/fast").c_str(), BM_rychly)
        ->Arg(bodu)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
  for (int bodu : velikosti)
    benchmark::RegisterBenchmark((std::string(nazev_modelu) + "/plain").c_str(), BM_doslovny)
        ->Arg(bodu)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  benchmark::Initialize(&argc, argv);
  Zapisovac zapisovac;
  benchmark::RunSpecifiedBenchmarks(&zapisovac);
  for (int bodu : velikosti) {
    const std::string rychly = std::string(nazev_modelu) + "/fast/" + std::to_string(bodu) + "/repeats:5_median";
    const std::string doslovny = std::string(nazev_modelu) + "/plain/" + std::to_string(bodu) + "/iterations:1";
    if (zapisovac.casy.count(rychly) == 0 || zapisovac.casy.count(doslovny) == 0) continue;
    std::printf("%s model, %d points: plain %.1f ms, fast %.3f ms, ratio %.0f, results identical: %s\n",
                nazev_modelu, bodu, zapisovac.casy[doslovny], zapisovac.casy[rychly],
                zapisovac.casy[doslovny] / zapisovac.casy[rychly], shoda[bodu] ? "yes" : "NO");
  }
  benchmark::Shutdown();
  return 0;
}
