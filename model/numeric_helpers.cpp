// Numeric helpers; their exact results at the edges matter to the callers.
#include "model/numeric_helpers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "common/geometry.h"

namespace {
constexpr float zadne_reseni = -65535.0f;
}  // namespace

int porovnejfloat(float a, float b, float eps) {
  float d = a - b;
  if (0 > d) d = abs_float(d);
  if (eps > d) return 0;
  if (a > b) return 1;
  if (b > a) return 2;
  return 1;
}

DvaUhly invsin(float x) {
  if (x >= -1 && x <= 1) {
    const float prvni = static_cast<float>(std::asin(static_cast<double>(x)));
    return {prvni, static_cast<float>(pi_programu - prvni)};
  }
  return {zadne_reseni, zadne_reseni};
}

DvaUhly invcos(float x) {
  if (x >= -1 && x <= 1) {
    const float prvni = static_cast<float>(std::acos(static_cast<double>(x)));
    return {prvni, static_cast<float>(dve_pi_programu - prvni)};
  }
  return {zadne_reseni, zadne_reseni};
}

int signum(float x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

int abs_int(int a) {
  // The most negative int has no positive counterpart; it is returned as it
  // is (the two's-complement negation), without signed overflow.
  if (a < 0) return static_cast<int>(0u - static_cast<unsigned>(a));
  return a;
}

float abs_float(float x) {
  if (x < 0) {
    std::uint32_t bity;
    std::memcpy(&bity, &x, sizeof bity);
    bity &= 0x7fffffffu;
    std::memcpy(&x, &bity, sizeof bity);
  }
  return x;
}

int faktorial(int n) {
  std::uint32_t vysledek = 1;
  for (int i = 1; i <= n; i++) vysledek *= static_cast<std::uint32_t>(i);
  return static_cast<int>(vysledek);
}

bool prekryti_intervalu_f(float a, float b, float c, float d) {
  if (a > b) {
    const float t = a;
    a = b;
    b = t;
  }
  if (c > d) {
    const float t = c;
    c = d;
    d = t;
  }
  return !(a > d || c > b);
}

void ftoa(float x, char* text) {
  if (text[0] != '\0') text[0] = '\0';
  if (std::isnan(x)) {
    std::strcat(text, "N");
    return;
  }
  const long double soucin = static_cast<long double>(x) * 1000000.0f;
  if (!(soucin > std::numeric_limits<std::int32_t>::min() - 1.0L &&
        soucin < std::numeric_limits<std::int32_t>::max() + 1.0L)) {
    std::snprintf(text, 19, "%.6e", static_cast<double>(x));
    return;
  }
  const auto v = static_cast<std::int32_t>(soucin);
  if (v < 0) std::strcat(text, "-");
  const auto w = static_cast<std::int32_t>(x);
  char cislo[16];
  std::snprintf(cislo, sizeof cislo, "%u",
                w < 0 ? 0u - static_cast<unsigned>(w) : static_cast<unsigned>(w));
  std::strcat(text, cislo);
  std::strcat(text, ".");
  const std::uint32_t absolutni = v < 0 ? 0u - static_cast<std::uint32_t>(v)
                                        : static_cast<std::uint32_t>(v);
  std::snprintf(cislo, sizeof cislo, "%u", absolutni % 1000000u + 2000000u);
  std::strcat(text, cislo + 1);
}

void uhel2D() {}
