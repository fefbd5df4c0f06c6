// Pairing by code and the two preview windows.
#include "decoder/correspondence.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/messages.h"
#include "decoder/data_file.h"
#include "decoder/decoder_state.h"
#include "decoder/display_module.h"
#include "decoder/code_identification.h"
#include "decoder/decoding.h"

void VycistiBody() {
  for (int i = 0; i < kapacita_bodu; ++i) {
    body_kam1[i].kod = -1;
    body_kam1[i].pocet = 0;
    body_kam2[i].kod = -1;
    body_kam2[i].pocet = 0;
  }
}

namespace {

// The records of a table up to the first with kod -1.
std::size_t delka_tabulky(const KodovanyBod* tabulka) {
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(kapacita_bodu) && tabulka[n].kod != -1) ++n;
  return n;
}

}  // namespace

void KorespondujiciBody() {
  const std::vector<KorespondujiciPar> pary =
      paruj_kody(body_kam1, delka_tabulky(body_kam1), body_kam2, delka_tabulky(body_kam2),
                 static_cast<std::size_t>(kapacita_bodu));
  kores_pocet = static_cast<std::int32_t>(pary.size());
  for (std::size_t i = 0; i < pary.size(); ++i) korespond[i] = pary[i];
  std::printf("KORESPONDUJE %d BODU\n", kores_pocet);
}

namespace {

bool nacti_nahledy(cv::Mat& nahled1, cv::Mat& nahled2, std::string* chyba) {
  text[3] = '9';
  text[4] = '1';
  text[5] = '1';
  if (!nacti_snimek_textu(nahled1, chyba)) return false;
  text[5] = '2';
  return nacti_snimek_textu(nahled2, chyba);
}

}  // namespace

bool nahledy_citelne(std::string* chyba) {
  cv::Mat a, b;
  return nacti_nahledy(a, b, chyba);
}

bool okna_k_dispozici(std::string* duvod) {
  const char* displej = std::getenv("DISPLAY");
  if (displej == nullptr || *displej == '\0') return false;
  // Only a set DISPLAY loads the display module and asks the server.
  return displej_modulem(duvod);
}

bool KorespondujiciUkaz(std::string* chyba) {
  // Without a display the previews, already checked by nahledy_citelne,
  // are not needed.
  std::string duvod;
  if (!okna_k_dispozici(&duvod)) {
    if (!duvod.empty()) {
      if (chyba != nullptr) *chyba = zprava("kamera1, kamera2", duvod);
      return false;
    }
    ohlas(zprava("kamera1, kamera2", "no display to show the windows on; " + jmeno_souboru_dat() + " is complete"));
    return true;
  }
  cv::Mat nahled1, nahled2;
  if (!nacti_nahledy(nahled1, nahled2, chyba)) return false;
  for (int i = 0; i < kores_pocet; ++i) {
    const KorespondujiciPar& p = korespond[i];
    nahled1.ptr<unsigned char>(p.y1)[p.x1] = 0;
    nahled2.ptr<unsigned char>(p.y2)[p.x2] = 0;
  }
  if (!ukaz_modulem(nahled1, nahled2, &key, &duvod)) {
    if (chyba != nullptr) *chyba = zprava("kamera1, kamera2", duvod);
    return false;
  }
  return true;
}
