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
#include "model/mesh_analysis.h"
#include "model/surface_export.h"
#include "model/surface_reconstruction.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

std::vector<std::array<float, 3>> otocene_body() {
  std::vector<std::array<float, 3>> body;
  for (int slot = 0; slot < 5; slot++) {
    const int pocet = std::min(std::max(body_pocty[slot], 0), konfigurace::souradnic_na_slot);
    for (int i = 0; i < pocet; i++) {
      if (!znacka_platna(slot, i)) continue;
      const float* p = body_souradnice[slot][i];
      body.push_back({p[0], p[1], p[2]});
    }
  }
  return body;
}

using Body = std::vector<std::array<float, 3>>;

// The thread started by priprav_plochu waits for the points zacni_plochu
// hands it, then fills plocha_skenu, which nothing else touches until
// zapis_plochu has joined it. A promise given up (the program ends without
// the points) ends the thread without building.
std::thread stavba;
std::promise<Body> predani;
bool predano = false;
bool postavena = false;
std::string chyba_stavby;

void postav(const Body& body) {
  chyba_stavby.clear();
  postavena = postav_plochu(body, &plocha_skenu, &chyba_stavby);
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

bool zapis_plochu(bool prohlizec_pokracuje) {
  const std::string dodatek = prohlizec_pokracuje ? "; the viewer goes on without it" : "";
  if (!(stavba.joinable() && predano)) postav(otocene_body());
  pockej_na_plochu();
  if (!postavena) varuj(zprava("surface.ply", chyba_stavby + dodatek));
  if (postavena && !chyba_stavby.empty()) varuj(zprava("surface.ply", chyba_stavby));
  std::string chyba;
  const bool zapsano = zapis_atomicky("surface.ply", plocha_ply(plocha_skenu, false), &chyba);
  if (!zapsano) varuj(chyba + dodatek);
  std::vector<std::vector<int>> steny;
  for (const auto& t : plocha_skenu.trojuhelniky) steny.push_back({t[0], t[1], t[2]});
  const RozborSite r = rozbor_site(steny);
  std::printf("surface: %zu vertices, %zu triangles, %d open edges, %d non-manifold edges\n",
              plocha_skenu.vrcholy.size(), plocha_skenu.trojuhelniky.size(), r.otevrenych, r.nemanifoldnich);
  return zapsano;
}
