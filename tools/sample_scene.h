// The sample scene: a vase on the turntable photographed by both cameras at
// the five turntable positions, the turntable's reference marks, the
// calibration object, and the ground truth of all of them.
//
// The common frame is the one the reconstruction turns every position into:
// the point it turns a marker of slot s to is the marker's object point as
// given here. At slot s the turntable shows the object turned by
// -(uhly[s] * 3.14159265 / 180 + pi) about the axis (osa) that the
// reconstruction derives from the reference marks, since the reconstruction
// turns each triangulated point by that angle forwards.
//
// vytvor_scenu is deterministic: the same settings give the same scene, the
// same images and the same file bytes. The object and its markers depend on
// the seed only, not on the painting style.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/bmp_writer.h"
#include "tools/camera_projection.h"
#include "tools/marker_painting.h"
#include "tools/sample_object.h"

struct NastaveniSceny {
  std::uint64_t seed = 1;
  StylZnacky styl = StylZnacky::skvrna;
  // Place every reference mark, within seven degrees of its nominal place on
  // the circle, where the pixels nearest to its true image positions
  // triangulate closest to it (about 0.01 units), so that the axis found
  // from the marks is the true one. When false the marks stay at their
  // nominal places and are off by up to about 0.4 units.
  bool presne_reference = true;
  // Tilt of the turntable about the world x axis, degrees.
  double naklon_stupnu = 0.0;
  // Shaded object and turntable behind the markers; black when false.
  bool pozadi = true;
  // The true cameras; the compiled-in set-up when empty. With a set-up of
  // its own the calibration object stands on the turntable as a person
  // would put it there (kalibrace_na_tocne), and the scene's files include
  // "rig_truth.yml", the true set-up as a rig file.
  std::optional<SestavaKamer> sestava;
};

constexpr int pocet_poloh = 5;
// The turntable angle of each slot as the reconstruction knows it (uhly).
extern const int uhly_poloh[pocet_poloh];
// File names of the marker images per slot and camera.
extern const char* const jmena_snimku[pocet_poloh][2];
// Largest number of markers one position may show (what every program holds).
constexpr int nejvic_znacek = 65;
// Smallest distance in pixels between two dots in one image.
constexpr double odstup_znacek_px = 6.0;

struct ZnackaPolohy {
  int cislo = 0;          // marker number = red value, 1..65
  int bod_objektu = 0;    // index into Scena::body_objektu
  Bod3 pravda;            // true point in the common frame
  Bod3 poloha;            // true point where it was photographed (world)
  PoziceVObraze pozice[2];  // true subpixel position in camera 1 and 2
  PixelObrazu pixel[2];     // the pixel the marker scan keeps
};

struct ReferencniZnacka {
  int zelena = 0;  // 255, 254, 253, 252
  Bod3 poloha;     // world, on the turntable plane
  PoziceVObraze pozice[2];
  PixelObrazu pixel[2];
};

struct KalibracniZnacka {
  int cislo = 0;   // red value 1..16 (index in body_relativ + 1)
  Bod3 mistni;     // position in the calibration object's frame
  Bod3 poloha;     // world
  PoziceVObraze pozice[2];
  PixelObrazu pixel[2];
};

struct Scena {
  NastaveniSceny nastaveni;
  SestavaKamer sestava;
  SoustavaTocny tocna;
  double polomer_referenci = 0;
  // The true axis: the turntable centre and the unit normal with the sign
  // that the reconstruction derives from marks 255, 254, 253.
  Osa osa;
  std::vector<Bod3> body_objektu;    // every marked point, common frame
  std::vector<Bod3> normaly_objektu;  // their outward unit normals
  std::vector<ZnackaPolohy> znacky[pocet_poloh];
  ReferencniZnacka reference[4];
  // Calibration object: world = posun + otoceni * local.
  double otoceni_kalibrace[3][3] = {};
  Bod3 posun_kalibrace;
  KalibracniZnacka kalibracni[16];
  Obraz snimky[pocet_poloh][2];
  Obraz kalibrace[2];
};

// The angle in radians by which the reconstruction turns slot s.
double uhel_polohy(int slot);

// Where an object point (common frame) stands when slot s is photographed.
Bod3 poloha_pri_snimku(const Scena& scena, Bod3 pravda, int slot);

// The calibration marks' positions relative to mark 0, as the reconstruction
// computes them (spacing 5.69, extra offset 1.5, single precision).
void polohy_kalibracnich_znacek(Bod3 vysledek[16]);

// The turntable frame of a scene: centre `stred`, turntable tilted by
// `naklon` radians about the world x axis, e1 along world x.
SoustavaTocny soustava_tocny(Bod3 stred, double naklon);

// The same frame recovered from a scene's ground truth (its axis).
struct PravdaSceny;
SoustavaTocny soustava_tocny_z_pravdy(const PravdaSceny& pravda);

Scena vytvor_scenu(const NastaveniSceny& nastaveni);

// The name of the true set-up's file in a scene with cameras of its own.
constexpr const char* soubor_pravdy_rigu = "rig_truth.yml";

// Writes the ten marker images, kalib1.bmp, kalib2.bmp and ground_truth.txt
// (and rig_truth.yml for cameras of its own) into the existing directory
// `adresar`. Returns false with a message naming
// the file that could not be written.
bool zapis_scenu(const Scena& scena, const std::string& adresar, std::string* chyba);
