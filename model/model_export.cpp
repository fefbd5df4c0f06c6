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
#include "common/ply_writer.h"
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

// The vertex table: the point instructions first (one vertex each), then
// further positions, a position that already has a vertex reusing it.
class Vrcholy {
 public:
  int instrukce(const PolygonInstrukce* ins) {
    auto nalezeny = index_instrukce_.find(ins);
    if (nalezeny != index_instrukce_.end()) return nalezeny->second;
    const float p[3] = {ins->x, ins->y, ins->z};
    const int i = static_cast<int>(polohy_.size());
    polohy_.push_back({p[0], p[1], p[2]});
    index_instrukce_.emplace(ins, i);
    index_polohy_.emplace(klic(p), i);
    return i;
  }

  int poloha(const float p[3]) {
    const Klic k = klic(p);
    auto nalezeny = index_polohy_.find(k);
    if (nalezeny != index_polohy_.end()) return nalezeny->second;
    const int i = static_cast<int>(polohy_.size());
    polohy_.push_back({p[0], p[1], p[2]});
    index_polohy_.emplace(k, i);
    return i;
  }

  const std::vector<std::array<float, 3>>& polohy() const { return polohy_; }

 private:
  std::vector<std::array<float, 3>> polohy_;
  std::unordered_map<const PolygonInstrukce*, int> index_instrukce_;
  std::map<Klic, int> index_polohy_;
};

// The faces of model1: polygons of 3 to 255 point instructions, each set of
// vertices once; the others are counted in vynechanych_polygonu.
std::vector<Stena> steny_modelu(Vrcholy& vrcholy, SouhrnExportu& s) {
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
      stena.vrcholy.push_back(vrcholy.instrukce(i->hodnota));
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
  return steny;
}

// The edges of prunik: red-yellow for a flagged segment, red-blue otherwise.
std::vector<Hrana> hrany_pruniku(Vrcholy& vrcholy) {
  std::vector<Hrana> hrany;
  const int usecek = std::min(std::max(pocetusecek3d, 0), kapacita_prunik);
  for (int i = 0; i < usecek; i++) {
    Hrana h;
    h.a = vrcholy.poloha(&prunik[i].p[0]);
    h.b = vrcholy.poloha(&prunik[i].p[3]);
    const bool zluta = priznak_usecky(prunik[i]) != 0;
    h.barva[0] = 255;
    h.barva[1] = zluta ? 255 : 0;
    h.barva[2] = zluta ? 0 : 255;
    hrany.push_back(h);
  }
  return hrany;
}

void hlavicka(PlyZapis& ply, std::size_t vrcholu, std::size_t sten, std::size_t hran) {
  ply.komentar("turntable scanner model");
  ply.prvek("vertex", vrcholu);
  ply.vlastnost("float", "x");
  ply.vlastnost("float", "y");
  ply.vlastnost("float", "z");
  ply.prvek("face", sten);
  ply.seznam("vertex_indices");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
  ply.prvek("edge", hran);
  ply.vlastnost("int", "vertex1");
  ply.vlastnost("int", "vertex2");
  ply.vlastnost("uchar", "red");
  ply.vlastnost("uchar", "green");
  ply.vlastnost("uchar", "blue");
}

void radky(PlyZapis& ply, const std::vector<std::array<float, 3>>& polohy,
           const std::vector<Stena>& steny, const std::vector<Hrana>& hrany) {
  for (const auto& v : polohy) {
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
}

}  // namespace

std::string model_ply(bool ascii, SouhrnExportu* souhrn) {
  Vrcholy vrcholy;
  for (const PolygonInstrukce* ins : instrukce_polygonu)
    if (ins != nullptr && ins->TypInstrukce() == PolygonInstrukce::bod) vrcholy.instrukce(ins);
  SouhrnExportu s;
  const std::vector<Stena> steny = steny_modelu(vrcholy, s);
  const std::vector<Hrana> hrany = hrany_pruniku(vrcholy);

  PlyZapis ply(ascii);
  hlavicka(ply, vrcholy.polohy().size(), steny.size(), hrany.size());
  radky(ply, vrcholy.polohy(), steny, hrany);
  s.vrcholu = static_cast<int>(vrcholy.polohy().size());
  s.sten = static_cast<int>(steny.size());
  s.hran = static_cast<int>(hrany.size());
  if (souhrn != nullptr) *souhrn = s;
  return ply.text();
}

bool zapis_model_ply(const std::string& cesta, bool ascii, std::string* chyba, SouhrnExportu* souhrn) {
  return zapis_atomicky(cesta, model_ply(ascii, souhrn), chyba);
}
