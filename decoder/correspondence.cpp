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
#include "decoder/image_input.h"

void VycistiBody() {
  for (int i = 0; i < kapacita_bodu; ++i) {
    body_kam1[i].kod = -1;
    body_kam1[i].pocet = 0;
    body_kam2[i].kod = -1;
    body_kam2[i].pocet = 0;
  }
}

void KorespondujiciBodyPostupne() {
  kores_pocet = 0;
  for (int i = 0; i < kapacita_bodu && body_kam1[i].kod != -1; ++i) {
    if (body_kam1[i].pocet != 1) continue;
    for (int j = 0; j < kapacita_bodu && body_kam2[j].kod != -1; ++j) {
      if (body_kam2[j].pocet == 1 && body_kam2[j].kod == body_kam1[i].kod &&
          kores_pocet < kapacita_bodu) {
        korespond[kores_pocet] =
            KorespondujiciPar{body_kam1[i].x, body_kam1[i].y, body_kam2[j].x, body_kam2[j].y};
        ++kores_pocet;
      }
    }
  }
}

namespace {

constexpr int pocet_kodu = 1 << 14;

// The unique camera 2 records of each code, in table order, as chains from
// prvni[code] through dalsi[j]; false when a code lies outside 0 .. 16383.
bool retezce_kamery2(std::vector<int>& prvni, std::vector<int>& dalsi) {
  prvni.assign(pocet_kodu, -1);
  dalsi.assign(kapacita_bodu, -1);
  std::vector<int> posledni(pocet_kodu, -1);
  for (int j = 0; j < kapacita_bodu && body_kam2[j].kod != -1; ++j) {
    if (body_kam2[j].pocet != 1) continue;
    const int kod = body_kam2[j].kod;
    if (kod < 0 || kod >= pocet_kodu) return false;
    if (posledni[kod] < 0)
      prvni[kod] = j;
    else
      dalsi[posledni[kod]] = j;
    posledni[kod] = j;
  }
  return true;
}

}  // namespace

void KorespondujiciBody() {
  std::vector<int> prvni, dalsi;
  if (!retezce_kamery2(prvni, dalsi)) {
    KorespondujiciBodyPostupne();
  } else {
    kores_pocet = 0;
    for (int i = 0; i < kapacita_bodu && body_kam1[i].kod != -1; ++i) {
      const int kod = body_kam1[i].kod;
      if (body_kam1[i].pocet != 1 || kod < 0 || kod >= pocet_kodu) continue;
      for (int j = prvni[kod]; j >= 0 && kores_pocet < kapacita_bodu; j = dalsi[j]) {
        korespond[kores_pocet] =
            KorespondujiciPar{body_kam1[i].x, body_kam1[i].y, body_kam2[j].x, body_kam2[j].y};
        ++kores_pocet;
      }
    }
  }
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
