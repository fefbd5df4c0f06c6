// The decoding report: reading data.txt and the ground truth, and judging
// pairs by the 1.5-pixel tolerance in both cameras.
#include "tools/decoder_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/program_run.h"

namespace {

std::string zapis_docasne(const std::string& obsah) {
  const std::string adresar = novy_adresar("decoder-report");
  const std::string cesta = adresar + "/soubor.txt";
  std::FILE* f = std::fopen(cesta.c_str(), "w");
  std::fputs(obsah.c_str(), f);
  std::fclose(f);
  return cesta;
}

const std::string hlavicka = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";

TEST(Report, ReadsPairsAndRejectsIncompleteFiles) {
  std::vector<ParBodu> pary;
  std::string chyba;
  ASSERT_TRUE(nacti_data(zapis_docasne(hlavicka + "Q\n"), &pary, &chyba)) << chyba;
  EXPECT_TRUE(pary.empty());
  ASSERT_TRUE(nacti_data(zapis_docasne(hlavicka + "1\n2\n3\n4\n5\n6\n7\n8\nQ\n"), &pary, &chyba));
  ASSERT_EQ(pary.size(), 2u);
  EXPECT_EQ(pary[1].x1, 5);
  EXPECT_EQ(pary[1].y2, 8);
  EXPECT_FALSE(nacti_data(zapis_docasne(hlavicka + "1\n2\n3\n"), &pary, &chyba));
  EXPECT_FALSE(nacti_data(zapis_docasne(hlavicka + "1\n2\n3\nQ\n"), &pary, &chyba));
  EXPECT_FALSE(nacti_data("/nonexistent/data.txt", &pary, &chyba));
  EXPECT_NE(chyba.find("/nonexistent/data.txt"), std::string::npos);
}

TEST(Report, BothPixelsWithinOnePointFiveOfOneCrossing) {
  Pravda pravda;
  std::string chyba;
  ASSERT_TRUE(nacti_pravdu(zapis_docasne("camera 1 visible 3 lit 3 specked 1\n"
                                         "camera 2 visible 3 lit 2 specked 0\n"
                                         "5 10.0 10.0 20.0 20.0 100 100 0\n"
                                         "6 50.0 50.0 60.0 60.0 100 100 1\n"
                                         "7 90.0 90.0 95.0 95.0 100 10 0\n"),
                           &pravda, &chyba))
      << chyba;
  EXPECT_EQ(pravda.kamery[0].skvrn, 1);
  EXPECT_EQ(pravda.kamery[1].osvetleno, 2);
  ASSERT_EQ(pravda.krizeni.size(), 3u);
  EXPECT_TRUE(pravda.krizeni[1].skvrna);

  const std::vector<ParBodu> pary = {
      {11, 11, 21, 21},  // 1.41 and 1.41: correct
      {10, 10, 60, 60},  // camera 1 on crossing 5, camera 2 on crossing 6: wrong
      {52, 50, 60, 60},  // 2.0 away in camera 1: wrong
  };
  const Hodnoceni h = ohodnot(pary, pravda);
  EXPECT_EQ(h.paru, 3);
  EXPECT_EQ(h.spravnych, 1);
  EXPECT_EQ(h.chybnych, 2);
  EXPECT_EQ(h.zmeskanych, 2);
  EXPECT_EQ(h.krizeni, 3);
}

}  // namespace
