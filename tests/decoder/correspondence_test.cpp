// Pairing by unique codes, the tables' end marker, and the exact lines of
// "data.txt" for 0 and for n pairs, written through a temporary file.
#include "decoder/correspondence.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "decoder/data_file.h"
#include "decoder/decoder_state.h"
#include "tests/support/program_run.h"

namespace {

std::string pary_vypis() {
  testing::internal::CaptureStdout();
  KorespondujiciBody();
  return testing::internal::GetCapturedStdout();
}

TEST(Clearing, CodesAndCountsOnlyPositionsStay) {
  body_kam1[3] = {12, 1, 77, 88};
  body_kam2[9999] = {13, 1, 5, 6};
  VycistiBody();
  EXPECT_EQ(body_kam1[3].kod, -1);
  EXPECT_EQ(body_kam1[3].pocet, 0);
  EXPECT_EQ(body_kam1[3].x, 77);
  EXPECT_EQ(body_kam1[3].y, 88);
  EXPECT_EQ(body_kam2[9999].kod, -1);
  EXPECT_EQ(body_kam2[9999].x, 5);
}

TEST(Pairing, OnlyCodesUniqueInBothCamerasInCamera1Order) {
  VycistiBody();
  body_kam1[0] = {40, 1, 1, 2};
  body_kam1[1] = {10, 1, 3, 4};
  body_kam1[2] = {20, 2, 5, 6};  // conflict in camera 1
  body_kam1[3] = {30, 1, 7, 8};  // conflict in camera 2
  body_kam1[4] = {50, 1, 9, 9};  // not in camera 2
  body_kam2[0] = {30, 3, 70, 80};
  body_kam2[1] = {10, 1, 30, 40};
  body_kam2[2] = {20, 1, 50, 60};
  body_kam2[3] = {40, 1, 10, 20};
  EXPECT_EQ(pary_vypis(), "KORESPONDUJE 2 BODU\n");
  ASSERT_EQ(kores_pocet, 2);
  EXPECT_EQ(korespond[0].x1, 1);
  EXPECT_EQ(korespond[0].y1, 2);
  EXPECT_EQ(korespond[0].x2, 10);
  EXPECT_EQ(korespond[0].y2, 20);
  EXPECT_EQ(korespond[1].x1, 3);
  EXPECT_EQ(korespond[1].x2, 30);
}

TEST(Pairing, TheFirstMinusOneEndsEachTable) {
  VycistiBody();
  body_kam1[0] = {5, 1, 1, 1};
  body_kam1[2] = {6, 1, 2, 2};  // after the end marker at index 1
  body_kam2[0] = {6, 1, 3, 3};
  body_kam2[2] = {5, 1, 4, 4};  // after the end marker
  EXPECT_EQ(pary_vypis(), "KORESPONDUJE 0 BODU\n");
  EXPECT_EQ(kores_pocet, 0);
}

TEST(Pairing, FullTablesWithoutAnEndMarkerStayInside) {
  for (int i = 0; i < kapacita_bodu; ++i) {
    body_kam1[i] = {i, 1, i % 640, i % 480};
    body_kam2[i] = {kapacita_bodu - 1 - i, 1, 1, 1};
  }
  EXPECT_EQ(pary_vypis(), "KORESPONDUJE 10000 BODU\n");
  EXPECT_EQ(korespond[9999].x1, 9999 % 640);
  VycistiBody();
}

class DataFile : public testing::Test {
 protected:
  void SetUp() override {
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    puvodni_ = buf;
    adresar_ = novy_adresar("decoder-data");
    ASSERT_FALSE(adresar_.empty());
    ASSERT_EQ(chdir(adresar_.c_str()), 0);
  }
  void TearDown() override {
    zrus_data();
    ASSERT_EQ(chdir(puvodni_.c_str()), 0);
    std::filesystem::remove_all(adresar_);
  }
  std::string puvodni_, adresar_;
};

const char* const hlavicka =
    "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";

TEST_F(DataFile, NoPairsGiveTheHeaderAndQ) {
  kores_pocet = 0;
  std::string chyba;
  ASSERT_TRUE(otevri_data(60, &chyba)) << chyba;
  KorespondujiciUloz();
  EXPECT_FALSE(existuje("data.txt"));  // nothing under the final name yet
  ASSERT_TRUE(dokonci_data(&chyba)) << chyba;
  EXPECT_EQ(precti_soubor("data.txt"), std::string(hlavicka) + "Q\n");
}

TEST_F(DataFile, NPairsGiveFourLinesEach) {
  kores_pocet = 2;
  korespond[0] = {1, 2, 3, 4};
  korespond[1] = {638, 478, 5, 6};
  std::string chyba;
  ASSERT_TRUE(otevri_data(60, &chyba)) << chyba;
  KorespondujiciUloz();
  ASSERT_TRUE(dokonci_data(&chyba)) << chyba;
  EXPECT_EQ(precti_soubor("data.txt"),
            std::string(hlavicka) + "1\n2\n3\n4\n638\n478\n5\n6\nQ\n");
}

TEST_F(DataFile, AnAbandonedRunLeavesTheOldFile) {
  {
    std::FILE* f = std::fopen("data.txt", "w");
    std::fputs("stary\n", f);
    std::fclose(f);
  }
  std::string chyba;
  ASSERT_TRUE(otevri_data(60, &chyba));
  zrus_data();
  EXPECT_EQ(precti_soubor("data.txt"), "stary\n");
  // Only data.txt is left in the directory: the temporary file is gone.
  EXPECT_EQ(jmena_v_adresari("."), std::vector<std::string>{"data.txt"});
}

TEST(Template, AngleDigits) {
  nastav_uhel_v_textu(60);
  EXPECT_EQ(std::string(text, 3), "060");
  nastav_uhel_v_textu(330);
  EXPECT_EQ(std::string(text, 3), "330");
  nastav_uhel_v_textu(0);
  EXPECT_EQ(std::string(text, 3), "000");
  EXPECT_EQ(std::string(text + 6), ".bmp");
}

TEST(EnterKey, CarriageReturnAndLineFeed) {
  EXPECT_TRUE(je_enter(13));
  EXPECT_TRUE(je_enter(10));
  EXPECT_FALSE(je_enter(255));  // no key within the wait
  EXPECT_FALSE(je_enter(32));
}

}  // namespace
