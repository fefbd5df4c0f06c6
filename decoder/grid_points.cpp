// Border maps, grid map and blob reduction of the code identification.
#include "decoder/grid_points.h"

#include <opencv2/imgproc.hpp>

#include <cstdlib>
#include <vector>

#include "decoder/image_primitives.h"

void hranicni_mapa(const cv::Mat& ref04, const cv::Mat& ref03, const cv::Mat& p,
                   cv::Mat& hranice) {
  cv::Mat T(vyska_obrazu, sirka_obrazu, CV_8UC1);
  cernabila(ref04, ref03, p, T);
  cv::Mat Dx, Dy, Ax, Ay;
  cv::Sobel(T, Dx, CV_16S, 1, 0, 1);
  cv::Sobel(T, Dy, CV_16S, 0, 1, 1);
  cv::convertScaleAbs(Dx, Ax, 1, 0);
  cv::convertScaleAbs(Dy, Ay, 1, 0);
  prah2D(Ax, 128);
  prah2D(Ay, 128);
  hranice.create(vyska_obrazu, sirka_obrazu, CV_8UC1);
  for (int r = 0; r < vyska_obrazu; ++r)
    for (int c = 0; c < sirka_obrazu; ++c)
      nastav_intenzitu(hranice, r, c, (intenzita(Ax, r, c) + intenzita(Ay, r, c)) / 2);
  prah2D(hranice, 80);
}

void mapa_mrizky(const cv::Mat& hranice1, const cv::Mat& hranice2, std::int32_t* vstup,
                 std::int32_t* vystup) {
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      const bool mrizka = intenzita(hranice1, r, c) == 255 && intenzita(hranice2, r, c) == 255;
      vstup[index_pole(r, c)] = mrizka ? 255 : 0;
      vystup[index_pole(r, c)] = vstup[index_pole(r, c)] != 0 ? -1 : 0;
    }
  }
}

namespace {

// Tri-state row r of pattern p as two bit rows: nula where the pixel is 0,
// plno where it is 255 (127, too little contrast, is neither).
void tristav_radku(const cv::Mat& ref04, const cv::Mat& ref03, const cv::Mat& p, int r,
                   unsigned char* __restrict nula, unsigned char* __restrict plno) {
  const unsigned char* __restrict a = ref04.ptr<unsigned char>(r);
  const unsigned char* __restrict b = ref03.ptr<unsigned char>(r);
  const unsigned char* __restrict v = p.ptr<unsigned char>(r);
  // Byte arithmetic throughout, so that the loop runs on whole vectors.
  for (int c = 0; c < sirka_obrazu; ++c) {
    const unsigned char A = a[c], B = b[c], P = v[c];
    const unsigned char ab = static_cast<unsigned char>(A > B ? A - B : B - A);
    const unsigned char ap = static_cast<unsigned char>(A > P ? A - P : P - A);
    const unsigned char bp = static_cast<unsigned char>(B > P ? B - P : P - B);
    const unsigned char kontrast = ab > 5 ? 1 : 0;
    const unsigned char blize_a = ap < bp ? 1 : 0;
    plno[c] = static_cast<unsigned char>(kontrast & blize_a);
    nula[c] = static_cast<unsigned char>(kontrast & (blize_a ^ 1));
  }
}

// Three tri-state rows of one pattern around the current row: a central
// difference over 128 means one neighbour 0 and the other 255. The border
// rule of the difference mirrors the image at its edge, so the first and
// last column and row never form a border.
struct TriRadky {
  unsigned char nula[3][sirka_obrazu];
  unsigned char plno[3][sirka_obrazu];
};

void hranice_radku(const TriRadky& t, int horni, int stred, int dolni, bool svisle,
                   unsigned char* __restrict hranice) {
  const unsigned char* __restrict n = t.nula[stred];
  const unsigned char* __restrict p = t.plno[stred];
  hranice[0] = hranice[sirka_obrazu - 1] = 0;
  for (int c = 1; c < sirka_obrazu - 1; ++c)
    hranice[c] = static_cast<unsigned char>((n[c - 1] & p[c + 1]) | (p[c - 1] & n[c + 1]));
  if (!svisle) return;
  const unsigned char *__restrict nh = t.nula[horni], *__restrict ph = t.plno[horni];
  const unsigned char *__restrict nd = t.nula[dolni], *__restrict pd = t.plno[dolni];
  for (int c = 0; c < sirka_obrazu; ++c)
    hranice[c] = static_cast<unsigned char>(hranice[c] | (nh[c] & pd[c]) | (ph[c] & nd[c]));
}

}  // namespace

