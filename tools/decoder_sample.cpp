// decoder_sample [--turntable [--angles A,B,...] [--threads N]] OUTPUT_DIR:
// renders a sample image set of the decoder at the angle 60 and its ground
// truth.
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
//
// --angles renders the vase at each of the listed turntable angles (0 to
// 359, distinct, separated by commas) instead of 60: per angle A the 38
// images "AAAPFC.bmp" (A in three digits), "truth_AAA.txt" and
// "points_AAA.txt" in the formats above, and the marker sample scene once.
// The angles are rendered side by side on N threads (--threads N; by
// default as many as the machine runs at once). Each picture's noise comes
// from a seed of its own that depends on nothing but the picture's pattern
// and camera, so the set of an angle is the same whatever else is rendered
// with it and on however many threads; angle 60 gives the images of the
// set without --angles. Every fixed-seed step is deterministic, so the set
// is the same every run.
//
// A bad option or list prints what is wrong and the usage on standard error
// and ends with status 1, before anything is written; a file that cannot be
// written ends the program with one message naming it and status 1.
#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "reconstruction/atomic_file.h"
#include "tools/decoder_sample_scene.h"
#include "tools/sample_scene.h"
#include "tools/turntable_light_scene.h"

using namespace vzorek;

namespace {

constexpr int W = 640, H = 480;
constexpr int podvzorku = 3;  // 3 x 3 samples per pixel
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
    soucet += 255.0 * s.albedo * (svetlo_okoli + svetlo_projektoru * s.osvit * uroven);
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

bool zapis_obrazy(const std::string& adresar, int uhel, const std::vector<cv::Mat> obrazy[2],
                  std::string* chyba) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 19; ++j) {
      char jmeno[32];
      std::snprintf(jmeno, sizeof jmeno, "%03d%d%d%d.bmp", uhel, cislice[j], rodiny[j], i + 1);
      const std::string cesta = adresar + "/" + jmeno;
      std::vector<std::uint8_t> bajty;
      if (!cv::imencode(".bmp", obrazy[i][static_cast<std::size_t>(j)], bajty)) {
        *chyba = cesta + ": cannot be encoded";
        return false;
      }
      if (!zapis_atomicky(cesta, bajty.data(), bajty.size(), chyba)) return false;
    }
  }
  return true;
}

bool zapis_pravdu(const std::string& cesta, const std::vector<Krizeni>& krizeni, int skvrn,
                  std::string* chyba) {
  AtomickySoubor soubor(cesta);
  if (!soubor.otevri()) {
    *chyba = cesta + ": cannot write";
    return false;
  }
  std::FILE* f = soubor.proud();
  for (int i = 0; i < 2; ++i) {
    int videt = 0, osvetlenych = 0;
    for (const Krizeni& kr : krizeni) {
      if (!kr.videt[i]) continue;
      ++videt;
      if (kr.kontrast[i] >= nejmensi_kontrast) ++osvetlenych;
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
    *chyba = cesta + ": cannot write";
    return false;
  }
  return true;
}

// "points.txt" of the turntable set (format in pairs_report.h).
bool zapis_body(const std::string& cesta, const std::vector<Krizeni>& krizeni,
                const ScenaTocnySvetla& sc, std::string* chyba) {
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
  return zapis_atomicky(cesta, text, chyba);
}

// Renders the 38 images of a scene at turntable angle `uhel` (the three
// digits of their names), writes them and the truth file `pravda`; with
// specks when `skvrny`. Gives the crossings, or false with a message naming
// the file that could not be written.
bool vykresli_sadu(const ScenaSvetla& sc, bool skvrny, const std::string& adresar, int uhel,
                   const std::string& pravda, std::vector<Krizeni>* krizeni, std::string* chyba) {
  const Kamera p = sc.projektor();
  std::vector<Vzorek> vzorky[2] = {vzorky_kamery(sc, 0, p), vzorky_kamery(sc, 1, p)};
  *krizeni = najdi_krizeni(sc, vzorky);
  std::vector<cv::Mat> obrazy[2];
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 19; ++j)
      obrazy[i].push_back(vykresli(vzorky[i], cislice[j], rodiny[j],
                                   0x5EED0000ULL + 100 * static_cast<unsigned>(i) + j));
  const int skvrn = skvrny ? pridej_skvrny(*krizeni, obrazy[0]) : 0;
  return zapis_obrazy(adresar, uhel, obrazy, chyba) &&
         zapis_pravdu(adresar + "/" + pravda, *krizeni, skvrn, chyba);
}

// The vase at turntable angle `uhel`: its images, its truth file and its
// points file.
bool vykresli_tocnu(const Scena& znacky, int uhel, const std::string& adresar,
                    const std::string& pravda, const std::string& body, std::string* chyba) {
  const ScenaTocnySvetla sc(znacky, uhel);
  std::vector<Krizeni> krizeni;
  return vykresli_sadu(sc, false, adresar, uhel, pravda, &krizeni, chyba) &&
         zapis_body(adresar + "/" + body, krizeni, sc, chyba);
}

std::string se_jmenem_uhlu(const char* predpona, int uhel) {
  char jmeno[32];
  std::snprintf(jmeno, sizeof jmeno, "%s_%03d.txt", predpona, uhel);
  return jmeno;
}

