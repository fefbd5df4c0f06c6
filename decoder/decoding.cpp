// The decoding core: loading, identification on given tables, pairing.
#include "decoder/decoding.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "decoder/grid_points.h"
#include "decoder/image_input.h"

std::string jmeno_snimku(int uhel, char vzor, char rodina, int kamera) {
  std::string jmeno = "000000.bmp";
  jmeno[0] = static_cast<char>('0' + uhel / 100);
  jmeno[1] = static_cast<char>('0' + (uhel % 100) / 10);
  jmeno[2] = static_cast<char>('0' + uhel % 10);
  jmeno[3] = vzor;
  jmeno[4] = rodina;
  jmeno[5] = static_cast<char>('0' + kamera);
  return jmeno;
}

std::string cesta_snimku(const std::string& adresar, int uhel, char vzor, char rodina, int kamera) {
  const std::string jmeno = jmeno_snimku(uhel, vzor, rodina, kamera);
  return adresar.empty() || adresar == "." ? jmeno : adresar + "/" + jmeno;
}

std::vector<std::string> vzory_kamery() {
  std::vector<std::string> vzory = {"03", "04", "11", "12"};
  for (int k = 0; k < bitu_kodu; ++k)
    vzory.push_back({static_cast<char>('8' - k % 7), k < 7 ? '1' : '2'});
  vzory.push_back("91");
  return vzory;
}

bool nacti_snimky_kamery(const std::string& adresar, int uhel, int kamera,
                         SnimkyKamery* snimky, std::string* chyba) {
  const std::vector<std::string> vzory = vzory_kamery();
  cv::Mat* cile[4] = {&snimky->ref03, &snimky->ref04, &snimky->mrizka1, &snimky->mrizka2};
  snimky->kody.resize(bitu_kodu);
  for (std::size_t i = 0; i + 1 < vzory.size(); ++i) {
    cv::Mat& cil = i < 4 ? *cile[i] : snimky->kody[i - 4];
    const std::string jmeno = cesta_snimku(adresar, uhel, vzory[i][0], vzory[i][1], kamera);
    if (!nacti_snimek(jmeno.c_str(), cil, chyba)) return false;
  }
  return true;
}

KodyKamery identifikuj_kodove_snimky(const SnimkyKamery& s, std::int32_t* mapa,
                                     std::int32_t* znacky) {
  KodyKamery vysledek;
  mapa_mrizky_primo(s.ref04, s.ref03, s.mrizka1, s.mrizka2, mapa, znacky);
  redukce_blobu(&vysledek.preteceni, znacky);
  const std::vector<ZnackaBodu> body_znacky = cti_kody_primo(s.ref04, s.ref03, s.kody, znacky);
  vysledek.kody = seznam_kodu(body_znacky, &vysledek.souhrn);
  return vysledek;
}

void KontextDekodovani::Uvolneni::operator()(void* p) const { std::free(p); }

KontextDekodovani::KontextDekodovani() {
  constexpr std::size_t bunek = static_cast<std::size_t>(sirka_obrazu) * vyska_obrazu;
  constexpr std::size_t tabulka = bunek * sizeof(std::int32_t);
  constexpr std::size_t snimku = 5;
  constexpr std::size_t velka_stranka = std::size_t{2} << 20;
  const std::size_t velikost =
      (2 * tabulka + snimku * bunek + velka_stranka - 1) / velka_stranka * velka_stranka;
  pamet_.reset(static_cast<unsigned char*>(std::aligned_alloc(velka_stranka, velikost)));
  if (!pamet_) throw std::bad_alloc();
  madvise(pamet_.get(), velikost, MADV_HUGEPAGE);  // a request; without it, small pages
  mapa_ = reinterpret_cast<std::int32_t*>(pamet_.get());
  znacky_ = mapa_ + bunek;
  unsigned char* obrazy = pamet_.get() + 2 * tabulka;
  for (cv::Mat* m : {&ref03_, &ref04_, &mrizka1_, &mrizka2_, &kodovy_}) {
    *m = cv::Mat(vyska_obrazu, sirka_obrazu, CV_8UC1, obrazy);
    obrazy += bunek;
  }
}

