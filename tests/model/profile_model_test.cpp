// The profile model: its small cases, its colours, its limits, and the fast
// builder against the plain one on pixel sets with ties and duplicates.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/instruction_pool.h"
#include "model/profile_model.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"
#include "tests/model/model_state.h"

namespace {

struct Znacka {
  float x, y, z;  // triangulated point
  int sloupec, radek;  // camera 1 pixel
};

// Puts the markers into one slot of cleared tables (other slots stay empty
// unless `vycistit` is false).
void nastav_slot(int slot, const std::vector<Znacka>& znacky, bool vycistit = true) {
  if (vycistit) nastav_body({});
  body_pocty[slot] = static_cast<int>(znacky.size());
  for (std::size_t i = 0; i < znacky.size(); i++) {
    body_souradnice[slot][i][0] = znacky[i].x;
    body_souradnice[slot][i][1] = znacky[i].y;
    body_souradnice[slot][i][2] = znacky[i].z;
    body_data[slot][i].x1 = znacky[i].sloupec;
    body_data[slot][i].y1 = znacky[i].radek;
  }
}

std::vector<Znacka> nahodne_znacky(int n, unsigned seed, int sirka, int vyska) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> sloupec(0, sirka - 1), radek(0, vyska - 1);
  std::uniform_real_distribution<float> souradnice(-30, 30);
  std::vector<Znacka> znacky;
  for (int i = 0; i < n; i++) znacky.push_back({souradnice(gen), 200 + souradnice(gen), souradnice(gen), sloupec(gen), radek(gen)});
  return znacky;
}

const std::vector<Znacka> trojice = {{0, 200, 0, 100, 100}, {10, 205, 3, 140, 100}, {4, 220, -6, 120, 130}};

TEST(ProfileModel, ThreePixelsGiveOneTriangleFromEachCornerInTheColourOfTyp) {
  nastav_slot(2, trojice);
  const StavModelu stav = spust_builder([] { model3D(2, 3); });
  EXPECT_EQ(stav.vystup, "") << "the profile model prints nothing and does not wait";
  EXPECT_EQ(stav.log, "TADY TADY TADY\n");
  EXPECT_EQ(stav.usecky.size(), 3u);
  ASSERT_EQ(stav.polygony.size(), 3u);
  EXPECT_EQ(stav.pocetusecek3d, 0) << "no border segments";
  for (int p = 0; p < 3; p++) {
    EXPECT_EQ(stav.polygony[p].sloty[0], p) << "apex first";
    EXPECT_EQ(stav.polygony[p].sloty.size(), 3u);
    EXPECT_EQ(stav.polygony[p].cervena, 3);
    EXPECT_EQ(stav.polygony[p].zelena, 128);
    EXPECT_EQ(stav.polygony[p].modra, 255);
  }
  for (int i = 0; i < 3; i++) EXPECT_EQ(adresy_bodu_global[2][i], i);
}

TEST(ProfileModel, ColourTableAndTypesOutsideIt) {
  const int tabulka[6][3] = {{0, 0, 255}, {1, 255, 255}, {2, 255, 0}, {3, 128, 255}, {4, 255, 128}, {5, 255, 0}};
  for (int typ = 0; typ < 6; typ++) {
    nastav_slot(0, trojice);
    const StavModelu stav = spust_builder([typ] { model3D(0, typ); });
    ASSERT_EQ(stav.polygony.size(), 3u);
    EXPECT_EQ(stav.polygony[0].cervena, tabulka[typ][0]) << typ;
    EXPECT_EQ(stav.polygony[0].zelena, tabulka[typ][1]) << typ;
    EXPECT_EQ(stav.polygony[0].modra, tabulka[typ][2]) << typ;
  }
  for (int typ : {6, -1, 70000}) {
    const BarvaProfilu barva = barva_profilu(typ);
    EXPECT_EQ(barva.cervena, static_cast<std::uint16_t>(typ)) << "red keeps identifying the model";
    EXPECT_EQ(barva.zelena, 128);
    EXPECT_EQ(barva.modra, 128);
  }
}

TEST(ProfileModel, MarkersOnOnePixelAreJoinedByAZeroLengthSegment) {
  nastav_slot(1, {{0, 200, 0, 300, 200}, {1, 201, 0, 300, 200}});
  const StavModelu stav = spust_builder([] { model3D(1, 0); });
  ASSERT_EQ(stav.usecky.size(), 1u);
  EXPECT_EQ(stav.usecky[0], (std::array<std::int32_t, 2>{0, 1}));
  EXPECT_TRUE(stav.polygony.empty());
}

