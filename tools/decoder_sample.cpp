// decoder_sample [--turntable] OUTPUT_DIR: renders a sample image set of the
// decoder at the angle 60 and its ground truth.
//
// Without an option the scene is the sphere, cylinder and wall of
// decoder_sample_scene.h, seen by cameras of its own. With --turntable it is
// the vase of the marker sample scene on its turntable, seen through the
// compiled-in camera set-up of the reconstruction (turntable_light_scene.h),
// without specks; the directory then also receives the marker sample scene
// (make_sample_scene's files: the ten marker images with the reference marks,
// the calibration images, ground_truth.txt) and "points.txt", the 3D point of
// every crossing both cameras see (format in pairs_report.h).
//
// Writes the 36 pattern images and the 2 preview images of both cameras
// ("060PFC.bmp", 8-bit grey) and "truth.txt": per camera the number of grid
// crossings it sees, how many of them are lit well enough to decode (lit
// minus dark reference at least 20 grey levels) and how many carry a speck;
// then one line per crossing seen by both cameras: its code, its true
// position in camera 1 and in camera 2, the contrast there, and 1 when it
// carries a speck in camera 1. A speck is one pixel of one code image of
// camera 1 at the crossing that shows the opposite projector state, as a
// flaw of a single exposure would; it makes that crossing's code ambiguous.
// Every fixed-seed step is deterministic, so the set is the same every run.
#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "reconstruction/atomic_file.h"
#include "tools/decoder_sample_scene.h"
#include "tools/sample_scene.h"
#include "tools/turntable_light_scene.h"

using namespace vzorek;

namespace {

constexpr int W = 640, H = 480;
constexpr int podvzorku = 3;  // 3 x 3 samples per pixel
constexpr double okoli = 0.08, projekce = 0.85, tma_projektoru = 0.02;
constexpr double sum_sigma = 1.5;
constexpr int kazdy_se_skvrnou = 25;

struct Vzorek {
  double albedo;
  double osvit;  // projector irradiance factor, 0 in shadow or outside the frame
  double u, v;
};

// Deterministic normal noise: splitmix64 and Box-Muller.
struct Sum {
  std::uint64_t stav;
  double dalsi_jednotny() {
    std::uint64_t z = (stav += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return (static_cast<double>(z >> 11) + 0.5) / 9007199254740992.0;
  }
  double dalsi_normalni() {
    const double a = dalsi_jednotny(), b = dalsi_jednotny();
    return std::sqrt(-2.0 * std::log(a)) * std::cos(6.283185307179586 * b);
  }
};

bool osvetleno(const ScenaSvetla& sc, const Kamera& p, const Vektor& bod, double* u, double* v) {
  if (!promitni(p, bod, u, v)) return false;
  if (*u < 0 || *u >= sirka_projektoru || *v < 0 || *v >= vyska_projektoru) return false;
  const Vektor d{bod.x - p.stred.x, bod.y - p.stred.y, bod.z - p.stred.z};
  const double delka = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  Zasah z;
  if (!sc.paprsek(p.stred, Vektor{d.x / delka, d.y / delka, d.z / delka}, &z)) return false;
  return std::fabs(z.t - delka) < 0.01;
}

std::vector<Vzorek> vzorky_kamery(const ScenaSvetla& sc, int kamera, const Kamera& p) {
  std::vector<Vzorek> vzorky(static_cast<std::size_t>(W) * H * podvzorku * podvzorku);
  std::size_t i = 0;
  for (int r = 0; r < H; ++r) {
    for (int c = 0; c < W; ++c) {
      for (int sy = 0; sy < podvzorku; ++sy) {
        for (int sx = 0; sx < podvzorku; ++sx, ++i) {
          const double u = c + (sx + 0.5) / podvzorku - 0.5;
          const double v = r + (sy + 0.5) / podvzorku - 0.5;
          Vzorek& s = vzorky[i];
          s = Vzorek{0.0, 0.0, -1.0, -1.0};
          Zasah z;
          if (!sc.paprsek(sc.stred_kamery(kamera), sc.smer_pixelu(kamera, u, v), &z)) continue;
          s.albedo = z.albedo;
          double pu, pv;
          if (!osvetleno(sc, p, z.bod, &pu, &pv)) continue;
          const Vektor l{p.stred.x - z.bod.x, p.stred.y - z.bod.y, p.stred.z - z.bod.z};
          const double dl = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
          const double cosinus =
              (l.x * z.normala.x + l.y * z.normala.y + l.z * z.normala.z) / dl;
          if (cosinus <= 0) continue;
          s.osvit = cosinus;
          s.u = pu;
          s.v = pv;
        }
      }
    }
  }
  return vzorky;
}

// Noise-free grey value of pixel (r, c) under one pattern.
double hodnota(const std::vector<Vzorek>& vzorky, int r, int c, int cislice, int rodina) {
  double soucet = 0;
  const std::size_t zacatek = (static_cast<std::size_t>(r) * W + c) * podvzorku * podvzorku;
  for (int j = 0; j < podvzorku * podvzorku; ++j) {
    const Vzorek& s = vzorky[zacatek + j];
    double uroven = 0;
    if (s.osvit > 0)
      uroven = vzor_projektoru(cislice, rodina, s.u, s.v) ? 1.0 : tma_projektoru;
    soucet += 255.0 * s.albedo * (okoli + projekce * s.osvit * uroven);
  }
  return soucet / (podvzorku * podvzorku);
}

cv::Mat vykresli(const std::vector<Vzorek>& vzorky, int cislice, int rodina, std::uint64_t seminko) {
  cv::Mat obraz(H, W, CV_8UC1);
  Sum sum{seminko};
  for (int r = 0; r < H; ++r) {
    for (int c = 0; c < W; ++c) {
      const double v = hodnota(vzorky, r, c, cislice, rodina) + sum_sigma * sum.dalsi_normalni();
      obraz.at<unsigned char>(r, c) =
          static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : std::lround(v)));
    }
  }
  return obraz;
}

