// make_sample_scene: writes the sample scene (ten marker images, two
// calibration images and ground_truth.txt) into a directory.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/sample_scene.h"

namespace {

void napoveda(std::FILE* kam) {
  std::fprintf(kam,
      "usage: make_sample_scene [--out DIR] [--seed N] [--single-pixel] [--rough-reference]\n"
      "                         [--tilt DEGREES] [--plain] [--wide-rig | --rig FILE]\n"
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
      "  With --wide-rig or --rig the true set-up is also written as rig_truth.yml.\n");
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
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    const bool ma_hodnotu = i + 1 < argc;
    double v = 0;
    unsigned long long seed = 0;
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
  std::printf("sample scene written to %s; markers per position:", adresar.c_str());
  for (int slot = 0; slot < pocet_poloh; slot++)
    std::printf(" %.3s: %zu%s", jmena_snimku[slot][0], scena.znacky[slot].size(),
                slot + 1 < pocet_poloh ? "," : "\n");
  return 0;
}
