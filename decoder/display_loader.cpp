// Loading the decoder's display module on first use.
#include <string>

#include "common/module_loader.h"
#include "decoder/display_module.h"

namespace {

struct Modul {
  void* handle = nullptr;
  std::string chyba;
};

void* funkce(const char* jmeno, std::string* duvod) {
  // Loaded once, on first use, also when decoding threads ask at the same
  // time (the initialisation of a local static runs exactly once).
  static const Modul modul = [] {
    Modul m;
    m.handle = nacti_modul("decoder_display.so", DECODER_DISPLAY_MODULE, &m.chyba);
    return m;
  }();
  std::string chyba = modul.chyba;
  void* f = funkce_modulu(modul.handle, jmeno, &chyba);
  if (f == nullptr && duvod != nullptr) *duvod = "the display module cannot be loaded: " + chyba;
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
