// Camera navigation.
#include "viewer/camera.h"

#include <cmath>
#include <cstdlib>

#include "common/geometry.h"
#include "viewer/graphics_calls.h"
#include "viewer/viewer_tables.h"

float pozice[3];
float pozicelok[3];
float zrot = 0.0f;
int pohyb[3];

double rad(double stupne) { return radiany(stupne); }

void movefunc3D() {
  const TabulkyProhlizece& t = tabulky_prohlizece();
  const float yrot = *t.yrot, speed = *t.speed, yrot2 = *t.yrot2;
  const double Y = rad(yrot);
  const double Z = rad(zrot);
  const double S = speed;
  const double Y2 = yrot2;
  // The base point: the eye of the previous frame re-derived from its
  // look-at point and the current angles.
  const double Bx = pozicelok[0] - std::cos(Y) * std::sin(Z);
  const double By = pozicelok[1] - std::cos(Y) * std::cos(Z);
  const double Bz = pozicelok[2] - std::sin(Y);
  const int f = pohyb[1];
  const int s = pohyb[0];
  if (f != 0) {
    pozice[1] = static_cast<float>(By + std::cos(Y) * (std::cos(Z) * (f * S) * Y2));
    pozice[0] = static_cast<float>(Bx + std::cos(Y) * (std::sin(Z) * (f * S) * Y2));
    pohyb[2] = f;
  }
  if (s != 0) {
    const double k = std::cos(rad(std::abs(f) * yrot));
    const double bok = rad(zrot + 90.0f);
    pozice[1] = static_cast<float>(pozice[1] + k * (std::cos(bok) * (s * S) * Y2));
    pozice[0] = static_cast<float>(pozice[0] + k * (std::sin(bok) * (s * S) * Y2));
  }
  if (f != 0) pozice[2] = static_cast<float>(Bz + std::sin(Y) * (pohyb[2] * S));
}

Pohled spocti_pohled3D() {
  float& yrot = *tabulky_prohlizece().yrot;
  float& yrot2 = *tabulky_prohlizece().yrot2;
  if (yrot > 360) yrot -= 360;
  if (yrot < 0) yrot += 360;
  const double Y = rad(yrot);
  const double Z = rad(zrot);
  yrot2 = std::cos(Y) < 0 ? -1.0f : 1.0f;
  pozicelok[0] = static_cast<float>(pozice[0] + std::cos(Y) * std::sin(Z));
  pozicelok[1] = static_cast<float>(pozice[1] + std::cos(Y) * std::cos(Z));
  pozicelok[2] = static_cast<float>(pozice[2] + std::sin(Y));
  const double u = (yrot < 90 || yrot > 270) ? -1.0 : 1.0;
  return Pohled{{pozice[0], pozice[1], pozice[2]},
                {pozicelok[0], pozicelok[1], pozicelok[2]},
                {0.0, 0.0, u}};
}

void pohled3D(const double* matice_pohledu) {
  const Pohled p = spocti_pohled3D();
  grafika.look_at(p.oko[0], p.oko[1], p.oko[2], p.cil[0], p.cil[1], p.cil[2], p.nahoru[0],
                  p.nahoru[1], p.nahoru[2]);
  if (matice_pohledu != nullptr) grafika.mult_matrixd(matice_pohledu);
}

void pohled3D() { pohled3D(nullptr); }

void uhly_pohledu(const double smer[3], float* elevace, float* kurz) {
  // (cos Y sin Z, cos Y cos Z, sin Y) = smer / |smer| with cos Y <= 0.
  const double vodorovne = std::hypot(smer[0], smer[1]);
  *elevace = static_cast<float>(180.0 - std::atan2(smer[2], vodorovne) * 180.0 / pi_programu);
  *kurz = static_cast<float>(std::atan2(-smer[0], -smer[1]) * 180.0 / pi_programu);
}
