// pairs_to_points' work on 10000 pairs, as the program does it: reading and
// parsing "data.txt", triangulating every pair with the compiled-in camera
// set-up and writing "pairs.ply" under a temporary name.
//
// The pairs are the rounded images of points on a grid around the turntable
// centre, projected through the compiled-in cameras (tools/camera_projection.h),
// with rows counted from the top as the decoder writes them.
//
// bench_pairs_to_points --data DIR writes that "data.txt" into DIR and exits
// (bench/run.sh times the whole program on it); otherwise the benchmark runs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pairs/pair_file.h"
#include "pairs/pair_points.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/atomic_file.h"
#include "tools/camera_projection.h"

namespace {

std::string data_10000_paru() {
  const SestavaKamer s = vychozi_sestava();
  std::string text = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";
  int paru = 0;
  for (double y = 122; y <= 150 && paru < max_paru; y += 2)
    for (double z = -16; z <= 16 && paru < max_paru; z += 1)
      for (double x = -9; x <= 18 && paru < max_paru; x += 1.2) {
        const PoziceVObraze a = promitni(s, 0, {x, y, z}), b = promitni(s, 1, {x, y, z});
        const long p[4] = {std::lround(a.sloupec), 479 - std::lround(a.radek),
                           std::lround(b.sloupec), 479 - std::lround(b.radek)};
        if (p[0] < 0 || p[0] > 639 || p[2] < 0 || p[2] > 639 || p[1] < 0 || p[1] > 479 ||
            p[3] < 0 || p[3] > 479)
          continue;
        for (long v : p) text += std::to_string(v) + "\n";
        paru++;
      }
  return text + "Q\n";
}

void PrevodDesetiTisicParu(benchmark::State& stav) {
  char sablona[] = "/tmp/bench_pairsXXXXXX";
  if (mkdtemp(sablona) == nullptr || chdir(sablona) != 0) {
    stav.SkipWithError("no temporary directory");
    return;
  }
  std::string chyba;
  if (!zapis_atomicky("data.txt", data_10000_paru(), &chyba)) {
    stav.SkipWithError(chyba.c_str());
    return;
  }
  std::size_t bodu = 0;
  for (auto _ : stav) {
    DataParu data;
    if (!nacti_pary("data.txt", "data.txt", &data, &chyba) ||
        !zapis_atomicky("pairs.ply", ply_bodu(trianguluj_pary(sestava_programu(), data.pary).body), &chyba)) {
      stav.SkipWithError(chyba.c_str());
      return;
    }
    bodu = data.pary.size();
  }
  stav.counters["pairs"] = static_cast<double>(bodu);
  std::remove("data.txt");
  std::remove("pairs.ply");
  rmdir(sablona);
}
BENCHMARK(PrevodDesetiTisicParu)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--data") {
    std::string chyba;
    if (!zapis_atomicky(std::string(argv[2]) + "/data.txt", data_10000_paru(), &chyba)) {
      std::fprintf(stderr, "bench_pairs_to_points: %s\n", chyba.c_str());
      return 1;
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
