// Finding the complete angles and decoding them on several threads.
#include "pairs/dense_decoding.h"

#include <dirent.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <thread>

#include "common/camera_numbers.h"
#include "common/messages.h"
#include "decoder/image_input.h"

namespace {

// The angle of a name of the form "AAAPFC.bmp" whose pattern and family
// digits are those of one of the 19 images; -1 for any other name.
int uhel_jmena(const std::string& jmeno, const std::vector<std::string>& vzory) {
  if (jmeno.size() != 10 || jmeno.compare(6, 4, ".bmp") != 0) return -1;
  for (int i = 0; i < 6; ++i)
    if (jmeno[static_cast<std::size_t>(i)] < '0' || jmeno[static_cast<std::size_t>(i)] > '9') return -1;
  if (jmeno[5] != '1' && jmeno[5] != '2') return -1;
  if (std::find(vzory.begin(), vzory.end(), jmeno.substr(3, 2)) == vzory.end()) return -1;
  return std::stoi(jmeno.substr(0, 3));
}

}  // namespace

bool najdi_uhly(const std::string& adresar, UhlyAdresare* uhly, std::string* chyba) {
  const std::vector<std::string> vzory = vzory_kamery();
  DIR* d = opendir(adresar.c_str());
  if (d == nullptr) {
    *chyba = zprava(adresar, std::string("cannot be listed: ") + std::strerror(errno));
    return false;
  }
  std::map<int, std::set<std::string>> nalezene;
  while (const dirent* e = readdir(d)) {
    const std::string jmeno = e->d_name;
    const int uhel = uhel_jmena(jmeno, vzory);
    if (uhel >= 0 && uhel < 360) nalezene[uhel].insert(jmeno);
  }
  closedir(d);
  *uhly = UhlyAdresare{};
  for (const auto& [uhel, jmena] : nalezene) {
    NeuplnyUhel n{uhel, {}};
    for (int kamera = 1; kamera <= 2; ++kamera)
      for (const std::string& v : vzory) {
        const std::string jmeno = jmeno_snimku(uhel, v[0], v[1], kamera);
        if (jmena.count(jmeno) == 0) n.chybi.push_back(jmeno);
      }
    if (n.chybi.empty())
      uhly->uplne.push_back(uhel);
    else
      uhly->neuplne.push_back(n);
  }
  return true;
}

namespace {

// One angle on the calling thread, with its context.
void dekoduj_uhel(const std::string& adresar, KontextDekodovani& kontext, DekodovanyUhel* v) {
  KodyKamery kody[pocet_kamer];
  for (int k = 0; k < pocet_kamer; ++k) {
    if (!kontext.nacti_a_identifikuj(adresar, v->uhel, cislo_kamery(k), &kody[k], &v->chyba)) return;
    v->kamery[k] = kody[k].souhrn;
  }
  const std::vector<KorespondujiciPar> pary =
      paruj_kody(kody[0].kody.data(), kody[0].kody.size(), kody[1].kody.data(), kody[1].kody.size(),
                 static_cast<std::size_t>(kapacita_bodu));
  cv::Mat& nahled = kontext.volny_snimek();
  const std::string jmeno = cesta_snimku(adresar, v->uhel, '9', '1', 1);
  if (!nacti_snimek(jmeno.c_str(), nahled, &v->chyba)) return;
  for (const KorespondujiciPar& p : pary) {
    v->pary.push_back(ParPixelu{p.x1, p.y1, p.x2, p.y2});
    v->sedi.push_back(nahled.ptr<unsigned char>(p.y1)[p.x1]);
  }
}

}  // namespace

std::vector<DekodovanyUhel> dekoduj_uhly(const std::string& adresar, const std::vector<int>& uhly,
                                         int uloh) {
  std::vector<DekodovanyUhel> vysledky(uhly.size());
  for (std::size_t i = 0; i < uhly.size(); ++i) vysledky[i].uhel = uhly[i];
  std::atomic<std::size_t> dalsi{0};
  auto prace = [&] {
    KontextDekodovani kontext;
    for (std::size_t i = dalsi++; i < vysledky.size(); i = dalsi++) dekoduj_uhel(adresar, kontext, &vysledky[i]);
  };
  const std::size_t vlaken =
      std::min(static_cast<std::size_t>(std::max(uloh, 1)), std::max<std::size_t>(uhly.size(), 1));
  std::vector<std::thread> vlakna;
  for (std::size_t t = 1; t < vlaken; ++t) vlakna.emplace_back(prace);
  prace();
  for (std::thread& v : vlakna) v.join();
  return vysledky;
}