// Renders the angles side by side on `vlaken` threads, each thread taking
// the next angle not yet taken. Every angle writes files of its own only.
// Gives false with the message of the first angle (in the list's order)
// that failed; after a failure no further angle is started.
bool vykresli_uhly(const Scena& znacky, const std::vector<int>& uhly, unsigned vlaken,
                   const std::string& adresar, std::string* chyba) {
  std::atomic<std::size_t> dalsi{0};
  std::atomic<bool> selhalo{false};
  std::vector<std::string> chyby(uhly.size());
  auto prace = [&] {
    for (std::size_t i; !selhalo && (i = dalsi++) < uhly.size();) {
      const int uhel = uhly[i];
      bool dobre = false;
      try {
        dobre = vykresli_tocnu(znacky, uhel, adresar, se_jmenem_uhlu("truth", uhel),
                               se_jmenem_uhlu("points", uhel), &chyby[i]);
      } catch (const std::exception& e) {
        chyby[i] = "angle " + std::to_string(uhel) + ": " + e.what();
      }
      if (!dobre) selhalo = true;
    }
  };
  const std::size_t pocet = std::min<std::size_t>(std::max(1u, vlaken), uhly.size());
  std::vector<std::thread> vlakna;
  for (std::size_t k = 1; k < pocet; ++k) vlakna.emplace_back(prace);
  prace();
  for (std::thread& v : vlakna) v.join();
  for (const std::string& c : chyby)
    if (!c.empty()) {
      *chyba = c;
      return false;
    }
  return true;
}

constexpr const char* pouziti =
    "usage: decoder_sample [--turntable [--angles A,B,...] [--threads N]] OUTPUT_DIR\n"
    "  --angles: turntable angles 0 to 359, distinct, separated by commas\n"
    "  --threads: how many angles are rendered at once, 1 to 1024\n";

// A whole number from lo to hi written in plain digits.
bool precti_cislo(const std::string& text, int lo, int hi, int* cislo) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *cislo = std::stoi(text);
  return *cislo >= lo && *cislo <= hi;
}

// "A,B,..." into distinct angles 0..359; false with the reason otherwise.
bool precti_uhly(const std::string& text, std::vector<int>* uhly, std::string* proc) {
  uhly->clear();
  std::size_t zacatek = 0;
  while (true) {
    const std::size_t carka = text.find(',', zacatek);
    const std::string kus = text.substr(zacatek, carka == std::string::npos ? std::string::npos
                                                                           : carka - zacatek);
    int uhel = 0;
    if (!precti_cislo(kus, 0, 359, &uhel)) {
      *proc = "\"" + kus + "\" is not an angle from 0 to 359";
      return false;
    }
    if (std::find(uhly->begin(), uhly->end(), uhel) != uhly->end()) {
      *proc = "angle " + kus + " is listed twice";
      return false;
    }
    uhly->push_back(uhel);
    if (carka == std::string::npos) return true;
    zacatek = carka + 1;
  }
}

int spatne_pouziti(const std::string& proc) {
  if (!proc.empty()) std::fprintf(stderr, "decoder_sample: %s\n", proc.c_str());
  std::fputs(pouziti, stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool tocna = false, s_uhly = false, s_vlakny = false;
  std::string adresar, uhly_text, vlakna_text;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto hodnota_volby = [&](const char* jmeno, std::string* hodnota, bool* dano) {
      const std::string s = jmeno, se_rovnitkem = s + "=";
      if (a == s && i + 1 < argc) {
        *hodnota = argv[++i];
      } else if (a.rfind(se_rovnitkem, 0) == 0) {
        *hodnota = a.substr(se_rovnitkem.size());
      } else {
        return false;
      }
      *dano = true;
      return true;
    };
    if (a == "--turntable" && !tocna) {
      tocna = true;
    } else if (hodnota_volby("--angles", &uhly_text, &s_uhly) ||
               hodnota_volby("--threads", &vlakna_text, &s_vlakny)) {
    } else if (adresar.empty() && !a.empty() && a[0] != '-') {
      adresar = a;
    } else {
      return spatne_pouziti(a.empty() || a[0] != '-' ? "extra argument " + a
                                                     : "unknown or incomplete option " + a);
    }
  }
  if (adresar.empty()) return spatne_pouziti("");
  if ((s_uhly || s_vlakny) && !tocna) return spatne_pouziti("--angles and --threads need --turntable");
  std::vector<int> uhly;
  std::string proc;
  if (s_uhly && !precti_uhly(uhly_text, &uhly, &proc)) return spatne_pouziti("--angles: " + proc);
  int vlaken = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (s_vlakny && !precti_cislo(vlakna_text, 1, 1024, &vlaken))
    return spatne_pouziti("--threads: \"" + vlakna_text + "\" is not a number from 1 to 1024");

  std::string chyba;
  bool dobre = false;
  if (!tocna) {
    std::vector<Krizeni> krizeni;
    dobre = vykresli_sadu(ScenaSteny(), true, adresar, uhel_sady_tocny, "truth.txt", &krizeni,
                          &chyba);
  } else {
    const Scena znacky = vytvor_scenu(NastaveniSceny{});
    if (!zapis_scenu(znacky, adresar, &chyba))
      dobre = false;
    else if (s_uhly)
      dobre = vykresli_uhly(znacky, uhly, static_cast<unsigned>(vlaken), adresar, &chyba);
    else
      dobre = vykresli_tocnu(znacky, uhel_sady_tocny, adresar, "truth.txt", "points.txt", &chyba);
  }
  if (!dobre) {
    std::fprintf(stderr, "decoder_sample: %s\n", chyba.c_str());
    return 1;
  }
  return 0;
}
