// pairs_to_points: the decoder's pixel pairs in "data.txt" as points in
// space, written to "pairs.ply"; with --turn in the common frame of the
// marker scan. Nothing is written when the points cannot be turned: a
// user who asks for the common frame gets no file in another frame.
#include <cstdio>
#include <string>

#include "common/messages.h"
#include "common/options.h"
#include "pairs/common_frame.h"
#include "pairs/pair_file.h"
#include "pairs/pair_points.h"
#include "programs/scan_frame.h"
#include "reconstruction/upright_ply.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/rig_loader.h"

namespace {

const PopisProgramu popis = {
    "pairs_to_points",
    "Triangulates the pixel pairs of the decoder's data.txt with the camera set-up of the\n"
    "reconstruction and writes them as points; pairs whose viewing rays pass more than\n"
    "0.2 units apart are dropped and counted.",
    "data.txt; rig.yml when present (otherwise the compiled-in camera set-up);\n"
    "with --turn the ten marker images 000_k1_A.bmp ... 200_k2_A.bmp",
    "pairs.ply (binary PLY: x, y, z, the pixels x1 y1 x2 y2, the ray gap as quality)",
    false,
    true};

int prevod(const std::string& jmeno_dat, bool otocit, bool vzpriment) {
  std::string chyba;
  bool rig = false;
  DataParu data;
  if (!nacti_rig_programu(&rig, &chyba, nacti_rig_modulem) || !nacti_pary("data.txt", jmeno_dat, &data, &chyba)) {
    ohlas(chyba);
    return 1;
  }
  VysledekParu v = trianguluj_pary(sestava_programu(), data.pary);
  if (otocit && !otoc_body_do_spolecne(&v.body, data.uhel, &chyba)) {
    ohlas(chyba);
    return 1;
  }
  if (otocit)
    std::printf("points turned into the common frame of the marker scan (turntable angle %d)\n",
                data.uhel);
  Soustava tocna;
  double teziste[3];
  std::string proc;
  if (vzpriment && !soustava_skenu(&tocna, teziste, &proc)) {
    ohlas(zprava("--upright", "the turntable frame cannot be found: " + proc));
    return 1;
  }
  std::string obsah;
  if (!ply_k_zapisu("pairs.ply", ply_bodu(v.body, otocit ? std::optional<int>(data.uhel) : std::nullopt),
                    vzpriment ? &tocna : nullptr, &obsah, &chyba) ||
      !zapis_atomicky("pairs.ply", obsah, &chyba)) {
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
  Volby volby;
  const int stav = zpracuj_volby(argc, argv, popis, &volby);
  if (stav >= 0) return stav;
  chran_vystupy();
  return prevod(volby.adresar.empty() ? "data.txt" : volby.adresar + "/data.txt", volby.otocit, volby.vzpriment);
}
