// Loading the decoder's display module on first use.
#include <string>

#include "common/module_loader.h"
#include "decoder/display_module.h"

namespace {

void* funkce(const char* jmeno, std::string* duvod) {
  static void* modul = nullptr;
  static std::string chyba;
  if (modul == nullptr && chyba.empty())
    modul = nacti_modul("decoder_display.so", DECODER_DISPLAY_MODULE, &chyba);
  void* f = funkce_modulu(modul, jmeno, &chyba);
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
