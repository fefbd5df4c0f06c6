// Reading dense.ply, sampling the vase's visible side and comparing.
#include "tools/dense_report.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/IO/PLY.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/image_size.h"
#include "tools/decoder_sample_scene.h"
#include "tools/sample_object.h"
#include "tools/turntable_light_scene.h"

namespace {

constexpr std::size_t bajtu_bodu = 6 * 4 + 3 + 5 * 4;

// The properties of dense.ply's vertex, in order: type and name.
const std::array<std::array<const char*, 2>, 14> vlastnosti{{{"float", "x"},
                                                             {"float", "y"},
                                                             {"float", "z"},
                                                             {"float", "nx"},
                                                             {"float", "ny"},
                                                             {"float", "nz"},
                                                             {"uchar", "red"},
                                                             {"uchar", "green"},
                                                             {"uchar", "blue"},
                                                             {"int", "angle"},
                                                             {"int", "x1"},
                                                             {"int", "y1"},
                                                             {"int", "x2"},
                                                             {"int", "y2"}}};

// The PLY type names of one type: its own and the sized alias.
bool stejny_typ(const std::string& typ, const std::string& ocekavany) {
  if (typ == ocekavany) return true;
  return (ocekavany == "float" && typ == "float32") || (ocekavany == "uchar" && typ == "uint8") ||
         (ocekavany == "int" && typ == "int32");
}

std::vector<std::string> slova(const std::string& radek) {
  std::istringstream s(radek);
  return {std::istream_iterator<std::string>(s), std::istream_iterator<std::string>()};
}

// The header up to "end_header": the number of points and where the data
// begin; false with the problem otherwise.
bool precti_hlavicku(const std::string& t, std::size_t* bodu, std::size_t* data,
                     std::string* problem) {
  std::size_t poloha = 0;
  int radek = 0;
  bool format = false, prvek = false;
  std::size_t vlastnost = 0;
  while (true) {
    const std::size_t konec = t.find('\n', poloha);
    if (konec == std::string::npos) {
      *problem = radek == 0 ? "empty, not a PLY file" : "the header has no end_header line";
      return false;
    }
    std::string r = t.substr(poloha, konec - poloha);
    if (!r.empty() && r.back() == '\r') r.pop_back();
    poloha = konec + 1;
    ++radek;
    const std::vector<std::string> w = slova(r);
    if (radek == 1) {
      if (r != "ply") {
        *problem = "not a PLY file (no \"ply\" line first)";
        return false;
      }
      continue;
    }
    const std::string co = w.empty() ? "" : w[0];
    if (co == "comment" || co == "obj_info") continue;
    if (co == "end_header") {
      if (!format || !prvek || vlastnost != vlastnosti.size()) {
        *problem = !format ? "the header names no format"
                           : !prvek ? "the header has no element vertex"
                                    : "the vertex has " + std::to_string(vlastnost) +
                                          " properties, not the 14 of x y z nx ny nz red green "
                                          "blue angle x1 y1 x2 y2";
        return false;
      }
      *data = poloha;
      return true;
    }
    if (co == "format") {
      if (format || w.size() != 3 || w[1] != "binary_little_endian" || w[2] != "1.0") {
        *problem = "header line " + std::to_string(radek) +
                   ": the format must be one \"binary_little_endian 1.0\"";
        return false;
      }
      format = true;
    } else if (co == "element") {
      if (prvek || w.size() != 3 || w[1] != "vertex") {
        *problem = "header line " + std::to_string(radek) +
                   ": the only element must be \"vertex\" with its count";
        return false;
      }
      const std::string& n = w[2];
      if (n.size() > 18 || n.find_first_not_of("0123456789") != std::string::npos) {
        *problem = "header line " + std::to_string(radek) + ": bad vertex count \"" + n + "\"";
        return false;
      }
      *bodu = std::stoull(n);
      prvek = true;
    } else if (co == "property") {
      const bool dobre = prvek && vlastnost < vlastnosti.size() && w.size() == 3 &&
                         stejny_typ(w[1], vlastnosti[vlastnost][0]) &&
                         w[2] == vlastnosti[vlastnost][1];
      if (!dobre) {
        *problem = "header line " + std::to_string(radek) + ": \"" + r + "\" where " +
                   (prvek && vlastnost < vlastnosti.size()
                        ? "\"property " + std::string(vlastnosti[vlastnost][0]) + " " +
                              vlastnosti[vlastnost][1] + "\" belongs"
                        : "no property belongs");
        return false;
      }
      ++vlastnost;
    } else {
      *problem = "header line " + std::to_string(radek) + ": \"" + r + "\" is not a PLY header line";
      return false;
    }
  }
}

float na_float(const unsigned char* p) {
  const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                          static_cast<std::uint32_t>(p[2]) << 16 |
                          static_cast<std::uint32_t>(p[3]) << 24;
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

int na_int(const unsigned char* p) {
  const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                          static_cast<std::uint32_t>(p[2]) << 16 |
                          static_cast<std::uint32_t>(p[3]) << 24;
  std::int32_t i;
  std::memcpy(&i, &u, 4);
  return i;
}

// Calls prace(i) for every i below n, spread over the machine's threads.
template <class F>
void pro_kazdy(std::size_t n, const F& prace) {
  constexpr std::size_t blok = 64;
  std::atomic<std::size_t> dalsi{0};
  auto beh = [&] {
    for (std::size_t b; (b = dalsi.fetch_add(blok)) < n;)
      for (std::size_t i = b; i < std::min(n, b + blok); i++) prace(i);
  };
  const std::size_t vlaken = std::min<std::size_t>(
      std::max(1u, std::thread::hardware_concurrency()), (n + blok - 1) / blok);
  std::vector<std::thread> vlakna;
  for (std::size_t k = 1; k < vlaken; k++) vlakna.emplace_back(beh);
  beh();
  for (std::thread& v : vlakna) v.join();
}

vzorek::Vektor vektor(Bod3 b) { return {b.x, b.y, b.z}; }

// Whether the ray from `odkud` towards `bod` meets the scene first at `bod`
// (within 0.01 units, the renderer's tolerance); the hit in *zasah.
bool prvni_zasah(const ScenaTocnySvetla& sc, const vzorek::Vektor& odkud, const vzorek::Vektor& bod,
                 vzorek::Zasah* zasah) {
  const vzorek::Vektor d{bod.x - odkud.x, bod.y - odkud.y, bod.z - odkud.z};
  const double delka = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  return sc.paprsek(odkud, vzorek::Vektor{d.x / delka, d.y / delka, d.z / delka}, zasah) &&
         std::fabs(zasah->t - delka) < 0.01;
}

// Whether the renderer draws the world point `x` in both pictures, lit well
// enough to decode.
bool viditelny(const ScenaTocnySvetla& sc, const vzorek::Vektor& x) {
  vzorek::Zasah z;
  for (int i = 0; i < 2; i++) {
    double u = 0, v = 0;
    if (!sc.promitni(i, x, &u, &v) || u < -0.5 || u >= sirka_obrazu - 0.5 || v < -0.5 ||
        v >= vyska_obrazu - 0.5 || !prvni_zasah(sc, sc.stred_kamery(i), x, &z))
      return false;
  }
  const vzorek::Kamera p = sc.projektor();
  double u = 0, v = 0;
  if (!vzorek::promitni(p, x, &u, &v) || u < 0 || u >= vzorek::sirka_projektoru || v < 0 ||
      v >= vzorek::vyska_projektoru || !prvni_zasah(sc, p.stred, x, &z))
    return false;
  const vzorek::Vektor l{p.stred.x - x.x, p.stred.y - x.y, p.stred.z - x.z};
  const double kosinus = (l.x * z.normala.x + l.y * z.normala.y + l.z * z.normala.z) /
                         std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
  return kosinus > 0 && vzorek::kontrast_bodu(z.albedo, kosinus) >= vzorek::nejmensi_kontrast;
}

Bod3 bod_boku(double h, double phi) {
  const double r = polomer_vazy(h, phi);
  return {r * std::cos(phi), r * std::sin(phi), h};
}

struct Vzdalenosti {
  double rms = 0, nejvic = 0;
  std::size_t do_meze = 0;
};

// Distances of local points from the vase, summed in the points' order.
Vzdalenosti vzdalenosti(const std::vector<Bod3>& mistni) {
  const VzdalenostOdVazy vzdalenost;
  std::vector<double> d(mistni.size());
  pro_kazdy(mistni.size(), [&](std::size_t i) { d[i] = vzdalenost(mistni[i]); });
  Vzdalenosti v;
  double ctverce = 0;
  for (double x : d) {
    ctverce += x * x;
    v.nejvic = std::max(v.nejvic, x);
    if (x <= mez_husteho) v.do_meze++;
  }
  if (!d.empty()) v.rms = std::sqrt(ctverce / static_cast<double>(d.size()));
  return v;
}

}  // namespace

bool nacti_husty_ply(const std::string& cesta, std::vector<BodHusteho>* body, std::string* chyba) {
  std::ifstream f(cesta, std::ios::binary);
  if (!f) {
    *chyba = cesta + ": cannot be opened";
    return false;
  }
  std::ostringstream s;
  s << f.rdbuf();
  if (f.bad()) {
    *chyba = cesta + ": cannot be read";
    return false;
  }
  const std::string t = s.str();
  std::size_t bodu = 0, data = 0;
  std::string problem;
  if (!precti_hlavicku(t, &bodu, &data, &problem)) {
    *chyba = cesta + ": " + problem;
    return false;
  }
  const std::size_t bajtu = t.size() - data;
  if (bodu > bajtu / bajtu_bodu || bajtu != bodu * bajtu_bodu) {
    *chyba = cesta + ": " + std::to_string(bodu) + " points announced (" +
             std::to_string(bajtu_bodu) + " bytes each), " + std::to_string(bajtu) +
             " bytes of data";
    return false;
  }
  body->assign(bodu, BodHusteho{});
  const unsigned char* p = reinterpret_cast<const unsigned char*>(t.data()) + data;
  for (std::size_t i = 0; i < bodu; i++, p += bajtu_bodu) {
    BodHusteho& b = (*body)[i];
    float* f6[6] = {&b.x, &b.y, &b.z, &b.nx, &b.ny, &b.nz};
    for (int k = 0; k < 6; k++) *f6[k] = na_float(p + 4 * k);
    b.red = p[24];
    b.green = p[25];
    b.blue = p[26];
    int* i5[5] = {&b.uhel, &b.x1, &b.y1, &b.x2, &b.y2};
    for (int k = 0; k < 5; k++) *i5[k] = na_int(p + 27 + 4 * k);
    if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(b.z)) {
      *chyba = cesta + ": point " + std::to_string(i) + " has a coordinate that is not a number";
      return false;
    }
    if (b.uhel < 0 || b.uhel > 359) {
      *chyba = cesta + ": point " + std::to_string(i) + " has the angle " +
               std::to_string(b.uhel) + ", not one from 0 to 359";
      return false;
    }
  }
  return true;
}

