// Triangulating pairs and the PLY file of their points.
#include "pairs/pair_points.h"

#include "common/ply_writer.h"
#include <cmath>

namespace {

bool mezera_prijatelna(const SestavaTriangulace& s, const BodParu& b) {
  if (!s.objektivy.s_objektivy) return b.mezera <= max_mezera_paprsku;
  double vzdalenost2 = 0;
  for (int j = 0; j < 3; j++) vzdalenost2 += (b.xyz[j] - static_cast<double>(s.stred[0][j])) *
                                             (b.xyz[j] - static_cast<double>(s.stred[0][j]));
  return b.mezera <= max_mezera_pixelu * velikost_pixelu(s, std::sqrt(vzdalenost2));
}

}  // namespace

VysledekParu trianguluj_pary(const SestavaTriangulace& sestava, const std::vector<ParPixelu>& pary) {
  VysledekParu v;
  for (const ParPixelu& p : pary) {
    BodParu b{};
    b.par = p;
    float p1[3], p2[3];
    const int r1 = vyska_obrazu - 1 - p.y1;
    const int r2 = vyska_obrazu - 1 - p.y2;
    if (!stred_paprsku(sestava, p.x1, r1, p.x2, r2, b.xyz, &b.mezera, p1, p2) ||
        !mezera_prijatelna(sestava, b)) {
      v.vynechano++;
      continue;
    }
    v.body.push_back(b);
  }
  return v;
}

std::string ply_bodu(const std::vector<BodParu>& body, std::optional<int> uhel_otoceni) {
  PlyZapis ply(false);
  ply.komentar("points triangulated from the pixel pairs of data.txt");
  if (uhel_otoceni)
    ply.komentar("turned into the common frame of the marker scan from the turntable angle " +
                 std::to_string(*uhel_otoceni));
  ply.prvek("vertex", body.size());
  for (const char* jmeno : {"x", "y", "z"}) ply.vlastnost("float", jmeno);
  for (const char* jmeno : {"x1", "y1", "x2", "y2"}) ply.vlastnost("int", jmeno);
  ply.vlastnost("float", "quality");
  for (const BodParu& b : body) {
    for (float f : b.xyz) ply.f32(f);
    for (int i : {b.par.x1, b.par.y1, b.par.x2, b.par.y2}) ply.i32(i);
    ply.f32(b.mezera);
    ply.konec_radku();
  }
  return ply.text();
}
