// prunik records with the capacity check.
#include "model/segment_records.h"

#include <cstdio>
#include <string>

#include "common/messages.h"
#include "reconstruction/log_file.h"

namespace {

template <class Zaznam>
void nastav_priznak(Zaznam& z, int priznak) {
  if constexpr (konfigurace::prunik_s_priznakem) z.priznak = priznak;
  else (void)z, (void)priznak;
}

}  // namespace

bool prunik_plny() { return pocetusecek3d < 0 || pocetusecek3d >= kapacita_prunik; }

ZaznamUsecky* ZapisPruniku::dalsi_zaznam() {
  if (pocetusecek3d >= 0 && pocetusecek3d < kapacita_prunik) return &prunik[pocetusecek3d++];
  if (!ohlaseno_) {
    zapis_log("prunik is full (%d records): further segments are not recorded\n", kapacita_prunik);
    ohlas(zprava("segment table", "full (" + std::to_string(kapacita_prunik) +
                                      " segments); further segments are not recorded"));
    ohlaseno_ = true;
  }
  return nullptr;
}

bool ZapisPruniku::pridej(const float a[3], const float b[3]) {
  ZaznamUsecky* z = dalsi_zaznam();
  if (z == nullptr) return false;
  for (int c = 0; c < 3; c++) {
    z->p[c] = a[c];
    z->p[3 + c] = b[c];
  }
  return true;
}

bool ZapisPruniku::pridej(const float a[3], const float b[3], int priznak) {
  if (!pridej(a, b)) return false;
  nastav_priznak(prunik[pocetusecek3d - 1], priznak);
  return true;
}
