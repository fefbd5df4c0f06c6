// Replays inputs through a fuzz target without libFuzzer: every file named on
// the command line, and every regular file inside a named directory (in name
// order), is read whole and passed to LLVMFuzzerTestOneInput once. A
// sanitizer finding or a crash ends the run with its own report; a path that
// does not exist or cannot be read is an error, so a missing corpus cannot
// pass unnoticed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

namespace fs = std::filesystem;

namespace {

bool prehraj(const fs::path& cesta) {
  std::ifstream in(cesta, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", cesta.c_str());
    return false;
  }
  const std::vector<char> obsah((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(obsah.data()), obsah.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int prehrano = 0;
  for (int i = 1; i < argc; ++i) {
    const fs::path cesta(argv[i]);
    std::error_code ec;
    if (fs::is_directory(cesta, ec)) {
      std::vector<fs::path> soubory;
      for (const fs::directory_entry& e : fs::directory_iterator(cesta))
        if (e.is_regular_file()) soubory.push_back(e.path());
      std::sort(soubory.begin(), soubory.end());
      if (soubory.empty()) {
        std::fprintf(stderr, "%s: holds no input\n", cesta.c_str());
        return 1;
      }
      for (const fs::path& s : soubory) {
        if (!prehraj(s)) return 1;
        ++prehrano;
      }
    } else if (fs::is_regular_file(cesta, ec)) {
      if (!prehraj(cesta)) return 1;
      ++prehrano;
    } else {
      std::fprintf(stderr, "%s: no such file or directory\n", cesta.c_str());
      return 1;
    }
  }
  std::printf("replayed %d inputs\n", prehrano);
  return prehrano > 0 ? 0 : 1;
}
