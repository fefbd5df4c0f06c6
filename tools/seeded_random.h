// A small seeded random generator whose sequence is fixed by the seed alone
// (splitmix64), on every platform and standard library, so that a sample
// scene is reproduced byte for byte from its seed.
#pragma once

#include <cstdint>

class Nahoda {
 public:
  explicit Nahoda(std::uint64_t seed) : stav_(seed) {}

  std::uint64_t dalsi() {
    std::uint64_t z = (stav_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [od, do_) from the top 53 bits.
  double rovnomerne(double od, double do_) {
    const double u = static_cast<double>(dalsi() >> 11) * (1.0 / 9007199254740992.0);
    return od + (do_ - od) * u;
  }

 private:
  std::uint64_t stav_;
};
