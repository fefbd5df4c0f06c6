// Judging a dense scan of the turntable sample set against the true vase:
// how far its points lie from the vase's surface, and how much of the side
// surface the cameras could have scanned it has a point near.
//
// "dense.ply" is binary_little_endian 1.0 with one element "vertex" and the
// properties, in this order: float x, y, z (the point in the common frame of
// the marker scan), float nx, ny, nz, uchar red, green, blue, int angle (the
// turntable angle whose images gave the point, 0 to 359), int x1, y1, x2, y2
// (its pixels in camera 1 and 2): 47 bytes per point. Comment and obj_info
// lines may stand anywhere in the header; "\r\n" line ends are accepted.
// nacti_husty_ply returns false with "<cesta>: <problem>" in *chyba when the
// file cannot be opened, its header differs from that (another format,
// element or property list), its data are shorter or longer than the points
// announced, or a point has a coordinate that is not a finite number or an
// angle outside 0 to 359.
//
// The vase stands in the common frame where the marker scene's object
// stands, so a common-frame point is in the vase's own turntable frame
// (sample_object.h) through do_mistni(scena.tocna, point): the scene's
// object points are do_sveta(scena.tocna, local point) (vytvor_scenu), and
// ScenaTocnySvetla meets a ray with the vase by taking it into the common
// frame (do_spolecne) and then into the turntable frame (do_mistni). The
// scene is vytvor_scenu(NastaveniSceny{}), the one decoder_sample renders.
//
// Coverage: the vase's side (not the discs of its foot and top) is sampled
// on an even grid, rows krok_vzorku apart in height, points krok_vzorku
// apart in arc length along each row. A sample is visible when at one of
// the angles the renderer would draw it lit well enough to decode, by the
// renderer's own tests (ScenaTocnySvetla): both cameras' pictures hold it
// (the picture positions of decoder_sample's crossings, -0.5 to 639.5 and
// -0.5 to 479.5) and see it (their rays meet the vase first within 0.01
// units of it), the projector's frame holds it and lights it (its ray
// meets the vase there first), and the lit and dark references differ there
// by at least nejmensi_kontrast grey levels (kontrast_bodu of the albedo
// and of the cosine of the projector light's incidence), decoder_sample's
// rule of a crossing lit well enough to decode. The coverage is the share of
// the visible samples with a point of the scan within dosah_pokryti units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/camera_projection.h"
#include "tools/sample_scene.h"

struct BodHusteho {
  float x = 0, y = 0, z = 0;     // common frame
  float nx = 0, ny = 0, nz = 0;  // normal
  std::uint8_t red = 0, green = 0, blue = 0;
  int uhel = 0;                  // turntable angle, 0..359
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // pixels in camera 1 and 2
};

// A point within this distance of the vase is a good one.
constexpr double mez_husteho = 0.5;
// A visible sample is covered by a point within this distance.
constexpr double dosah_pokryti = 0.75;
// Spacing of the side samples, in height and in arc length.
constexpr double krok_vzorku = 0.25;

bool nacti_husty_ply(const std::string& cesta, std::vector<BodHusteho>* body, std::string* chyba);

// The angles whose camera 1 preview image "AAA911.bmp" exists in `adresar`,
// ascending.
std::vector<int> uhly_nahledu(const std::string& adresar);
// The distinct angles of the points, ascending.
std::vector<int> uhly_bodu(const std::vector<BodHusteho>& body);

// A common-frame point in the vase's turntable frame.
Bod3 spolecny_do_mistni(const Scena& scena, Bod3 spolecny);

// The side samples (turntable frame): rows at heights (j + 1/2) * vyska_vazy
// / n for n = vyska_vazy / krok rounded, each row's points at arc lengths
// (i + 1/2) * L / m along it from azimuth 0, L its length and m = L / krok
// rounded.
std::vector<Bod3> vzorky_boku(double krok);

// Those of `vzorky` the renderer would draw lit well enough to decode at
// one of the angles `uhly` at least.
std::vector<Bod3> viditelne_vzorky(const Scena& scena, const std::vector<int>& uhly,
                                   const std::vector<Bod3>& vzorky);

// How many of `vzorky` have one of `body` within `dosah` (all in one frame);
// a uniform grid of cells `dosah` wide holds the points.
std::size_t pokryte_vzorky(const std::vector<Bod3>& vzorky, const std::vector<Bod3>& body,
                           double dosah);

struct HodnoceniHusteho {
  std::size_t bodu = 0;
  double rms = 0, nejvic = 0;  // distance of the points from the vase's surface
  std::size_t do_meze = 0;     // points within mez_husteho of it
  std::size_t vzorku = 0;      // visible side samples
  std::size_t pokrytych = 0;   // of them with a point within dosah_pokryti
};

// Judges the points (common frame) against the vase of `scena` rendered at
// the angles `uhly`. Deterministic: the same numbers on any number of threads.
HodnoceniHusteho ohodnot_husty(const std::vector<BodHusteho>& body, const Scena& scena,
                               const std::vector<int>& uhly);

struct HodnoceniPlochy {
  std::size_t vrcholu = 0;
  double rms = 0, nejvic = 0;  // distance of the vertices from the vase's surface
};

// Reads any PLY mesh (CGAL's reader) and judges its vertices (common frame)
// against the vase; false with "<cesta>: <problem>" when it cannot be read.
bool ohodnot_plochu(const std::string& cesta, const Scena& scena, HodnoceniPlochy* hodnoceni,
                    std::string* chyba);
