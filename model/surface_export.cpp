// PLY export of the surface.
#include "model/surface_export.h"

#include "common/ply_writer.h"

std::string plocha_ply(const Plocha& plocha, bool ascii) {
  PlyZapis ply(ascii);
  ply.komentar("turntable scanner surface of the turned marker points");
  ply.prvek("vertex", plocha.vrcholy.size());
  for (const char* jmeno : {"x", "y", "z", "nx", "ny", "nz"}) ply.vlastnost("float", jmeno);
  ply.prvek("face", plocha.trojuhelniky.size());
  ply.seznam("vertex_indices");
  for (std::size_t i = 0; i < plocha.vrcholy.size(); i++) {
    for (float x : plocha.vrcholy[i]) ply.f32(x);
    for (float x : plocha.normaly[i]) ply.f32(x);
    ply.konec_radku();
  }
  for (const auto& t : plocha.trojuhelniky) {
    ply.u8(3);
    for (int v : t) ply.i32(v);
    ply.konec_radku();
  }
  return ply.text();
}
