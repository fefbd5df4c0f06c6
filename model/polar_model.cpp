// The polar model: gathering, centroid, polar angles, segment growth,
// triangles and border segments.
#include "model/polar_model.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "common/enter_prompt.h"
#include "common/geometry.h"
#include "model/instruction_pool.h"
#include "model/segment_growth.h"
#include "model/segment_records.h"
#include "model/triangle_emission.h"
#include "reconstruction/scene_tables.h"

namespace {

constexpr int slotu_polaru = 5;

int pocet_bodu_slotu(int slot) { return pocet_znacek(slot, konfigurace::souradnic_na_slot); }

}  // namespace

std::uint16_t slozka_barvy_z_uhlu(float uhel) {
  const double hodnota = static_cast<double>(uhel) / pi_programu * 128;
  // Angles lie in [-pi, pi]; anything else that is not a moderate number
  // (NaN of a point at the centroid) gives 0 instead of an undefined conversion.
  if (!(hodnota > -1e9 && hodnota < 1e9)) return 0;
  return static_cast<std::uint16_t>(static_cast<std::int32_t>(hodnota));
}

bool postav_polar_model(std::string* chyba) {
  std::printf("Vytvari se polarni model...\n");
  std::printf("Vypocet teziste...\n");
  teziste[0] = teziste[1] = teziste[2] = 0;
  bodu_celkem = 0;
  for (int slot = 0; slot < slotu_polaru; slot++) {
    const int pocet = pocet_bodu_slotu(slot);
    for (int i = 0; i < pocet && bodu_celkem < konfigurace::kapacita_pole_bodu; i++) {
      if (!znacka_platna(slot, i)) continue;
      for (int c = 0; c < 3; c++) pole_bodu[bodu_celkem][c] = body_souradnice[slot][i][c];
      bodu_celkem++;
    }
  }
  const int n = bodu_celkem;
  for (int i = 0; i < n; i++)
    for (int c = 0; c < 3; c++)
      teziste[c] = static_cast<float>(teziste[c] + static_cast<double>(pole_bodu[i][c]) / n);
  std::printf("OK\n");

  std::printf("Vypocet polarnich souradnic...\n");
  std::vector<BodRoviny> uhly(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) {
    const double dx = static_cast<double>(pole_bodu[i][0]) - teziste[0];
    const double dy = static_cast<double>(pole_bodu[i][1]) - teziste[1];
    const double dz = static_cast<double>(pole_bodu[i][2]) - teziste[2];
    const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
    uhly[i].x = static_cast<float>(std::acos(dz / r));
    uhly[i].y = static_cast<float>(std::atan2(dy, dx));
  }
  std::printf("OK\n");

  usecky_proviz_pocet = 0;
  std::printf("Vytvareni 3D bodu...\n");
  if (!rezervuj_instrukce(n)) {
    pool_pretekl(chyba);
    return false;
  }
  std::vector<PolygonInstrukce*> instrukce(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) {
    const int k = nova_instrukce(pole_bodu[i][0], pole_bodu[i][1], pole_bodu[i][2]);
    instrukce[i] = instrukce_polygonu[k];
  }
  std::printf("OK\n");

  std::printf("Vytvareni polarnich usecek...\n");
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 10000;
  nastaveni.na_zacatku_kroku = [](int k) {
    if (k % 100 == 0) std::printf("krok %d z 10000\n", k);
  };
  rust_usecek(uhly, nastaveni);
  std::printf("OK\n");

  std::printf("Vytvareni polygonu...\n");
  const std::vector<int> pouziti = vytvor_trojuhelniky(instrukce, [&](int p, Polygon3D* polygon) {
    polygon->cervena = slozka_barvy_z_uhlu(uhly[p].x);
    polygon->zelena = slozka_barvy_z_uhlu(uhly[p].y);
    polygon->modra = 64;
  });
  std::printf("OK\n");

  ZapisPruniku zapis;
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    if (pouziti[s] != 0) continue;
    if (!zapis.pridej(pole_bodu[usecky_provizorni[s][0]], pole_bodu[usecky_provizorni[s][1]])) break;
  }
  return true;
}

bool polar_model3D(std::string* chyba) {
  const bool postaven = postav_polar_model(chyba);
  if (!ceka_na_enter()) return postaven;
  std::printf("Tvorba 3D modelu dokoncena, pokracuj Enterem...");
  std::fflush(stdout);
  std::getchar();
  return postaven;
}