struct Krizeni {
  int kod;
  double x[2], y[2];
  int kontrast[2];
  bool videt[2];
  bool skvrna;
  Vektor bod;  // where the crossing's projector ray meets the scene
};

// Ground truth: where each crossing's projector ray meets the scene, and
// whether each camera sees that point.
std::vector<Krizeni> najdi_krizeni(const ScenaSvetla& sc, const std::vector<Vzorek> vzorky[2]) {
  const Kamera p = sc.projektor();
  std::vector<Krizeni> krizeni;
  for (int m = 1; m <= radku_mrizky; ++m) {
    for (int k = 1; k <= sloupcu_mrizky; ++k) {
      Zasah z;
      if (!sc.paprsek(p.stred, smer_pixelu(p, k * rozestup, m * rozestup), &z)) continue;
      Krizeni kr{kod_krizeni(k, m), {0, 0}, {0, 0}, {0, 0}, {false, false}, false, z.bod};
      for (int i = 0; i < 2; ++i) {
        double x, y;
        if (!sc.promitni(i, z.bod, &x, &y)) continue;
        if (x < -0.5 || x >= W - 0.5 || y < -0.5 || y >= H - 0.5) continue;
        const Vektor o = sc.stred_kamery(i);
        const Vektor d{z.bod.x - o.x, z.bod.y - o.y, z.bod.z - o.z};
        const double delka = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        Zasah zk;
        if (!sc.paprsek(o, Vektor{d.x / delka, d.y / delka, d.z / delka}, &zk) ||
            std::fabs(zk.t - delka) > 0.01)
          continue;
        kr.videt[i] = true;
        kr.x[i] = x;
        kr.y[i] = y;
        const int r = std::min(H - 1, std::max(0, static_cast<int>(std::lround(y))));
        const int c = std::min(W - 1, std::max(0, static_cast<int>(std::lround(x))));
        kr.kontrast[i] = static_cast<int>(hodnota(vzorky[i], r, c, 0, 4) -
                                          hodnota(vzorky[i], r, c, 0, 3));
      }
      krizeni.push_back(kr);
    }
  }
  return krizeni;
}

const int cislice[] = {0, 0, 1, 1, 8, 7, 6, 5, 4, 3, 2, 8, 7, 6, 5, 4, 3, 2, 9};
const int rodiny[] = {3, 4, 1, 2, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 1};

// Specks in camera 1 at every 25th well-lit crossing that both cameras see;
// returns their number.
int pridej_skvrny(std::vector<Krizeni>& krizeni, std::vector<cv::Mat>& obrazy) {
  int spolecnych = 0;
  int skvrn = 0;
  for (Krizeni& kr : krizeni) {
    if (!kr.videt[0] || !kr.videt[1]) continue;
    const int poradi = spolecnych++;
    if (poradi % kazdy_se_skvrnou != 0 || kr.kontrast[0] < 40) continue;
    const int bit = (poradi / kazdy_se_skvrnou) % 14;
    const int r = std::min(H - 1, std::max(0, static_cast<int>(std::lround(kr.y[0]))));
    const int c = std::min(W - 1, std::max(0, static_cast<int>(std::lround(kr.x[0]))));
    const bool sviti = ((kr.kod >> bit) & 1) != 0;
    // Code image of bit b is list entry 4 + b; references are entries 0 (dark) and 1 (lit).
    obrazy[static_cast<std::size_t>(4 + bit)].at<unsigned char>(r, c) =
        obrazy[sviti ? 0 : 1].at<unsigned char>(r, c);
    kr.skvrna = true;
    ++skvrn;
  }
  return skvrn;
}

