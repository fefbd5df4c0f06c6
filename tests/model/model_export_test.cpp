// model.ply, points.ply and cameras.ply: what they hold, read back by our own
// parser (exact floats, faces, colours) and by an independent reader
// (assimp's command-line tool: counts and bounds).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/cuboid.h"
#include "model/instruction_pool.h"
#include "model/model_export.h"
#include "model/segment_records.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/scan_export.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/program_run.h"

namespace {

struct Ply {
  std::vector<std::string> hlavicka;
  std::vector<std::vector<std::string>> radky;
};

Ply precti_ascii(const std::string& text) {
  Ply ply;
  std::istringstream vstup(text);
  std::string radek;
  while (std::getline(vstup, radek) && radek != "end_header") ply.hlavicka.push_back(radek);
  while (std::getline(vstup, radek)) {
    std::istringstream slova(radek);
    std::vector<std::string> hodnoty;
    std::string slovo;
    while (slova >> slovo) hodnoty.push_back(slovo);
    ply.radky.push_back(hodnoty);
  }
  return ply;
}

std::string vystup_prikazu(const std::string& prikaz) {
  std::string text;
  std::unique_ptr<FILE, int (*)(FILE*)> roura(popen(prikaz.c_str(), "r"), pclose);
  if (!roura) return text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, roura.get())) > 0) text.append(buf, n);
  return text;
}

// A triangle emitted three times from each corner, as the builders do,
// a second triangle sharing an edge, and a segment.
class ModelExport : public testing::Test {
 protected:
  void SetUp() override {
    vynuluj_tabulky_sceny();
    vyprazdni_model();
    const float body[4][3] = {{0.1f, 0.2f, 0.3f}, {1.0f / 3, 0, 0}, {0, 1e-7f, 2}, {-5, 4, 3.25f}};
    for (auto& b : body) sloty_.push_back(nova_instrukce(b[0], b[1], b[2]));
    trojuhelnik(0, 1, 2, 300, 1, 2);  // red 300 is drawn as 44
    trojuhelnik(1, 2, 0, 9, 9, 9);
    trojuhelnik(2, 0, 1, 9, 9, 9);
    trojuhelnik(1, 3, 2, 0, 128, 255);
    const float konec[3] = {7, 8, 9};
    ZapisPruniku().pridej(body[0], konec);
  }

  void trojuhelnik(int a, int b, int c, int r, int g, int m) {
    auto* p = new Polygon3D(instrukce_polygonu[sloty_[a]]);
    pridej_instrukci(p, instrukce_polygonu[sloty_[b]]);
    pridej_instrukci(p, instrukce_polygonu[sloty_[c]]);
    pridej_polygon(model1, p);
    p->cervena = static_cast<std::uint16_t>(r);
    p->zelena = static_cast<std::uint16_t>(g);
    p->modra = static_cast<std::uint16_t>(m);
  }

  std::vector<int> sloty_;
};

TEST_F(ModelExport, EachTriangleOnceInTheColourOfItsFirstCopyAndExactFloats) {
  SouhrnExportu souhrn;
  const Ply ply = precti_ascii(model_ply(true, &souhrn));
  EXPECT_EQ(souhrn.vrcholu, 5);  // four instructions and the segment's far end
  EXPECT_EQ(souhrn.sten, 2);
  EXPECT_EQ(souhrn.hran, 1);
  ASSERT_EQ(ply.radky.size(), 8u);
  EXPECT_EQ(ply.hlavicka[1], "format ascii 1.0");
  // Floats read back bit-identical.
  for (int i = 0; i < 4; i++) {
    const PolygonInstrukce* ins = instrukce_polygonu[sloty_[i]];
    EXPECT_EQ(std::strtof(ply.radky[i][0].c_str(), nullptr), ins->x);
    EXPECT_EQ(std::strtof(ply.radky[i][1].c_str(), nullptr), ins->y);
    EXPECT_EQ(std::strtof(ply.radky[i][2].c_str(), nullptr), ins->z);
  }
  EXPECT_EQ(ply.radky[5], (std::vector<std::string>{"3", "0", "1", "2", "44", "1", "2"}));
  EXPECT_EQ(ply.radky[6], (std::vector<std::string>{"3", "1", "3", "2", "0", "128", "255"}));
  EXPECT_EQ(ply.radky[7], (std::vector<std::string>{"0", "4", "255", "0", "255"}));
}

