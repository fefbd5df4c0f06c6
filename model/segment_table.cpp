// prunik with a bounds check.
#include "model/segment_table.h"

#include <cstdio>

#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

bool prunik_plny() { return pocetusecek3d >= kapacita_prunik; }

int pridej_prunik(const float* zacatek, const float* konec) {
  static bool nahlaseno = false;
  if (pocetusecek3d < 0 || prunik_plny()) {
    if (!nahlaseno) {
      std::fprintf(stderr, "warning: the segment table is full (%d segments); further segments are not recorded\n",
                   kapacita_prunik);
      zapis_log("segment table full (%d segments), further segments not recorded\n", kapacita_prunik);
      nahlaseno = true;
    }
    return -1;
  }
  const int i = pocetusecek3d++;
  for (int j = 0; j < 3; j++) {
    prunik[i].p[j] = zacatek[j];
    prunik[i].p[3 + j] = konec[j];
  }
  return i;
}
