// PLY export of model1, the instruction pool and prunik.
#include "model/model_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "model/instruction_pool.h"
#include "model/ply_writer.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/scene_tables.h"

namespace {

struct Stena {
  std::vector<int> vrcholy;
  std::uint8_t barva[3];
};

struct Hrana {
  int a, b;
  std::uint8_t barva[3];
};

using Klic = std::array<std::uint32_t, 3>;

Klic klic(const float* p) {
  Klic k;
  for (int j = 0; j < 3; j++) std::memcpy(&k[j], &p[j], 4);
  return k;
}

}  // namespace

std::string model_ply(bool ascii, SouhrnExportu* souhrn) {
  std::vector<std::array<float, 3>> vrcholy;
  std::unordered_map<const PolygonInstrukce*, int> index_instrukce;
  std::map<Klic, int> index_polohy;
  auto pridej_vrchol = [&](const float p[3]) {
    const Klic k = klic(p);
    auto nalezeny = index_polohy.find(k);
    if (nalezeny != index_polohy.end()) return nalezeny->second;
    const int i = static_cast<int>(vrcholy.size());
    vrcholy.push_back({p[0], p[1], p[2]});
    index_polohy.emplace(k, i);
    return i;
  };
  auto vrchol_instrukce = [&](const PolygonInstrukce* ins) {
    auto nalezeny = index_instrukce.find(ins);
    if (nalezeny != index_instrukce.end()) return nalezeny->second;
    const float p[3] = {ins->x, ins->y, ins->z};
    const int i = static_cast<int>(vrcholy.size());
    vrcholy.push_back({p[0], p[1], p[2]});
    index_instrukce.emplace(ins, i);
    index_polohy.emplace(klic(p), i);
    return i;
  };
  for (const PolygonInstrukce* ins : instrukce_polygonu)
    if (ins != nullptr && ins->TypInstrukce() == PolygonInstrukce::bod) vrchol_instrukce(ins);

  SouhrnExportu s;
  std::vector<Stena> steny;
  std::set<std::vector<int>> videne;
  for (const PrvekSeznamu<Polygon3D*>* e = model1.Prvni(); e != nullptr; e = e->dalsi) {
    const Polygon3D* polygon = e->hodnota;
    Stena stena;
    bool jen_body = true;
    for (const PrvekSeznamu<PolygonInstrukce*>* i = polygon->instrukce.Prvni(); i != nullptr; i = i->dalsi) {
      if (i->hodnota == nullptr || i->hodnota->TypInstrukce() != PolygonInstrukce::bod) {
        jen_body = false;
        break;
      }
      stena.vrcholy.push_back(vrchol_instrukce(i->hodnota));
    }
    if (!jen_body || stena.vrcholy.size() < 3 || stena.vrcholy.size() > 255) {
      s.vynechanych_polygonu++;
      continue;
    }
    std::vector<int> serazene = stena.vrcholy;
    std::sort(serazene.begin(), serazene.end());
    if (!videne.insert(serazene).second) continue;
    stena.barva[0] = static_cast<std::uint8_t>(polygon->cervena & 0xff);
    stena.barva[1] = static_cast<std::uint8_t>(polygon->zelena & 0xff);
    stena.barva[2] = static_cast<std::uint8_t>(polygon->modra & 0xff);
    steny.push_back(stena);
  }

  std::vector<Hrana> hrany;
  const int usecek = std::min(std::max(pocetusecek3d, 0), kapacita_prunik);
  for (int i = 0; i < usecek; i++) {
    Hrana h;
    h.a = pridej_vrchol(&prunik[i].p[0]);
    h.b = pridej_vrchol(&prunik[i].p[3]);
    const bool zluta = priznak_usecky(prunik[i]) != 0;
    h.barva[0] = 255;
    h.barva[1] = zluta ? 255 : 0;
    h.barva[2] = zluta ? 0 : 255;
    hrany.push_back(h);
  }

  PlyZapis ply(ascii);
  ply.komentar("turntable scanner model");
  ply.prvek("vertex", vrcholy.size());
  ply.vlastnost("float", "x");
  ply.vlastnost("float", "y");
  ply.vlastnost("float", "z");
  ply.prvek("face", steny.size());
  ply.seznam("vertex_indices");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
  ply.prvek("edge", hrany.size());
  ply.vlastnost("int", "vertex1");
  ply.vlastnost("int", "vertex2");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
  for (const auto& v : vrcholy) {
    ply.f32(v[0]);
    ply.f32(v[1]);
    ply.f32(v[2]);
    ply.konec_radku();
  }
  for (const Stena& stena : steny) {
    ply.u8(static_cast<std::uint8_t>(stena.vrcholy.size()));
    for (int v : stena.vrcholy) ply.i32(v);
    for (std::uint8_t b : stena.barva) ply.u8(b);
    ply.konec_radku();
  }
  for (const Hrana& h : hrany) {
    ply.i32(h.a);
    ply.i32(h.b);
    for (std::uint8_t b : h.barva) ply.u8(b);
    ply.konec_radku();
  }
  s.vrcholu = static_cast<int>(vrcholy.size());
  s.sten = static_cast<int>(steny.size());
  s.hran = static_cast<int>(hrany.size());
  if (souhrn != nullptr) *souhrn = s;
  return ply.text();
}

bool zapis_model_ply(const std::string& cesta, bool ascii, std::string* chyba, SouhrnExportu* souhrn) {
  return zapis_atomicky(cesta, model_ply(ascii, souhrn), chyba);
}
