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
#include <limits>
#include <utility>
#include <map>

#include "common/geometry.h"
#include "model/mesh_analysis.h"
#include "model/near_duplicates.h"

namespace {

using Jadro = CGAL::Exact_predicates_inexact_constructions_kernel;
using Bod = Jadro::Point_3;
using Trojice = std::array<std::size_t, 3>;
using Sit = CGAL::Surface_mesh<Bod>;

// The finite points, each position once, in input order; with the
// turntable positions, one point for each mark that several positions
// measured (near_duplicates.h).
std::vector<Bod> pouzitelne_body(const std::vector<std::array<float, 3>>& body, const std::vector<int>& polohy) {
  std::vector<std::array<double, 3>> konecne;
  std::vector<int> jejich_polohy;
  std::map<std::array<std::uint32_t, 3>, int> videne;
  for (std::size_t i = 0; i < body.size(); i++) {
    const auto& p = body[i];
    if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) continue;
    std::array<std::uint32_t, 3> klic;
    for (int j = 0; j < 3; j++) std::memcpy(&klic[j], &p[j], 4);
    if (!videne.emplace(klic, 0).second) continue;
    konecne.push_back({p[0], p[1], p[2]});
    jejich_polohy.push_back(polohy.empty() ? 0 : polohy[i]);
  }
  std::vector<std::size_t> zastupce(konecne.size());
  for (std::size_t i = 0; i < zastupce.size(); i++) zastupce[i] = i;
  if (!polohy.empty()) zastupce = zastupci_dvojniku(konecne, jejich_polohy);
  std::vector<Bod> vysledek;
  for (std::size_t i = 0; i < konecne.size(); i++)
    if (zastupce[i] == i) vysledek.emplace_back(konecne[i][0], konecne[i][1], konecne[i][2]);
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

// The triangles of the surface, to test a new triangle against: it may
// meet them only in the corners and edges it shares with them. The tests
// use exact predicates, so a patch that passes cannot cross the surface.
class TestKrizeni {
 public:
  using Rohy = std::array<Sit::Vertex_index, 3>;

  explicit TestKrizeni(const Sit& sit) {
    for (Sit::Face_index f : sit.faces()) pridej(sit, f);
  }

  void pridej(const Sit& sit, Sit::Face_index f) {
    Rohy v;
    int r = 0;
    for (Sit::Vertex_index u : CGAL::vertices_around_face(sit.halfedge(f), sit)) v[static_cast<std::size_t>(r++)] = u;
    trojuhelniky_.push_back(trojuhelnik(sit, v));
  }

  // Whether the triangle abc crosses a triangle of the surface.
  bool krizi(const Sit& sit, Sit::Vertex_index a, Sit::Vertex_index b, Sit::Vertex_index c) const {
    const Trojuhelnik t = trojuhelnik(sit, {a, b, c});
    for (const Trojuhelnik& s : trojuhelniky_)
      if (CGAL::do_overlap(t.ramec, s.ramec) && krizi_se(t, s)) return true;
    return false;
  }

  // The triangles whose bounding box meets `ramec`: all that a triangle
  // inside that box can cross.
  TestKrizeni jen_v(const CGAL::Bbox_3& ramec) const {
    TestKrizeni vyber;
    for (const Trojuhelnik& s : trojuhelniky_)
      if (CGAL::do_overlap(ramec, s.ramec)) vyber.trojuhelniky_.push_back(s);
    return vyber;
  }

  // Whether two of the given triangles cross each other.
  static bool krizi_se_mezi_sebou(const Sit& sit, const std::vector<Rohy>& trojice) {
    TestKrizeni test;
    for (const Rohy& t : trojice) {
      if (test.krizi(sit, t[0], t[1], t[2])) return true;
      test.trojuhelniky_.push_back(trojuhelnik(sit, t));
    }
    return false;
  }

 private:
  struct Trojuhelnik {
    Rohy v;
    std::array<Bod, 3> p;
    CGAL::Bbox_3 ramec;
    bool degenerovany = false;  // of zero area: decided once, not per test
  };

  TestKrizeni() = default;

  static Trojuhelnik trojuhelnik(const Sit& sit, const Rohy& v) {
    Trojuhelnik t{v, {sit.point(v[0]), sit.point(v[1]), sit.point(v[2])}, {}};
    t.ramec = t.p[0].bbox() + t.p[1].bbox() + t.p[2].bbox();
    t.degenerovany = CGAL::collinear(t.p[0], t.p[1], t.p[2]);
    return t;
  }

