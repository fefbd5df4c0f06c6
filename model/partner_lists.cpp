// The segment growth's partner lists, sorted by a radix sort.
#include "model/partner_lists.h"

#include <algorithm>
#include <utility>

namespace {

constexpr float zadna_vzdalenost = 65535.0f;

struct Prvek {
  float d;
  std::int32_t j;
};

bool pred(const Prvek& a, const Prvek& b) { return a.d < b.d || (a.d == b.d && a.j < b.j); }

// Sorts the elements from `od` to `do_` by (d, j): few of them by
// insertion, more by std::sort.
void serad_prihradku(Prvek* od, Prvek* do_) {
  if (do_ - od > 16) {
    std::sort(od, do_, pred);
    return;
  }
  for (Prvek* p = od + 1; p < do_; p++) {
    const Prvek x = *p;
    Prvek* q = p;
    for (; q > od && pred(x, q[-1]); q--) *q = q[-1];
    *q = x;
  }
}

// Sorts the m elements at prvky by (d, j) into pomocne: distributed into
// m bins by the square of the distance (which spreads the partners of a
// point in a plane about evenly), each bin then sorted on its own. The bin
// grows with the distance, so the bins come in order of the keys.
void serad(const Prvek* prvky, Prvek* pomocne, std::uint32_t m, std::vector<std::uint32_t>& prihradky) {
  float nejvetsi = 0;
  for (std::uint32_t k = 0; k < m; k++) nejvetsi = std::max(nejvetsi, prvky[k].d);
  const double meritko = nejvetsi > 0 ? (m - 0.5) / (static_cast<double>(nejvetsi) * nejvetsi) : 0;
  const auto prihradka = [&](float d) { return static_cast<std::uint32_t>(static_cast<double>(d) * d * meritko); };
  prihradky.assign(m, 0);
  for (std::uint32_t k = 0; k < m; k++) prihradky[prihradka(prvky[k].d)]++;
  std::uint32_t soucet = 0;
  for (std::uint32_t& c : prihradky) soucet += std::exchange(c, soucet);
  for (std::uint32_t k = 0; k < m; k++) pomocne[prihradky[prihradka(prvky[k].d)]++] = prvky[k];
  // Each bin's counter now stands at the start of the next bin.
  std::uint32_t zacatek = 0;
  for (std::uint32_t konec : prihradky) {
    if (konec - zacatek > 1) serad_prihradku(pomocne + zacatek, pomocne + konec);
    zacatek = konec;
  }
}

}  // namespace

SeznamyPartneru::SeznamyPartneru(const std::vector<BodRoviny>& body) {
  const int n = static_cast<int>(body.size());
  meze_.assign(body.size() + 1, 0);
  if (n == 0) return;
  partneri_.reserve(body.size() * (body.size() - 1));
  std::vector<Prvek> prvky(body.size()), pomocne(body.size());
  std::vector<std::uint32_t> prihradky;
  for (int i = 0; i < n; i++) {
    std::uint32_t m = 0;
    for (int j = 0; j < n; j++) {
      if (j == i) continue;
      const float d = vzdalenost_v_rovine(body[i], body[j]);
      if (!(d < zadna_vzdalenost)) continue;
      prvky[m++] = {d, j};
    }
    if (m > 0) serad(prvky.data(), pomocne.data(), m, prihradky);
    for (std::uint32_t k = 0; k < m; k++) partneri_.push_back(pomocne[k].j);
    meze_[i + 1] = partneri_.size();
  }
}
