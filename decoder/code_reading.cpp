// Code reading, distinct codes and their counts.
#include "decoder/code_reading.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "decoder/grid_points.h"
#include "decoder/image_primitives.h"

int bit_okoli(const cv::Mat& kodovy, int radek, int sloupec) {
  int nul = 0, plnych = 0;
  for (int dr = -1; dr <= 1; ++dr) {
    for (int dc = -1; dc <= 1; ++dc) {
      const int v = intenzita(kodovy, radek + dr, sloupec + dc);
      if (v == 0) ++nul;
      if (v == 255) ++plnych;
    }
  }
  if (nul > 0 && plnych > 0) return -1;
  return plnych > 0 ? 1 : 0;
}

int bit_okoli_vetsinou(const cv::Mat& kodovy, int radek, int sloupec) {
  int nul = 0, plnych = 0;
  for (int dr = -1; dr <= 1; ++dr) {
    for (int dc = -1; dc <= 1; ++dc) {
      const int v = intenzita(kodovy, radek + dr, sloupec + dc);
      if (v == 0) ++nul;
      if (v == 255) ++plnych;
    }
  }
  if (plnych >= 5) return 1;
  if (nul >= 5) return 0;
  return -1;
}

std::vector<ZnackaBodu> cti_kody(const std::vector<cv::Mat>& kody, const std::int32_t* pole,
                                 bool vetsinou) {
  std::vector<ZnackaBodu> body_znacky(max_znacek, ZnackaBodu{0, 0, -2});
  for (int r = 1; r < vyska_obrazu - 1; ++r) {
    for (int c = 1; c < sirka_obrazu - 1; ++c) {
      const int L = pole[index_pole(r, c)];
      if (L <= 0 || L >= max_znacek) continue;
      ZnackaBodu& bod = body_znacky[L];
      bod = ZnackaBodu{c, r, 0};
      for (int k = 0; k < bitu_kodu && k < static_cast<int>(kody.size()); ++k) {
        const int bit = vetsinou ? bit_okoli_vetsinou(kody[k], r, c) : bit_okoli(kody[k], r, c);
        if (bit < 0) {
          bod.kod = -1;
          break;
        }
        if (bit == 1) bod.kod += static_cast<int>(std::pow(2.0, k));
      }
    }
  }
  return body_znacky;
}

CteniKodu::CteniKodu(const cv::Mat& ref04, const cv::Mat& ref03, const std::int32_t* pole) {
  // Per label the last cell in row order: the largest r * 640 + c.
  std::vector<int> posledni(max_znacek, -1);
  for (int c = 1; c < sirka_obrazu - 1; ++c) {
    const std::int32_t* sloupec = pole + index_pole(0, c);
    for (int r = 1; r < vyska_obrazu - 1; ++r) {
      const int L = sloupec[r];
      if (L <= 0 || L >= max_znacek) continue;
      const int poradi = r * sirka_obrazu + c;
      if (poradi > posledni[static_cast<std::size_t>(L)]) posledni[static_cast<std::size_t>(L)] = poradi;
    }
  }
  // Per point, the neighbours whose references differ enough (the others
  // are 127: neither 0 nor 255) and the two intensities a code pixel there
  // is compared with.
  for (int L = 1; L < max_znacek; ++L) {
    const int poradi = posledni[static_cast<std::size_t>(L)];
    if (poradi < 0) continue;
    Bod b{};
    b.L = L;
    b.r = poradi / sirka_obrazu;
    b.c = poradi % sirka_obrazu;
    for (int dr = -1; dr <= 1; ++dr) {
      const unsigned char* a = ref04.ptr<unsigned char>(b.r + dr);
      const unsigned char* z = ref03.ptr<unsigned char>(b.r + dr);
      for (int dc = -1; dc <= 1; ++dc) {
        if (std::abs(z[b.c + dc] - a[b.c + dc]) <= 5) continue;
        b.A[b.sousedu] = a[b.c + dc];
        b.B[b.sousedu] = z[b.c + dc];
        b.poloha[b.sousedu] = (b.r + dr) * sirka_obrazu + b.c + dc;
        ++b.sousedu;
      }
    }
    body_.push_back(b);
  }
}

void CteniKodu::pridej_bit(const cv::Mat& kodovy) {
  const int k = bitu_++;
  if (k >= bitu_kodu) return;
  for (Bod& b : body_) {
    if (b.kod < 0) continue;
    int plnych = 0;
    for (int i = 0; i < b.sousedu; ++i) {
      const int P = kodovy.ptr<unsigned char>(b.poloha[i] / sirka_obrazu)[b.poloha[i] % sirka_obrazu];
      plnych += std::abs(b.A[i] - P) < std::abs(b.B[i] - P);
    }
    if (plnych > 0 && plnych < b.sousedu)
      b.kod = -1;
    else if (plnych > 0)
      b.kod += 1 << k;
  }
}

std::vector<ZnackaBodu> CteniKodu::vysledek() const {
  std::vector<ZnackaBodu> body_znacky(max_znacek, ZnackaBodu{0, 0, -2});
  for (const Bod& b : body_) body_znacky[static_cast<std::size_t>(b.L)] = ZnackaBodu{b.c, b.r, b.kod};
  return body_znacky;
}

std::vector<ZnackaBodu> cti_kody_primo(const cv::Mat& ref04, const cv::Mat& ref03,
                                       const std::vector<cv::Mat>& kody, const std::int32_t* pole) {
  CteniKodu cteni(ref04, ref03, pole);
  for (std::size_t k = 0; k < kody.size() && k < static_cast<std::size_t>(bitu_kodu); ++k)
    cteni.pridej_bit(kody[k]);
  return cteni.vysledek();
}

std::vector<KodovanyBod> seznam_kodu(const std::vector<ZnackaBodu>& body_znacky,
                                     SouhrnKodu* souhrn) {
  std::vector<KodovanyBod> seznam;
  std::vector<int> pozice(1 << bitu_kodu, -1);  // code -> index in the list
  SouhrnKodu s;
  for (const ZnackaBodu& bod : body_znacky) {
    if (bod.kod >= 0) {
      int& i = pozice[static_cast<std::size_t>(bod.kod)];
      if (i >= 0) {
        ++seznam[static_cast<std::size_t>(i)].pocet;
      } else {
        i = static_cast<int>(seznam.size());
        seznam.push_back(KodovanyBod{bod.kod, 1, bod.x, bod.y});
      }
    } else if (bod.kod == -1) {
      ++s.nejednoznacne;
    }
  }
  for (const KodovanyBod& b : seznam) {
    if (b.pocet == 1)
      ++s.dobre;
    else
      ++s.konflikty;
  }
  if (souhrn != nullptr) *souhrn = s;
  return seznam;
}
