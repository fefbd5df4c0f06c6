// Input on which the two cameras disagree, or that the programs cannot use
// whole, run through the real programs on variants of the sample scene: a
// marker one camera lacks is left out with a warning (and no point of
// "points.ply" is then off), a reference mark one camera lacks ends the
// program, a marker painted in two places is warned about, a decoder image
// larger than a camera image is refused, and a log that cannot be made is a
// warning.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tools/sample_scene.h"

namespace {

const Scena& vzor() {
  static const Scena scena = vytvor_scenu(NastaveniSceny{});
  return scena;
}

// Removes the pixels of colour (r, g, 0) from an image; all pure red ones
// when r is -1. Returns how many there were.
int smaz(Obraz& obraz, int r, int g = 0) {
  int smazano = 0;
  for (std::size_t i = 0; i < obraz.rgb.size(); i += 3) {
    const std::uint8_t* p = &obraz.rgb[i];
    const bool cerveny = r == -1 ? p[0] != 0 && p[1] == 0 && p[2] == 0 : p[0] == r && p[1] == g && p[2] == 0;
    if (!cerveny) continue;
    obraz.rgb[i] = obraz.rgb[i + 1] = obraz.rgb[i + 2] = 0;
    smazano++;
  }
  return smazano;
}

std::string zapis(const Scena& scena) {
  const std::string adresar = novy_adresar("cameras");
  std::string chyba;
  EXPECT_TRUE(zapis_scenu(scena, adresar, &chyba)) << chyba;
  return adresar;
}

VysledekBehu spust_polar(const std::string& adresar) {
  return spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
}

// The last line of standard error is the window that cannot open.
bool konci_u_okna(const VysledekBehu& beh) {
  const std::size_t radek = beh.chyby.rfind('\n', beh.chyby.size() - 2);
  VysledekBehu posledni = beh;
  posledni.chyby = beh.chyby.substr(radek == std::string::npos ? 0 : radek + 1);
  return zastaveno_u_okna(posledni);
}

struct BodPly {
  float x, y, z;
  int poloha, znacka;
};

// The vertices of a "points.ply": x, y, z floats, position and marker bytes.
std::vector<BodPly> body_ply(const std::string& cesta) {
  const std::string data = precti_soubor(cesta);
  const std::size_t konec = data.find("end_header\n");
  const std::size_t element = data.find("element vertex ");
  std::vector<BodPly> body;
  if (konec == std::string::npos || element == std::string::npos) return body;
  const int pocet = std::atoi(data.c_str() + element + 15);
  const char* p = data.data() + konec + 11;
  if (data.size() < konec + 11 + static_cast<std::size_t>(pocet) * 14) return body;
  for (int i = 0; i < pocet; i++, p += 14) {
    BodPly b;
    std::memcpy(&b.x, p, 4);
    std::memcpy(&b.y, p + 4, 4);
    std::memcpy(&b.z, p + 8, 4);
    b.poloha = static_cast<unsigned char>(p[12]);
    b.znacka = static_cast<unsigned char>(p[13]);
    body.push_back(b);
  }
  return body;
}

TEST(DveKamery, MarkersOneCameraLacksAreLeftOutWithOneWarningPerImage) {
  Scena scena = vzor();
  ASSERT_GT(smaz(scena.snimky[0][1], 7), 0) << "marker 7 at position 000";
  const int na_160 = static_cast<int>(scena.znacky[2].size());
  ASSERT_GT(smaz(scena.snimky[2][1], -1), 0);
  const std::string adresar = zapis(scena);
  const VysledekBehu beh = spust_polar(adresar);
  EXPECT_TRUE(konci_u_okna(beh)) << beh.chyby;
  EXPECT_NE(beh.chyby.find("viewer_polar: 000_k2_A.bmp: lacks marker 7 that 000_k1_A.bmp shows; it is left out\n"),
            std::string::npos)
      << beh.chyby;
  EXPECT_NE(beh.chyby.find("viewer_polar: 160_k2_A.bmp: shows none of the " + std::to_string(na_160) +
                           " markers that 160_k1_A.bmp shows; they are left out\n"),
            std::string::npos)
      << beh.chyby;
  EXPECT_EQ(std::count(beh.chyby.begin(), beh.chyby.end(), '\n'), 3) << beh.chyby;

  // Every point that is left is where it belongs.
  const std::vector<BodPly> body = body_ply(adresar + "/points.ply");
  std::size_t ocekavano = 0;
  for (int s = 0; s < pocet_poloh; s++) ocekavano += s == 2 ? 0 : scena.znacky[s].size();
  EXPECT_EQ(body.size(), ocekavano - 1);
  for (const BodPly& b : body) {
    ASSERT_LT(b.poloha, pocet_poloh);
    EXPECT_NE(b.poloha, 2);
    EXPECT_FALSE(b.poloha == 0 && b.znacka == 7);
    for (const ZnackaPolohy& z : scena.znacky[b.poloha]) {
      if (z.cislo != b.znacka) continue;
      EXPECT_LT(std::hypot(b.x - z.pravda.x, b.y - z.pravda.y, b.z - z.pravda.z), 1.0)
          << "position " << b.poloha << " marker " << b.znacka;
    }
  }
}

TEST(DveKamery, AReferenceMarkOneCameraLacksEndsTheProgram) {
  {
    Scena scena = vzor();
    ASSERT_GT(smaz(scena.snimky[1][1], 0, 254), 0);
    const VysledekBehu beh = spust_polar(zapis(scena));
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby,
              "viewer_polar: 080_k2_A.bmp: the reference mark with green value 254 that 080_k1_A.bmp shows is "
              "missing; the turntable axis needs each mark in both images\n");
  }
  {
    Scena scena = vzor();
    for (int g : {255, 254, 253, 252}) ASSERT_GT(smaz(scena.snimky[1][0], 0, g), 0);
    const VysledekBehu beh = spust_polar(zapis(scena));
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby,
              "viewer_polar: 080_k1_A.bmp: the reference marks with green values 255, 254, 253 and 252 that "
              "080_k2_A.bmp shows are missing; the turntable axis needs each mark in both images\n");
  }
}

