// Loading modules beside the program.
#include "common/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

void* nacti_modul(const std::string& jmeno, const std::string& cesta_sestaveni, std::string* duvod) {
  std::string cesta = cesta_sestaveni;
  char program[4096];
  const ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
  if (n > 0) {
    std::string s(program, static_cast<std::size_t>(n));
    s = s.substr(0, s.rfind('/') + 1) + jmeno;
    if (access(s.c_str(), R_OK) == 0) cesta = s;
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
