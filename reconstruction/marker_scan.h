// The marker scan of start-up: ten colour-coded images into body_data and
// body_pocty, and the camera image rectangles for the drawing. Each image's
// markers are found by the core (marker_finding.h); this layer copies them
// into the tables.
//
// Pixel code (after readBMP, red first): red n != 0 with green = blue = 0 is
// object marker n; in the two slot-1 images ("080_k*_A.bmp") red = blue = 0
// with green g != 0 is reference mark g, stored in slot 9 at index 255 - g.
// Each marker ends at its last pixel in scan order (rows 0..479 outer,
// columns 0..639 inner). body_pocty[slot] is the highest marker number of the
// slot's camera 1 image. A marker or reference mark whose index does not fit
// the configuration's tables (konfigurace::znacek_na_slot) is refused with a
// message naming the file, the value and the capacity; no table is written
// out of bounds.
#pragma once

#include <string>
#include <vector>

#include "reconstruction/marker_finding.h"

struct SnimekZnacek {
  const char* soubor;
  int kamera;  // the camera's number, 1 or 2 (common/camera_numbers.h)
  int slot;    // angle slot 0..4
};

// The ten marker images in reading order.
extern const SnimekZnacek snimky_znacek[10];

// Clears the counts start-up clears (configuration dependent) and sets
// body_pocty[9] to 4.
void vynuluj_pocty_znacek();

// What one image shows, for the check of the two cameras against each other
// and for warnings that do not stop the program.
struct NalezZnacek {
  std::vector<bool> znacky;     // index n - 1: marker n has a pixel
  std::vector<bool> reference;  // index 255 - g: reference mark g has a pixel
  std::vector<std::string> varovani;
};

// Pixels of one marker further apart than rozpeti_tecky (marker_finding.h)
// are not one painted dot: the image gets a warning naming both places, and
// the last pixel in scan order still counts.

// Scans one image of 640 x 480 pixels (3 bytes each, red first) taken by
// camera `kamera` at angle slot `slot`; reference marks are looked for when
// slot is 1. Returns false and sets chyba when a value does not fit. Fills
// `nalez` when given.
bool skenuj_znacky(const unsigned char* pixely, const char* soubor, int kamera, int slot,
                   std::string* chyba, NalezZnacek* nalez = nullptr);

// The same scan of pixels in the bitmap file's own order (blue first), as
// readBMP_v_souboru gives them.
bool skenuj_znacky_souboru(const unsigned char* pixely, const char* soubor, int kamera, int slot,
                           std::string* chyba, NalezZnacek* nalez = nullptr);

// Reads and scans the ten images in order. Returns false with the message of
// the first image that cannot be read or does not fit, or of the "080" image
// that lacks a reference mark the other "080" image shows. A marker that only
// one image of a position shows (or neither, below the highest number) is
// flagged in znacka_vynechana; each image that lacks markers the other image
// of its position shows gets one warning in `varovani`, as does each marker
// painted in places further apart than rozpeti_tecky.
bool nacti_snimky_znacek(std::string* chyba, std::vector<std::string>* varovani = nullptr);

// Sets vektor80 and the four corners of stereo_body for camera 1 and 2 from
// stereo_lok (half-width 48.63, half-height 35.95); vektor80 ends holding
// camera 2's direction.
void nastav_obdelniky_kamer();
