// Reading data.txt and the ground truth, and comparing them.
#include "tools/decoder_report.h"

#include <cmath>
#include <fstream>
#include <sstream>

bool nacti_data(const std::string& cesta, std::vector<ParBodu>* pary, std::string* chyba) {
  std::ifstream f(cesta);
  if (!f) {
    *chyba = cesta + ": cannot open";
    return false;
  }
  std::vector<std::string> radky;
  std::string radek;
  while (std::getline(f, radek)) radky.push_back(radek);
  if (radky.size() < 15 || radky[12] != "M" || radky.back() != "Q" ||
      (radky.size() - 15) % 4 != 0) {
    *chyba = cesta + ": not a complete data file";
    return false;
  }
  pary->clear();
  for (std::size_t i = 14; i + 4 < radky.size(); i += 4) {
    ParBodu p{};
    try {
      p = ParBodu{std::stoi(radky[i]), std::stoi(radky[i + 1]), std::stoi(radky[i + 2]),
                  std::stoi(radky[i + 3])};
    } catch (...) {
      *chyba = cesta + ": line " + std::to_string(i + 1) + " is not a number";
      return false;
    }
    pary->push_back(p);
  }
  return true;
}

bool nacti_pravdu(const std::string& cesta, Pravda* pravda, std::string* chyba) {
  std::ifstream f(cesta);
  if (!f) {
    *chyba = cesta + ": cannot open";
    return false;
  }
  *pravda = Pravda{};
  std::string radek;
  for (int i = 0; i < 2; ++i) {
    std::string s1, s2, s3, s4;
    int cislo = 0;
    SouhrnKamery& k = pravda->kamery[i];
    if (!std::getline(f, radek) ||
        !(std::istringstream(radek) >> s1 >> cislo >> s2 >> k.videt >> s3 >> k.osvetleno >> s4 >>
          k.skvrn) ||
        s1 != "camera" || cislo != i + 1) {
      *chyba = cesta + ": camera line " + std::to_string(i + 1) + " is malformed";
      return false;
    }
  }
  while (std::getline(f, radek)) {
    KrizeniPravdy k{};
    int skvrna = 0;
    if (!(std::istringstream(radek) >> k.kod >> k.x1 >> k.y1 >> k.x2 >> k.y2 >> k.kontrast1 >>
          k.kontrast2 >> skvrna)) {
      *chyba = cesta + ": malformed crossing line";
      return false;
    }
    k.skvrna = skvrna != 0;
    pravda->krizeni.push_back(k);
  }
  return true;
}

int krizeni_paru(const ParBodu& par, const Pravda& pravda) {
  for (std::size_t i = 0; i < pravda.krizeni.size(); ++i) {
    const KrizeniPravdy& k = pravda.krizeni[i];
    if (std::hypot(par.x1 - k.x1, par.y1 - k.y1) <= tolerance_paru &&
        std::hypot(par.x2 - k.x2, par.y2 - k.y2) <= tolerance_paru)
      return static_cast<int>(i);
  }
  return -1;
}

Hodnoceni ohodnot(const std::vector<ParBodu>& pary, const Pravda& pravda) {
  Hodnoceni h;
  h.paru = static_cast<int>(pary.size());
  h.krizeni = static_cast<int>(pravda.krizeni.size());
  std::vector<bool> nalezeno(pravda.krizeni.size(), false);
  for (const ParBodu& p : pary) {
    const int i = krizeni_paru(p, pravda);
    if (i < 0) {
      ++h.chybnych;
    } else {
      ++h.spravnych;
      nalezeno[static_cast<std::size_t>(i)] = true;
    }
  }
  for (bool n : nalezeno)
    if (!n) ++h.zmeskanych;
  return h;
}
