// make_sample_scene: writes the sample scene (ten marker images, two
// calibration images and ground_truth.txt) into a directory.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <cmath>
#include <string>

#include <opencv2/imgcodecs.hpp>

#include "tools/chessboard_images.h"
#include "tools/sample_scene.h"

namespace {

void napoveda(std::FILE* kam) {
  std::fprintf(kam,
      "usage: make_sample_scene [--out DIR] [--seed N] [--single-pixel] [--rough-reference]\n"
      "                         [--tilt DEGREES] [--plain] [--wide-rig | --rig FILE]\n"
      "                         [--lens K1[,K2,P1,P2,K3]] [--chessboard N]\n"
      "  --out DIR          directory to write into, made if missing (default: current directory)\n"
      "  --seed N           seed of the marker placement and blob sizes (default 1)\n"
      "  --single-pixel     paint every marker as one pixel instead of a small blob\n"
      "  --rough-reference  leave the reference marks at their nominal places on the circle\n"
      "  --tilt DEGREES     tilt the turntable about the x axis (default 0)\n"
      "  --plain            black background instead of the shaded vase and turntable\n"
      "  --wide-rig         cameras of their own: 62 units apart, turned, tilted and rolled,\n"
      "                     another pixel pitch; the calibration object stands on the turntable\n"
      "  --rig FILE         the true cameras from a rig file (format of rig.yml); the\n"
      "                     calibration object stands on the turntable\n"
      "  --lens K1[,K2,P1,P2,K3]  give both cameras this lens distortion (OpenCV's model);\n"
      "                     without --wide-rig or --rig the cameras are webcam-like: the\n"
      "                     wide set-up's halfway to the vase, focal length 800 pixels\n"
      "  --chessboard N     also write N photograph pairs of a 9 x 6 chessboard,\n"
      "                     chessboard_NN_1.png and chessboard_NN_2.png, through the same\n"
      "                     cameras where they look (it prints the square's side)\n"
      "  With --wide-rig, --rig or --lens the true set-up is also written as rig_truth.yml\n"
      "  (with --lens as a version 2 file in camera 1's frame).\n");
}

bool cele_cislo(const char* text, unsigned long long* hodnota) {
  if (*text < '0' || *text > '9') return false;
  char* konec = nullptr;
  errno = 0;
  *hodnota = std::strtoull(text, &konec, 10);
  return errno == 0 && *konec == '\0';
}

bool cislo(const char* text, double* hodnota) {
  char* konec = nullptr;
  *hodnota = std::strtod(text, &konec);
  return konec != text && *konec == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  NastaveniSceny nastaveni;
  std::string adresar = ".";
  double cocky[5] = {0, 0, 0, 0, 0};
  bool s_cockou = false;
  int sachovnic = 0;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    const bool ma_hodnotu = i + 1 < argc;
    double v = 0;
    unsigned long long seed = 0, seed_sachovnice = 0;
    if (a == "--help" || a == "-h") {
      napoveda(stdout);
      return 0;
    } else if (a == "--out" && ma_hodnotu) {
      adresar = argv[++i];
    } else if (a == "--seed" && ma_hodnotu && cele_cislo(argv[i + 1], &seed)) {
      nastaveni.seed = seed;
      i++;
    } else if (a == "--tilt" && ma_hodnotu && cislo(argv[i + 1], &v) && v > -30 && v < 30) {
      nastaveni.naklon_stupnu = v;
      i++;
    } else if (a == "--single-pixel") {
      nastaveni.styl = StylZnacky::pixel;
    } else if (a == "--rough-reference") {
      nastaveni.presne_reference = false;
    } else if (a == "--plain") {
      nastaveni.pozadi = false;
    } else if (a == "--lens" && ma_hodnotu) {
      std::string seznam = argv[++i];
      int n = 0;
      for (std::size_t z = 0; n < 5 && z <= seznam.size();) {
        const std::size_t carka = std::min(seznam.find(',', z), seznam.size());
        if (!cislo(seznam.substr(z, carka - z).c_str(), &v) || std::abs(v) > 10) {
          n = -1;
          break;
        }
        cocky[n++] = v;
        z = carka + 1;
        if (carka == seznam.size()) break;
      }
      if (n <= 0) {
        std::fprintf(stderr, "make_sample_scene: --lens: expected K1[,K2,P1,P2,K3], numbers\n");
        return 1;
      }
      s_cockou = true;
    } else if (a == "--chessboard" && ma_hodnotu && cele_cislo(argv[i + 1], &seed_sachovnice) &&
               seed_sachovnice > 0 && seed_sachovnice <= 100) {
      sachovnic = static_cast<int>(seed_sachovnice);
      i++;
    } else if (a == "--wide-rig") {
      nastaveni.sestava = siroka_sestava();
    } else if (a == "--rig" && ma_hodnotu) {
      RigKamer rig;
      std::string chyba;
      if (!nacti_rig(argv[++i], &rig, &chyba)) {
        std::fprintf(stderr, "make_sample_scene: %s\n", chyba.c_str());
        return 1;
      }
      nastaveni.sestava = sestava_z_rigu(rig);
    } else {
      std::fprintf(stderr, "make_sample_scene: unknown option or bad value: %s\n", a.c_str());
      napoveda(stderr);
      return 1;
    }
  }
  if (s_cockou) {
    if (!nastaveni.sestava) nastaveni.sestava = sestava_webkamer();
    for (int k = 0; k < 2; k++) std::copy(cocky, cocky + 5, nastaveni.sestava->zkresleni[k]);
  }
  if (sachovnic > 0 && !nastaveni.sestava) nastaveni.sestava = vychozi_sestava();
  if (mkdir(adresar.c_str(), 0777) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "%s: cannot make the directory\n", adresar.c_str());
    return 1;
  }
  const Scena scena = vytvor_scenu(nastaveni);
  std::string chyba;
  if (!zapis_scenu(scena, adresar, &chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return 1;
  }
  if (sachovnic > 0) {
    const RigKamer rig = rig_objektivu_ze_sestavy(scena.sestava, "units of the sample scene (camera 1's frame)");
    const double ctverec = ctverec_pro_rig(rig, cv::Size(9, 6));
    const SnimkySachovnice s = vyfot_sachovnici(rig, sachovnic, cv::Size(9, 6), ctverec, 1.5, 11);
    std::printf("chessboard: %d pairs, 9 x 6 inner corners, squares of %.6g units (calibrate_rig --board 9x6 "
                "--square %.6g chessboard_*.png)\n", sachovnic, ctverec, ctverec);
    for (int p = 0; p < sachovnic; p++)
      for (int k = 0; k < 2; k++) {
        char jmeno[64];
        std::snprintf(jmeno, sizeof jmeno, "/chessboard_%02d_%d.png", p + 1, k + 1);
        if (!cv::imwrite(adresar + jmeno, s.snimky[k][static_cast<std::size_t>(p)])) {
          std::fprintf(stderr, "%s%s: cannot be written\n", adresar.c_str(), jmeno);
          return 1;
        }
      }
  }
  std::printf("sample scene written to %s; markers per position:", adresar.c_str());
  for (int slot = 0; slot < pocet_poloh; slot++)
    std::printf(" %.3s: %zu%s", jmena_snimku[slot][0], scena.znacky[slot].size(),
                slot + 1 < pocet_poloh ? "," : "\n");
  return 0;
}
