// The decoding core on its own: two decoding contexts on two threads, fed
// two different image sets, give exactly what decoding them one after the
// other gives, and what the decoder program writes to data.txt. The binary
// also links the reconstruction's triangulation, which the pairs then go
// through, as a whole-object scan does. Run it also in the tsan build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "decoder/decoding.h"
#include "pairs/pair_file.h"
#include "pairs/pair_points.h"
#include "reconstruction/camera_rig.h"
#include "tests/support/program_run.h"

namespace {

struct Vysledek {
  KodyKamery kamery[2];
  std::vector<KorespondujiciPar> pary;
};

struct Sada {
  std::string adresar;
  SnimkyKamery snimky[2];
};

Sada nacti_sadu(const std::string& adresar) {
  Sada s{adresar, {}};
  std::string chyba;
  for (int k = 0; k < 2; ++k)
    EXPECT_TRUE(nacti_snimky_kamery(adresar, 60, k + 1, &s.snimky[k], &chyba)) << chyba;
  return s;
}

Vysledek dekoduj(KontextDekodovani& kontext, const Sada& sada) {
  Vysledek v;
  for (int k = 0; k < 2; ++k) v.kamery[k] = kontext.identifikuj(sada.snimky[k]);
  v.pary = paruj_kody(v.kamery[0].kody.data(), v.kamery[0].kody.size(), v.kamery[1].kody.data(),
                      v.kamery[1].kody.size(), kapacita_bodu);
  return v;
}

bool stejne(const KodyKamery& a, const KodyKamery& b) {
  if (a.kody.size() != b.kody.size() || a.preteceni != b.preteceni ||
      a.souhrn.dobre != b.souhrn.dobre || a.souhrn.konflikty != b.souhrn.konflikty ||
      a.souhrn.nejednoznacne != b.souhrn.nejednoznacne)
    return false;
  for (std::size_t i = 0; i < a.kody.size(); ++i)
    if (a.kody[i].kod != b.kody[i].kod || a.kody[i].pocet != b.kody[i].pocet ||
        a.kody[i].x != b.kody[i].x || a.kody[i].y != b.kody[i].y)
      return false;
  return true;
}

void ocekavej_stejne(const Vysledek& a, const Vysledek& b) {
  EXPECT_TRUE(stejne(a.kamery[0], b.kamery[0]));
  EXPECT_TRUE(stejne(a.kamery[1], b.kamery[1]));
  ASSERT_EQ(a.pary.size(), b.pary.size());
  for (std::size_t i = 0; i < a.pary.size(); ++i) {
    EXPECT_EQ(a.pary[i].x1, b.pary[i].x1);
    EXPECT_EQ(a.pary[i].y1, b.pary[i].y1);
    EXPECT_EQ(a.pary[i].x2, b.pary[i].x2);
    EXPECT_EQ(a.pary[i].y2, b.pary[i].y2);
  }
}

}  // namespace

TEST(DecodingCore, TwoContextsOnTwoThreadsDecodeAsOneAfterTheOther) {
  const Sada sady[2] = {nacti_sadu(DECODER_SAMPLE_DIR), nacti_sadu(PAIRS_SAMPLE_DIR)};
  ASSERT_FALSE(sady[0].snimky[1].kody.empty());
  ASSERT_FALSE(sady[1].snimky[1].kody.empty());

  KontextDekodovani jeden;
  const Vysledek postupne[2] = {dekoduj(jeden, sady[0]), dekoduj(jeden, sady[1])};
  // The sets differ, so a context that read the other's tables would show.
  ASSERT_GT(postupne[0].pary.size(), 500u);
  ASSERT_GT(postupne[1].pary.size(), 500u);
  ASSERT_NE(postupne[0].pary.size(), postupne[1].pary.size());

  // Each thread decodes its set several times, so that the two overlap:
  // from the images in memory, and reading them one at a time from the
  // files (nacti_a_identifikuj), which must give the same.
  constexpr int opakovani = 3;
  std::vector<Vysledek> soubezne[2];
  std::vector<std::thread> vlakna;
  for (int t = 0; t < 2; ++t)
    vlakna.emplace_back([&, t] {
      KontextDekodovani kontext;
      for (int i = 0; i < opakovani; ++i) {
        soubezne[t].push_back(dekoduj(kontext, sady[t]));
        Vysledek v;
        std::string chyba;
        for (int k = 0; k < 2; ++k)
          EXPECT_TRUE(kontext.nacti_a_identifikuj(sady[t].adresar, 60, k + 1, &v.kamery[k], &chyba)) << chyba;
        v.pary = paruj_kody(v.kamery[0].kody.data(), v.kamery[0].kody.size(), v.kamery[1].kody.data(),
                            v.kamery[1].kody.size(), kapacita_bodu);
        soubezne[t].push_back(v);
      }
    });
  for (std::thread& v : vlakna) v.join();
  for (int t = 0; t < 2; ++t) {
    ASSERT_EQ(soubezne[t].size(), static_cast<std::size_t>(2 * opakovani));
    for (const Vysledek& v : soubezne[t]) ocekavej_stejne(v, postupne[t]);
  }

  // The decoder program writes the same pairs (its rows count from the top,
  // as the core's do).
  const std::string adresar = novy_adresar("decoding_core");
  for (const auto& soubor : std::filesystem::directory_iterator(PAIRS_SAMPLE_DIR))
    if (soubor.path().filename().string().rfind("060", 0) == 0)
      std::filesystem::copy_file(soubor.path(), adresar + "/" + soubor.path().filename().string());
  const VysledekBehu beh = spust_program(DECODER_PATH, adresar, "", 120, {}, {"--no-window"});
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  DataParu data;
  std::string chyba;
  ASSERT_TRUE(nacti_pary(adresar + "/data.txt", "data.txt", &data, &chyba)) << chyba;
  ASSERT_EQ(data.pary.size(), postupne[1].pary.size());
  for (std::size_t i = 0; i < data.pary.size(); ++i) {
    EXPECT_EQ(data.pary[i].x1, postupne[1].pary[i].x1);
    EXPECT_EQ(data.pary[i].y2, postupne[1].pary[i].y2);
  }
  std::filesystem::remove_all(adresar);

  // And the reconstruction's triangulation, linked beside the decoder's
  // core, keeps every pair of the vase.
  const VysledekParu body = trianguluj_pary(sestava_programu(), data.pary);
  EXPECT_EQ(body.vynechano, 0);
  EXPECT_EQ(body.body.size(), data.pary.size());
}

TEST(DecodingCore, AMissingImageNamesItsFile) {
  SnimkyKamery snimky;
  std::string chyba;
  EXPECT_FALSE(nacti_snimky_kamery(DECODER_SAMPLE_DIR, 120, 1, &snimky, &chyba));
  EXPECT_NE(chyba.find("120031.bmp"), std::string::npos) << chyba;
  KontextDekodovani kontext;
  KodyKamery kody;
  chyba.clear();
  EXPECT_FALSE(kontext.nacti_a_identifikuj(DECODER_SAMPLE_DIR, 120, 2, &kody, &chyba));
  EXPECT_NE(chyba.find("120032.bmp"), std::string::npos) << chyba;
  EXPECT_EQ(jmeno_snimku(7, '8', '2', 2), "007822.bmp");
  EXPECT_EQ(vzory_kamery().size(), 19u);
}
