// The segment growth's partner lists, sorted by a radix sort.
#include "model/partner_lists.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

constexpr float zadna_vzdalenost = 65535.0f;
constexpr int bajtu_klice = 4;

struct Prvek {
  std::uint32_t klic;  // the bits of the distance
  std::int32_t j;
};

// Stable sort of the m elements at prvky by klic, one byte per pass from
// the lowest; a pass in which every key has the same byte changes nothing
// and is left out. pomocne is scratch space for m elements. Returns where
// the sorted elements are: prvky or pomocne.
Prvek* serad(Prvek* prvky, Prvek* pomocne, std::uint32_t m) {
  std::array<std::array<std::uint32_t, 256>, bajtu_klice> pocty{};
  for (std::uint32_t k = 0; k < m; k++)
    for (int b = 0; b < bajtu_klice; b++) pocty[b][(prvky[k].klic >> (8 * b)) & 0xff]++;
  for (int b = 0; b < bajtu_klice; b++) {
    std::array<std::uint32_t, 256>& pocet = pocty[b];
    if (pocet[(prvky[0].klic >> (8 * b)) & 0xff] == m) continue;
    std::uint32_t soucet = 0;
    for (std::uint32_t& c : pocet) soucet += std::exchange(c, soucet);
    for (std::uint32_t k = 0; k < m; k++) pomocne[pocet[(prvky[k].klic >> (8 * b)) & 0xff]++] = prvky[k];
    std::swap(prvky, pomocne);
  }
  return prvky;
}

}  // namespace

SeznamyPartneru::SeznamyPartneru(const std::vector<BodRoviny>& body) {
  const int n = static_cast<int>(body.size());
  meze_.assign(body.size() + 1, 0);
  if (n == 0) return;
  partneri_.reserve(body.size() * (body.size() - 1));
  std::vector<Prvek> prvky(body.size()), pomocne(body.size());
  for (int i = 0; i < n; i++) {
    std::uint32_t m = 0;
    for (int j = 0; j < n; j++) {
      if (j == i) continue;
      const float d = vzdalenost_v_rovine(body[i], body[j]);
      if (!(d < zadna_vzdalenost)) continue;
      std::memcpy(&prvky[m].klic, &d, sizeof d);
      prvky[m++].j = j;
    }
    if (m > 0) {
      const Prvek* serazene = serad(prvky.data(), pomocne.data(), m);
      for (std::uint32_t k = 0; k < m; k++) partneri_.push_back(serazene[k].j);
    }
    meze_[i + 1] = partneri_.size();
  }
}
