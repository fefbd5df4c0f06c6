// The segment graph into usecky_provizorni.
#include "model/segment_table.h"

#include <algorithm>

#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

bool usecky_do_tabulky(const VysledekRustu& rust, std::string* chyba) {
  usecky_proviz_pocet = static_cast<int>(std::min<std::size_t>(rust.usecky.size(), kapacita_usecek));
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    usecky_provizorni[s][0] = rust.usecky[s][0];
    usecky_provizorni[s][1] = rust.usecky[s][1];
  }
  if (rust.na_limitu) zapis_log("prekrocen max usecek!!!\n");
  if (rust.chyba.empty()) return true;
  if (chyba != nullptr) *chyba = rust.chyba;
  return false;
}
