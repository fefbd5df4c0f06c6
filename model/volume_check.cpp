// The check runs on CGAL's surface mesh: building it refuses what is not an
// oriented 2-manifold, its self-intersection test uses exact predicates,
// does_bound_a_volume then judges the orientation of nested pieces, and
// the signed volume tells outwards from inwards.
#include "model/volume_check.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Polygon_mesh_processing/orientation.h>
#include <CGAL/Polygon_mesh_processing/self_intersections.h>
#include <CGAL/Surface_mesh.h>

#include <iterator>

#include "model/mesh_analysis.h"
#include <utility>

#include "model/mesh_analysis.h"

namespace {

using Jadro = CGAL::Exact_predicates_inexact_constructions_kernel;
using Sit = CGAL::Surface_mesh<Jadro::Point_3>;
namespace PMP = CGAL::Polygon_mesh_processing;

}  // namespace

KontrolaObjemu zkontroluj_objem(const std::vector<std::array<double, 3>>& vrcholy,
                                const std::vector<std::array<int, 3>>& trojuhelniky) {
  KontrolaObjemu k;
  if (trojuhelniky.empty()) {
    k.proc = "no triangles";
    return k;
  }
  std::vector<std::vector<int>> steny;
  for (const auto& t : trojuhelniky) steny.push_back({t[0], t[1], t[2]});
  const RozborSite r = rozbor_site(steny);
  bool manifold = r.nemanifoldnich == 0 && r.nekonzistentnich == 0;
  Sit sit;
  for (const auto& p : vrcholy) sit.add_vertex(Jadro::Point_3(p[0], p[1], p[2]));
  for (const auto& t : trojuhelniky)
    if (manifold && sit.add_face(Sit::Vertex_index(t[0]), Sit::Vertex_index(t[1]), Sit::Vertex_index(t[2])) ==
                        Sit::null_face())
      manifold = false;  // edges are fine, so a vertex joins pieces that only touch there
  if (!manifold) {
    k.proc = "not 2-manifold";
    return k;
  }
  // Crossings are counted on open meshes too: they tell where a surface
  // went wrong even before its holes are closed.
  std::vector<std::pair<Sit::Face_index, Sit::Face_index>> pary;
  PMP::self_intersections(sit, std::back_inserter(pary));
  k.krizicich_paru = static_cast<int>(pary.size());
  if (!r.uzavrena)
    k.proc = "not closed";
  else if (k.krizicich_paru > 0)
    k.proc = std::to_string(k.krizicich_paru) + " crossing triangle pairs";
  else if (!PMP::does_bound_a_volume(sit) || objem_site(vrcholy, steny, vrcholy.front()) <= 0)
    k.proc = "oriented inwards";  // the library also accepts pieces all turned inwards
  else
    k.ohranicuje = true;
  return k;
}

std::string radek_plochy(std::size_t vrcholu, const std::vector<std::array<int, 3>>& trojuhelniky,
                         const KontrolaObjemu& kontrola) {
  std::vector<std::vector<int>> steny;
  for (const auto& t : trojuhelniky) steny.push_back({t[0], t[1], t[2]});
  const RozborSite r = rozbor_site(steny);
  const std::string objem = kontrola.ohranicuje ? "yes" : "no (" + kontrola.proc + ")";
  return std::to_string(vrcholu) + " vertices, " + std::to_string(trojuhelniky.size()) + " triangles, " +
         std::to_string(r.otevrenych) + " open edges, " + std::to_string(r.nemanifoldnich) +
         " non-manifold edges, bounds a volume: " + objem;
}
