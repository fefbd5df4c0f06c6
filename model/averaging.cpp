// Averaging of two slots' points.
#include "model/averaging.h"

#include <cmath>
#include <vector>

#include "reconstruction/scene_tables.h"

namespace {

bool platny_slot(int slot) { return slot >= 0 && slot < slotu_souradnic; }

int pocet_bodu(int slot) { return pocet_znacek(slot, konfigurace::souradnic_na_slot); }

}  // namespace

void zprumeruj_modely(int profil1, int profil2) {
  if (!platny_slot(profil1) || !platny_slot(profil2)) return;
  const int n1 = pocet_bodu(profil1);
  const int n2 = pocet_bodu(profil2);
  std::vector<bool> vzaty(static_cast<std::size_t>(n2), false);
  for (int i = 0; i < n1; i++) {
    if (!znacka_platna(profil1, i)) continue;
    float* a = body_souradnice[profil1][i];
    float nejmensi = 65535;
    int nejblizsi = -1;
    for (int j = 0; j < n2; j++) {
      if (vzaty[j] || !znacka_platna(profil2, j)) continue;
      const float* b = body_souradnice[profil2][j];
      const float dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
      const float vzdalenost = std::sqrt(dx * dx + dy * dy + dz * dz);
      if (vzdalenost < nejmensi) {
        nejmensi = vzdalenost;
        nejblizsi = j;
      }
    }
    if (nejblizsi < 0 || !(nejmensi < 1.0f)) continue;
    float* b = body_souradnice[profil2][nejblizsi];
    vzaty[nejblizsi] = true;
    for (int k = 0; k < 3; k++) {
      const float stred = static_cast<float>((static_cast<double>(a[k]) + b[k]) / 2);
      a[k] = stred;
      b[k] = stred;
    }
  }
}
