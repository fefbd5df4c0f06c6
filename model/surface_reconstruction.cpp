// Surface reconstruction of the turned marker points.
//
// Advancing-front reconstruction is chosen over Poisson and scale-space
// reconstruction: it interpolates the points (every vertex is a measured
// point, so the surface adds no error of its own), it needs no normals as
// input (Poisson does, and a few hundred noisy points give poor estimates),
// its result is an oriented 2-manifold by construction, and it is fast on a
// few hundred points. Scale-space reconstruction smooths the points first,
// moving the vertices away from the measurements.
#include "model/surface_reconstruction.h"

#include <CGAL/Advancing_front_surface_reconstruction.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Polygon_mesh_processing/triangulate_hole.h>
#include <CGAL/Surface_mesh.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <map>

#include "common/geometry.h"
#include "model/mesh_analysis.h"

namespace {

using Jadro = CGAL::Exact_predicates_inexact_constructions_kernel;
using Bod = Jadro::Point_3;
using Trojice = std::array<std::size_t, 3>;
using Sit = CGAL::Surface_mesh<Bod>;

// The finite points, each position once, in input order.
std::vector<Bod> pouzitelne_body(const std::vector<std::array<float, 3>>& body) {
  std::vector<Bod> vysledek;
  std::map<std::array<std::uint32_t, 3>, int> videne;
  for (const auto& p : body) {
    if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) continue;
    std::array<std::uint32_t, 3> klic;
    for (int j = 0; j < 3; j++) std::memcpy(&klic[j], &p[j], 4);
    if (videne.emplace(klic, 0).second) vysledek.emplace_back(p[0], p[1], p[2]);
  }
  return vysledek;
}

// Whether the points lie on one line, within a millionth of their extent:
// measured points on a line are rarely exactly in line, and a surface of
// them is flat triangles with no area.
bool v_primce(const std::vector<Bod>& body) {
  if (body.size() < 2) return true;
  std::size_t a = 0, b = 0;
  for (std::size_t i = 1; i < body.size(); i++)
    if (CGAL::squared_distance(body[0], body[i]) > CGAL::squared_distance(body[0], body[a])) a = i;
  for (std::size_t i = 0; i < body.size(); i++)
    if (CGAL::squared_distance(body[a], body[i]) > CGAL::squared_distance(body[a], body[b])) b = i;
  const Jadro::Line_3 primka(body[a], body[b]);
  const double delka2 = CGAL::squared_distance(body[a], body[b]);
  for (const Bod& p : body)
    if (CGAL::squared_distance(primka, p) > 1e-12 * delka2) return false;
  return true;
}

// Whether four of the points span a volume (the triangulation is then
// three-dimensional, which the reconstruction needs).
bool prostorove(const std::vector<Bod>& body) {
  if (body.size() < 4) return false;
  std::size_t b = 1;  // distinct from body[0]
  std::size_t c = b + 1;
  while (c < body.size() && CGAL::collinear(body[0], body[b], body[c])) c++;
  for (std::size_t d = c + 1; d < body.size(); d++)
    if (!CGAL::coplanar(body[0], body[b], body[c], body[d])) return true;
  return false;
}

// Turns every connected piece that encloses negative volume.
void orientuj_ven(const std::vector<std::array<double, 3>>& vrcholy, std::vector<std::vector<int>>& steny) {
  int komponent = 0;
  const std::vector<int> komponenta = komponenty_sten(steny, &komponent);
  for (int k = 0; k < komponent; k++) {
    std::vector<bool> vyber(steny.size());
    std::array<double, 3> stred{0, 0, 0};
    int rohu = 0;
    for (std::size_t s = 0; s < steny.size(); s++) {
      if (komponenta[s] != k) continue;
      vyber[s] = true;
      for (int v : steny[s]) {
        for (int j = 0; j < 3; j++) stred[j] += vrcholy[static_cast<std::size_t>(v)][j];
        rohu++;
      }
    }
    for (double& x : stred) x /= rohu;
    if (objem_site(vrcholy, steny, stred, vyber) >= 0) continue;
    for (std::size_t s = 0; s < steny.size(); s++)
      if (vyber[s]) std::swap(steny[s][1], steny[s][2]);
  }
}

// Closes every hole of the surface with triangles between the points round
// it (no new vertices; the library avoids edges the surface already has, so
// it stays 2-manifold). Left as it is when the triangles do not form a
// surface the library can hold.
void zaplat_diry(const std::vector<std::array<double, 3>>& vrcholy, std::vector<std::vector<int>>& steny) {
  Sit sit;
  for (const auto& p : vrcholy) sit.add_vertex(Bod(p[0], p[1], p[2]));
  for (const auto& t : steny)
    if (sit.add_face(Sit::Vertex_index(t[0]), Sit::Vertex_index(t[1]), Sit::Vertex_index(t[2])) ==
        Sit::null_face())
      return;
  std::vector<Sit::Halfedge_index> diry;
  std::vector<bool> videna(sit.number_of_halfedges());
  for (Sit::Halfedge_index h : sit.halfedges()) {
    if (!sit.is_border(h) || videna[h]) continue;
    diry.push_back(h);
    for (Sit::Halfedge_index k = h; !videna[k]; k = sit.next(k)) videna[k] = true;
  }
  for (Sit::Halfedge_index h : diry)
    CGAL::Polygon_mesh_processing::triangulate_hole(sit, h, CGAL::Emptyset_iterator());
  steny.clear();
  for (Sit::Face_index f : sit.faces()) {
    std::vector<int> stena;
    for (Sit::Vertex_index v : CGAL::vertices_around_face(sit.halfedge(f), sit)) stena.push_back(static_cast<int>(v));
    steny.push_back(stena);
  }
}

