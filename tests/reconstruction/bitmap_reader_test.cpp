// readBMP on real files: what it accepts, the order of the bytes it returns,
// and a message that names the file for everything it refuses.
#include "reconstruction/bitmap_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

class BitmapReader : public testing::Test {
 protected:
  void SetUp() override { adresar_ = novy_adresar("bmp"); }

  std::string cesta(const std::string& jmeno) const { return adresar_ + "/" + jmeno; }

  // Expects readBMP to refuse the file with a message naming it and saying `duvod`.
  void ocekavej_chybu(const std::string& jmeno, const std::string& duvod) {
    std::string chyba;
    std::unique_ptr<char[]> data(readBMP(cesta(jmeno).c_str(), &chyba));
    EXPECT_EQ(data, nullptr) << jmeno;
    EXPECT_NE(chyba.find(cesta(jmeno) + ":"), std::string::npos) << chyba;
    EXPECT_NE(chyba.find(duvod), std::string::npos) << chyba;
  }

  std::string adresar_;
};

TEST_F(BitmapReader, ReturnsRedFirstInFileRowOrderAndHonoursTheDataOffset) {
  Obraz obraz;
  obraz.nastav(0, 0, 10, 20, 30);
  obraz.nastav(639, 479, 1, 2, 3);
  obraz.nastav(5, 7, 200, 0, 100);
  ASSERT_TRUE(zapis_soubor(cesta("a.bmp"), bajty_bmp(obraz)));
  ASSERT_TRUE(zapis_soubor(cesta("b.bmp"), bajty_bmp(obraz, 138)));
  for (const char* jmeno : {"a.bmp", "b.bmp"}) {
    std::string chyba;
    std::unique_ptr<char[]> data(readBMP(cesta(jmeno).c_str(), &chyba));
    ASSERT_NE(data, nullptr) << chyba;
    const auto* p = reinterpret_cast<const unsigned char*>(data.get());
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 30);
    const std::size_t posledni = 479 * 1920 + 639 * 3;
    EXPECT_EQ(p[posledni], 1);
    EXPECT_EQ(p[posledni + 2], 3);
    const std::size_t jiny = 7 * 1920 + 5 * 3;
    EXPECT_EQ(p[jiny], 200);
    EXPECT_EQ(p[jiny + 2], 100);
  }
}

TEST_F(BitmapReader, KeptBuffersGiveWhatReadBMPGivesImageAfterImage) {
  Obraz obraz;
  for (int c = 0; c < 640; c += 7) obraz.nastav(c, c % 480, static_cast<std::uint8_t>(c), 1, 2);
  ASSERT_TRUE(zapis_soubor(cesta("a.bmp"), bajty_bmp(obraz, 138)));
  ASSERT_TRUE(zapis_soubor(cesta("b.bmp"), bajty_bmp(Obraz())));
  ASSERT_TRUE(zapis_soubor(cesta("c.bmp"), std::vector<std::uint8_t>(60, 'B')));
  std::vector<unsigned char> obsah;
  std::unique_ptr<char[]> pixely(new char[bajtu_snimku]);
  // The longer file first, so that the next one finds a larger buffer.
  for (const char* jmeno : {"a.bmp", "b.bmp", "a.bmp", "c.bmp"}) {
    SCOPED_TRACE(jmeno);
    std::string chyba, chyba_do;
    std::unique_ptr<char[]> data(readBMP(cesta(jmeno).c_str(), &chyba));
    const bool precteno = readBMP_do(cesta(jmeno).c_str(), obsah, pixely.get(), &chyba_do);
    EXPECT_EQ(precteno, data != nullptr);
    EXPECT_EQ(chyba_do, chyba);
    if (data != nullptr && precteno) {
      EXPECT_EQ(std::memcmp(data.get(), pixely.get(), bajtu_snimku), 0);
    }
  }
}

TEST_F(BitmapReader, RefusesEverythingButUncompressed24Bit640x480) {
  const std::vector<std::uint8_t> dobry = bajty_bmp(Obraz());

  ocekavej_chybu("chybi.bmp", "cannot be opened");
  ASSERT_TRUE(zapis_soubor(cesta("prazdny.bmp"), {}));
  ocekavej_chybu("prazdny.bmp", "empty");
  ASSERT_TRUE(zapis_soubor(cesta("kratky.bmp"), std::vector<std::uint8_t>(dobry.begin(), dobry.begin() + 30)));
  ocekavej_chybu("kratky.bmp", "too short");
  ASSERT_TRUE(zapis_soubor(cesta("useknuty.bmp"), std::vector<std::uint8_t>(dobry.begin(), dobry.end() - 1)));
  ocekavej_chybu("useknuty.bmp", "do not fit the file");

  auto upraveny = [&](std::size_t pozice, std::uint32_t hodnota, int bajtu) {
    std::vector<std::uint8_t> b = dobry;
    for (int i = 0; i < bajtu; i++) b[pozice + i] = static_cast<std::uint8_t>(hodnota >> (8 * i));
    return b;
  };
  ASSERT_TRUE(zapis_soubor(cesta("png.bmp"), upraveny(0, 0x4e50, 2)));
  ocekavej_chybu("png.bmp", "does not start with \"BM\"");
  ASSERT_TRUE(zapis_soubor(cesta("bpp8.bmp"), upraveny(28, 8, 2)));
  ocekavej_chybu("bpp8.bmp", "8 bits per pixel");
  ASSERT_TRUE(zapis_soubor(cesta("bpp32.bmp"), upraveny(28, 32, 2)));
  ocekavej_chybu("bpp32.bmp", "32 bits per pixel");
  ASSERT_TRUE(zapis_soubor(cesta("rle.bmp"), upraveny(30, 1, 4)));
  ocekavej_chybu("rle.bmp", "compressed");
  ASSERT_TRUE(zapis_soubor(cesta("obri.bmp"), upraveny(18, 0x7fffffff, 4)));
  ocekavej_chybu("obri.bmp", "640 x 480");
  ASSERT_TRUE(zapis_soubor(cesta("zaporna.bmp"), upraveny(22, static_cast<std::uint32_t>(-480), 4)));
  ocekavej_chybu("zaporna.bmp", "-480");
  ASSERT_TRUE(zapis_soubor(cesta("posun.bmp"), upraveny(10, 5000000, 4)));
  ocekavej_chybu("posun.bmp", "offset 5000000");
  ASSERT_TRUE(zapis_soubor(cesta("hlavicka.bmp"), upraveny(14, 12, 4)));
  ocekavej_chybu("hlavicka.bmp", "header of 12 bytes");

  ASSERT_EQ(mkdir(cesta("adresar.bmp").c_str(), 0755), 0);
  ocekavej_chybu("adresar.bmp", "is a directory");

  // Without a message asked for, a refusal is still just a null result.
  std::vector<unsigned char> obsah;
  for (const char* jmeno : {"chybi.bmp", "adresar.bmp", "kratky.bmp"}) {
    EXPECT_EQ(std::unique_ptr<char[]>(readBMP(cesta(jmeno).c_str())), nullptr) << jmeno;
    EXPECT_EQ(readBMP_v_souboru(cesta(jmeno).c_str(), obsah), nullptr) << jmeno;
  }
}

}  // namespace
