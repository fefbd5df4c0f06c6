// Writing 24-bit bitmaps, for the sample-scene generators and the tests.
//
// Obraz holds width x height pixels, red first, row 0 first; zapis_bmp writes
// them bottom-up as the file's rows in the same order (row 0 is the first row
// stored), so that readBMP gives the pixels back unchanged. The file is
// written by the atomic file writer, so an existing file is replaced only by
// a complete one. Returns false when the file cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Obraz {
  int sirka = 640;
  int vyska = 480;
  std::vector<std::uint8_t> rgb = std::vector<std::uint8_t>(640 * 480 * 3, 0);

  Obraz() = default;
  Obraz(int s, int v) : sirka(s), vyska(v), rgb(static_cast<std::size_t>(s) * v * 3, 0) {}

  void nastav(int sloupec, int radek, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::uint8_t* p = &rgb[(static_cast<std::size_t>(radek) * sirka + sloupec) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }
};

// The file bytes of the bitmap: 54-byte header plus pixel data padded to
// four bytes per row. `posun_dat` moves the pixel data further into the file
// (the gap is filled with zeros) for readers that must honour the offset.
std::vector<std::uint8_t> bajty_bmp(const Obraz& obraz, std::uint32_t posun_dat = 54);

bool zapis_bmp(const std::string& cesta, const Obraz& obraz);
bool zapis_soubor(const std::string& cesta, const std::vector<std::uint8_t>& bajty);