TEST(ProfileModel, ASecondCallReplacesTheSegmentsButKeepsThePolygons) {
  nastav_slot(0, trojice);
  std::vector<Znacka> ctverec = {{0, 0, 0, 0, 0}, {1, 0, 0, 50, 0}, {1, 1, 0, 50, 50}, {0, 1, 0, 0, 50}};
  nastav_slot(3, ctverec, false);
  const StavModelu stav = spust_builder([] {
    model3D(0, 1);
    model3D(3, 4);
  });
  EXPECT_EQ(stav.log, "TADY TADY TADY\nTADY TADY TADY\n");
  // The square gets its four sides and one diagonal: two triangles.
  EXPECT_EQ(stav.usecky.size(), 5u);
  ASSERT_EQ(stav.polygony.size(), 3u + 6u);
  for (int p = 0; p < 3; p++) EXPECT_EQ(stav.polygony[p].cervena, 1);
  for (std::size_t p = 3; p < stav.polygony.size(); p++) {
    EXPECT_EQ(stav.polygony[p].cervena, 4);
    for (int slot : stav.polygony[p].sloty) EXPECT_GE(slot, 3) << "corners are the second call's instructions";
  }
  for (int i = 0; i < 4; i++) EXPECT_EQ(adresy_bodu_global[3][i], 3 + i);
}

TEST(ProfileModel, SlotsOutsideTheTablesAndOversizedCountsAreHandled) {
  nastav_slot(0, trojice);
  testing::internal::CaptureStderr();
  const StavModelu mimo = spust_builder([] {
    model3D(-1, 0);
    model3D(10, 0);
  });
  const std::string chyby = testing::internal::GetCapturedStderr();
  EXPECT_NE(chyby.find("slot -1 does not exist"), std::string::npos) << chyby;
  EXPECT_NE(chyby.find("slot 10 does not exist"), std::string::npos) << chyby;
  EXPECT_TRUE(mimo.polygony.empty());
  EXPECT_TRUE(mimo.pool_bity.empty());

  // A count beyond the tables is clamped: every point a slot can hold gets
  // an instruction, and nothing beyond.
  nastav_slot(4, nahodne_znacky(konfigurace::znacek_na_slot, 5, 640, 480));
  body_pocty[4] = 100000;
  const StavModelu plny = spust_builder([] { model3D(4, 2); });
  EXPECT_EQ(plny.pool_bity.size(), 4u * konfigurace::znacek_na_slot);
}

TEST(ProfileModel, SameSegmentsPolygonsAndLogAsThePlainProcedure) {
  struct Pripad {
    int n;
    unsigned seed;
    int sirka, vyska;
  };
  // Wide images, a small patch (many duplicate pixels and equal distances)
  // and a thin strip (points nearly in line).
  const Pripad pripady[] = {{konfigurace::znacek_na_slot, 1, 640, 480}, {40, 2, 640, 480}, {60, 3, 6, 6},
                            {50, 4, 640, 3},                           {2, 5, 640, 480}, {0, 6, 640, 480}};
  for (const Pripad& p : pripady) {
    for (int typ : {0, 5}) {
      nastav_slot(1, nahodne_znacky(p.n, p.seed, p.sirka, p.vyska));
      const StavModelu rychly = spust_builder([typ] { model3D(1, typ); });
      const StavModelu doslovny = spust_builder([typ] { model3D_doslovne(1, typ); });
      EXPECT_EQ(rozdil(rychly, doslovny), "") << "n " << p.n << " seed " << p.seed << " typ " << typ;
      if (p.n >= 40) {
        EXPECT_GT(rychly.polygony.size(), static_cast<std::size_t>(p.n)) << "seed " << p.seed;
      }
    }
  }
}

}  // namespace

// A refusal with a message wanted is returned, not printed: a slot outside
// the tables, and a pool that cannot take the slot's points (nothing built).
TEST(ProfileModel, RefusalsReturnTheirMessage) {
  nastav_slot(0, trojice);
  std::string chyba, plny;
  testing::internal::CaptureStderr();
  const StavModelu stav = spust_builder(
      [&] {
        EXPECT_FALSE(model3D(12, 0, &chyba));
        EXPECT_FALSE(model3D(0, 0, &plny));
      },
      [] {
        for (int i = 0; i < kapacita_instrukci - 2; i++) nova_instrukce(0, 0, 0);
      });
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_NE(chyba.find("slot 12 does not exist"), std::string::npos) << chyba;
  EXPECT_NE(plny.find("instruction pool: full"), std::string::npos) << plny;
  EXPECT_TRUE(stav.polygony.empty());
}