void mapa_mrizky_primo(const cv::Mat& ref04, const cv::Mat& ref03, const cv::Mat& mrizka1,
                       const cv::Mat& mrizka2, std::int32_t* vstup_mapy,
                       std::int32_t* vystup_mapy) {
  // Rows are found in bands of 8 and written column by column, so that the
  // column-major maps are filled 8 cells at a time.
  constexpr int pas = 8;
  static_assert(vyska_obrazu % pas == 0, "whole bands");
  TriRadky t1, t2;
  unsigned char mrizka[pas][sirka_obrazu];
  unsigned char h1[sirka_obrazu], h2[sirka_obrazu];
  tristav_radku(ref04, ref03, mrizka1, 0, t1.nula[0], t1.plno[0]);
  tristav_radku(ref04, ref03, mrizka2, 0, t2.nula[0], t2.plno[0]);
  for (int r0 = 0; r0 < vyska_obrazu; r0 += pas) {
    for (int i = 0; i < pas; ++i) {
      const int r = r0 + i;
      const bool svisle = r > 0 && r < vyska_obrazu - 1;
      if (r + 1 < vyska_obrazu) {
        tristav_radku(ref04, ref03, mrizka1, r + 1, t1.nula[(r + 1) % 3], t1.plno[(r + 1) % 3]);
        tristav_radku(ref04, ref03, mrizka2, r + 1, t2.nula[(r + 1) % 3], t2.plno[(r + 1) % 3]);
      }
      const int horni = (r + 2) % 3, stred = r % 3, dolni = (r + 1) % 3;
      hranice_radku(t1, horni, stred, dolni, svisle, h1);
      hranice_radku(t2, horni, stred, dolni, svisle, h2);
      for (int c = 0; c < sirka_obrazu; ++c) mrizka[i][c] = h1[c] & h2[c];
    }
    for (int c = 0; c < sirka_obrazu; ++c) {
      std::int32_t* vstup = vstup_mapy + index_pole(r0, c);
      std::int32_t* vystup = vystup_mapy + index_pole(r0, c);
      for (int i = 0; i < pas; ++i) {
        vstup[i] = mrizka[i][c] ? 255 : 0;
        vystup[i] = mrizka[i][c] ? -1 : 0;
      }
    }
  }
}

int redukce_blobu(bool* preteceni, std::int32_t* pole) {
  if (preteceni != nullptr) *preteceni = false;
  std::vector<int> zasobnik;
  std::vector<int> blob;
  int L = 1;
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      if (pole[index_pole(r, c)] != -1) continue;
      const bool plno = L >= max_znacek;
      if (plno && preteceni != nullptr) *preteceni = true;
      // The whole 8-connected component of the seed, found with a stack so
      // that the work stays proportional to the blob's size whatever its
      // shape. A full table clears the blob instead of labelling it.
      const int znacka = plno ? 0 : L;
      blob.clear();
      zasobnik.assign(1, index_pole(r, c));
      pole[index_pole(r, c)] = znacka;
      long long soucet_x = 0, soucet_y = 0;
      while (!zasobnik.empty()) {
        const int i = zasobnik.back();
        zasobnik.pop_back();
        blob.push_back(i);
        const int cc = i / vyska_obrazu, rr = i % vyska_obrazu;
        soucet_x += cc;
        soucet_y += rr;
        for (int dr = -1; dr <= 1; ++dr) {
          for (int dc = -1; dc <= 1; ++dc) {
            const int r2 = rr + dr, c2 = cc + dc;
            if (r2 < 0 || r2 >= vyska_obrazu || c2 < 0 || c2 >= sirka_obrazu) continue;
            int& bunka = pole[index_pole(r2, c2)];
            if (bunka != -1) continue;
            bunka = znacka;
            zasobnik.push_back(index_pole(r2, c2));
          }
        }
      }
      if (plno) continue;
      const long long pocet = static_cast<long long>(blob.size());
      const int x = static_cast<int>(soucet_x / pocet);
      const int y = static_cast<int>(soucet_y / pocet);
      for (int i : blob) pole[i] = 0;
      pole[index_pole(y, x)] = L;
      ++L;
    }
  }
  return L - 1;
}
