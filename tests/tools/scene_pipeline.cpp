// In-process reconstruction of a sample scene.
#include "tests/tools/scene_pipeline.h"

#include <memory>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/triangulation.h"
#include "tools/reconstruction_model.h"

std::string zrekonstruuj_scenu(const Scena& scena) {
  vynuluj_tabulky_sceny();
  vynuluj_pocty_znacek();
  for (const SnimekZnacek& snimek : snimky_znacek) {
    const std::vector<std::uint8_t> bajty =
        bajty_bmp(scena.snimky[snimek.slot][snimek.kamera - 1]);
    std::string chyba;
    std::unique_ptr<char[]> pixely(
        readBMP_z_pameti(bajty.data(), bajty.size(), snimek.soubor, &chyba));
    if (!pixely) return chyba;
    if (!skenuj_znacky(reinterpret_cast<const unsigned char*>(pixely.get()), snimek.soubor,
                       snimek.kamera, snimek.slot, &chyba))
      return chyba;
  }
  nastav_obdelniky_kamer();
  prepocet_bodu(true);
  return "";
}

double mez_znacky(const Scena& scena, const ZnackaPolohy& z, int slot) {
  const SestavaKamer& s = scena.sestava;
  Bod3 reference[3];
  double chyba_referenci[3];
  for (int m = 0; m < 3; m++) {
    const ReferencniZnacka& r = scena.reference[m];
    reference[m] = r.poloha;
    PixelyBodu cteno;
    for (int k = 0; k < 2; k++) {
      cteno.sloupec[k] = r.pixel[k].sloupec;
      cteno.radek[k] = r.pixel[k].radek;
    }
    chyba_referenci[m] = delka(trianguluj_pixely(s, cteno) - r.poloha);
  }
  const Citlivost c =
      citlivost(s, pixely_z_pozic(z.pozice[0], z.pozice[1]), reference, uhly_poloh[slot]);
  const RozsahOdchylky r = rozsah_odchylky(scena.nastaveni.styl);
  return mez_chyby(c, r.od, r.do_, chyba_referenci) +
         rezerva_zaokrouhleni;
}