std::vector<int> uhly_nahledu(const std::string& adresar) {
  std::vector<int> uhly;
  for (int uhel = 0; uhel < 360; uhel++) {
    char jmeno[16];
    std::snprintf(jmeno, sizeof jmeno, "/%03d911.bmp", uhel);
    struct stat info;
    if (stat((adresar + jmeno).c_str(), &info) == 0 && S_ISREG(info.st_mode)) uhly.push_back(uhel);
  }
  return uhly;
}

std::vector<int> uhly_bodu(const std::vector<BodHusteho>& body) {
  std::vector<bool> je(360, false);
  for (const BodHusteho& b : body) je[static_cast<std::size_t>(b.uhel)] = true;
  std::vector<int> uhly;
  for (int uhel = 0; uhel < 360; uhel++)
    if (je[static_cast<std::size_t>(uhel)]) uhly.push_back(uhel);
  return uhly;
}

Bod3 spolecny_do_mistni(const Scena& scena, Bod3 spolecny) {
  return do_mistni(scena.tocna, spolecny);
}

std::vector<Bod3> vzorky_boku(double krok) {
  constexpr int dilku = 4096;  // chords along a row for its arc length
  const double dve_pi = 6.283185307179586;
  std::vector<Bod3> vzorky;
  const int radku = std::max(1, static_cast<int>(std::lround(vyska_vazy / krok)));
  std::vector<double> oblouk(dilku + 1);
  for (int j = 0; j < radku; j++) {
    const double h = (j + 0.5) * vyska_vazy / radku;
    oblouk[0] = 0;
    for (int k = 1; k <= dilku; k++)
      oblouk[k] = oblouk[k - 1] + delka(bod_boku(h, dve_pi * k / dilku) -
                                        bod_boku(h, dve_pi * (k - 1) / dilku));
    const double L = oblouk[dilku];
    const int kolem = std::max(1, static_cast<int>(std::lround(L / krok)));
    int k = 0;
    for (int i = 0; i < kolem; i++) {
      const double s = (i + 0.5) * L / kolem;
      while (k < dilku - 1 && oblouk[k + 1] < s) k++;
      const double podil = (s - oblouk[k]) / (oblouk[k + 1] - oblouk[k]);
      vzorky.push_back(bod_boku(h, dve_pi * (k + podil) / dilku));
    }
  }
  return vzorky;
}

