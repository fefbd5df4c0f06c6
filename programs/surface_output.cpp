// Building, keeping and writing the surface.
#include "programs/surface_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <future>
#include <thread>
#include <vector>

#include "common/messages.h"
#include "model/surface_export.h"
#include "model/surface_reconstruction.h"
#include "model/volume_check.h"
#include "programs/turned_points.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/upright_ply.h"

namespace {

using Body = OtoceneBody;

// The thread started by priprav_plochu waits for the points zacni_plochu
// hands it, then fills plocha_skenu, which nothing else touches until
// zapis_plochu has joined it. A promise given up (the program ends without
// the points) ends the thread without building.
std::thread stavba;
std::promise<Body> predani;
bool predano = false;
bool postavena = false;
std::string chyba_stavby;
KontrolaObjemu kontrola;

// Builds the surface and checks whether it bounds a volume.
void postav(const Body& body) {
  chyba_stavby.clear();
  postavena = postav_plochu(body.souradnice, body.polohy, &plocha_skenu, &chyba_stavby);
  std::vector<std::array<double, 3>> vrcholy;
  for (const auto& v : plocha_skenu.vrcholy) vrcholy.push_back({v[0], v[1], v[2]});
  kontrola = zkontroluj_objem(vrcholy, plocha_skenu.trojuhelniky);
}

void cekej_a_postav(std::future<Body> body) {
  try {
    postav(body.get());
  } catch (const std::future_error&) {
  }
}

}  // namespace

void priprav_plochu() {
  if (stavba.joinable()) return;
  predani = std::promise<Body>();
  predano = false;
  stavba = std::thread(cekej_a_postav, predani.get_future());
}

void zacni_plochu() {
  if (!stavba.joinable()) priprav_plochu();
  predani.set_value(otocene_body());
  predano = true;
}

void pockej_na_plochu() {
  if (!stavba.joinable()) return;
  if (!predano) predani = std::promise<Body>();  // gives the waiting thread up
  stavba.join();
}

bool zapis_plochu(bool prohlizec_pokracuje, const Soustava* vzpriment) {
  const std::string dodatek = prohlizec_pokracuje ? "; the viewer goes on without it" : "";
  if (!(stavba.joinable() && predano)) postav(otocene_body());
  pockej_na_plochu();
  if (!postavena) varuj(zprava("surface.ply", chyba_stavby + dodatek));
  if (postavena && !chyba_stavby.empty()) varuj(zprava("surface.ply", chyba_stavby));
  std::string chyba;
  std::string obsah;
  const bool zapsano = ply_k_zapisu("surface.ply", plocha_ply(plocha_skenu, false), vzpriment, &obsah, &chyba) &&
                       zapis_atomicky("surface.ply", obsah, &chyba);
  if (!zapsano) varuj(chyba + dodatek);
  std::printf("surface: %s\n",
              radek_plochy(plocha_skenu.vrcholy.size(), plocha_skenu.trojuhelniky, kontrola).c_str());
  const std::string objem = kontrola.ohranicuje ? "yes" : "no (" + kontrola.proc + ")";
  if (!plocha_skenu.trojuhelniky.empty() && !kontrola.ohranicuje) varuj(zprava("surface.ply", "bounds a volume: " + objem));
  return zapsano;
}
