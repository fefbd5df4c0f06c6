// The synthetic structured-light scene of the decoder's sample set: a sphere
// and a capped upright cylinder in front of a wall, two cameras, and a
// projector that shows the references, two grid patterns, fourteen code
// patterns and a preview pattern of small crosses.
//
// Units are millimetres; y points up, the cameras look down -z. Camera pixel
// (column c, row r) is centred at the continuous position (c, r); projector
// coordinates u (0..1024) and v (0..768) are continuous. Grid borders lie at
// u = k * rozestup (k = 1..63) and v = m * rozestup (m = 1..47); the code
// of a crossing is Gray(k) in bits 0..6 and Gray(m) in bits 7..13, and the
// code stripes change halfway between two grid borders.
#pragma once

#include <cstdint>

namespace vzorek {

struct Vektor {
  double x, y, z;
};

constexpr int sirka_projektoru = 1024;
constexpr int vyska_projektoru = 768;
constexpr double rozestup = 16.0;  // projector pixels between grid borders
constexpr int sloupcu_mrizky = 63;
constexpr int radku_mrizky = 47;

// A pinhole device looking from `stred` towards a point; u grows to the right
// and v downwards in its image.
struct Kamera {
  Vektor stred, vpred, vpravo, dolu;
  double f, cx, cy;
};

Kamera kamera(int cislo);  // 1 or 2
Kamera projektor();

// The nearest surface hit along stred + t * smer (t > 1e-6): its distance t,
// the point, the unit normal facing the ray and the albedo. False on a miss.
struct Zasah {
  double t;
  Vektor bod, normala;
  double albedo;
};
bool paprsek(const Vektor& stred, const Vektor& smer, Zasah* zasah);

// Direction through continuous image position (u, v), and the projection of
// a point (false when it lies behind the device).
Vektor smer_pixelu(const Kamera& k, double u, double v);
bool promitni(const Kamera& k, const Vektor& bod, double* u, double* v);

int gray(int i);

// The projector's level for pattern (digit, family) at (u, v): 1 lit, 0 dark.
// Digit 0 with family 3 is the dark reference, with family 4 the lit one;
// digit 1 the grid, digits 2..8 code bits 6..0 of the family; digit 9 with
// family 1 the preview crosses.
int vzor_projektoru(int cislice, int rodina, double u, double v);

// Code of the crossing of grid column k and grid row m.
inline int kod_krizeni(int k, int m) { return gray(k) | (gray(m) << 7); }

// The light of a rendered picture: a surface point of albedo a shows the
// grey level 255 * a * (svetlo_okoli + svetlo_projektoru * osvit * uroven),
// where osvit is the cosine of the projector light's incidence there (0 in
// shadow or outside the projector's frame) and uroven is 1 where the
// pattern is lit and tma_projektoru where it is dark.
constexpr double svetlo_okoli = 0.08, svetlo_projektoru = 0.85, tma_projektoru = 0.02;

// A point is lit well enough to decode when its lit and dark reference
// pictures differ by at least this many grey levels.
constexpr int nejmensi_kontrast = 20;

// That difference, noise-free, for a point of albedo `albedo` lit at the
// incidence cosine `osvit`.
inline double kontrast_bodu(double albedo, double osvit) {
  return 255.0 * albedo * svetlo_projektoru * osvit * (1.0 - tma_projektoru);
}

// A scene the sample set is rendered from: what a ray hits, the two cameras
// (i = 0 or 1; picture position u = column, v = row counted from the top row
// of the picture, pixel centres at whole numbers) and the projector.
class ScenaSvetla {
 public:
  virtual ~ScenaSvetla() = default;
  virtual bool paprsek(const Vektor& stred, const Vektor& smer, Zasah* zasah) const = 0;
  virtual Vektor stred_kamery(int i) const = 0;
  // Unit direction of the viewing ray through picture position (u, v).
  virtual Vektor smer_pixelu(int i, double u, double v) const = 0;
  // Picture position of a point; false when it lies behind the camera.
  virtual bool promitni(int i, const Vektor& bod, double* u, double* v) const = 0;
  virtual Kamera projektor() const = 0;
};

// The scene above: the sphere, the cylinder and the wall seen by kamera(1)
// and kamera(2).
class ScenaSteny : public ScenaSvetla {
 public:
  bool paprsek(const Vektor& stred, const Vektor& smer, Zasah* zasah) const override;
  Vektor stred_kamery(int i) const override;
  Vektor smer_pixelu(int i, double u, double v) const override;
  bool promitni(int i, const Vektor& bod, double* u, double* v) const override;
  Kamera projektor() const override;

 private:
  Kamera kamery_[2] = {kamera(1), kamera(2)};
};

}  // namespace vzorek
