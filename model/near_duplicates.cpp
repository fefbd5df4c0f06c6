#include "model/near_duplicates.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>
#include <tuple>

namespace {

double ctverec_vzdalenosti(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  const double dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
  return dx * dx + dy * dy + dz * dz;
}

// Union-find with the positions each group holds.
struct Skupiny {
  std::vector<std::size_t> rodic;
  std::vector<std::set<int>> polohy;

  std::size_t koren(std::size_t i) {
    while (rodic[i] != i) i = rodic[i] = rodic[rodic[i]];
    return i;
  }

  void spoj(std::size_t a, std::size_t b) {
    a = koren(a);
    b = koren(b);
    if (a == b) return;
    for (int p : polohy[b])
      if (polohy[a].count(p) > 0) return;  // one point per position
    if (a > b) std::swap(a, b);
    rodic[b] = a;
    polohy[a].insert(polohy[b].begin(), polohy[b].end());
    polohy[b].clear();
  }
};

// The nearest points of point i that stand out as its repeats, as pairs
// (squared distance, i, j); none when they do not.
void opakovani(const std::vector<std::array<double, 3>>& body, const std::vector<int>& polohy, std::size_t i,
               std::size_t nejvic, std::vector<std::tuple<double, std::size_t, std::size_t>>& pary) {
  std::vector<std::pair<double, std::size_t>> blizke;
  for (std::size_t j = 0; j < body.size(); j++)
    if (j != i) blizke.emplace_back(ctverec_vzdalenosti(body[i], body[j]), j);
  const std::size_t vzit = std::min(nejvic + 1, blizke.size());
  std::partial_sort(blizke.begin(), blizke.begin() + static_cast<std::ptrdiff_t>(vzit), blizke.end());
  std::set<int> videne{polohy[i]};
  for (std::size_t k = 1; k < vzit; k++) {
    if (!videne.insert(polohy[blizke[k - 1].second]).second) return;  // a position twice
    if (blizke[k].first >= mezera * mezera * blizke[k - 1].first) {
      for (std::size_t m = 0; m < k; m++) pary.emplace_back(blizke[m].first, std::min(i, blizke[m].second),
                                                            std::max(i, blizke[m].second));
      return;
    }
  }
}

}  // namespace

std::vector<std::size_t> zastupci_dvojniku(const std::vector<std::array<double, 3>>& body,
                                           const std::vector<int>& polohy) {
  const std::size_t n = body.size();
  const std::size_t poloh = std::set<int>(polohy.begin(), polohy.end()).size();
  std::vector<std::tuple<double, std::size_t, std::size_t>> pary;
  if (poloh > 1)
    for (std::size_t i = 0; i < n; i++) opakovani(body, polohy, i, poloh - 1, pary);
  std::sort(pary.begin(), pary.end());
  Skupiny s;
  s.rodic.resize(n);
  std::iota(s.rodic.begin(), s.rodic.end(), 0);
  for (std::size_t i = 0; i < n; i++) s.polohy.push_back({polohy[i]});
  for (const auto& [d, i, j] : pary) s.spoj(i, j);

  std::vector<std::vector<std::size_t>> cleny(n);
  for (std::size_t i = 0; i < n; i++) cleny[s.koren(i)].push_back(i);
  std::vector<std::size_t> zastupce(n);
  for (const auto& skupina : cleny) {
    std::size_t nejlepsi = 0;
    double nejmensi = std::numeric_limits<double>::infinity();
    for (std::size_t a : skupina) {
      double soucet = 0;
      for (std::size_t b : skupina) soucet += ctverec_vzdalenosti(body[a], body[b]);
      if (soucet < nejmensi) {
        nejmensi = soucet;
        nejlepsi = a;
      }
    }
    for (std::size_t a : skupina) zastupce[a] = nejlepsi;
  }
  return zastupce;
}