  // Triangles that share no corner must not meet at all. Sharing one
  // corner, they meet only there unless the edge opposite it in one
  // meets the other (this also covers the case of both in one plane).
  // Sharing an edge, they overlap only when they lie in one plane on the
  // same side of it.
  static bool krizi_se(const Trojuhelnik& t, const Trojuhelnik& s) {
    int spolecnych = 0, ti = -1, si = -1;
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++)
        if (t.v[i] == s.v[j]) {
          spolecnych++;
          ti = i;
          si = j;
        }
    const Jadro::Triangle_3 tt(t.p[0], t.p[1], t.p[2]), st(s.p[0], s.p[1], s.p[2]);
    if (t.degenerovany || s.degenerovany) return true;
    if (spolecnych == 0) return CGAL::do_intersect(tt, st);
    if (spolecnych == 1) {
      const Jadro::Segment_3 proti_t(t.p[(ti + 1) % 3], t.p[(ti + 2) % 3]);
      const Jadro::Segment_3 proti_s(s.p[(si + 1) % 3], s.p[(si + 2) % 3]);
      return CGAL::do_intersect(proti_t, st) || CGAL::do_intersect(proti_s, tt);
    }
    if (spolecnych == 2) {
      int tt3 = 0, ss3 = 0;
      for (int i = 0; i < 3; i++) {
        if (t.v[i] != s.v[0] && t.v[i] != s.v[1] && t.v[i] != s.v[2]) tt3 = i;
        if (s.v[i] != t.v[0] && s.v[i] != t.v[1] && s.v[i] != t.v[2]) ss3 = i;
      }
      const Bod& a = s.p[(ss3 + 1) % 3];
      const Bod& b = s.p[(ss3 + 2) % 3];
      if (CGAL::orientation(a, b, s.p[ss3], t.p[tt3]) != CGAL::COPLANAR) return false;
      return CGAL::coplanar_orientation(a, b, s.p[ss3], t.p[tt3]) == CGAL::POSITIVE;
    }
    return true;  // the same triangle
  }

  std::vector<Trojuhelnik> trojuhelniky_;
};

// The border of a hole as its vertices in order, starting at the source of h.
std::vector<Sit::Vertex_index> okraj_diry(const Sit& sit, Sit::Halfedge_index h) {
  std::vector<Sit::Vertex_index> okraj;
  Sit::Halfedge_index k = h;
  do {
    okraj.push_back(sit.source(k));
    k = sit.next(k);
  } while (k != h);
  return okraj;
}

double plocha_trojuhelniku(const Bod& a, const Bod& b, const Bod& c) {
  return std::sqrt(CGAL::to_double(CGAL::squared_area(a, b, c)));
}

// Closes the hole with triangles between its border points that cross
// neither the surface nor each other, of least total area, found by the
// usual dynamic programme over the border polygon: w[i][j] is the best patch
// of the border from okraj[i] to okraj[j] closed by the edge between them. A
// triangle is allowed when its corners differ, none of its inner edges is
// already an edge of the surface (which would then be shared by three
// triangles) and it crosses no triangle of the surface. The triangles run
// along the border in its own direction, so the patch takes the surface's
// orientation. Returns false, leaving the surface as it was, when the best
// patch crosses itself or no patch exists, or when the border has more than
// nejvic_okraje points: the programme takes time cubic in their number,
// times the triangles near the hole.
constexpr int nejvic_okraje = 100;

