// The bitmap header reader and its row rules on a small hand-made bitmap:
// what it refuses, the padding of stored rows, where each picture row is
// stored either way up, and the fit of the pixel data.
#include "common/bitmap_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A 3 x |vyska| 8-bit bitmap without a palette: rows of 4 bytes (3 padded),
// stored row i filled with the value i.
std::vector<unsigned char> mala_bitmapa(std::int32_t vyska) {
  const int radku = vyska < 0 ? -vyska : vyska;
  std::vector<unsigned char> b(54 + 4 * radku, 0);
  const auto pis32 = [&b](std::size_t i, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b[i + k] = static_cast<unsigned char>(v >> (8 * k));
  };
  b[0] = 'B';
  b[1] = 'M';
  pis32(10, 54);
  pis32(18, 3);
  pis32(22, static_cast<std::uint32_t>(vyska));
  b[28] = 8;
  for (int r = 0; r < radku; ++r)
    for (int k = 0; k < 4; ++k) b[54 + 4 * r + k] = static_cast<unsigned char>(r);
  return b;
}

TEST(BitmapHeader, RefusesShortOrForeignDataPadsRowsAndFindsThemEitherWayUp) {
  std::vector<unsigned char> b = mala_bitmapa(5);
  HlavickaBmp h;
  EXPECT_FALSE(precti_hlavicku_bmp(b.data(), delka_hlavicek_bmp - 1, &h));
  b[1] = 'A';
  EXPECT_FALSE(precti_hlavicku_bmp(b.data(), b.size(), &h));
  EXPECT_FALSE(ma_podpis_bmp(b.data(), b.size()));

  EXPECT_EQ(delka_radku_bmp(637, 8), 640u);
  EXPECT_EQ(delka_radku_bmp(641, 24), 1924u);
  EXPECT_EQ(delka_radku_bmp(33, 1), 8u);

  for (std::int32_t vyska : {5, -5}) {
    b = mala_bitmapa(vyska);
    ASSERT_TRUE(precti_hlavicku_bmp(b.data(), b.size(), &h));
    EXPECT_EQ(h.vyska, vyska);
    EXPECT_EQ(pocet_radku_bmp(h), 5u);
    EXPECT_TRUE(pixely_v_souboru(h.posun_dat, delka_radku_bmp(3, 8) * 5, b.size()));
    EXPECT_FALSE(pixely_v_souboru(h.posun_dat, delka_radku_bmp(3, 8) * 6, b.size()));
    // The top row is stored first only top-down.
    for (std::uint32_t r = 0; r < 5; ++r)
      EXPECT_EQ(*radek_obrazu_bmp(b.data(), h, r), vyska < 0 ? r : 4 - r) << vyska;
  }
  EXPECT_FALSE(pixely_v_souboru(0xffffffffu, 0xffffffffffffffffull, b.size()));
}

}  // namespace
