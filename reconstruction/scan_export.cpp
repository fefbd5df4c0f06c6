// PLY export of the point tables and the camera set-up.
#include "reconstruction/scan_export.h"

#include <algorithm>

#include "common/ply_writer.h"
#include "reconstruction/scene_tables.h"

namespace {

int pocet_bodu(int slot) { return pocet_znacek(slot, konfigurace::souradnic_na_slot); }

void bod(PlyZapis& ply, const float* p) {
  ply.f32(p[0]);
  ply.f32(p[1]);
  ply.f32(p[2]);
}

}  // namespace

std::string body_ply(bool ascii) {
  std::size_t bodu = 0;
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < pocet_bodu(slot); i++) bodu += znacka_platna(slot, i);
  const int referenci = pocet_bodu(slot_referenci);
  PlyZapis ply(ascii);
  ply.komentar("turntable scanner points in the common turntable frame");
  ply.prvek("vertex", bodu);
  ply.vlastnost("float", "x");
  ply.vlastnost("float", "y");
  ply.vlastnost("float", "z");
  ply.vlastnost("uchar", "position");
  ply.vlastnost("uchar", "marker");
  ply.prvek("reference", static_cast<std::size_t>(referenci));
  ply.vlastnost("float", "x");
  ply.vlastnost("float", "y");
  ply.vlastnost("float", "z");
  ply.vlastnost("uchar", "mark");
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < pocet_bodu(slot); i++) {
      if (!znacka_platna(slot, i)) continue;
      bod(ply, body_souradnice[slot][i]);
      ply.u8(static_cast<std::uint8_t>(slot));
      ply.u8(static_cast<std::uint8_t>(i + 1));
      ply.konec_radku();
    }
  for (int i = 0; i < referenci; i++) {
    bod(ply, body_souradnice[slot_referenci][i]);
    ply.u8(static_cast<std::uint8_t>(i));
    ply.konec_radku();
  }
  return ply.text();
}

std::string kamery_ply(bool ascii) {
  PlyZapis ply(ascii);
  ply.komentar("turntable scanner cameras: projection centre and image rectangle");
  ply.prvek("vertex", 10);
  ply.vlastnost("float", "x");
  ply.vlastnost("float", "y");
  ply.vlastnost("float", "z");
  ply.prvek("face", 2);
  ply.seznam("vertex_indices");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
  ply.prvek("edge", 8);
  ply.vlastnost("int", "vertex1");
  ply.vlastnost("int", "vertex2");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
  for (int c = 0; c < 2; c++) {
    bod(ply, stereo_kamera[c]);
    ply.konec_radku();
    for (int k = 0; k < 4; k++) {
      bod(ply, stereo_body[c][k]);
      ply.konec_radku();
    }
  }
  for (int c = 0; c < 2; c++) {
    ply.u8(4);
    for (int k = 0; k < 4; k++) ply.i32(c * 5 + 1 + k);
    ply.u8(255);
    ply.u8(0);
    ply.u8(0);
    ply.konec_radku();
  }
  for (int c = 0; c < 2; c++)
    for (int k = 0; k < 4; k++) {
      ply.i32(c * 5);
      ply.i32(c * 5 + 1 + k);
      ply.u8(255);
      ply.u8(0);
      ply.u8(0);
      ply.konec_radku();
    }
  return ply.text();
}
