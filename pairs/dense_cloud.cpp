// Neighbour searches over the merged points (a k-d tree of the library).
#include "pairs/dense_cloud.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Orthogonal_k_neighbor_search.h>
#include <CGAL/Search_traits_3.h>
#include <CGAL/Search_traits_adapter.h>
#include <CGAL/linear_least_squares_fitting_3.h>
#include <CGAL/property_map.h>

#include <algorithm>
#include <boost/iterator/counting_iterator.hpp>
#include <cmath>

#include "common/ply_writer.h"

namespace {

using Jadro = CGAL::Exact_predicates_inexact_constructions_kernel;
using Bod = Jadro::Point_3;
using MapaBodu = CGAL::Pointer_property_map<Bod>::type;
using Vlastnosti = CGAL::Search_traits_adapter<std::size_t, MapaBodu, CGAL::Search_traits_3<Jadro>>;
using Hledani = CGAL::Orthogonal_k_neighbor_search<Vlastnosti>;
using Strom = Hledani::Tree;
using Vzdalenost = Hledani::Distance;

// The k-d tree of the points, and the nearest neighbours of each.
class Sousede {
 public:
  explicit Sousede(const std::vector<HustyBod>& body) {
    for (const HustyBod& b : body) body_.emplace_back(b.xyz[0], b.xyz[1], b.xyz[2]);
    mapa_ = CGAL::make_property_map(body_);
    strom_ = std::make_unique<Strom>(boost::counting_iterator<std::size_t>(0),
                                     boost::counting_iterator<std::size_t>(body_.size()),
                                     Strom::Splitter(), Vlastnosti(mapa_));
    strom_->build();
  }

  // The k nearest other points of point i: indices and distances.
  void nejblizsi(std::size_t i, int k, std::vector<std::size_t>* indexy, std::vector<double>* vzdalenosti) const {
    indexy->clear();
    vzdalenosti->clear();
    Hledani hledani(*strom_, body_[i], static_cast<unsigned>(k + 1), 0, true, Vzdalenost(mapa_));
    for (const auto& [j, d2] : hledani) {
      if (j == i) continue;
      if (static_cast<int>(indexy->size()) == k) break;
      indexy->push_back(j);
      vzdalenosti->push_back(std::sqrt(d2));
    }
  }

  const Bod& bod(std::size_t i) const { return body_[i]; }

 private:
  std::vector<Bod> body_;
  MapaBodu mapa_;
  std::unique_ptr<Strom> strom_;
};

}  // namespace

std::vector<int> odstran_odlehle(std::vector<HustyBod>* body, const std::vector<int>& uhly) {
  std::vector<int> odstraneno(uhly.size(), 0);
  if (body->size() <= static_cast<std::size_t>(sousedu_bodu)) return odstraneno;
  const Sousede sousede(*body);
  std::vector<double> prumer(body->size());
  std::vector<std::size_t> indexy;
  std::vector<double> vzdalenosti;
  for (std::size_t i = 0; i < body->size(); ++i) {
    sousede.nejblizsi(i, sousedu_bodu, &indexy, &vzdalenosti);
    double soucet = 0;
    for (double d : vzdalenosti) soucet += d;
    prumer[i] = soucet / static_cast<double>(vzdalenosti.size());
  }
  std::vector<double> serazene = prumer;
  std::nth_element(serazene.begin(), serazene.begin() + static_cast<std::ptrdiff_t>(serazene.size() / 2),
                   serazene.end());
  const double mez = nasobek_rozestupu * serazene[serazene.size() / 2];
  // Points stacked on each other give no spacing to judge by.
  if (!(mez > 0)) return odstraneno;
  std::vector<HustyBod> zbyle;
  for (std::size_t i = 0; i < body->size(); ++i) {
    if (prumer[i] <= mez) {
      zbyle.push_back((*body)[i]);
      continue;
    }
    const auto u = std::find(uhly.begin(), uhly.end(), (*body)[i].uhel);
    if (u != uhly.end()) ++odstraneno[static_cast<std::size_t>(u - uhly.begin())];
  }
  *body = std::move(zbyle);
  return odstraneno;
}

void odhadni_normaly(std::vector<HustyBod>* body, std::vector<std::array<float, 3>>* na_rovine) {
  if (na_rovine != nullptr) {
    na_rovine->clear();
    for (const HustyBod& b : *body) na_rovine->push_back(b.xyz);
  }
  if (body->size() < 3) return;
  const Sousede sousede(*body);
  const int k = std::min<int>(sousedu_bodu, static_cast<int>(body->size()) - 1);
  std::vector<std::size_t> indexy;
  std::vector<double> vzdalenosti;
  std::vector<Bod> okoli;
  for (std::size_t i = 0; i < body->size(); ++i) {
    sousede.nejblizsi(i, k, &indexy, &vzdalenosti);
    okoli.assign(1, sousede.bod(i));
    for (std::size_t j : indexy) okoli.push_back(sousede.bod(j));
    Jadro::Plane_3 rovina;
    CGAL::linear_least_squares_fitting_3(okoli.begin(), okoli.end(), rovina, CGAL::Dimension_tag<0>());
    Jadro::Vector_3 n = rovina.orthogonal_vector();
    const double delka = std::sqrt(n.squared_length());
    if (!(delka > 0)) continue;
    HustyBod& b = (*body)[i];
    const Jadro::Vector_3 ke_kamere(b.kamera[0] - b.xyz[0], b.kamera[1] - b.xyz[1], b.kamera[2] - b.xyz[2]);
    if (n * ke_kamere < 0) n = -n;
    for (int c = 0; c < 3; ++c) b.normala[static_cast<std::size_t>(c)] = static_cast<float>(n[c] / delka);
    if (na_rovine != nullptr) {
      const Bod p = rovina.projection(sousede.bod(i));
      (*na_rovine)[i] = {static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(p.z())};
    }
  }
}

std::string ply_husteho(const std::vector<HustyBod>& body) {
  PlyZapis ply(false);
  ply.komentar("the merged points of all turntable angles, in the common frame of the marker scan");
  ply.prvek("vertex", body.size());
  for (const char* jmeno : {"x", "y", "z", "nx", "ny", "nz"}) ply.vlastnost("float", jmeno);
  for (const char* jmeno : {"red", "green", "blue"}) ply.vlastnost("uchar", jmeno);
  for (const char* jmeno : {"angle", "x1", "y1", "x2", "y2"}) ply.vlastnost("int", jmeno);
  for (const HustyBod& b : body) {
    for (float f : b.xyz) ply.f32(f);
    for (float f : b.normala) ply.f32(f);
    for (int i = 0; i < 3; ++i) ply.u8(b.sed);
    for (int i : {b.uhel, b.par.x1, b.par.y1, b.par.x2, b.par.y2}) ply.i32(i);
    ply.konec_radku();
  }
  return ply.text();
}
