// Border maps, grid map and blob reduction of the code identification.
#include "decoder/grid_points.h"

#include <opencv2/imgproc.hpp>

#include <vector>

#include "decoder/decoder_state.h"
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

void mapa_mrizky(const cv::Mat& hranice1, const cv::Mat& hranice2) {
  for (int r = 0; r < vyska_obrazu; ++r) {
    for (int c = 0; c < sirka_obrazu; ++c) {
      const bool mrizka = intenzita(hranice1, r, c) == 255 && intenzita(hranice2, r, c) == 255;
      vstuppom[index_pole(r, c)] = mrizka ? 255 : 0;
      vystuppom2[index_pole(r, c)] = vstuppom[index_pole(r, c)] != 0 ? -1 : 0;
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
