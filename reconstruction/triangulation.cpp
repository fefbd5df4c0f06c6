// Triangulation and turntable alignment. Every named quantity is stored as a
// float; the expressions that produce them are evaluated in double.
#include "reconstruction/triangulation.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/geometry.h"
#include "common/messages.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/turntable_axis.h"

namespace {

// The camera-1 marker image of an angle slot, which warnings about its
// markers name; "triangulation" for a slot no image fills.
std::string obrazek_slotu(int slot) {
  for (const SnimekZnacek& s : snimky_znacek)
    if (s.slot == slot && s.kamera == 1) return s.soubor;
  return "triangulation";
}

const int poradi_slotu[6] = {0, 1, 2, 3, 4, 9};

void trianguluj_bod(const SestavaTriangulace& sestava, int slot, int i) {
  const BodData& bod = body_data[slot][i];
  // The scan has always left the second camera's horizontal direction here.
  vektor80[0] = 0.984f;
  vektor80[1] = 0.173f;
  float p1[3], p2[3];
  float* cil = body_souradnice[slot][i];
  if (!stred_paprsku(sestava, bod.x1, bod.y1, bod.x2, bod.y2, cil, nullptr, p1, p2)) {
    ohlas(zprava(obrazek_slotu(slot), "marker " + std::to_string(i + 1) +
                                          ": the viewing rays of the two cameras are parallel; "
                                          "stored the midpoint of its two image-plane points"));
    zapis_log("warning: marker %d of angle slot %d: parallel viewing rays\n", i + 1, slot);
    for (int j = 0; j < 3; j++)
      cil[j] = static_cast<float>((static_cast<double>(p1[j]) + p2[j]) / 2);
  }
}

// The shell of the axis: the reference marks from body_souradnice, the
// results into rotace_smerovy, rotace_normalovy and osa_rotace, and the log.
bool urci_osu(std::string* chyba) {
  OsaTocny osa;
  std::string problem;
  const bool definovana = osa_z_referenci(body_souradnice[slot_referenci][0], body_souradnice[slot_referenci][1],
                                          body_souradnice[slot_referenci][2], &osa, &problem);
  std::copy_n(&osa.smerovy[0][0], 6, &rotace_smerovy[0][0]);
  std::copy_n(osa.normalovy, 4, rotace_normalovy);
  const float* s1 = osa.smerovy[0];
  const float* s2 = osa.smerovy[1];
  const float* n = osa.normalovy;
  const float* det = osa.determinanty;
  zapis_log("smerovy1: [   %lf,   %lf,   %lf   ]\n", s1[0], s1[1], s1[2]);
  zapis_log("smerovy2: [   %lf,   %lf,   %lf   ]\n", s2[0], s2[1], s2[2]);
  zapis_log("normalovy: [   %lf,   %lf,   %lf   ]\n", n[0], n[1], n[2]);
  zapis_log("determinanty:\n");
  for (int i = 0; i < 4; i++) zapis_log("determinant %d: %lf\n", i, det[i]);
  if (!definovana) {
    if (chyba != nullptr) *chyba = zprava("080_k1_A.bmp, 080_k2_A.bmp", problem);
    return false;
  }
  std::copy_n(osa.stred, 3, osa_rotace[0]);
  zapis_log("STRED: [   %lf,   %lf,   %lf   ]\n", osa.stred[0], osa.stred[1], osa.stred[2]);
  std::copy_n(osa.druhy_bod, 3, osa_rotace[1]);
  return true;
}

void otoc_bod(float* p, int slot) { otoc_do_spolecne(p, uhly[slot]); }

}  // namespace

void otoc_do_spolecne(float p[3], int uhel_stupne) {
  otoc_kolem_osy(osa_rotace[0], rotace_normalovy, uhel_stupne, p);
}

bool stred_paprsku(int x1, int y1, int x2, int y2, float bod[3], float* mezera, float p1[3],
                   float p2[3]) {
  return stred_paprsku(sestava_programu(), x1, y1, x2, y2, bod, mezera, p1, p2);
}

bool prepocet_bodu(bool urcit_osu, std::string* chyba) {
  const SestavaTriangulace sestava = sestava_programu();
  for (int slot : poradi_slotu)
    for (int i = 0; i < pocet_znacek(slot, konfigurace::souradnic_na_slot); i++)
      if (znacka_platna(slot, i)) trianguluj_bod(sestava, slot, i);

  const float* r0 = body_souradnice[slot_referenci][0];
  const float* r1 = body_souradnice[slot_referenci][1];
  const float* r2 = body_souradnice[slot_referenci][2];
  zapis_log("BOD1: [   %lf,   %lf,   %lf   ]\n", r0[0], r0[1], r0[2]);
  zapis_log("BOD2: [   %lf,   %lf,   %lf   ]\n", r1[0], r1[1], r1[2]);
  zapis_log("BOD3: [   %lf,   %lf,   %lf   ]\n", r2[0], r2[1], r2[2]);

  if (urcit_osu && !urci_osu(chyba)) return false;

  for (int j = 0; j < 3; j++)
    rotace_normalovy[j] =
        static_cast<float>(static_cast<double>(osa_rotace[1][j]) - osa_rotace[0][j]);
  if (skalarne(rotace_normalovy, rotace_normalovy) == 0.0) {
    if (chyba != nullptr) *chyba = zprava("turntable axis", "undefined (its two points coincide)");
    return false;
  }

  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < pocet_znacek(slot, konfigurace::souradnic_na_slot); i++)
      if (znacka_platna(slot, i)) otoc_bod(body_souradnice[slot][i], slot);
  return true;
}
