// The markers of one colour-coded image, found without any table: the core
// of the marker scan (marker_scan.h copies what it finds into the scene
// tables).
//
// The image is 640 x 480 pixels of 3 bytes, rows in file order, with red at
// byte 0 and blue at byte 2 (cervena_prvni) or the other way round, as the
// bitmap file stores them. A pixel with red n != 0 and green = blue = 0 is
// object marker n; with s_referencemi, a pixel with red = blue = 0 and green
// g != 0 is reference mark g, at index 255 - g. Each marker's place is its
// last pixel in scan order (rows outer, columns inner).
//
// A marker number above `kapacita`, or a reference mark whose index is not
// below it, makes najdi_znacky return false with one message naming the
// file, the value, its pixel and the capacity; *vysledek is then incomplete.
#pragma once

#include <string>
#include <vector>

// A pixel of an image; -1 for a marker the image does not show.
struct PixelZnacky {
  int sloupec = -1;
  int radek = -1;
  bool je() const { return sloupec >= 0; }
};

struct ZnackySnimku {
  std::vector<PixelZnacky> znacky;     // index n - 1: marker n
  std::vector<PixelZnacky> reference;  // index 255 - g: reference mark g
  int nejvyssi = 0;                    // the highest marker number shown
  // One message per marker whose pixels lie more than rozpeti_tecky apart
  // (in columns or rows): both places, and the last pixel, which counts.
  std::vector<std::string> varovani;
};

// Pixels of one marker further apart than this are not one painted dot.
constexpr int rozpeti_tecky = 8;

bool najdi_znacky(const unsigned char* pixely, bool cervena_prvni, bool s_referencemi, int kapacita,
                  const char* soubor, ZnackySnimku* vysledek, std::string* chyba);
