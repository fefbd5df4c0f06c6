// Building, keeping and writing the surface.
#include "programs/surface_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
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

// The building started by zacni_plochu: it fills plocha_skenu, which nothing
// else touches until zapis_plochu has joined it.
std::thread stavba;
bool postavena = false;
bool zacata = false;
std::string chyba_stavby;

void postav(std::vector<std::array<float, 3>> body) {
  postavena = postav_plochu(body, &plocha_skenu, &chyba_stavby);
}

}  // namespace

void zacni_plochu() {
  if (zacata) return;
  zacata = true;
  stavba = std::thread(postav, otocene_body());
}

void pockej_na_plochu() {
  if (stavba.joinable()) stavba.join();
}

bool zapis_plochu(bool prohlizec_pokracuje) {
  const std::string dodatek = prohlizec_pokracuje ? "; the viewer goes on without it" : "";
  if (!zacata) postav(otocene_body());
  pockej_na_plochu();
  zacata = false;
  if (!postavena) varuj(zprava("surface.ply", chyba_stavby + dodatek));
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