std::vector<Bod3> viditelne_vzorky(const Scena& scena, const std::vector<int>& uhly,
                                   const std::vector<Bod3>& vzorky) {
  std::vector<ScenaTocnySvetla> sceny;
  for (int uhel : uhly) sceny.emplace_back(scena, uhel);
  std::vector<char> videt(vzorky.size(), 0);
  pro_kazdy(vzorky.size(), [&](std::size_t i) {
    const Bod3 spolecny = do_sveta(scena.tocna, vzorky[i]);
    for (const ScenaTocnySvetla& sc : sceny)
      if (viditelny(sc, vektor(sc.ze_spolecne(spolecny)))) {
        videt[i] = 1;
        return;
      }
  });
  std::vector<Bod3> vysledek;
  for (std::size_t i = 0; i < vzorky.size(); i++)
    if (videt[i]) vysledek.push_back(vzorky[i]);
  return vysledek;
}

std::size_t pokryte_vzorky(const std::vector<Bod3>& vzorky, const std::vector<Bod3>& body,
                           double dosah) {
  using Bunka = std::array<long long, 3>;
  // Coordinates far beyond any scene share the outermost cells; they only
  // cost comparisons.
  auto bunka = [dosah](Bod3 b) {
    auto osa = [dosah](double x) {
      return static_cast<long long>(std::floor(std::clamp(x / dosah, -1e12, 1e12)));
    };
    return Bunka{osa(b.x), osa(b.y), osa(b.z)};
  };
  std::vector<std::pair<Bunka, std::size_t>> serazene;
  serazene.reserve(body.size());
  for (std::size_t i = 0; i < body.size(); i++) serazene.push_back({bunka(body[i]), i});
  std::sort(serazene.begin(), serazene.end());
  std::vector<char> pokryt(vzorky.size(), 0);
  pro_kazdy(vzorky.size(), [&](std::size_t v) {
    const Bunka c = bunka(vzorky[v]);
    for (long long dx = -1; dx <= 1; dx++)
      for (long long dy = -1; dy <= 1; dy++)
        for (long long dz = -1; dz <= 1; dz++) {
          const Bunka k{c[0] + dx, c[1] + dy, c[2] + dz};
          auto od = std::lower_bound(serazene.begin(), serazene.end(), k,
                                     [](const std::pair<Bunka, std::size_t>& a, const Bunka& b) {
                                       return a.first < b;
                                     });
          for (; od != serazene.end() && od->first == k; ++od)
            if (delka(body[od->second] - vzorky[v]) <= dosah) {
              pokryt[v] = 1;
              return;
            }
        }
  });
  return static_cast<std::size_t>(std::count(pokryt.begin(), pokryt.end(), 1));
}