KodyKamery KontextDekodovani::identifikuj(const SnimkyKamery& snimky) {
  return identifikuj_kodove_snimky(snimky, mapa_, znacky_);
}

bool KontextDekodovani::nacti_a_identifikuj(const std::string& adresar, int uhel, int kamera,
                                            KodyKamery* vysledek, std::string* chyba) {
  const std::vector<std::string> vzory = vzory_kamery();
  const auto nacti = [&](std::size_t i, cv::Mat& obraz) {
    const std::string jmeno = cesta_snimku(adresar, uhel, vzory[i][0], vzory[i][1], kamera);
    return nacti_snimek(jmeno.c_str(), obraz, chyba);
  };
  cv::Mat* zaklad[4] = {&ref03_, &ref04_, &mrizka1_, &mrizka2_};
  for (std::size_t i = 0; i < 4; ++i)
    if (!nacti(i, *zaklad[i])) return false;
  *vysledek = KodyKamery{};
  mapa_mrizky_primo(ref04_, ref03_, mrizka1_, mrizka2_, mapa_, znacky_);
  redukce_blobu(&vysledek->preteceni, znacky_);
  CteniKodu cteni(ref04_, ref03_, znacky_);
  for (int k = 0; k < bitu_kodu; ++k) {
    if (!nacti(4 + static_cast<std::size_t>(k), kodovy_)) return false;
    cteni.pridej_bit(kodovy_);
  }
  vysledek->kody = seznam_kodu(cteni.vysledek(), &vysledek->souhrn);
  return true;
}

namespace {

constexpr int pocet_kodu = 1 << bitu_kodu;

// The same pairs found by comparing every record with every other.
std::vector<KorespondujiciPar> paruj_postupne(const KodovanyBod* kam1, std::size_t n1,
                                              const KodovanyBod* kam2, std::size_t n2,
                                              std::size_t kapacita) {
  std::vector<KorespondujiciPar> pary;
  for (std::size_t i = 0; i < n1; ++i) {
    if (kam1[i].pocet != 1) continue;
    for (std::size_t j = 0; j < n2; ++j)
      if (kam2[j].pocet == 1 && kam2[j].kod == kam1[i].kod && pary.size() < kapacita)
        pary.push_back(KorespondujiciPar{kam1[i].x, kam1[i].y, kam2[j].x, kam2[j].y});
  }
  return pary;
}

}  // namespace

std::vector<KorespondujiciPar> paruj_kody(const KodovanyBod* kam1, std::size_t n1,
                                          const KodovanyBod* kam2, std::size_t n2,
                                          std::size_t kapacita) {
  // The unique camera 2 records of each code, in table order, as chains from
  // prvni[code] through dalsi[j]. A code outside 0 .. 16383 (only a table
  // filled by hand has one) leaves the work to the plain comparison.
  std::vector<int> prvni(pocet_kodu, -1), posledni(pocet_kodu, -1), dalsi(n2, -1);
  for (std::size_t j = 0; j < n2; ++j) {
    if (kam2[j].pocet != 1) continue;
    const int kod = kam2[j].kod;
    if (kod < 0 || kod >= pocet_kodu) return paruj_postupne(kam1, n1, kam2, n2, kapacita);
    if (posledni[kod] < 0)
      prvni[kod] = static_cast<int>(j);
    else
      dalsi[static_cast<std::size_t>(posledni[kod])] = static_cast<int>(j);
    posledni[kod] = static_cast<int>(j);
  }
  std::vector<KorespondujiciPar> pary;
  for (std::size_t i = 0; i < n1; ++i) {
    const int kod = kam1[i].kod;
    if (kam1[i].pocet != 1 || kod < 0 || kod >= pocet_kodu) continue;
    for (int j = prvni[kod]; j >= 0 && pary.size() < kapacita; j = dalsi[static_cast<std::size_t>(j)])
      pary.push_back(KorespondujiciPar{kam1[i].x, kam1[i].y, kam2[j].x, kam2[j].y});
  }
  return pary;
}
