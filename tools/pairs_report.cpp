// Reading points.txt and pairs.ply, and comparing them.
#include "tools/pairs_report.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "tools/decoder_report.h"

bool nacti_body_pravdy(const std::string& cesta, std::vector<BodPravdy>* body, std::string* chyba) {
  std::ifstream f(cesta);
  if (!f) {
    *chyba = cesta + ": cannot open";
    return false;
  }
  body->clear();
  std::string radek;
  for (int cislo = 1; std::getline(f, radek); cislo++) {
    BodPravdy b;
    std::istringstream s(radek);
    std::string zbytek;
    if (!(s >> b.kod >> b.x1 >> b.y1 >> b.x2 >> b.y2 >> b.svet.x >> b.svet.y >> b.svet.z >>
          b.spolecny.x >> b.spolecny.y >> b.spolecny.z) ||
        (s >> zbytek)) {
      *chyba = cesta + ": line " + std::to_string(cislo) + " is malformed";
      return false;
    }
    body->push_back(b);
  }
  return true;
}

bool nacti_ply_paru(const std::string& cesta, std::vector<BodParu>* body, std::string* chyba) {
  std::ifstream f(cesta, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  const std::string t = s.str();
  const std::string hlavicka_konec = "end_header\n";
  const std::size_t konec = t.find(hlavicka_konec);
  const std::size_t prvek = t.find("element vertex ");
  if (!f || konec == std::string::npos || prvek == std::string::npos || prvek > konec ||
      t.find("format binary_little_endian 1.0") > konec) {
    *chyba = cesta + ": not a binary PLY file of points";
    return false;
  }
  const std::size_t pocet = std::strtoul(t.c_str() + prvek + 15, nullptr, 10);
  const std::size_t data = konec + hlavicka_konec.size();
  if (pocet > t.size() / 32 || t.size() - data != pocet * 32) {
    *chyba = cesta + ": " + std::to_string(pocet) + " points announced, " +
             std::to_string(t.size() - data) + " bytes of data";
    return false;
  }
  body->assign(pocet, BodParu{});
  for (std::size_t i = 0; i < pocet; i++) {
    BodParu& b = (*body)[i];
    const char* p = t.data() + data + 32 * i;
    std::memcpy(b.xyz, p, 12);
    std::memcpy(&b.par.x1, p + 12, 4);
    std::memcpy(&b.par.y1, p + 16, 4);
    std::memcpy(&b.par.x2, p + 20, 4);
    std::memcpy(&b.par.y2, p + 24, 4);
    std::memcpy(&b.mezera, p + 28, 4);
  }
  return true;
}

namespace {

using KlicParu = std::tuple<int, int, int, int>;
KlicParu klic(const ParPixelu& p) { return {p.x1, p.y1, p.x2, p.y2}; }

// Index of the crossing nearest to camera 1 pixel (x, y), or -1 when none
// lies within tolerance_paru.
int nejblizsi_krizeni(int x, int y, const std::vector<BodPravdy>& pravda) {
  int nej = -1;
  double vzdalenost = tolerance_paru;
  for (std::size_t i = 0; i < pravda.size(); i++) {
    const double d = std::hypot(x - pravda[i].x1, y - pravda[i].y1);
    if (d <= vzdalenost) nej = static_cast<int>(i), vzdalenost = d;
  }
  return nej;
}

}  // namespace

HodnoceniBodu ohodnot_body(const std::vector<ParPixelu>& pary, const std::vector<BodParu>& body,
                           const std::vector<BodPravdy>& pravda, bool spolecny) {
  HodnoceniBodu h;
  h.paru = static_cast<int>(pary.size());
  h.bodu = static_cast<int>(body.size());
  h.krizeni = static_cast<int>(pravda.size());
  std::map<KlicParu, int> zbyva;
  for (const ParPixelu& p : pary) zbyva[klic(p)]++;
  std::vector<bool> nalezeno(pravda.size(), false);
  double ctverce = 0;
  int s_krizenim = 0;
  for (const BodParu& b : body) {
    int& kolik = zbyva[klic(b.par)];
    kolik > 0 ? kolik-- : h.navic++;
    const int i = nejblizsi_krizeni(b.par.x1, b.par.y1, pravda);
    if (i < 0) {
      h.bez_krizeni++;
      continue;
    }
    const BodPravdy& k = pravda[static_cast<std::size_t>(i)];
    const double e = delka(Bod3{b.xyz[0], b.xyz[1], b.xyz[2]} - (spolecny ? k.spolecny : k.svet));
    ctverce += e * e;
    s_krizenim++;
    h.nejvic = std::max(h.nejvic, e);
    if (e <= mez_chyby_bodu) {
      h.do_meze++;
      nalezeno[static_cast<std::size_t>(i)] = true;
    }
  }
  for (const auto& z : zbyva) h.chybi += z.second;
  if (s_krizenim > 0) h.rms = std::sqrt(ctverce / s_krizenim);
  h.nalezenych = static_cast<int>(std::count(nalezeno.begin(), nalezeno.end(), true));
  return h;
}