HodnoceniHusteho ohodnot_husty(const std::vector<BodHusteho>& body, const Scena& scena,
                               const std::vector<int>& uhly) {
  std::vector<Bod3> mistni;
  mistni.reserve(body.size());
  for (const BodHusteho& b : body) mistni.push_back(spolecny_do_mistni(scena, Bod3{b.x, b.y, b.z}));
  HodnoceniHusteho h;
  h.bodu = body.size();
  const Vzdalenosti v = vzdalenosti(mistni);
  h.rms = v.rms;
  h.nejvic = v.nejvic;
  h.do_meze = v.do_meze;
  const std::vector<Bod3> vzorky = viditelne_vzorky(scena, uhly, vzorky_boku(krok_vzorku));
  h.vzorku = vzorky.size();
  h.pokrytych = pokryte_vzorky(vzorky, mistni, dosah_pokryti);
  return h;
}

bool ohodnot_plochu(const std::string& cesta, const Scena& scena, HodnoceniPlochy* hodnoceni,
                    std::string* chyba) {
  using Bod = CGAL::Exact_predicates_inexact_constructions_kernel::Point_3;
  std::ifstream vstup(cesta, std::ios::binary);
  if (!vstup) {
    *chyba = cesta + ": cannot be opened";
    return false;
  }
  std::vector<Bod> body;
  std::vector<std::vector<std::size_t>> steny;
  if (!CGAL::IO::read_PLY(vstup, body, steny)) {
    *chyba = cesta + ": not a readable PLY mesh";
    return false;
  }
  std::vector<Bod3> mistni;
  for (std::size_t i = 0; i < body.size(); i++) {
    const Bod3 b{body[i].x(), body[i].y(), body[i].z()};
    if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(b.z)) {
      *chyba = cesta + ": vertex " + std::to_string(i) + " has a coordinate that is not a number";
      return false;
    }
    mistni.push_back(spolecny_do_mistni(scena, b));
  }
  const Vzdalenosti v = vzdalenosti(mistni);
  hodnoceni->vrcholu = mistni.size();
  hodnoceni->rms = v.rms;
  hodnoceni->nejvic = v.nejvic;
  return true;
}
