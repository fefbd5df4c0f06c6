// kalibrace: the camera set-up of both cameras from one photograph per
// camera of the calibration object, and a measure of how well it fits.
//
// Inputs: "kalib1.bmp" (camera 1) and "kalib2.bmp" (camera 2) in the working
// directory, read with readBMP. A pure red pixel (green = blue = 0) with red
// value k, 1 <= k <= 16, is calibration mark k - 1, whose position on the
// object is body_relativ[k - 1]; each mark ends at its last pixel in scan
// order (rows 0..479 outer, columns 0..639 inner). Pure red pixels with a
// value above 16 are not marks: they are ignored with one warning line per
// file and value. b_indexy[0..2] name the three marks the set-up is solved
// from; x_px, y_px give the pixel pitch on the image plane.
//
// Per camera the three marks give, by Cramer's rule per world axis, the
// image-plane point O of pixel (360, 240) and the displacements H and V per
// unit of image-plane coordinate along columns and rows; the projection
// centre lies 225 units along H x V from O. Results: stereo_lok (O),
// stereo_kamera (projection centre) and stereo_body (image rectangle) of both
// cameras, and the printout on standard output, which ends with a block that
// projects all 16 marks through the calibrated cameras and reports their
// distance in pixels from where the images show them.
//
// `kamera` arguments here are table indices, 0 or 1 (common/camera_numbers.h).
//
// Bad input: an unreadable image, a used mark missing from an image, the
// three used marks in line in an image, or a set-up that does not come out
// finite end the program with one message that names the image and the
// marks, status 1; the camera tables are then left unchanged.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "reconstruction/scene_tables.h"

constexpr int pocet_kalibracnich_znacek = 16;
constexpr const char* kalibracni_snimky[2] = {"kalib1.bmp", "kalib2.bmp"};

// viewer_polar carries the calibration without calling it; its copy ends
// with the distance between the cameras instead of the Enter prompt.
constexpr bool kalibrace_konci_vzdalenosti = konfigurace::je_polar;

// The working table: column and row of every mark in camera 1's image (x1,
// y1) and in camera 2's image (x2, y2); 0 where the image does not show the
// mark. v_obraze[camera][mark] tells which entries an image has set.
struct KalibracniZnacky {
  BodData bod[pocet_kalibracnich_znacek] = {};
  bool v_obraze[2][pocet_kalibracnich_znacek] = {};
};

// Scans one 640 x 480 image (3 bytes per pixel, red first) of camera
// `kamera` (0 or 1) into znacky. Every pure red value above 16 that occurs is
// appended once to cizi_hodnoty, in increasing order; nothing else is written.
void skenuj_kalibracni_snimek(const unsigned char* pixely, int kamera, KalibracniZnacky* znacky,
                              std::vector<int>* cizi_hodnoty);

// The image plane of one camera: o is the world point of pixel (360, 240),
// h and v the world displacements per unit of image-plane coordinate along
// columns and rows (u = (column - 360) * x_px, v = (row - 240) * y_px).
struct RovinaKamery {
  float o[3];
  float h[3];
  float v[3];
};

// For each world axis j solves alpha + beta * u_i + gamma * v_i = w[i][j]
// (i = 0..2; uv[i] = image-plane coordinates of the mark, w[i] its world
// position) by Cramer's rule and prints to vystup "determinanty:", the four
// determinants, "ZKOUSKA:" and the three check pairs. alpha, beta, gamma go
// to component j of o, h, v. Returns false, with rovina untouched, when a
// determinant of the unknowns is 0 or a result is not finite.
bool vyres_rovinu_kamery(const float uv[3][2], const float w[3][3], std::FILE* vystup,
                         RovinaKamery* rovina);

// The projection centre of a solved camera: Q = o + 225 * (h x v); the lines
// from the three marks w[0..2] towards Q are intersected in the pairs
// (0, 1), (0, 2), (2, 1) and the mean of the three closest points on the
// second line of each pair is stored in stred. Prints "vektory630:" and the
// directions of lines 0 and 1 to vystup. The result is Q up to rounding;
// it is not finite when two of the lines are parallel.
void stred_projekce(const RovinaKamery& rovina, const float w[3][3], std::FILE* vystup,
                    float stred[3]);

// The four corners of the camera's 640 x 480 image (half-sizes 360 and 240
// pixels around o), in drawing order.
void obdelnik_kamery(const RovinaKamery& rovina, float rohy[4][3]);

// The pixel (column, row, unrounded) at which the ray from the projection
// centre stred through bod meets the camera's image plane. Returns false
// when the ray is parallel to the plane or the plane is degenerate.
bool promitni_na_pixel(const RovinaKamery& rovina, const float stred[3], const float bod[3],
                       double* sloupec, double* radek);

// How far the 16 marks, projected through a calibrated camera, land from
// the pixels at which the camera's image shows them.
struct PresnostKamery {
  int zmereno = 0;         // marks shown and projected
  int chybi = 0;           // marks the image does not show (left out)
  int neprojektovano = 0;  // shown marks whose ray misses the image plane (left out)
  double prumer = 0.0;     // mean distance in pixels over the measured marks
  double nejvetsi = 0.0;   // largest distance in pixels
  int nejhorsi = -1;       // mark with the largest distance, -1 when none measured
};

PresnostKamery zmer_presnost(const RovinaKamery& rovina, const float stred[3],
                             const KalibracniZnacky& znacky, int kamera);

// The calibration on two images already in memory (camera 1's, camera 2's):
// prints every line from the warnings and "PRVNI KAMERA" to the quality
// block to vystup and stores stereo_lok, stereo_kamera and stereo_body.
// Returns false with a one-line message in chyba, and the camera tables
// unchanged, when the marks do not determine a camera.
bool kalibruj(const unsigned char* snimek1, const unsigned char* snimek2, std::FILE* vystup,
              std::string* chyba);

// The closing line: the Enter prompt, or in viewer_polar the distance
// between the two projection centres.
void vypis_zaver_kalibrace(std::FILE* vystup);

// Reads "kalib1.bmp" and "kalib2.bmp", runs kalibruj on standard output,
// solves both cameras from all their marks (rig_calibration.h) and, when
// they fit, writes "rig.yml" (uloz_rig_z_kalibrace), prints the closing line
// and reads one character from standard input. With the Enter waits off
// (common/enter_prompt.h) it reads nothing and leaves out the Enter prompt
// (viewer_polar's distance line stays).
// Returns false with one message in chyba on bad input (nothing is waited
// for then).
bool kalibrace(std::string* chyba);