bool zaplat_bez_krizeni(Sit& sit, Sit::Halfedge_index h, TestKrizeni& test) {
  const std::vector<Sit::Vertex_index> okraj = okraj_diry(sit, h);
  const int n = static_cast<int>(okraj.size());
  if (n < 3 || n > nejvic_okraje) return false;
  CGAL::Bbox_3 ramec;
  for (Sit::Vertex_index v : okraj) ramec += sit.point(v).bbox();
  const TestKrizeni blizke = test.jen_v(ramec);
  const auto hrana_volna = [&](int i, int j) {
    if (j == i + 1 || (i == 0 && j == n - 1)) return true;  // the border's own edge
    return sit.halfedge(okraj[static_cast<std::size_t>(i)], okraj[static_cast<std::size_t>(j)]) ==
           Sit::null_halfedge();
  };
  const double nelze = std::numeric_limits<double>::infinity();
  std::vector<double> w(static_cast<std::size_t>(n * n), nelze);
  std::vector<int> stred(static_cast<std::size_t>(n * n), -1);
  const auto at = [n](int i, int j) { return static_cast<std::size_t>(i * n + j); };
  for (int i = 0; i + 1 < n; i++) w[at(i, i + 1)] = 0;
  for (int delka = 2; delka < n; delka++)
    for (int i = 0; i + delka < n; i++) {
      const int j = i + delka;
      if (!hrana_volna(i, j)) continue;
      for (int m = i + 1; m < j; m++) {
        if (w[at(i, m)] == nelze || w[at(m, j)] == nelze) continue;
        const Sit::Vertex_index a = okraj[static_cast<std::size_t>(i)], b = okraj[static_cast<std::size_t>(m)],
                                c = okraj[static_cast<std::size_t>(j)];
        if (a == b || b == c || a == c) continue;
        const double cena = w[at(i, m)] + w[at(m, j)] + plocha_trojuhelniku(sit.point(a), sit.point(b), sit.point(c));
        // The crossing test, the costly part, only for a triangle that would
        // improve the patch.
        if (cena < w[at(i, j)] && !blizke.krizi(sit, a, b, c)) {
          w[at(i, j)] = cena;
          stred[at(i, j)] = m;
        }
      }
    }
  if (w[at(0, n - 1)] == nelze) return false;
  std::vector<TestKrizeni::Rohy> zaplata;
  std::vector<std::pair<int, int>> zbyva{{0, n - 1}};
  while (!zbyva.empty()) {
    const auto [i, j] = zbyva.back();
    zbyva.pop_back();
    if (j - i < 2) continue;
    const int m = stred[at(i, j)];
    zaplata.push_back({okraj[static_cast<std::size_t>(i)], okraj[static_cast<std::size_t>(m)],
                       okraj[static_cast<std::size_t>(j)]});
    zbyva.push_back({i, m});
    zbyva.push_back({m, j});
  }
  if (TestKrizeni::krizi_se_mezi_sebou(sit, zaplata)) return false;
  std::vector<Sit::Face_index> pridane;
  for (const auto& t : zaplata) {
    const Sit::Face_index f = sit.add_face(t[0], t[1], t[2]);
    if (f == Sit::null_face()) {
      for (Sit::Face_index g : pridane) CGAL::Euler::remove_face(sit.halfedge(g), sit);
      return false;
    }
    pridane.push_back(f);
  }
  for (Sit::Face_index f : pridane) test.pridej(sit, f);
  return true;
}

// Closes every hole of the surface (indices of `body`) without new
// vertices: with Delaunay facets where they can close it, which cannot
// cross the rest; otherwise with the library's triangulation of the border,
// which avoids edges the surface already has (so it stays 2-manifold) but
// may cross other triangles: the guard of the caller reports that. Left as
// it is when the triangles do not form a surface the library can hold.
void zaplat_diry(const std::vector<Bod>& body, std::vector<Trojice>& trojice) {
  Sit sit;
  for (const Bod& p : body) sit.add_vertex(p);
  for (const Trojice& t : trojice)
    if (sit.add_face(Sit::Vertex_index(static_cast<Sit::size_type>(t[0])),
                     Sit::Vertex_index(static_cast<Sit::size_type>(t[1])),
                     Sit::Vertex_index(static_cast<Sit::size_type>(t[2]))) == Sit::null_face())
      return;
  std::vector<Sit::Halfedge_index> diry;
  std::vector<bool> videna(sit.number_of_halfedges());
  for (Sit::Halfedge_index h : sit.halfedges()) {
    if (!sit.is_border(h) || videna[h]) continue;
    diry.push_back(h);
    for (Sit::Halfedge_index k = h; !videna[k]; k = sit.next(k)) videna[k] = true;
  }
  if (diry.empty()) return;
  TestKrizeni test(sit);
  for (Sit::Halfedge_index h : diry) {
    if (!zaplat_bez_krizeni(sit, h, test))
      CGAL::Polygon_mesh_processing::triangulate_hole(sit, h, CGAL::Emptyset_iterator());
  }
  trojice.clear();
  for (Sit::Face_index f : sit.faces()) {
    Trojice t{};
    int r = 0;
    for (Sit::Vertex_index v : CGAL::vertices_around_face(sit.halfedge(f), sit)) t[static_cast<std::size_t>(r++)] = v;
    trojice.push_back(t);
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
  orientuj_ven(vrcholy, steny);
  serad(steny);
  plocha->normaly = normaly_vrcholu(vrcholy, steny);
  for (const auto& p : vrcholy)
    plocha->vrcholy.push_back({static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])});
  for (const auto& s : steny) plocha->trojuhelniky.push_back({s[0], s[1], s[2]});
}

}  // namespace

bool postav_plochu(const std::vector<std::array<float, 3>>& body, Plocha* plocha, std::string* chyba) {
  return postav_plochu(body, {}, plocha, chyba);
}

bool postav_plochu(const std::vector<std::array<float, 3>>& body, const std::vector<int>& polohy, Plocha* plocha,
                   std::string* chyba) {
  *plocha = Plocha{};
  if (!polohy.empty() && polohy.size() != body.size()) {
    if (chyba != nullptr) *chyba = "the surface cannot be built: a position for each point is needed";
    return false;
  }
  const std::vector<Bod> pouzite = pouzitelne_body(body, polohy);
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
  trojice = bez_drobnych_kusu(trojice);
  zaplat_diry(pouzite, trojice);
  sestav_plochu(pouzite, trojice, plocha);
  return true;
}