bool zapis_obrazy(const std::string& adresar, const std::vector<cv::Mat> obrazy[2]) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 19; ++j) {
      char jmeno[16];
      std::snprintf(jmeno, sizeof jmeno, "060%d%d%d.bmp", cislice[j], rodiny[j], i + 1);
      const std::string cesta = adresar + "/" + jmeno;
      std::vector<std::uint8_t> bajty;
      if (!cv::imencode(".bmp", obrazy[i][static_cast<std::size_t>(j)], bajty) ||
          !zapis_atomicky(cesta, bajty.data(), bajty.size(), nullptr)) {
        std::fprintf(stderr, "decoder_sample: %s: cannot write\n", cesta.c_str());
        return false;
      }
    }
  }
  return true;
}

bool zapis_pravdu(const std::string& cesta, const std::vector<Krizeni>& krizeni, int skvrn) {
  AtomickySoubor soubor(cesta);
  if (!soubor.otevri()) {
    std::fprintf(stderr, "decoder_sample: %s: cannot write\n", cesta.c_str());
    return false;
  }
  std::FILE* f = soubor.proud();
  for (int i = 0; i < 2; ++i) {
    int videt = 0, osvetlenych = 0;
    for (const Krizeni& kr : krizeni) {
      if (!kr.videt[i]) continue;
      ++videt;
      if (kr.kontrast[i] >= 20) ++osvetlenych;
    }
    std::fprintf(f, "camera %d visible %d lit %d specked %d\n", i + 1, videt, osvetlenych,
                 i == 0 ? skvrn : 0);
  }
  for (const Krizeni& kr : krizeni) {
    if (!kr.videt[0] || !kr.videt[1]) continue;
    std::fprintf(f, "%d %.3f %.3f %.3f %.3f %d %d %d\n", kr.kod, kr.x[0], kr.y[0], kr.x[1],
                 kr.y[1], kr.kontrast[0], kr.kontrast[1], kr.skvrna ? 1 : 0);
  }
  if (!soubor.dokonci()) {
    std::fprintf(stderr, "decoder_sample: %s: cannot write\n", cesta.c_str());
    return false;
  }
  return true;
}

// "points.txt" of the turntable set (format in pairs_report.h).
bool zapis_body(const std::string& cesta, const std::vector<Krizeni>& krizeni,
                const ScenaTocnySvetla& sc) {
  std::string text;
  char radek[256];
  for (const Krizeni& kr : krizeni) {
    if (!kr.videt[0] || !kr.videt[1]) continue;
    const Bod3 svet{kr.bod.x, kr.bod.y, kr.bod.z};
    const Bod3 s = sc.do_spolecne(svet);
    std::snprintf(radek, sizeof radek, "%d %.3f %.3f %.3f %.3f %.6f %.6f %.6f %.6f %.6f %.6f\n",
                  kr.kod, kr.x[0], kr.y[0], kr.x[1], kr.y[1], svet.x, svet.y, svet.z, s.x, s.y,
                  s.z);
    text += radek;
  }
  std::string chyba;
  if (!zapis_atomicky(cesta, text, &chyba)) {
    std::fprintf(stderr, "decoder_sample: %s\n", chyba.c_str());
    return false;
  }
  return true;
}

// Renders the 38 images of a scene, writes them and truth.txt; with specks
// when `skvrny`. Returns the crossings, or nothing when a file cannot be
// written.
bool vykresli_sadu(const ScenaSvetla& sc, bool skvrny, const std::string& adresar,
                   std::vector<Krizeni>* krizeni) {
  const Kamera p = sc.projektor();
  std::vector<Vzorek> vzorky[2] = {vzorky_kamery(sc, 0, p), vzorky_kamery(sc, 1, p)};
  *krizeni = najdi_krizeni(sc, vzorky);
  std::vector<cv::Mat> obrazy[2];
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 19; ++j)
      obrazy[i].push_back(vykresli(vzorky[i], cislice[j], rodiny[j],
                                   0x5EED0000ULL + 100 * static_cast<unsigned>(i) + j));
  const int skvrn = skvrny ? pridej_skvrny(*krizeni, obrazy[0]) : 0;
  return zapis_obrazy(adresar, obrazy) && zapis_pravdu(adresar + "/truth.txt", *krizeni, skvrn);
}

}  // namespace

int main(int argc, char** argv) {
  const bool tocna = argc == 3 && std::string(argv[1]) == "--turntable";
  if (argc != 2 && !tocna) {
    std::fprintf(stderr, "usage: decoder_sample [--turntable] OUTPUT_DIR\n");
    return 1;
  }
  const std::string adresar = argv[argc - 1];
  std::vector<Krizeni> krizeni;
  if (!tocna) return vykresli_sadu(ScenaSteny(), true, adresar, &krizeni) ? 0 : 1;

  const Scena znacky = vytvor_scenu(NastaveniSceny{});
  const ScenaTocnySvetla sc(znacky, uhel_sady_tocny);
  std::string chyba;
  if (!zapis_scenu(znacky, adresar, &chyba)) {
    std::fprintf(stderr, "decoder_sample: %s\n", chyba.c_str());
    return 1;
  }
  if (!vykresli_sadu(sc, false, adresar, &krizeni)) return 1;
  return zapis_body(adresar + "/points.txt", krizeni, sc) ? 0 : 1;
}