// Sum of the (area-weighted) normals of the triangles at each vertex, made unit.
std::vector<std::array<float, 3>> normaly_vrcholu(const std::vector<std::array<double, 3>>& v,
                                                  const std::vector<std::vector<int>>& steny) {
  std::vector<std::array<double, 3>> soucet(v.size(), {0, 0, 0});
  for (const auto& t : steny) {
    const auto& a = v[static_cast<std::size_t>(t[0])];
    const auto& b = v[static_cast<std::size_t>(t[1])];
    const auto& c = v[static_cast<std::size_t>(t[2])];
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    double n[3];
    vektorove(u, w, n);
    for (int r : t)
      for (int j = 0; j < 3; j++) soucet[static_cast<std::size_t>(r)][j] += n[j];
  }
  std::vector<std::array<float, 3>> normaly;
  for (const auto& n : soucet) {
    const double d = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    const double k = d > 0 ? 1.0 / d : 0.0;
    normaly.push_back({static_cast<float>(n[0] * k), static_cast<float>(n[1] * k), static_cast<float>(n[2] * k)});
  }
  return normaly;
}

// The library's order of the triangles, and the way round it runs them,
// follow addresses in memory. Each triangle from its lowest corner (keeping
// its orientation) and the list sorted make the result the same in every
// program.
template <class Trojuhelniky>
void serad(Trojuhelniky& trojuhelniky) {
  for (auto& t : trojuhelniky) std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
  std::sort(trojuhelniky.begin(), trojuhelniky.end());
}

// Leaves out the connected pieces of fewer than a tenth of the triangles of
// the largest: tiny closed bubbles the reconstruction forms among a few
// points that several turntable positions measured close together.
std::vector<Trojice> bez_drobnych_kusu(const std::vector<Trojice>& trojice) {
  std::vector<std::vector<int>> steny;
  for (const Trojice& t : trojice)
    steny.push_back({static_cast<int>(t[0]), static_cast<int>(t[1]), static_cast<int>(t[2])});
  int komponent = 0;
  const std::vector<int> komponenta = komponenty_sten(steny, &komponent);
  std::vector<int> velikost(static_cast<std::size_t>(komponent));
  for (int k : komponenta) velikost[static_cast<std::size_t>(k)]++;
  const int nejvetsi = velikost.empty() ? 0 : *std::max_element(velikost.begin(), velikost.end());
  std::vector<Trojice> vysledek;
  for (std::size_t s = 0; s < trojice.size(); s++)
    if (10 * velikost[static_cast<std::size_t>(komponenta[s])] >= nejvetsi) vysledek.push_back(trojice[s]);
  return vysledek;
}

// The vertices that triangles use, renumbered in input order.
void sestav_plochu(const std::vector<Bod>& body, const std::vector<Trojice>& trojice, Plocha* plocha) {
  std::vector<int> nove(body.size(), -1);
  for (const Trojice& t : trojice)
    for (std::size_t i : t) nove[i] = 0;
  std::vector<std::array<double, 3>> vrcholy;
  for (std::size_t i = 0; i < body.size(); i++) {
    if (nove[i] < 0) continue;
    nove[i] = static_cast<int>(vrcholy.size());
    vrcholy.push_back({body[i].x(), body[i].y(), body[i].z()});
  }
  std::vector<std::vector<int>> steny;
  for (const Trojice& t : trojice) steny.push_back({nove[t[0]], nove[t[1]], nove[t[2]]});
  zaplat_diry(vrcholy, steny);
  orientuj_ven(vrcholy, steny);
  serad(steny);
  plocha->normaly = normaly_vrcholu(vrcholy, steny);
  for (const auto& p : vrcholy)
    plocha->vrcholy.push_back({static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])});
  for (const auto& s : steny) plocha->trojuhelniky.push_back({s[0], s[1], s[2]});
}

}  // namespace

bool postav_plochu(const std::vector<std::array<float, 3>>& body, Plocha* plocha, std::string* chyba) {
  *plocha = Plocha{};
  const std::vector<Bod> pouzite = pouzitelne_body(body);
  // No volume, no surface; the caller hears why.
  if (pouzite.size() >= 4 && v_primce(pouzite)) {
    if (chyba != nullptr) *chyba = "the points lie on one line; the surface is empty";
    return true;
  }
  if (!prostorove(pouzite)) {
    if (chyba != nullptr && pouzite.size() >= 4) *chyba = "the points lie in one plane; the surface is empty";
    return true;
  }
  std::vector<Trojice> trojice;
  try {
    CGAL::advancing_front_surface_reconstruction(pouzite.begin(), pouzite.end(), std::back_inserter(trojice));
  } catch (const std::exception& e) {
    if (chyba != nullptr) *chyba = std::string("the surface cannot be built: ") + e.what();
    return false;
  }
  serad(trojice);
  sestav_plochu(pouzite, bez_drobnych_kusu(trojice), plocha);
  return true;
}
