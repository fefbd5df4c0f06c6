// Brute-force model.
#include "model/brute_force_model.h"

#include <cmath>
#include <vector>

#include "model/instruction_pool.h"
#include "model/segment_records.h"
#include "reconstruction/scene_tables.h"

namespace {
int bodu_slotu(int slot) { return pocet_znacek(slot, konfigurace::souradnic_na_slot); }
}  // namespace

void brutalforce_model3D() {
  int potreba = 0;
  for (int slot = 0; slot <= slot_referenci; slot++)
    for (int i = 0; i < bodu_slotu(slot); i++) potreba += znacka_platna(slot, i);
  if (!rezervuj_instrukce(potreba)) return;
  std::vector<int> vytvorene;
  for (int slot = 0; slot <= slot_referenci; slot++) {
    const int n = bodu_slotu(slot);
    for (int i = 0; i < n; i++) {
      if (!znacka_platna(slot, i)) continue;
      const float* p = body_souradnice[slot][i];
      vytvorene.push_back(nova_instrukce(p[0], p[1], p[2]));
    }
  }
  if (vytvorene.empty()) return;
  std::vector<bool> pouzity(vytvorene.size(), false);
  ZapisPruniku zapis;
  const PolygonInstrukce* p = instrukce_polygonu[vytvorene[0]];
  const float bod_p[3] = {p->x, p->y, p->z};
  float sousede[2][3];
  int nalezeno = 0;
  for (int kolo = 0; kolo < 2; kolo++) {
    float nejmensi = 65535;
    int nejblizsi = -1;
    for (std::size_t k = 1; k < vytvorene.size(); k++) {
      if (pouzity[k]) continue;
      const PolygonInstrukce* q = instrukce_polygonu[vytvorene[k]];
      const float dx = q->x - p->x, dy = q->y - p->y, dz = q->z - p->z;
      const float vzdalenost = std::sqrt(dx * dx + dy * dy + dz * dz);
      if (vzdalenost < nejmensi) {
        nejmensi = vzdalenost;
        nejblizsi = static_cast<int>(k);
      }
    }
    if (nejblizsi < 0) break;
    const PolygonInstrukce* q = instrukce_polygonu[vytvorene[nejblizsi]];
    sousede[kolo][0] = q->x;
    sousede[kolo][1] = q->y;
    sousede[kolo][2] = q->z;
    zapis.pridej(bod_p, sousede[kolo]);
    pouzity[nejblizsi] = true;
    pouzity[0] = true;
    nalezeno++;
  }
  if (nalezeno == 2) zapis.pridej(sousede[1], sousede[0]);
}
