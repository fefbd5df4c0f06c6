// The turntable axis from the marker images, and the turn of the points.
#include "pairs/common_frame.h"

#include "common/messages.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/triangulation.h"

bool urci_osu_ze_znacek(std::string* duvod) {
  vynuluj_pocty_znacek();
  return nacti_snimky_znacek(duvod) && prepocet_bodu(true, duvod);
}

void otoc_body(std::vector<BodParu>* body, int uhel) {
  for (BodParu& b : *body) otoc_do_spolecne(b.xyz, uhel);
}

bool otoc_body_do_spolecne(std::vector<BodParu>* body, int uhel, std::string* chyba) {
  std::string duvod;
  if (!urci_osu_ze_znacek(&duvod)) {
    *chyba = zprava("--turn", "cannot turn the points into the common frame: " + duvod);
    return false;
  }
  otoc_body(body, uhel);
  return true;
}
