#include "reconstruction/turntable_frame.h"

#include <cmath>

#include "common/geometry.h"

namespace {

bool jednotkovy(double v[3]) {
  const double d = std::sqrt(skalarne(v, v));
  if (!(d > 0) || !std::isfinite(d)) return false;
  for (int j = 0; j < 3; j++) v[j] /= d;
  return true;
}

bool selhani(std::string* chyba, const char* proc) {
  if (chyba != nullptr) *chyba = proc;
  return false;
}

}  // namespace

bool soustava_tocny(const double kamera1[3], const double stred[3], const double osa[3], const double objekt[3],
                    Soustava* tocna, std::string* chyba) {
  double z[3] = {osa[0], osa[1], osa[2]};
  if (!jednotkovy(z)) return selhani(chyba, "the turntable axis has no direction");
  const double k_objektu[3] = {objekt[0] - stred[0], objekt[1] - stred[1], objekt[2] - stred[2]};
  const double vyska = skalarne(k_objektu, z);
  if (!(vyska != 0) || !std::isfinite(vyska)) return selhani(chyba, "the object lies in the turntable plane");
  if (vyska < 0)
    for (double& c : z) c = -c;
  // Camera 1's direction from the centre, without its part along the axis.
  double x[3] = {kamera1[0] - stred[0], kamera1[1] - stred[1], kamera1[2] - stred[2]};
  const double podel = skalarne(x, z);
  for (int j = 0; j < 3; j++) x[j] -= podel * z[j];
  if (!jednotkovy(x)) return selhani(chyba, "camera 1 stands on the turntable axis");
  double y[3];
  vektorove(z, x, y);
  for (int j = 0; j < 3; j++) {
    tocna->pocatek[j] = stred[j];
    tocna->osy[0][j] = x[j];
    tocna->osy[1][j] = y[j];
    tocna->osy[2][j] = z[j];
  }
  return true;
}

Soustava soustava_pohledu(const Soustava& tocna, const double kamera1[3]) {
  Soustava p;
  for (int j = 0; j < 3; j++) {
    p.pocatek[j] = kamera1[j];
    p.osy[0][j] = tocna.osy[1][j];
    p.osy[1][j] = -tocna.osy[0][j];
    p.osy[2][j] = tocna.osy[2][j];
  }
  return p;
}

void do_soustavy(const Soustava& s, const double svet[3], double v_soustave[3]) {
  const double d[3] = {svet[0] - s.pocatek[0], svet[1] - s.pocatek[1], svet[2] - s.pocatek[2]};
  for (int i = 0; i < 3; i++) v_soustave[i] = skalarne(s.osy[i], d);
}

void matice_soustavy(const Soustava& s, double matice[16]) {
  // Row i of the rotation is axis i; the translation is -R * origin.
  for (int sloupec = 0; sloupec < 3; sloupec++)
    for (int radek = 0; radek < 3; radek++) matice[sloupec * 4 + radek] = s.osy[radek][sloupec];
  for (int radek = 0; radek < 3; radek++) {
    matice[12 + radek] = -skalarne(s.osy[radek], s.pocatek);
    matice[radek * 4 + 3] = 0;
  }
  matice[15] = 1;
}

double vzdalenost_od_osy(const Soustava& tocna, const double kamera1[3]) {
  double v[3];
  do_soustavy(tocna, kamera1, v);
  return std::hypot(v[0], v[1]);
}
