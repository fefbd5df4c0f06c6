#include "reconstruction/upright_ply.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "common/messages.h"

const char* const komentar_vzpriment =
    "comment upright: turntable frame, origin at the turntable centre, z up along the turntable axis, "
    "x towards camera 1";

namespace {

struct Vlastnost {
  std::string jmeno;
  int velikost = 0;        // bytes of the value, or of each list item
  int velikost_poctu = 0;  // bytes of a list's count; 0: not a list
  bool je_float = false;
};

struct Prvek {
  std::size_t pocet = 0;
  std::vector<Vlastnost> vlastnosti;
};

int velikost_typu(const std::string& typ) {
  if (typ == "char" || typ == "uchar" || typ == "int8" || typ == "uint8") return 1;
  if (typ == "short" || typ == "ushort" || typ == "int16" || typ == "uint16") return 2;
  if (typ == "int" || typ == "uint" || typ == "float" || typ == "int32" || typ == "uint32" || typ == "float32")
    return 4;
  if (typ == "double" || typ == "float64") return 8;
  return 0;
}

bool selhani(std::string* chyba, const std::string& proc) {
  if (chyba != nullptr) *chyba = proc;
  return false;
}

// The index of each of three named float properties, or -1.
void najdi(const Prvek& p, const char* a, const char* b, const char* c, int index[3]) {
  const char* jmena[3] = {a, b, c};
  for (int k = 0; k < 3; k++) {
    index[k] = -1;
    for (std::size_t i = 0; i < p.vlastnosti.size(); i++)
      if (p.vlastnosti[i].jmeno == jmena[k] && p.vlastnosti[i].je_float && p.vlastnosti[i].velikost_poctu == 0)
        index[k] = static_cast<int>(i);
  }
}

}  // namespace

bool ply_vzpriment(const std::string& ply, const Soustava& tocna, std::string* vysledek, std::string* chyba) {
  const std::size_t konec_hlavicky = ply.find("end_header\n");
  if (ply.rfind("ply\n", 0) != 0 || konec_hlavicky == std::string::npos)
    return selhani(chyba, "not a PLY file with a header");
  std::istringstream hlavicka(ply.substr(0, konec_hlavicky));
  std::string radek, nova_hlavicka;
  std::vector<Prvek> prvky;
  bool binarni = false;
  while (std::getline(hlavicka, radek)) {
    nova_hlavicka += radek + "\n";
    std::istringstream slova(radek);
    std::string slovo;
    slova >> slovo;
    if (slovo == "format") {
      std::string format;
      slova >> format;
      binarni = format == "binary_little_endian";
      nova_hlavicka += std::string(komentar_vzpriment) + "\n";
    } else if (slovo == "element") {
      std::string jmeno;
      Prvek p;
      if (!(slova >> jmeno >> p.pocet)) return selhani(chyba, "a bad element line: " + radek);
      prvky.push_back(p);
    } else if (slovo == "property") {
      if (prvky.empty()) return selhani(chyba, "a property before any element");
      Vlastnost v;
      std::string typ;
      slova >> typ;
      if (typ == "list") {
        std::string typ_poctu;
        slova >> typ_poctu >> typ;
        v.velikost_poctu = velikost_typu(typ_poctu);
        if (v.velikost_poctu != 1) return selhani(chyba, "a list count other than uchar: " + radek);
      }
      v.velikost = velikost_typu(typ);
      v.je_float = typ == "float" || typ == "float32";
      slova >> v.jmeno;
      if (v.velikost == 0 || v.jmeno.empty()) return selhani(chyba, "a property type this reader does not know: " + radek);
      prvky.back().vlastnosti.push_back(v);
    }
  }
  if (!binarni) return selhani(chyba, "not binary little-endian");
  std::string telo = ply.substr(konec_hlavicky + std::strlen("end_header\n"));
  std::size_t kde = 0;
  for (const Prvek& p : prvky) {
    int bod[3], normala[3];
    najdi(p, "x", "y", "z", bod);
    najdi(p, "nx", "ny", "nz", normala);
    const bool ma_bod = bod[0] >= 0 && bod[1] >= 0 && bod[2] >= 0;
    const bool ma_normalu = normala[0] >= 0 && normala[1] >= 0 && normala[2] >= 0;
    for (std::size_t r = 0; r < p.pocet; r++) {
      std::vector<std::size_t> zacatky;
      for (const Vlastnost& v : p.vlastnosti) {
        zacatky.push_back(kde);
        std::size_t delka = static_cast<std::size_t>(v.velikost);
        if (v.velikost_poctu > 0) {
          if (kde >= telo.size()) return selhani(chyba, "the data end early");
          delka = static_cast<unsigned char>(telo[kde]) * delka + 1;
        }
        if (telo.size() - kde < delka) return selhani(chyba, "the data end early");
        kde += delka;
      }
      const auto cti = [&](int i) {
        float f;
        std::memcpy(&f, &telo[zacatky[static_cast<std::size_t>(i)]], 4);
        return static_cast<double>(f);
      };
      const auto pis = [&](int i, double hodnota) {
        const float f = static_cast<float>(hodnota);
        std::memcpy(&telo[zacatky[static_cast<std::size_t>(i)]], &f, 4);
      };
      if (ma_bod) {
        const double svet[3] = {cti(bod[0]), cti(bod[1]), cti(bod[2])};
        double v[3];
        do_soustavy(tocna, svet, v);
        for (int k = 0; k < 3; k++) pis(bod[k], v[k]);
      }
      if (ma_normalu) {
        const double n[3] = {cti(normala[0]), cti(normala[1]), cti(normala[2])};
        for (int k = 0; k < 3; k++)
          pis(normala[k], tocna.osy[k][0] * n[0] + tocna.osy[k][1] * n[1] + tocna.osy[k][2] * n[2]);
      }
    }
  }
  if (kde != telo.size()) return selhani(chyba, "data beyond the elements the header declares");
  *vysledek = nova_hlavicka + "end_header\n" + telo;
  return true;
}

bool ply_k_zapisu(const char* jmeno, const std::string& ply, const Soustava* vzpriment, std::string* obsah,
                  std::string* chyba) {
  if (vzpriment == nullptr) {
    *obsah = ply;
    return true;
  }
  std::string proc;
  if (ply_vzpriment(ply, *vzpriment, obsah, &proc)) return true;
  *chyba = zprava(jmeno, "cannot be turned into the turntable frame: " + proc);
  return false;
}
