// mesh_report FILE.ply [--truth GROUND_TRUTH | --truth SCENE_DIRECTORY]
//
// Judges a PLY mesh the way mesh tools and printers do: its vertices,
// triangles (and other faces), edges, non-manifold edges (in more than two
// faces), open edges (in one face), inconsistently oriented edges (two faces
// running along them in the same direction), connected components (faces
// joined through edges), degenerate triangles (of no area: corners that
// coincide or lie on one line), whether it is closed (with faces that
// enclose some volume: a closed mesh of flat, two-sided triangles is not),
// and its signed volume
// (positive when the faces run counter-clockwise seen from outside, so that
// their normals point out). With the ground truth of a sample scene it also
// prints the distance of every vertex from the true object's surface: RMS
// and largest. It also tells whether the mesh bounds a volume (closed,
// 2-manifold, oriented outwards and free of crossing triangles; see
// model/volume_check.h) and how many pairs of its triangles cross. Any PLY, ASCII or binary, is read; elements other than vertex
// and face are skipped.
//
// Exit status: 0, 1 for a file that cannot be read, 2 for bad usage.
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/IO/PLY.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/mesh_analysis.h"
#include "model/volume_check.h"
#include "tools/ground_truth.h"
#include "tools/sample_object.h"
#include "tools/sample_scene.h"

namespace {

using Bod = CGAL::Exact_predicates_inexact_constructions_kernel::Point_3;

struct Sit {
  std::vector<std::array<double, 3>> vrcholy;
  std::vector<std::vector<int>> steny;
};

bool nacti_sit(const std::string& cesta, Sit* sit, std::string* chyba) {
  std::ifstream vstup(cesta, std::ios::binary);
  std::vector<Bod> body;
  std::vector<std::vector<std::size_t>> steny;
  if (!vstup) {
    *chyba = cesta + ": cannot be opened";
    return false;
  }
  if (!CGAL::IO::read_PLY(vstup, body, steny)) {
    *chyba = cesta + ": not a readable PLY mesh";
    return false;
  }
  for (const Bod& b : body) sit->vrcholy.push_back({b.x(), b.y(), b.z()});
  for (std::size_t s = 0; s < steny.size(); s++) {
    std::vector<int> stena;
    for (std::size_t v : steny[s]) {
      if (v >= body.size()) {
        *chyba = cesta + ": face " + std::to_string(s) + " refers to vertex " + std::to_string(v) +
                 ", which does not exist";
        return false;
      }
      stena.push_back(static_cast<int>(v));
    }
    sit->steny.push_back(stena);
  }
  return true;
}

// Triangles whose area is nothing against their longest edge.
int degenerovane(const Sit& sit) {
  int pocet = 0;
  for (const auto& t : sit.steny) {
    if (t.size() != 3) continue;
    const auto& a = sit.vrcholy[static_cast<std::size_t>(t[0])];
    const auto& b = sit.vrcholy[static_cast<std::size_t>(t[1])];
    const auto& c = sit.vrcholy[static_cast<std::size_t>(t[2])];
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
    const double hrana = std::max(u[0] * u[0] + u[1] * u[1] + u[2] * u[2], w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    if (std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) <= 1e-9 * hrana) pocet++;
  }
  return pocet;
}

void vypis_rozbor(const Sit& sit) {
  const RozborSite r = rozbor_site(sit.steny);
  std::array<double, 3> stred{0, 0, 0};
  std::array<double, 3> min{0, 0, 0}, max{0, 0, 0};
  for (std::size_t i = 0; i < sit.vrcholy.size(); i++)
    for (int j = 0; j < 3; j++) {
      const double x = sit.vrcholy[i][j];
      stred[j] += x / static_cast<double>(sit.vrcholy.size());
      min[j] = i == 0 ? x : std::min(min[j], x);
      max[j] = i == 0 ? x : std::max(max[j], x);
    }
  const double objem = objem_site(sit.vrcholy, sit.steny, stred);
  const double uhlopricka = std::sqrt((max[0] - min[0]) * (max[0] - min[0]) +
                                      (max[1] - min[1]) * (max[1] - min[1]) +
                                      (max[2] - min[2]) * (max[2] - min[2]));
  // Closed faces that enclose nothing are flat, two-sided sheets.
  const bool bez_objemu = std::abs(objem) <= 1e-9 * uhlopricka * uhlopricka * uhlopricka;
  std::printf("vertices: %zu\n", sit.vrcholy.size());
  std::printf("triangles: %d\n", r.trojuhelniku);
  std::printf("other faces: %d\n", r.sten - r.trojuhelniku);
  std::printf("edges: %d\n", r.hran);
  std::printf("non-manifold edges: %d\n", r.nemanifoldnich);
  std::printf("open edges: %d (%.2f %% of edges)\n", r.otevrenych,
              r.hran > 0 ? 100.0 * r.otevrenych / r.hran : 0.0);
  std::printf("inconsistently oriented edges: %d\n", r.nekonzistentnich);
  std::printf("degenerate triangles: %d\n", degenerovane(sit));
  std::printf("connected components: %d\n", r.komponent);
  std::printf("closed: %s\n", !r.uzavrena ? "no" : bez_objemu ? "no (the faces enclose no volume)" : "yes");
  std::printf("signed volume: %.3f\n", objem);
  if (r.sten != r.trojuhelniku) {
    std::printf("crossing triangle pairs: not counted (faces other than triangles)\n");
    std::printf("bounds a volume: no (faces other than triangles)\n");
    return;
  }
  std::vector<std::array<int, 3>> trojuhelniky;
  for (const auto& s : sit.steny) trojuhelniky.push_back({s[0], s[1], s[2]});
  const KontrolaObjemu k = zkontroluj_objem(sit.vrcholy, trojuhelniky);
  std::printf("crossing triangle pairs: %d\n", k.krizicich_paru);
  if (k.ohranicuje)
    std::printf("bounds a volume: yes\n");
  else
    std::printf("bounds a volume: no (%s)\n", k.proc.c_str());
}

void vypis_vzdalenost(const Sit& sit, const PravdaSceny& pravda) {
  const SoustavaTocny tocna = soustava_tocny_z_pravdy(pravda);
  double ctverce = 0, nejvic = 0;
  for (const auto& v : sit.vrcholy) {
    const double d = vzdalenost_od_vazy(do_mistni(tocna, Bod3{v[0], v[1], v[2]}));
    ctverce += d * d;
    nejvic = std::max(nejvic, d);
  }
  const double rms = sit.vrcholy.empty() ? 0.0 : std::sqrt(ctverce / sit.vrcholy.size());
  std::printf("distance to the true object over %zu vertices: RMS %.4f, largest %.4f\n",
              sit.vrcholy.size(), rms, nejvic);
}

int pouziti(std::FILE* kam, int kod) {
  std::fprintf(kam,
               "usage: mesh_report FILE.ply [--truth GROUND_TRUTH_TXT | --truth SCENE_DIRECTORY]\n"
               "  prints the counts mesh tools judge a mesh by, crossing triangle pairs and whether it\n"
               "  bounds a volume; with the ground truth of a sample\n"
               "  scene also the distance of the vertices from the true object\n");
  return kod;
}

}  // namespace

