// The segment growth's partner lists.
#include "model/partner_lists.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr float zadna_vzdalenost = 65535.0f;
// Bins per partner, and the most partners a bin may hold for the sort by
// insertion to stay cheap.
constexpr std::uint32_t prihradek_na_partnera = 2;
constexpr std::uint32_t nejvice_v_prihradce = 32;

// Scratch space for the partners of one point: distances, sort keys (the
// bits of the distance, a float that is not negative and not NaN and whose
// bits therefore grow with its value, above the index), the bins.
struct Pracovni {
  std::vector<float> d;
  std::vector<std::uint64_t> klice, serazene;
  std::vector<std::uint32_t> prihradky, prihradka;
  explicit Pracovni(std::size_t n)
      : d(n), klice(n), serazene(n), prihradky(prihradek_na_partnera * n), prihradka(n) {}
};

// Sorts klice[0..m) into serazene: distributed into bins by the square of
// the distance (which spreads the partners of a point of a plane about
// evenly; the bin never falls as the distance grows), then put in order by
// insertion, which only moves keys within their bin. When a bin holds too
// many keys (clustered distances) a comparison sort does it instead.
void serad(Pracovni& p, std::uint32_t m) {
  float nejvetsi = 0;
  for (std::uint32_t k = 0; k < m; k++) nejvetsi = std::max(nejvetsi, p.d[k]);
  const std::uint32_t prihradek = prihradek_na_partnera * m;
  const double meritko = nejvetsi > 0 ? (prihradek - 0.5) / (static_cast<double>(nejvetsi) * nejvetsi) : 0;
  std::fill(p.prihradky.begin(), p.prihradky.begin() + prihradek, 0);
  std::uint32_t nejplnejsi = 0;
  for (std::uint32_t k = 0; k < m; k++) {
    const auto b = static_cast<std::uint32_t>(static_cast<double>(p.d[k]) * p.d[k] * meritko);
    p.prihradka[k] = b;
    nejplnejsi = std::max(nejplnejsi, ++p.prihradky[b]);
  }
  if (nejplnejsi > nejvice_v_prihradce) {
    std::copy(p.klice.begin(), p.klice.begin() + m, p.serazene.begin());
    std::sort(p.serazene.begin(), p.serazene.begin() + m);
    return;
  }
  std::uint32_t soucet = 0;
  for (std::uint32_t k = 0; k < prihradek; k++) soucet += std::exchange(p.prihradky[k], soucet);
  for (std::uint32_t k = 0; k < m; k++) p.serazene[p.prihradky[p.prihradka[k]]++] = p.klice[k];
  std::uint64_t* s = p.serazene.data();
  for (std::uint32_t k = 1; k < m; k++) {
    const std::uint64_t x = s[k];
    std::uint32_t q = k;
    for (; q > 0 && x < s[q - 1]; q--) s[q] = s[q - 1];
    s[q] = x;
  }
}

}  // namespace

SeznamyPartneru::SeznamyPartneru(const std::vector<BodRoviny>& body) {
  const int n = static_cast<int>(body.size());
  meze_.assign(body.size() + 1, 0);
  if (n == 0) return;
  // At most n - 1 partners each; the unused end is cut off at the end.
  partneri_.resize(body.size() * (body.size() - 1));
  Pracovni p(body.size());
  for (int i = 0; i < n; i++) {
    // Every j is written, and kept (m counts it) when it is a partner.
    std::uint32_t m = 0;
    const BodRoviny bod = body[i];
    for (int j = 0; j < n; j++) {
      const float d = vzdalenost_v_rovine(bod, body[j]);
      std::uint32_t bity;
      std::memcpy(&bity, &d, sizeof bity);
      p.d[m] = d;
      p.klice[m] = (static_cast<std::uint64_t>(bity) << 32) | static_cast<std::uint32_t>(j);
      m += (d < zadna_vzdalenost) & (j != i);
    }
    if (m > 0) serad(p, m);
    const std::size_t od = meze_[i];
    for (std::uint32_t k = 0; k < m; k++) partneri_[od + k] = static_cast<std::int32_t>(p.serazene[k]);
    meze_[i + 1] = od + m;
  }
  partneri_.resize(meze_[body.size()]);
}
