// "rig.yml": the compiled-in set-up through the file bit for bit, the
// triangulation's pixel mapping against the compiled-in formula, and broken
// files refused with a message that names the field.
#include "reconstruction/rig_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "reconstruction/camera_rig.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"

namespace {

void ocekavej_stejne(const RigKamer& a, const RigKamer& b) {
  EXPECT_EQ(a.jednotka, b.jednotka);
  // Bit for bit, also the sign of zeros.
  EXPECT_EQ(std::memcmp(a.kamera, b.kamera, sizeof a.kamera), 0);
}

TEST(RigFile, TheCompiledInSetUpGoesThroughTheFileBitForBit) {
  const RigKamer vychozi = vychozi_rig();
  const float smery[2][2] = {{0.999f, -0.034f}, {0.984f, 0.173f}};
  for (int k = 0; k < 2; k++) {
    const KameraRigu& c = vychozi.kamera[k];
    for (int j = 0; j < 3; j++) {
      EXPECT_EQ(c.stred_projekce[j], stereo_kamera[k][j]);
      EXPECT_EQ(c.bod_stredu[j], stereo_lok[k][j]);
      EXPECT_EQ(c.krok_radku[j], j == 2 ? static_cast<double>(y_px) : 0.0);
    }
    EXPECT_EQ(c.krok_sloupce[0], static_cast<double>(x_px) * smery[k][0]);
    EXPECT_EQ(c.krok_sloupce[1], static_cast<double>(x_px) * smery[k][1]);
    EXPECT_EQ(c.krok_sloupce[2], 0.0);
    EXPECT_EQ(c.pixel_stredu[0], 360.0);
    EXPECT_EQ(c.pixel_stredu[1], 240.0);
  }
  RigKamer precteny;
  std::string chyba;
  ASSERT_TRUE(precti_rig(text_rigu(vychozi), "rig.yml", &precteny, &chyba)) << chyba;
  ocekavej_stejne(precteny, vychozi);

  // Any double survives, down to the last bit: steps of every size, and
  // centres and points moved in their low bits (the two cameras must still
  // form a stereo pair).
  std::mt19937_64 g(17);
  std::uniform_real_distribution<double> mantisa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  RigKamer nahodny = vychozi;
  nahodny.jednotka = "mm";
  for (auto& c : nahodny.kamera) {
    for (double* v : {c.krok_sloupce, c.krok_radku})
      for (int j = 0; j < 3; j++) v[j] = std::ldexp(mantisa(g), exponent(g));
    for (double* v : {c.stred_projekce, c.bod_stredu})
      for (int j = 0; j < 3; j++) v[j] = v[j] * (1.0 + std::ldexp(mantisa(g), -20)) + std::ldexp(mantisa(g), -20);
  }
  const std::string cesta = novy_adresar("rig") + "/rig.yml";
  ASSERT_TRUE(zapis_rig(cesta, nahodny, &chyba)) << chyba;
  ASSERT_TRUE(nacti_rig(cesta, &precteny, &chyba)) << chyba;
  ocekavej_stejne(precteny, nahodny);
}

// The compiled-in image-plane point of a pixel, as triangulation computed it
// before it had a mapping table.
void vestaveny_bod(int kamera, int sloupec, int radek, float p[3]) {
  const float smer[2][2] = {{0.999f, -0.034f}, {0.984f, 0.173f}};
  const float* l = stereo_lok[kamera];
  const double du = static_cast<double>(sloupec - 360) * x_px;
  p[0] = static_cast<float>(l[0] + du * smer[kamera][0]);
  p[1] = static_cast<float>(l[1] + du * smer[kamera][1]);
  p[2] = static_cast<float>(l[2] + static_cast<double>(radek - 240) * y_px);
}

TEST(RigFile, TheDefaultMappingGivesTheCompiledInPointsOfEveryPixel) {
  pouzij_rig(vychozi_rig());
  const SestavaTriangulace sestava = sestava_programu();
  for (int k = 0; k < 2; k++)
    for (int sloupec = 0; sloupec < 640; sloupec++)
      for (int radek = 0; radek < 480; radek++) {
        float a[3], b[3];
        bod_obrazove_roviny(sestava, k, sloupec, radek, a);
        vestaveny_bod(k, sloupec, radek, b);
        ASSERT_EQ(std::memcmp(a, b, sizeof a), 0) << k << " " << sloupec << " " << radek;
      }
}

struct PoskozenySoubor {
  const char* co;         // text replaced in the default file
  const char* cim;        // its replacement
  const char* ve_zprave;  // what the message names
};

TEST(RigFile, ABrokenFileIsRefusedWithTheFileAndTheFieldNamed) {
  const std::string dobry = text_rigu(vychozi_rig());
  const PoskozenySoubor pripady[] = {
      {"version: 1", "versio: 1", "rig.yml: version: missing"},
      {"version: 1", "version: 3", "rig.yml: version: unknown version 3, this program reads versions 1 and 2"},
      {"unit:", "units:", "rig.yml: unit: missing"},
      {"camera2:", "kamera2:", "rig.yml: camera2: missing"},
      {"row_step:", "row_steps:", "rig.yml: camera1.row_step: missing"},
      {"centre_pixel: [ 360., 240. ]", "centre_pixel: [ 360. ]", "rig.yml: camera1.centre_pixel: expected"},
      {"centre_pixel: [ 360., 240. ]", "centre_pixel: [ .nan, 240. ]", "rig.yml: camera1.centre_pixel: value 1 is not a finite"},
      {"centre_pixel: [ 360., 240. ]", "centre_pixel: [ 360., -.inf ]", "rig.yml: camera1.centre_pixel: value 2 is not a finite"},
      {"centre_pixel: [ 360., 240. ]", "centre_pixel: [ 360., abc ]", "rig.yml: camera1.centre_pixel: value 2 is not a number"},
      {"%YAML:1.0", "%YAML:1.0\n{{{", "rig.yml: "},
      // Integers that do not fit 32 bits are not wrapped.
      {"version: 1", "version: 4294967297", "rig.yml: line 8: version: the integer 4294967297 does not fit 32 bits"},
      {"version: 1", "version: 12345678901234567890", "rig.yml: line 8: version: the integer 12345678901234567890 does not fit"},
      {"centre_pixel: [ 360., 240. ]", "centre_pixel: [ 4294967656, 4294967536 ]",
       "rig.yml: line 17: centre_pixel: the integer 4294967656 does not fit"},
      // Finite doubles beyond what the single-precision geometry holds.
      {"projection_centre: [ 0., 0., 0. ]", "projection_centre: [ 1e39, 0., 0. ]",
       "rig.yml: camera1.projection_centre: value 1 (1e+39) lies outside the range"},
      {"projection_centre: [ 0., 0., 0. ]", "projection_centre: [ 0., 1e308, 0. ]",
       "rig.yml: camera1.projection_centre: value 2 (1e+308) lies outside the range"},
      {"row_step: [ 0., 0.,", "row_step: [ 0., 1e200,", "rig.yml: camera1.row_step: value 2 (1e+200) lies outside"},
      // Parse errors give the line, not the parser's internals.
      {"unit:", "unit: [ 1, 2\nx:", "rig.yml: line 14: a list inside a list"},
      {"# unit of every length below\nunit:", "# unit of every length below\n      unit:", "rig.yml: cannot be parsed: line 10: "},
      {"---", "--- -~", "rig.yml: line 2: text after the document marker \"---\""},
      {"version: 1", "ver\x01sion: 1", "rig.yml: line 8: a control character (\\x01)"},
      {"version: 1", "- version: 1", "rig.yml: line 8: expected \"name: value\", a comment or the continuation"},
      {"version: 1", "version: r{ 1", "rig.yml: line 8: \"{\" outside quotes in a value"},
  };
  for (const PoskozenySoubor& p : pripady) {
    std::string text = dobry;
    const std::size_t kde = text.find(p.co);
    ASSERT_NE(kde, std::string::npos) << p.co;
    text.replace(kde, std::strlen(p.co), p.cim);
    RigKamer rig;
    rig.jednotka = "unchanged";
    std::string chyba;
    EXPECT_FALSE(precti_rig(text, "rig.yml", &rig, &chyba)) << p.cim;
    EXPECT_EQ(chyba.rfind(p.ve_zprave, 0), 0u) << chyba;
    EXPECT_EQ(chyba.find('\n'), std::string::npos) << chyba;
    EXPECT_EQ(rig.jednotka, "unchanged");
  }
  // Steps that span no plane, a projection centre on its image plane.
  const char* zpravy[3] = {
      "rig.yml: camera2.column_step: zero step",
      "rig.yml: camera2.row_step: parallel to column_step, the steps span no image plane",
      "rig.yml: camera2.projection_centre: lies on the camera's image plane"};
  for (int pripad = 0; pripad < 3; pripad++) {
    RigKamer rig = vychozi_rig();
    KameraRigu& c = rig.kamera[1];
    for (int j = 0; j < 3; j++) {
      if (pripad == 0) c.krok_sloupce[j] = 0.0;
      if (pripad == 1) c.krok_radku[j] = -3.0 * c.krok_sloupce[j];
      if (pripad == 2) c.stred_projekce[j] = c.bod_stredu[j] + 3.0 * c.krok_radku[j];
    }
    RigKamer precteny;
    std::string chyba;
    EXPECT_FALSE(precti_rig(text_rigu(rig), "rig.yml", &precteny, &chyba));
    EXPECT_EQ(chyba, zpravy[pripad]);
  }
  // Two cameras that cannot form a stereo pair.
  const char* zpravy_dvojice[4] = {
      "rig.yml: camera2.projection_centre: coincides with camera1.projection_centre",
      "rig.yml: camera2.projection_centre: lies too close to camera1.projection_centre",
      "rig.yml: camera2.centre_point: the centre rays of the two cameras are parallel and never meet",
      "rig.yml: camera2.centre_point: the centre rays of the two cameras diverge"};
  for (int pripad = 0; pripad < 4; pripad++) {
    RigKamer rig = vychozi_rig();
    KameraRigu& a = rig.kamera[0];
    KameraRigu& b = rig.kamera[1];
    if (pripad == 0) b = a;
    if (pripad == 1) {
      for (int j = 0; j < 3; j++) b.stred_projekce[j] = a.stred_projekce[j];
      b.stred_projekce[0] += 0.01;
    }
    for (int j = 0; j < 3; j++) {
      if (pripad == 2) b.bod_stredu[j] = b.stred_projekce[j] + (a.bod_stredu[j] - a.stred_projekce[j]);
      if (pripad == 3) b.bod_stredu[0] = b.stred_projekce[0] + 50.0;
    }
    RigKamer precteny;
    std::string chyba;
    EXPECT_FALSE(precti_rig(text_rigu(rig), "rig.yml", &precteny, &chyba)) << pripad;
    EXPECT_EQ(chyba.rfind(zpravy_dvojice[pripad], 0), 0u) << chyba;
  }
  std::string chyba;
  RigKamer rig;
  // A file written by hand without the "%YAML:1.0" line is read.
  std::string bez_hlavicky = text_rigu(vychozi_rig());
  bez_hlavicky.erase(0, bez_hlavicky.find('\n') + 1);
  EXPECT_TRUE(precti_rig(bez_hlavicky, "rig.yml", &rig, &chyba)) << chyba;
  ocekavej_stejne(rig, vychozi_rig());
  const std::string prazdny = novy_adresar("rig") + "/rig.yml";
  { std::FILE* f = std::fopen(prazdny.c_str(), "w"); std::fclose(f); }
  EXPECT_FALSE(nacti_rig(prazdny, &rig, &chyba));
  EXPECT_EQ(chyba, prazdny + ": empty file");
}

TEST(RigFile, WhatIsNotARegularFileOfSaneSizeIsRefusedWithoutBlocking) {
  const std::string adresar = novy_adresar("rig");
  ASSERT_EQ(mkdir((adresar + "/adresar").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((adresar + "/fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", (adresar + "/nuly").c_str()), 0);
  {
    std::FILE* f = std::fopen((adresar + "/velky").c_str(), "w");
    ASSERT_NE(f, nullptr);
    const std::string radek = "# " + std::string(1000, 'x') + "\n";
    for (int i = 0; i < 1100; i++) std::fputs(radek.c_str(), f);
    std::fclose(f);
  }
  const struct {
    const char* soubor;
    const char* zprava;
  } pripady[] = {
      {"adresar", "is a directory, not a camera set-up file"},
      {"fifo", "is not a regular file (a FIFO, socket or device)"},
      {"nuly", "is not a regular file (a FIFO, socket or device)"},
      {"velky", "the file is larger than the 1048576 bytes this program reads"},
      {"chybi", "cannot be opened: No such file or directory"},
  };
  for (const auto& p : pripady) {
    RigKamer rig;
    std::string chyba;
    const std::string cesta = adresar + "/" + p.soubor;
    EXPECT_FALSE(nacti_rig(cesta, &rig, &chyba));
    EXPECT_EQ(chyba, cesta + ": " + p.zprava);
  }
}

}  // namespace
