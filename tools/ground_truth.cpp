// Writing and reading the ground-truth file.
#include "tools/ground_truth.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/sample_scene.h"

namespace {

void pridej(std::string& t, const char* format, ...) __attribute__((format(printf, 2, 3)));
void pridej(std::string& t, const char* format, ...) {
  char radek[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(radek, sizeof radek, format, args);
  va_end(args);
  t += radek;
}

void pridej_bod(std::string& t, Bod3 b) { pridej(t, " %.12g %.12g %.12g", b.x, b.y, b.z); }

}  // namespace

std::string text_pravdy(const Scena& s) {
  std::string t;
  t += "# Ground truth of the sample scene: world units, world frame of camera 1.\n";
  t += "# Marker records: slot, number, object point, true point in the common\n";
  t += "# frame, true point where it stood when the slot was photographed.\n";
  pridej(t, "seed %llu\n", static_cast<unsigned long long>(s.nastaveni.seed));
  pridej(t, "style %s\n", s.nastaveni.styl == StylZnacky::skvrna ? "blob" : "pixel");
  t += "axis_centre";
  pridej_bod(t, s.osa.bod);
  t += "\naxis_direction";
  pridej_bod(t, s.osa.smer);
  t += "\n";
  for (int slot = 0; slot < pocet_poloh; slot++)
    pridej(t, "slot_angle %d %d\n", slot, uhly_poloh[slot]);
  for (const ReferencniZnacka& r : s.reference) {
    pridej(t, "reference %d", r.zelena);
    pridej_bod(t, r.poloha);
    t += "\n";
  }
  t += "calibration_rotation";
  for (const auto& radek : s.otoceni_kalibrace)
    for (double v : radek) pridej(t, " %.12g", v);
  t += "\ncalibration_translation";
  pridej_bod(t, s.posun_kalibrace);
  t += "\n";
  for (const KalibracniZnacka& k : s.kalibracni) {
    pridej(t, "calibration_mark %d", k.cislo);
    pridej_bod(t, k.poloha);
    t += "\n";
  }
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (const ZnackaPolohy& z : s.znacky[slot]) {
      pridej(t, "marker %d %d %d", slot, z.cislo, z.bod_objektu);
      pridej_bod(t, z.pravda);
      pridej_bod(t, z.poloha);
      t += "\n";
    }
  return t;
}

namespace {

bool cti_bod(std::istringstream& r, Bod3* b) { return static_cast<bool>(r >> b->x >> b->y >> b->z); }

}  // namespace

bool nacti_pravdu(const std::string& cesta, PravdaSceny* p, std::string* chyba) {
  std::ifstream f(cesta);
  if (!f) {
    if (chyba != nullptr) *chyba = cesta + ": cannot be opened";
    return false;
  }
  *p = PravdaSceny{};
  std::string radek;
  int cislo_radku = 0;
  bool osa = false, smer = false;
  int referenci = 0;
  while (std::getline(f, radek)) {
    cislo_radku++;
    if (radek.empty() || radek[0] == '#') continue;
    std::istringstream r(radek);
    std::string klic;
    r >> klic;
    bool dobre = true;
    if (klic == "seed") {
      dobre = static_cast<bool>(r >> p->seed);
    } else if (klic == "style") {
      dobre = static_cast<bool>(r >> p->styl);
    } else if (klic == "axis_centre") {
      dobre = cti_bod(r, &p->osa.bod);
      osa = true;
    } else if (klic == "axis_direction") {
      dobre = cti_bod(r, &p->osa.smer);
      smer = true;
    } else if (klic == "slot_angle") {
      int slot = -1, uhel = 0;
      dobre = (r >> slot >> uhel) && slot >= 0 && slot < 5;
      if (dobre) p->uhly[slot] = uhel;
    } else if (klic == "reference") {
      int zelena = 0;
      Bod3 b;
      dobre = (r >> zelena) && zelena >= 252 && zelena <= 255 && cti_bod(r, &b);
      if (dobre) {
        p->reference[255 - zelena] = b;
        referenci++;
      }
    } else if (klic == "calibration_rotation") {
      for (auto& rr : p->otoceni_kalibrace)
        for (double& v : rr) dobre = dobre && static_cast<bool>(r >> v);
    } else if (klic == "calibration_translation") {
      dobre = cti_bod(r, &p->posun_kalibrace);
    } else if (klic == "calibration_mark") {
      int k = 0;
      Bod3 b;
      dobre = (r >> k) && k >= 1 && k <= 16 && cti_bod(r, &b);
      if (dobre) p->kalibracni[k - 1] = b;
    } else if (klic == "marker") {
      ZaznamZnacky z;
      dobre = (r >> z.slot >> z.cislo >> z.bod_objektu) && z.slot >= 0 && z.slot < 5 &&
              z.cislo >= 1 && cti_bod(r, &z.pravda) && cti_bod(r, &z.poloha);
      if (dobre) p->znacky.push_back(z);
    } else {
      dobre = false;
    }
    if (!dobre) {
      if (chyba != nullptr)
        *chyba = cesta + ": line " + std::to_string(cislo_radku) + " is not a valid record";
      return false;
    }
  }
  if (!osa || !smer || referenci != 4) {
    if (chyba != nullptr) *chyba = cesta + ": the axis or the four reference marks are missing";
    return false;
  }
  return true;
}
