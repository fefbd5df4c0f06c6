// The scene tables as the viewer's tables.
#include "viewer/scene_view.h"

#include "model/instruction_pool.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

TabulkyProhlizece tabulky_sceny() {
  TabulkyProhlizece t;
  t.yrot = &yrot;
  t.yrot2 = &yrot2;
  t.speed = &speed;
  t.xscr = &xscr;
  t.yscr = &yscr;
  t.stereo_kamera = stereo_kamera;
  t.stereo_body = stereo_body;
  t.stereo_lok = stereo_lok;
  t.body_relativ = body_relativ;
  t.model1 = &model1;
  t.prunik = prunik;
  t.pocetusecek3d = &pocetusecek3d;
  t.plocha_skenu = &plocha_skenu;
  t.log = &log1;
  t.zapis_log = zapis_log;
  t.pocet_polygonu = [](const List<Polygon3D*>& seznam) { return seznam.countitem(); };
  t.zapis_soubor = [](const std::string& cesta, const std::string& obsah, std::string* chyba) {
    return zapis_atomicky(cesta, obsah, chyba);
  };
  return t;
}
