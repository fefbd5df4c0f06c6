#include "programs/scan_frame.h"

#include "programs/turned_points.h"
#include "reconstruction/scene_tables.h"

namespace {

void na_double(const float* f, double* d) {
  for (int j = 0; j < 3; j++) d[j] = f[j];
}

}  // namespace

bool soustava_skenu(Soustava* tocna, double teziste[3], std::string* chyba) {
  const OtoceneBody body = otocene_body();
  if (body.souradnice.empty()) {
    if (chyba != nullptr) *chyba = "no turned points to tell up from down";
    return false;
  }
  for (int j = 0; j < 3; j++) teziste[j] = 0;
  for (const auto& p : body.souradnice)
    for (int j = 0; j < 3; j++) teziste[j] += p[j];
  for (int j = 0; j < 3; j++) teziste[j] /= static_cast<double>(body.souradnice.size());
  double kamera1[3], stred[3], osa[3];
  na_double(stereo_kamera[0], kamera1);
  na_double(osa_rotace[0], stred);
  na_double(rotace_normalovy, osa);
  return soustava_tocny(kamera1, stred, osa, teziste, tocna, chyba);
}

bool nastav_pohled_skenu(NastaveniProhlizece* nastaveni, std::string* chyba) {
  Soustava tocna;
  double teziste[3];
  if (!soustava_skenu(&tocna, teziste, chyba)) return false;
  double kamera1[3];
  na_double(stereo_kamera[0], kamera1);
  const Soustava pohled = soustava_pohledu(tocna, kamera1);
  nastaveni->vlastni_soustava = true;
  matice_soustavy(pohled, nastaveni->matice);
  do_soustavy(pohled, teziste, nastaveni->cil);
  nastaveni->krok = static_cast<float>(vzdalenost_od_osy(tocna, kamera1) / vzdalenost_osy_vestavene);
  return true;
}
