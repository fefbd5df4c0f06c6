// Edge, orientation and component counts of a polygon mesh.
#include "model/mesh_analysis.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "common/geometry.h"

namespace {

struct UzitiHrany {
  int dopredu = 0;  // faces running from the lower to the higher index
  int dozadu = 0;
  int prvni_stena = -1;
};

std::uint64_t klic_hrany(int a, int b) {
  const auto mensi = static_cast<std::uint32_t>(std::min(a, b));
  const auto vetsi = static_cast<std::uint32_t>(std::max(a, b));
  return (static_cast<std::uint64_t>(mensi) << 32) | vetsi;
}

// Calls navstiv(a, b) for every edge of the face in its running direction.
template <class F>
void pro_hrany_steny(const std::vector<int>& stena, F navstiv) {
  const std::size_t n = stena.size();
  for (std::size_t i = 0; i < n; i++) {
    const int a = stena[i];
    const int b = stena[(i + 1) % n];
    if (a != b) navstiv(a, b);
  }
}

std::unordered_map<std::uint64_t, UzitiHrany> hrany_site(const std::vector<std::vector<int>>& steny) {
  std::unordered_map<std::uint64_t, UzitiHrany> hrany;
  for (std::size_t s = 0; s < steny.size(); s++)
    pro_hrany_steny(steny[s], [&](int a, int b) {
      UzitiHrany& u = hrany[klic_hrany(a, b)];
      (a < b ? u.dopredu : u.dozadu)++;
      if (u.prvni_stena < 0) u.prvni_stena = static_cast<int>(s);
    });
  return hrany;
}

int koren(std::vector<int>& rodic, int i) {
  while (rodic[i] != i) i = rodic[i] = rodic[rodic[i]];
  return i;
}

}  // namespace

std::vector<int> komponenty_sten(const std::vector<std::vector<int>>& steny, int* pocet) {
  std::vector<int> rodic(steny.size());
  std::iota(rodic.begin(), rodic.end(), 0);
  std::unordered_map<std::uint64_t, int> prvni;
  for (std::size_t s = 0; s < steny.size(); s++)
    pro_hrany_steny(steny[s], [&](int a, int b) {
      auto [it, nova] = prvni.emplace(klic_hrany(a, b), static_cast<int>(s));
      if (!nova) rodic[koren(rodic, static_cast<int>(s))] = koren(rodic, it->second);
    });
  std::vector<int> cislo(steny.size(), -1), vysledek(steny.size());
  int komponent = 0;
  for (std::size_t s = 0; s < steny.size(); s++) {
    const int k = koren(rodic, static_cast<int>(s));
    if (cislo[k] < 0) cislo[k] = komponent++;
    vysledek[s] = cislo[k];
  }
  if (pocet != nullptr) *pocet = komponent;
  return vysledek;
}

RozborSite rozbor_site(const std::vector<std::vector<int>>& steny) {
  RozborSite r;
  r.sten = static_cast<int>(steny.size());
  for (const auto& s : steny)
    if (s.size() == 3) r.trojuhelniku++;
  for (const auto& [klic, u] : hrany_site(steny)) {
    const int pocet = u.dopredu + u.dozadu;
    r.hran++;
    if (pocet == 1) r.otevrenych++;
    if (pocet > 2) r.nemanifoldnich++;
    if (u.dopredu > 1 || u.dozadu > 1) r.nekonzistentnich++;
  }
  komponenty_sten(steny, &r.komponent);
  r.uzavrena = r.sten > 0 && r.otevrenych == 0 && r.nemanifoldnich == 0;
  return r;
}

double objem_site(const std::vector<std::array<double, 3>>& vrcholy,
                  const std::vector<std::vector<int>>& steny, const std::array<double, 3>& stred,
                  const std::vector<bool>& vyber) {
  auto rozdil = [&](int i) {
    const auto& p = vrcholy[static_cast<std::size_t>(i)];
    return std::array<double, 3>{p[0] - stred[0], p[1] - stred[1], p[2] - stred[2]};
  };
  double objem = 0;
  for (std::size_t s = 0; s < steny.size(); s++) {
    if (!vyber.empty() && !vyber[s]) continue;
    const std::vector<int>& f = steny[s];
    for (std::size_t i = 1; i + 1 < f.size(); i++) {
      const auto a = rozdil(f[0]), b = rozdil(f[i]), c = rozdil(f[i + 1]);
      double bc[3];
      vektorove(b.data(), c.data(), bc);
      objem += skalarne(a.data(), bc);
    }
  }
  return objem / 6.0;
}
