// Loading modules beside the program, from the installed module directory,
// or in the build tree from where the build put them.
#include "common/module_loader.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

namespace {

// The directory of the running program, ending in '/', or empty.
std::string adresar_programu() {
  char program[4096];
  const ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
  if (n <= 0) return {};
  const std::string s(program, static_cast<std::size_t>(n));
  return s.substr(0, s.rfind('/') + 1);
}

// Whether `adresar` (ending in '/') lies inside the build tree; the tree is
// compared by its real path, and a tree that is gone holds nothing.
bool ve_stromu_sestaveni(const std::string& adresar) {
  char strom[PATH_MAX];
  if (realpath(SCANNER_BUILD_TREE, strom) == nullptr) return false;
  const std::string koren = std::string(strom) + "/";
  return adresar.compare(0, koren.size(), koren) == 0;
}

// The places nacti_modul tries, in order, for a program in `adresar`
// (ending in '/'; empty when the program's own path is unknown, which leaves
// only the build path).
std::vector<std::string> mista_modulu(const std::string& jmeno, const std::string& cesta_sestaveni,
                                      const std::string& adresar) {
  if (adresar.empty()) return {cesta_sestaveni};
  // The parent of the program's directory: "/usr/" for "/usr/bin/".
  const std::size_t lomitko = adresar.size() > 1 ? adresar.rfind('/', adresar.size() - 2) : std::string::npos;
  const std::string predek = lomitko != std::string::npos ? adresar.substr(0, lomitko + 1) : adresar + "../";
  std::vector<std::string> mista{adresar + jmeno, predek + SCANNER_MODULE_DIR + "/" + jmeno};
  if (ve_stromu_sestaveni(adresar)) mista.push_back(cesta_sestaveni);
  return mista;
}

}  // namespace

void* nacti_modul(const std::string& jmeno, const std::string& cesta_sestaveni, std::string* duvod) {
  const std::vector<std::string> mista = mista_modulu(jmeno, cesta_sestaveni, adresar_programu());
  std::string cesta = mista.back();
  for (const std::string& m : mista) {
    if (access(m.c_str(), R_OK) == 0) {
      cesta = m;
      break;
    }
  }
  void* modul = dlopen(cesta.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (modul == nullptr && duvod != nullptr) {
    const char* d = dlerror();
    *duvod = d != nullptr ? d : "unknown error";
  }
  return modul;
}

void* funkce_modulu(void* modul, const char* jmeno, std::string* duvod) {
  void* f = modul != nullptr ? dlsym(modul, jmeno) : nullptr;
  if (f == nullptr && modul != nullptr && duvod != nullptr) *duvod = std::string(jmeno) + " is missing";
  return f;
}
