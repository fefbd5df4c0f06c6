#include "programs/turned_points.h"

#include <algorithm>

#include "reconstruction/scene_tables.h"

OtoceneBody otocene_body() {
  OtoceneBody body;
  for (int slot = 0; slot < 5; slot++) {
    const int pocet = pocet_znacek(slot, konfigurace::souradnic_na_slot);
    for (int i = 0; i < pocet; i++) {
      if (!znacka_platna(slot, i)) continue;
      const float* p = body_souradnice[slot][i];
      body.souradnice.push_back({p[0], p[1], p[2]});
      body.polohy.push_back(slot);
    }
  }
  return body;
}
