// Reading a Windows bitmap held in memory: its two headers, the length of a
// stored row, where the pixel data lie, and where each row of the picture is
// stored. Every bitmap reader of the system goes through these, and each
// keeps its own rules for which bitmaps it accepts.
//
// precti_hlavicku_bmp takes the file's first n bytes in `d`. When they hold
// both headers (at least delka_hlavicek_bmp bytes) and start with "BM", it
// fills *h with the fields as stored and returns true (no field is judged:
// that is each reader's own rule); otherwise it returns false and leaves *h
// alone. Nothing past d + n is read.
//
// delka_radku_bmp gives the bytes of one stored row: sirka pixels of `bitu`
// bits, padded to a whole number of 4-byte words. Any width and bit count a
// header can hold (32 and 16 bits) give a product well inside 64 bits.
//
// pixely_v_souboru says whether `bajtu` bytes at offset `posun` lie wholly
// inside a file of n bytes, without overflow for any offset.
//
// The row and palette accessors below assume a header whose fields the
// caller has checked: at least one row either way (a negative height means
// the rows are stored top row first), a positive width, pixel data that fit
// the file, and for paleta_bmp palette entries that lie inside the file.
#pragma once

#include <cstddef>
#include <cstdint>

// The 14-byte file header and the 40-byte information header.
constexpr std::size_t delka_hlavicek_bmp = 14 + 40;

struct HlavickaBmp {
  std::uint32_t posun_dat = 0;   // offset of the first stored row from the file's start
  std::uint32_t delka_info = 0;  // bytes of the information header (40 or more)
  std::int32_t sirka = 0;        // pixels per row
  std::int32_t vyska = 0;        // rows; negative: stored top row first
  std::uint16_t roviny = 0;      // colour planes, 1 in every valid file
  std::uint16_t bitu = 0;        // bits per pixel
  std::uint32_t komprese = 0;    // 0 plain, 3 bit fields, others compressed
  std::uint32_t barev = 0;       // palette entries; 0 means the full 2^bitu
};

// True when the data start with the bitmap signature "BM".
bool ma_podpis_bmp(const unsigned char* d, std::size_t n);

bool precti_hlavicku_bmp(const unsigned char* d, std::size_t n, HlavickaBmp* h);

constexpr std::uint64_t delka_radku_bmp(std::uint32_t sirka, unsigned bitu) {
  return (static_cast<std::uint64_t>(sirka) * bitu + 31) / 32 * 4;
}

constexpr bool pixely_v_souboru(std::uint64_t posun, std::uint64_t bajtu, std::size_t n) {
  return posun <= n && n - posun >= bajtu;
}

// The number of rows, whichever way they are stored.
inline std::uint32_t pocet_radku_bmp(const HlavickaBmp& h) {
  return h.vyska < 0 ? 0u - static_cast<std::uint32_t>(h.vyska) : static_cast<std::uint32_t>(h.vyska);
}

// The stored row that holds row r of the picture (row 0 at the top): a
// bottom-up bitmap stores the top row last.
inline const unsigned char* radek_obrazu_bmp(const unsigned char* d, const HlavickaBmp& h,
                                             std::uint32_t r) {
  const std::uint32_t ulozeny = h.vyska < 0 ? r : pocet_radku_bmp(h) - 1 - r;
  return d + h.posun_dat +
         delka_radku_bmp(static_cast<std::uint32_t>(h.sirka), h.bitu) * ulozeny;
}

// The palette: 4 bytes per entry (blue, green, red, unused), right after the
// information header.
inline const unsigned char* paleta_bmp(const unsigned char* d, const HlavickaBmp& h) {
  return d + 14 + h.delka_info;
}