TEST(DveKamery, AMarkerPaintedInTwoPlacesIsWarnedAboutAndTheLastPixelCounts) {
  Scena scena = vzor();
  Obraz& obraz = scena.snimky[0][0];
  const ZnackaPolohy* sedma = nullptr;
  for (const ZnackaPolohy& z : scena.znacky[0])
    if (z.cislo == 7) sedma = &z;
  ASSERT_NE(sedma, nullptr);
  obraz.nastav(5, 3, 7, 0, 0);  // a stray pixel far below the dot, read first
  const VysledekBehu beh = spust_polar(zapis(scena));
  EXPECT_TRUE(konci_u_okna(beh)) << beh.chyby;
  const std::string zacatek = "viewer_polar: 000_k1_A.bmp: marker 7 is painted in places ";
  ASSERT_EQ(beh.chyby.rfind(zacatek, 0), 0u) << beh.chyby;
  EXPECT_NE(beh.chyby.find("(column 5, row 3 and column "), std::string::npos) << beh.chyby;
  EXPECT_NE(beh.chyby.find("the last pixel in scan order, column " + std::to_string(sedma->pixel[0].sloupec) +
                           ", row " + std::to_string(sedma->pixel[0].radek) + ", counts\n"),
            std::string::npos)
      << beh.chyby;
  EXPECT_EQ(std::count(beh.chyby.begin(), beh.chyby.end(), '\n'), 2) << beh.chyby;
}

TEST(DveKamery, DecoderRefusesImagesLargerThanACameraImage) {
  const std::string adresar = novy_adresar("decoder-large");
  for (const char* v : {"03", "04", "11", "12", "81", "71", "61", "51", "41", "31", "21", "82", "72", "62", "52",
                        "42", "32", "22", "91"})
    for (char kamera : {'1', '2'}) {
      const std::string jmeno = std::string("060") + v + kamera + ".bmp";
      const std::string vzorek = std::string(DECODER_SAMPLE_DIR) + "/" + jmeno;
      if (jmeno == "060041.bmp") {
        cv::Mat velky;
        cv::resize(cv::imread(vzorek, cv::IMREAD_GRAYSCALE), velky, cv::Size(1280, 960));
        ASSERT_TRUE(cv::imwrite(adresar + "/" + jmeno, velky));
      } else {
        ASSERT_EQ(symlink(vzorek.c_str(), (adresar + "/" + jmeno).c_str()), 0);
      }
    }
  ASSERT_TRUE(zapis_soubor(adresar + "/data.txt", {'o', 'l', 'd', '\n'}));
  const VysledekBehu beh = spust_program(DECODER_PATH, adresar, "", 120, {"DISPLAY="});
  EXPECT_EQ(beh.kod, 1);
  EXPECT_EQ(beh.chyby,
            "decoder: 060041.bmp: image is 1280 x 960 pixels, larger than the 640 x 480 the decoder works on\n");
  EXPECT_EQ(precti_soubor(adresar + "/data.txt"), "old\n");
}

TEST(DveKamery, ALogThatCannotBeMadeIsAWarningAndTheProgramGoesOn) {
  const std::string adresar = zapis(vzor());
  ASSERT_EQ(chmod(adresar.c_str(), 0755), 0);  // the unprivileged user may read, not write
  const VysledekBehu beh = spust_program_bez_prav(VIEWER_POLAR_PATH, adresar, {"DISPLAY", "SDL_VIDEODRIVER"});
  EXPECT_EQ(beh.chyby.rfind("viewer_polar: logfile.txt: cannot be created in the working directory "
                            "(Permission denied); the program goes on without its log\n",
                            0),
            0u)
      << beh.chyby;
  EXPECT_NE(beh.vystup.find("Tvorba 3D modelu dokoncena"), std::string::npos);
  EXPECT_TRUE(konci_u_okna(beh)) << beh.chyby;
  EXPECT_FALSE(existuje(adresar + "/logfile.txt"));
}

}  // namespace
