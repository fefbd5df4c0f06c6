// The polar model's shell: the points from the tables, their graph
// (polar_graph.h) into the instruction pool, model1, prunik and the segment
// table, with the progress on the console.
#include "model/polar_model.h"

#include <cstdio>
#include <vector>

#include "common/enter_prompt.h"
#include "common/geometry.h"
#include "model/instruction_pool.h"
#include "model/polar_graph.h"
#include "model/segment_records.h"
#include "model/segment_table.h"
#include "model/triangle_polygons.h"
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
  std::vector<Bod3D> body(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) body[i] = {pole_bodu[i][0], pole_bodu[i][1], pole_bodu[i][2]};
  teziste_bodu(body, teziste);
  std::printf("OK\n");
  std::printf("Vypocet polarnich souradnic...\n");
  std::printf("OK\n");

  usecky_proviz_pocet = 0;
  std::printf("Vytvareni 3D bodu...\n");
  if (!rezervuj_instrukce(n)) {
    pool_pretekl(chyba);
    return false;
  }
  std::vector<PolygonInstrukce*> instrukce(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) instrukce[i] = instrukce_polygonu[nova_instrukce(body[i][0], body[i][1], body[i][2])];
  std::printf("OK\n");

  std::printf("Vytvareni polarnich usecek...\n");
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 10000;
  nastaveni.na_zacatku_kroku = [](int k) {
    if (k % 100 == 0) std::printf("krok %d z 10000\n", k);
  };
  const PolarniGraf graf = polarni_graf(body, nastaveni);
  if (!usecky_do_tabulky(graf.rust, chyba)) return false;
  std::printf("OK\n");

  std::printf("Vytvareni polygonu...\n");
  trojuhelniky_do_modelu(instrukce, graf.trojuhelniky.trojuhelniky, [&](int p, Polygon3D* polygon) {
    polygon->cervena = slozka_barvy_z_uhlu(graf.uhly[p].x);
    polygon->zelena = slozka_barvy_z_uhlu(graf.uhly[p].y);
    polygon->modra = 64;
  });
  std::printf("OK\n");

  ZapisPruniku zapis;
  for (int s : graf.okrajove) {
    const UseckaGrafu& u = graf.rust.usecky[s];
    if (!zapis.pridej(pole_bodu[u[0]], pole_bodu[u[1]])) break;
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