TEST_F(ModelExport, BinaryFileReadByAnIndependentTool) {
  kvadr(10, 10, 10, 1, 1, 1, 1, 2, 3, &model1);
  const std::string adresar = novy_adresar("ply");
  const std::string cesta = adresar + "/model.ply";
  std::string chyba;
  SouhrnExportu souhrn;
  ASSERT_TRUE(zapis_model_ply(cesta, false, &chyba, &souhrn)) << chyba;
  EXPECT_EQ(souhrn.sten, 8);
  const std::string info = vystup_prikazu("assimp info '" + cesta + "' 2>&1");
  // The reader splits each of the six quadrilaterals into two triangles and
  // keeps only the vertices that faces use (the segment's far end is not).
  EXPECT_NE(info.find("Faces:              14"), std::string::npos) << info;
  EXPECT_NE(info.find("Vertices:           12"), std::string::npos) << info;
  EXPECT_NE(info.find("Minimum point      (-5.000000 0.000000 0.000000)"), std::string::npos) << info;
  EXPECT_NE(info.find("Maximum point      (11.000000 11.000000 11.000000)"), std::string::npos) << info;
}

TEST_F(ModelExport, AFileIsReplacedOnlyByACompleteOne) {
  const std::string adresar = novy_adresar("ply");
  const std::string cesta = adresar + "/model.ply";
  std::string chyba;
  ASSERT_TRUE(zapis_atomicky(cesta, "puvodni", &chyba));
  // The disk takes no more than 4 bytes of a file: the write fails, the old
  // file stays with no temporary file beside it, and the message names the
  // file.
  {
    LimitVelikostiSouboru limit(4);
    EXPECT_FALSE(zapis_model_ply(cesta, false, &chyba));
  }
  EXPECT_NE(chyba.find(cesta + ": cannot be written"), std::string::npos) << chyba;
  EXPECT_EQ(precti_soubor(cesta), "puvodni");
  EXPECT_EQ(jmena_v_adresari(adresar), std::vector<std::string>{"model.ply"});
}

TEST(PointExport, PositionsMarkersAndReferenceMarks) {
  vynuluj_tabulky_sceny();
  body_pocty[0] = 2;
  body_pocty[3] = 1;
  body_pocty[9] = 4;
  body_souradnice[3][0][1] = 0.1f;
  body_souradnice[9][2][2] = -7.5f;
  const Ply ply = precti_ascii(body_ply(true));
  EXPECT_EQ(ply.hlavicka[3], "element vertex 3");
  ASSERT_EQ(ply.radky.size(), 7u);
  EXPECT_EQ(ply.radky[2], (std::vector<std::string>{"0", "0.100000001", "0", "3", "1"}));
  EXPECT_EQ(ply.radky[5], (std::vector<std::string>{"0", "0", "-7.5", "2"}));
}

TEST(CameraExport, CentresRectanglesAndLines) {
  vynuluj_tabulky_sceny();
  for (int k = 0; k < 4; k++) stereo_body[1][k][0] = static_cast<float>(k);
  const Ply ply = precti_ascii(kamery_ply(true));
  ASSERT_EQ(ply.radky.size(), 20u);
  EXPECT_EQ(ply.radky[5][0], "28.5");  // camera 2's projection centre
  EXPECT_EQ(ply.radky[8][0], "2");
  EXPECT_EQ(ply.radky[11], (std::vector<std::string>{"4", "6", "7", "8", "9", "255", "0", "0"}));
  EXPECT_EQ(ply.radky[19], (std::vector<std::string>{"5", "9", "255", "0", "0"}));
}

}  // namespace
