// Decoding both cameras of the sample set (the 36 pattern images), and the
// pairing, as the decoder program does them; the console lines go to a
// discarded stream.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "decoder/code_identification.h"
#include "decoder/correspondence.h"
#include "decoder/decoder_state.h"

namespace {

void DekodovaniObouKamer(benchmark::State& stav) {
  if (chdir(DECODER_SAMPLE_DIR) != 0) {
    stav.SkipWithError("sample set directory missing");
    return;
  }
  // The console lines of the decoder go to /dev/null while it runs; the
  // benchmark's own report goes to the real standard output afterwards.
  std::fflush(stdout);
  const int puvodni = dup(1);
  std::FILE* nic = std::fopen("/dev/null", "w");
  dup2(fileno(nic), 1);
  nastav_uhel_v_textu(60);
  for (auto _ : stav) {
    VycistiBody();
    text[5] = '1';
    std::string chyba;
    if (!Identifikace2(1, &chyba)) {
      std::fflush(stdout);
      dup2(puvodni, 1);
      stav.SkipWithError(chyba.c_str());
      return;
    }
    text[5] = '2';
    if (!Identifikace2(2, &chyba)) {
      std::fflush(stdout);
      dup2(puvodni, 1);
      stav.SkipWithError(chyba.c_str());
      return;
    }
    KorespondujiciBody();
    benchmark::DoNotOptimize(kores_pocet);
  }
  std::fflush(stdout);
  dup2(puvodni, 1);
  close(puvodni);
  std::fclose(nic);
  stav.counters["pairs"] = kores_pocet;
}
BENCHMARK(DekodovaniObouKamer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