int main(int argc, char** argv) {
  std::string soubor, pravda_cesta;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") return pouziti(stdout, 0);
    if (a == "--truth" && i + 1 < argc) {
      pravda_cesta = argv[++i];
    } else if (a.rfind("--truth=", 0) == 0) {
      pravda_cesta = a.substr(8);
    } else if (soubor.empty() && (a.empty() || a[0] != '-')) {
      soubor = a;
    } else {
      std::fprintf(stderr, "mesh_report: unknown option or extra argument: %s\n", a.c_str());
      return pouziti(stderr, 2);
    }
  }
  if (soubor.empty()) return pouziti(stderr, 2);
  struct stat info;
  if (!pravda_cesta.empty() && stat(pravda_cesta.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    pravda_cesta += "/ground_truth.txt";
  Sit sit;
  PravdaSceny pravda;
  std::string chyba;
  if (!nacti_sit(soubor, &sit, &chyba) ||
      (!pravda_cesta.empty() && !nacti_pravdu(pravda_cesta, &pravda, &chyba))) {
    std::fprintf(stderr, "mesh_report: %s\n", chyba.c_str());
    return 1;
  }
  std::printf("file: %s\n", soubor.c_str());
  vypis_rozbor(sit);
  if (!pravda_cesta.empty()) vypis_vzdalenost(sit, pravda);
  return 0;
}
