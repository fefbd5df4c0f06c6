// Loading the decoder's display module on first use.
#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "decoder/display_module.h"

namespace {

// The module beside the running program, else where the build put it.
std::string cesta_modulu() {
  char cesta[4096];
  const ssize_t n = readlink("/proc/self/exe", cesta, sizeof cesta - 1);
  if (n > 0) {
    std::string s(cesta, static_cast<std::size_t>(n));
    s = s.substr(0, s.rfind('/') + 1) + "decoder_display.so";
    if (access(s.c_str(), R_OK) == 0) return s;
  }
  return DECODER_DISPLAY_MODULE;
}

void* funkce(const char* jmeno, std::string* duvod) {
  static void* modul = nullptr;
  static std::string chyba;
  if (modul == nullptr && chyba.empty()) {
    // Kept loaded to the end of the process: the window library keeps
    // threads and handlers of its own.
    modul = dlopen(cesta_modulu().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (modul == nullptr) {
      const char* d = dlerror();
      chyba = d != nullptr ? d : "unknown error";
    }
  }
  void* f = modul != nullptr ? dlsym(modul, jmeno) : nullptr;
  if (f == nullptr && duvod != nullptr)
    *duvod = "the display module cannot be loaded: " +
             (chyba.empty() ? std::string(jmeno) + " is missing" : chyba);
  return f;
}

}  // namespace

bool dekoduj_knihovnou(const unsigned char* data, std::size_t n, cv::Mat& obraz,
                       std::string* duvod) {
  const auto f = reinterpret_cast<DekodujFn>(funkce(jmeno_dekoduj, duvod));
  if (f == nullptr) return false;
  f(data, n, &obraz);
  return true;
}

bool displej_modulem(std::string* duvod) {
  const auto f = reinterpret_cast<DisplejFn>(funkce(jmeno_displej, duvod));
  return f != nullptr && f();
}

bool ukaz_modulem(const cv::Mat& nahled1, const cv::Mat& nahled2, int* klavesa,
                  std::string* duvod) {
  const auto f = reinterpret_cast<UkazFn>(funkce(jmeno_ukaz, duvod));
  if (f == nullptr) return false;
  *klavesa = f(&nahled1, &nahled2);
  return true;
}
