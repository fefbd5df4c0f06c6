// The object of the sample scene: a slightly three-lobed vase standing on the
// turntable, the points marked on it, and the test whether a line of sight
// to a point passes through it.
//
// Coordinates here are local to the turntable: origin at the turntable
// centre, x and y in the turntable plane, z up along the axis (height above
// the turntable). SoustavaTocny places that frame in the world.
#pragma once

#include <functional>
#include <vector>

#include "tools/camera_projection.h"
#include "tools/seeded_random.h"

// The turntable frame in world coordinates: its centre on the turntable
// plane and three orthonormal directions (e1, e2 in the plane, nahoru along
// the axis, right-handed).
struct SoustavaTocny {
  Bod3 stred;
  Bod3 e1{1, 0, 0};
  Bod3 e2{0, 1, 0};
  Bod3 nahoru{0, 0, 1};
};

Bod3 do_sveta(const SoustavaTocny& t, Bod3 mistni);
Bod3 smer_do_sveta(const SoustavaTocny& t, Bod3 mistni);
Bod3 do_mistni(const SoustavaTocny& t, Bod3 svet);

// The vase: height 32 units, radius between about 6.5 (neck) and 13 (belly).
constexpr double vyska_vazy = 32.0;
constexpr double nejvetsi_polomer_vazy = 13.6;

// Radius of the vase at height h (0..vyska_vazy) and azimuth phi (radians).
double polomer_vazy(double h, double phi);

// Distance of a local point from the vase's surface: its side, the disc
// that closes its top and the disc it stands on. Accurate to about 1e-6
// within a few units of the vase.
double vzdalenost_od_vazy(Bod3 mistni);

// vzdalenost_od_vazy for many points: the same numbers, found faster. The
// side's search grid is sorted into cubes of one unit once; a point within
// three units of the cylinder that holds the vase looks for its nearest
// grid node in the cubes around it, layer by layer, until no farther cube
// can hold a nearer node (of equal nodes it takes the one the plain search
// takes), and refines it as vzdalenost_od_vazy does. Other points take the
// plain search. Safe to share between threads.
class VzdalenostOdVazy {
 public:
  VzdalenostOdVazy();
  double operator()(Bod3 mistni) const;

 private:
  struct Uzel {
    double x, y, z;  // the node's point, as the plain search computes it
    int j, i;        // its height and azimuth index
  };
  void krychle_bodu(Bod3 b, int k[3]) const;

  Bod3 roh_, konec_;  // the box of the cubes
  int krychli_[3];
  std::vector<int> zacatky_;  // cube k holds uzly_[zacatky_[k] .. zacatky_[k + 1])
  std::vector<Uzel> uzly_;
};

// Whether a local point lies inside the vase (the vase is closed at the top).
bool uvnitr_vazy(Bod3 mistni);

// The first point where the ray oko + t * smer (local, smer of unit length)
// enters the vase, t > 0: its t and the outward unit normal there. False
// when the ray misses the vase. Accurate to about 1e-9 units along the ray;
// a ray that only grazes the surface by less than about 0.002 units may be
// taken as a miss.
bool zasah_vazy(Bod3 oko, Bod3 smer, double* t, Bod3* normala);

struct BodPovrchu {
  Bod3 poloha;   // local
  Bod3 normala;  // local, unit, outward
};

BodPovrchu bod_vazy(double h, double phi);

// Calls navstiv(bod) for surface points on a grid of about `krok` units in
// height and around, for drawing the vase.
void pro_vzorky_vazy(double krok, const std::function<void(const BodPovrchu&)>& navstiv);

// The marked points: rings at nine heights, sixteen points per ring, each
// shifted at random by the generator (up to 0.6 in height, 0.08 rad around).
std::vector<BodPovrchu> znacky_vazy(Nahoda& nahoda);

// Whether the segment from `oko` to `cil` (local, cil on or near the surface)
// passes through the vase; the last 0.15 units before cil are not examined.
bool zakryto_vazou(Bod3 oko, Bod3 cil);
