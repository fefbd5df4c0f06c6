// pairs_to_points: the decoder's pixel pairs in "data.txt" as points in
// space, written to "pairs.ply".
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "common/messages.h"
#include "pairs/pair_file.h"
#include "pairs/pair_points.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/camera_rig.h"

namespace {

const char* const napoveda =
    "Usage: pairs_to_points [--dir DIR]\n"
    "Triangulates the pixel pairs of the decoder's data.txt with the camera set-up of the\n"
    "reconstruction (rig.yml when present, otherwise the compiled-in one) and writes the\n"
    "points to pairs.ply (binary PLY: x, y, z, the two pixels, the ray gap as quality).\n"
    "Pairs whose rays pass more than 0.2 units apart are dropped and counted.\n"
    "\n"
    "  --dir DIR   read data.txt and rig.yml from DIR and write pairs.ply there\n"
    "              (default: the working directory)\n"
    "  --help      show this help and exit\n";

// 0: go on, 1: --help shown, 2: bad usage (message printed).
int volby(int argc, char** argv, std::string* adresar) {
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--help") {
      std::fputs(napoveda, stdout);
      return 1;
    }
    if (a == "--dir" && i + 1 < argc) {
      *adresar = argv[++i];
    } else if (a.rfind("--dir=", 0) == 0 && a.size() > 6) {
      *adresar = a.substr(6);
    } else {
      ohlas(a == "--dir" ? std::string("option '--dir' requires an argument")
                         : "unrecognised argument '" + a + "'");
      std::fputs("Try 'pairs_to_points --help' for more information.\n", stderr);
      return 2;
    }
  }
  return 0;
}

bool precti_text(const std::string& cesta, std::string* text, std::string* chyba) {
  std::ifstream f(cesta, std::ios::binary);
  if (!f) {
    *chyba = zprava(cesta, std::string("cannot be read (") + std::strerror(errno) + ")");
    return false;
  }
  std::ostringstream s;
  s << f.rdbuf();
  *text = s.str();
  return true;
}

int prevod(const std::string& jmeno_dat) {
  std::string chyba, text;
  bool rig = false;
  DataParu data;
  if (!nacti_rig_programu(&rig, &chyba) || !precti_text("data.txt", &text, &chyba) ||
      !precti_pary(text, jmeno_dat, &data, &chyba)) {
    ohlas(chyba);
    return 1;
  }
  const VysledekParu v = trianguluj_pary(data.pary);
  if (!zapis_atomicky("pairs.ply", ply_bodu(v.body), &chyba)) {
    ohlas(chyba);
    return 1;
  }
  std::printf("pairs read: %zu, points written: %zu, pairs dropped: %d\n", data.pary.size(),
              v.body.size(), v.vynechano);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  nastav_jmeno_programu("pairs_to_points");
  std::string adresar;
  const int stav = volby(argc, argv, &adresar);
  if (stav != 0) return stav == 1 ? 0 : 2;
  if (!adresar.empty() && chdir(adresar.c_str()) != 0) {
    ohlas(zprava(adresar, std::string("cannot enter the directory (") + std::strerror(errno) + ")"));
    return 1;
  }
  return prevod(adresar.empty() ? "data.txt" : adresar + "/data.txt");
}
