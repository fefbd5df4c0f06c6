// The profile model: segment growth in the camera 1 image of one slot.
#include "model/profile_model.h"

#include <cstdio>
#include <vector>

#include "model/instruction_pool.h"
#include "model/segment_growth.h"
#include "model/segment_table.h"
#include "model/triangle_polygons.h"
#include "common/messages.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

// Slots that both body_data and body_souradnice have.
constexpr int slotu_profilu =
    konfigurace::slotu_dat < slotu_souradnic ? konfigurace::slotu_dat : slotu_souradnic;

// Points of a slot that every table of the profile model can hold.
constexpr int bodu_profilu =
    konfigurace::znacek_na_slot < konfigurace::adres_na_slot ? konfigurace::znacek_na_slot
                                                             : konfigurace::adres_na_slot;

}  // namespace

BarvaProfilu barva_profilu(int typ) {
  static const BarvaProfilu tabulka[6] = {
      {0, 0, 255}, {1, 255, 255}, {2, 255, 0}, {3, 128, 255}, {4, 255, 128}, {5, 255, 0}};
  if (typ >= 0 && typ < 6) return tabulka[typ];
  return {static_cast<std::uint16_t>(typ), 128, 128};
}

namespace {

bool odmitni(std::string* chyba, const std::string& zprava_odmitnuti) {
  if (chyba != nullptr)
    *chyba = zprava_odmitnuti;
  else
    ohlas(zprava_odmitnuti);
  return false;
}

}  // namespace

bool model3D(int profil, int typ, std::string* chyba) {
  if (profil < 0 || profil >= slotu_profilu)
    return odmitni(chyba, zprava("profile model", "slot " + std::to_string(profil) +
                                                      " does not exist (slots 0 to " +
                                                      std::to_string(slotu_profilu - 1) + "); no model is built"));
  usecky_proviz_pocet = 0;
  const int n = pocet_znacek(profil, bodu_profilu);

  std::vector<int> platne;
  for (int i = 0; i < n; i++)
    if (znacka_platna(profil, i)) platne.push_back(i);
  if (!rezervuj_instrukce(static_cast<int>(platne.size()))) {
    std::string plny;
    pool_pretekl(&plny);
    return odmitni(chyba, plny);
  }
  std::vector<PolygonInstrukce*> instrukce;
  std::vector<BodRoviny> pixely;
  for (int i : platne) {
    const float* p = body_souradnice[profil][i];
    const int k = nova_instrukce(p[0], p[1], p[2]);
    instrukce.push_back(instrukce_polygonu[k]);
    adresy_bodu_global[profil][i] = k;
    pixely.push_back({static_cast<float>(body_data[profil][i].x1), static_cast<float>(body_data[profil][i].y1)});
  }

  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 1000;
  nastaveni.po_uvodnim_pruchodu = [] { zapis_log("TADY TADY TADY\n"); };
  const VysledekRustu rust = rust_usecek(pixely, nastaveni);
  std::string odmitnuti;
  if (!usecky_do_tabulky(rust, &odmitnuti)) return odmitni(chyba, odmitnuti);

  const BarvaProfilu barva = barva_profilu(typ);
  vytvor_trojuhelniky(instrukce, rust.usecky, [&](int, Polygon3D* polygon) {
    polygon->cervena = barva.cervena;
    polygon->zelena = barva.zelena;
    polygon->modra = barva.modra;
  });
  return true;
}
