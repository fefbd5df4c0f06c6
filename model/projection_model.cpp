// The projection model's shell: the points from the tables into the pool
// and the graph (projection_graph.h), its progress on the console and in the
// log, its segment lines in prunik and its grey triangles in model1.
#include "model/projection_model.h"

#include <cstdio>
#include <vector>

#include "common/messages.h"
#include "model/instruction_pool.h"
#include "model/projection_graph.h"
#include "model/segment_records.h"
#include "model/segment_table.h"
#include "model/triangle_polygons.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

int pocet_bodu_slotu(int slot) {
  if (slot >= slotu_souradnic) return 0;
  constexpr int nejvice = konfigurace::souradnic_na_slot < konfigurace::adres_na_slot
                              ? konfigurace::souradnic_na_slot
                              : konfigurace::adres_na_slot;
  return pocet_znacek(slot, nejvice);
}

// One point instruction per point of every slot, recorded in
// adresy_bodu_global, and the points with their instructions in slot order.
// False when the pool has too few free slots.
bool zaloz_body(std::vector<Bod3D>* body, std::vector<PolygonInstrukce*>* instrukce) {
  int potreba = 0;
  for (int slot = 0; slot < konfigurace::slotu_dat; slot++)
    for (int i = 0; i < pocet_bodu_slotu(slot); i++) potreba += znacka_platna(slot, i);
  if (!rezervuj_instrukce(potreba)) return false;
  for (int slot = 0; slot < konfigurace::slotu_dat; slot++) {
    const int pocet = pocet_bodu_slotu(slot);
    for (int i = 0; i < pocet; i++) {
      if (!znacka_platna(slot, i)) continue;
      const float* p = body_souradnice[slot][i];
      adresy_bodu_global[slot][i] = nova_instrukce(p[0], p[1], p[2]);
      body->push_back({p[0], p[1], p[2]});
      instrukce->push_back(instrukce_polygonu[adresy_bodu_global[slot][i]]);
    }
  }
  return true;
}

}  // namespace

bool projection_model3D(std::string* chyba) {
  float n[3];
  if (!normala_stredni_roviny(osa_rotace, n)) {
    if (chyba != nullptr)
      *chyba = zprava("turntable axis", "in line with the origin (camera 1), so the central plane is undefined; "
                                        "no projection model is built");
    zapis_log("projection model: turntable axis in line with the origin, no model built\n");
    return false;
  }
  std::vector<Bod3D> body;
  std::vector<PolygonInstrukce*> instrukce;
  // A full pool is no error here: pool_pretekl tells the caller.
  if (!zaloz_body(&body, &instrukce)) return true;

  ZapisPruniku zapis;
  PrubehProjekce prubeh;
  prubeh.po_rozdeleni = [] { std::printf("OK1\n"); };
  prubeh.po_uvodnim_pruchodu = [](int) {
    zapis_log("TADY TADY TADY\n");
    std::printf("OK2\n");
  };
  prubeh.na_konci_kroku = [](int, int k) {
    if (k % 100 == 0) std::printf("krok %d...\n", k);
  };
  prubeh.po_care = [&](int, int s, const float a[3], const float b[3]) {
    if constexpr (konfigurace::ma_okraj_usecek) usecky_proviz_okraj[s] = 0;
    zapis.pridej(a, b, 0);
  };
  ProjekcniGraf graf;
  prubeh.po_rustu = [&](int h) {
    usecky_do_tabulky(graf.poloviny[h].rust);
    std::printf("OK3\n");
  };
  const bool postaven = projekcni_graf(n, teziste, body, prubeh, &graf, chyba);
  for (const PolovinaProjekce& polovina : graf.poloviny) {
    // A refused half empties the segment table and ends the model.
    if (!polovina.rust.chyba.empty()) {
      usecky_do_tabulky(polovina.rust);
      break;
    }
    std::vector<PolygonInstrukce*> instrukce_poloviny;
    for (int i : polovina.body) instrukce_poloviny.push_back(instrukce[i]);
    trojuhelniky_do_modelu(instrukce_poloviny, polovina.trojuhelniky.trojuhelniky, [](int, Polygon3D* polygon) {
      polygon->cervena = polygon->zelena = polygon->modra = 128;
    });
  }
  return postaven;
}
