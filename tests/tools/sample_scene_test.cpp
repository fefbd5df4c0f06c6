// The sample scene's images read back through the real marker scan, its
// geometry (visibility, reference marks, calibration object, distance from
// the vase), determinism and its files.
#include "tools/sample_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/ground_truth.h"

namespace {

// The default scene (shaded background, blobs), made once for this file.
const Scena& vychozi_scena() {
  static const Scena scena = vytvor_scenu(NastaveniSceny{});
  return scena;
}

Scena jednoducha_scena(std::uint64_t seed, StylZnacky styl) {
  NastaveniSceny n;
  n.seed = seed;
  n.styl = styl;
  n.pozadi = false;
  return vytvor_scenu(n);
}

std::unique_ptr<char[]> precti_obraz(const Obraz& obraz) {
  const std::vector<std::uint8_t> bajty = bajty_bmp(obraz);
  return std::unique_ptr<char[]>(readBMP_z_pameti(bajty.data(), bajty.size(), "test"));
}

void over_sken(const Scena& scena) {
  vynuluj_tabulky_sceny();
  vynuluj_pocty_znacek();
  for (const SnimekZnacek& snimek : snimky_znacek) {
    auto pixely = precti_obraz(scena.snimky[snimek.slot][snimek.kamera - 1]);
    ASSERT_TRUE(pixely);
    std::string chyba;
    ASSERT_TRUE(skenuj_znacky(reinterpret_cast<const unsigned char*>(pixely.get()),
                              snimek.soubor, snimek.kamera, snimek.slot, &chyba))
        << chyba;
  }
  for (int slot = 0; slot < pocet_poloh; slot++) {
    const auto& znacky = scena.znacky[slot];
    SCOPED_TRACE("slot " + std::to_string(slot));
    // Numbers 1..m, every one in both images, at the pixel painted last.
    EXPECT_EQ(body_pocty[slot], static_cast<int>(znacky.size()));
    EXPECT_LE(znacky.size(), static_cast<std::size_t>(nejvic_znacek));
    EXPECT_GE(znacky.size(), 40u);
    for (std::size_t i = 0; i < znacky.size(); i++) {
      const ZnackaPolohy& z = znacky[i];
      EXPECT_EQ(z.cislo, static_cast<int>(i) + 1);
      const BodData& b = body_data[slot][i];
      EXPECT_EQ(b.x1, z.pixel[0].sloupec);
      EXPECT_EQ(b.y1, z.pixel[0].radek);
      EXPECT_EQ(b.x2, z.pixel[1].sloupec);
      EXPECT_EQ(b.y2, z.pixel[1].radek);
      const RozsahOdchylky r = rozsah_odchylky(scena.nastaveni.styl);
      for (int k = 0; k < 2; k++) {
        EXPECT_GE(z.pixel[k].sloupec - z.pozice[k].sloupec, r.od);
        EXPECT_LE(z.pixel[k].sloupec - z.pozice[k].sloupec, r.do_);
        EXPECT_GE(z.pixel[k].radek - z.pozice[k].radek, r.od);
        EXPECT_LE(z.pixel[k].radek - z.pozice[k].radek, r.do_);
      }
    }
  }
  for (int m = 0; m < 4; m++) {
    const BodData& b = body_data[slot_referenci][m];
    const ReferencniZnacka& r = scena.reference[m];
    EXPECT_EQ(r.zelena, 255 - m);
    EXPECT_EQ(b.x1, r.pixel[0].sloupec);
    EXPECT_EQ(b.y1, r.pixel[0].radek);
    EXPECT_EQ(b.x2, r.pixel[1].sloupec);
    EXPECT_EQ(b.y2, r.pixel[1].radek);
  }
}

// The kept pixel of a dot stays within the offset range the error bounds
// rely on, for dots anywhere between pixel centres and of any radius drawn;
// and both ends of the blob range are nearly reached.
TEST(MarkerPainting, KeptPixelStaysWithinTheStylesRange) {
  Nahoda n(11);
  Obraz obraz;
  for (StylZnacky styl : {StylZnacky::pixel, StylZnacky::skvrna}) {
    const RozsahOdchylky r = rozsah_odchylky(styl);
    double nejmene = 1e9, nejvice = -1e9;
    for (int i = 0; i < 20000; i++) {
      PoziceVObraze p;
      p.sloupec = 100 + n.rovnomerne(-1, 1);
      p.radek = 100 + n.rovnomerne(-1, 1);
      p.pred_kamerou = true;
      const double polomer = n.rovnomerne(nejmensi_polomer_skvrny, nejvetsi_polomer_skvrny);
      const std::vector<PixelObrazu> px = pixely_znacky(p, styl, polomer);
      ASSERT_FALSE(px.empty());
      const PixelObrazu nejblizsi = nejblizsi_pixel(p);
      EXPECT_NE(std::find_if(px.begin(), px.end(), [&](const PixelObrazu& q) {
                  return q.sloupec == nejblizsi.sloupec && q.radek == nejblizsi.radek;
                }), px.end());
      const PixelObrazu posledni = namaluj_znacku(obraz, p, styl, polomer, 9, 0, 0);
      for (double d : {posledni.sloupec - p.sloupec, posledni.radek - p.radek}) {
        EXPECT_GE(d, r.od);
        EXPECT_LE(d, r.do_);
        nejmene = std::min(nejmene, d);
        nejvice = std::max(nejvice, d);
      }
    }
    EXPECT_LT(nejmene, r.od + 0.05);
    EXPECT_GT(nejvice, r.do_ - 0.1);
  }
}

TEST(SampleScene, MarkerScanReadsEveryMarkerOfTheDefaultScene) { over_sken(vychozi_scena()); }

TEST(SampleScene, MarkerScanReadsEveryMarkerWithSinglePixelsAndOtherSeeds) {
  for (std::uint64_t seed : {2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    over_sken(jednoducha_scena(seed, StylZnacky::pixel));
    over_sken(jednoducha_scena(seed, StylZnacky::skvrna));
  }
}

TEST(SampleScene, ObjectAndNumberingDoNotDependOnTheStyleOrTheBackground) {
  const Scena& a = vychozi_scena();
  const Scena b = jednoducha_scena(1, StylZnacky::pixel);
  ASSERT_EQ(a.body_objektu.size(), b.body_objektu.size());
  for (std::size_t i = 0; i < a.body_objektu.size(); i++)
    EXPECT_EQ(delka(a.body_objektu[i] - b.body_objektu[i]), 0.0);
  for (int slot = 0; slot < pocet_poloh; slot++) {
    ASSERT_EQ(a.znacky[slot].size(), b.znacky[slot].size());
    for (std::size_t i = 0; i < a.znacky[slot].size(); i++)
      EXPECT_EQ(a.znacky[slot][i].bod_objektu, b.znacky[slot][i].bod_objektu);
  }
}

// Every marker is the first surface point its viewing ray meets, from both
// cameras, and faces both projection centres.
TEST(SampleScene, NoMarkerIsHiddenOrSeenFromBehind) {
  const Scena& sc = vychozi_scena();
  int spolecnych = 0;
  std::set<int> videne;
  for (int slot = 0; slot < pocet_poloh; slot++) {
    for (const ZnackaPolohy& z : sc.znacky[slot]) {
      EXPECT_LT(delka(poloha_pri_snimku(sc, z.pravda, slot) - z.poloha), 1e-9);
      const Bod3 normala = otoc(sc.normaly_objektu[z.bod_objektu], Osa{Bod3{}, sc.osa.smer},
                                -uhel_polohy(slot));
      for (int k = 0; k < 2; k++) {
        const Bod3 oko = projekcni_stred(sc.sestava, k);
        EXPECT_GT(skalar(normala, jednotkovy(oko - z.poloha)), 0.2);
        // March from the camera: the first point inside the vase is the marker.
        // The photographed vase is the home vase turned by -angle, so march
        // the home vase with the camera turned by +angle.
        const Bod3 oko_doma = do_mistni(sc.tocna, otoc(oko, sc.osa, uhel_polohy(slot)));
        const Bod3 cil_doma = do_mistni(sc.tocna, z.pravda);
        const double l = delka(cil_doma - oko_doma);
        double prvni = l + 1;
        for (double t = 0; t < l + 1; t += 0.01)
          if (uvnitr_vazy(oko_doma + (t / l) * (cil_doma - oko_doma))) {
            prvni = t;
            break;
          }
        EXPECT_NEAR(prvni, l, 0.05) << "slot " << slot << " marker " << z.cislo;
      }
      if (videne.count(z.bod_objektu)) spolecnych++;
      videne.insert(z.bod_objektu);
    }
  }
  // Neighbouring positions overlap: many points are seen more than once.
  EXPECT_GT(spolecnych, 60);
}

TEST(SampleScene, ReferenceMarksLieOnACircleAboutTheTrueAxis) {
  const Scena& sc = vychozi_scena();
  for (const ReferencniZnacka& r : sc.reference) {
    const Bod3 d = r.poloha - sc.osa.bod;
    EXPECT_NEAR(skalar(d, sc.osa.smer), 0.0, 1e-9);  // on the turntable plane
    EXPECT_NEAR(delka(d), sc.polomer_referenci, 1e-9);
    // Not hidden by the vase as photographed in slot 1.
    for (int k = 0; k < 2; k++) {
      const Bod3 oko = otoc(projekcni_stred(sc.sestava, k), sc.osa, uhel_polohy(1));
      const Bod3 cil = otoc(r.poloha, sc.osa, uhel_polohy(1));
      EXPECT_FALSE(zakryto_vazou(do_mistni(sc.tocna, oko), do_mistni(sc.tocna, cil)));
      EXPECT_TRUE(r.pozice[k].pred_kamerou);
    }
  }
  // The axis the reconstruction derives from marks 255, 254, 253 is the
  // true one, sign included.
  const Osa osa = osa_z_referenci(sc.reference[0].poloha, sc.reference[1].poloha,
                                  sc.reference[2].poloha);
  EXPECT_LT(delka(osa.bod - sc.osa.bod), 1e-9);
  EXPECT_LT(delka(osa.smer - sc.osa.smer), 1e-12);
}

TEST(SampleScene, CalibrationMarksAreInViewAndSpanTheImage) {
  const Scena& sc = vychozi_scena();
  // The rotation is a rotation and places every mark.
  const auto& r = sc.otoceni_kalibrace;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      double s = 0;
      for (int m = 0; m < 3; m++) s += r[m][i] * r[m][j];
      EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-12);
    }
  const double det = r[0][0] * (r[1][1] * r[2][2] - r[1][2] * r[2][1]) -
                     r[0][1] * (r[1][0] * r[2][2] - r[1][2] * r[2][0]) +
                     r[0][2] * (r[1][0] * r[2][1] - r[1][1] * r[2][0]);
  EXPECT_NEAR(det, 1.0, 1e-12);
  vynuluj_tabulky_sceny();
  for (int k = 0; k < 2; k++) {
    SCOPED_TRACE("camera " + std::to_string(k + 1));
    // Scan the calibration image like the calibration does: pure red 1..16,
    // the last pixel of each mark wins.
    auto pixely = precti_obraz(sc.kalibrace[k]);
    ASSERT_TRUE(pixely);
    int sloupec[16], radek[16];
    std::fill(sloupec, sloupec + 16, -1);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pixely.get());
    for (int y = 0; y < 480; y++)
      for (int x = 0; x < 640; x++) {
        const unsigned char* q = p + y * 1920 + x * 3;
        if (q[0] != 0 && q[1] == 0 && q[2] == 0) {
          ASSERT_LE(q[0], 16);
          sloupec[q[0] - 1] = x;
          radek[q[0] - 1] = y;
        }
      }
    for (int i = 0; i < 16; i++) {
      const KalibracniZnacka& z = sc.kalibracni[i];
      EXPECT_EQ(sloupec[i], z.pixel[k].sloupec) << "mark " << i + 1;
      EXPECT_EQ(radek[i], z.pixel[k].radek) << "mark " << i + 1;
      const Bod3 m{body_relativ[i][0], body_relativ[i][1], body_relativ[i][2]};
      EXPECT_LT(delka(z.mistni - m), 1e-12);
      const Bod3 svet = sc.posun_kalibrace + Bod3{r[0][0] * m.x + r[0][1] * m.y + r[0][2] * m.z,
                                                  r[1][0] * m.x + r[1][1] * m.y + r[1][2] * m.z,
                                                  r[2][0] * m.x + r[2][1] * m.y + r[2][2] * m.z};
      EXPECT_LT(delka(svet - z.poloha), 1e-12);
    }
    // Marks 0, 8 and 14 span a triangle of well over a thousand square
    // pixels, far from lying on one line.
    const int a = b_indexy[0], b = b_indexy[1], c = b_indexy[2];
    const double plocha = 0.5 * std::abs((sloupec[b] - sloupec[a]) * (radek[c] - radek[a]) -
                                         (sloupec[c] - sloupec[a]) * (radek[b] - radek[a]));
    EXPECT_GT(plocha, 1000.0);
  }
}

// The default scene as the library makes it in this process and as the
// program makes it in another are the same bytes; another seed changes
// every file.
TEST(SampleScene, SameSeedGivesIdenticalFilesAndAnotherSeedDoesNot) {
  const std::string a = novy_adresar("scene-a"), b = novy_adresar("scene-b"),
                    c = novy_adresar("scene-c");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(vychozi_scena(), a, &chyba)) << chyba;
  const VysledekBehu beh = spust_program(MAKE_SAMPLE_SCENE_PATH, b);
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  NastaveniSceny n;
  n.seed = 2;
  ASSERT_TRUE(zapis_scenu(vytvor_scenu(n), c, &chyba)) << chyba;
  const char* soubory[] = {"000_k1_A.bmp", "000_k2_A.bmp", "080_k1_A.bmp", "080_k2_A.bmp",
                           "160_k1_A.bmp", "160_k2_A.bmp", "240_k1_A.bmp", "240_k2_A.bmp",
                           "200_k1_A.bmp", "200_k2_A.bmp", "kalib1.bmp",   "kalib2.bmp",
                           "ground_truth.txt"};
  for (const char* s : soubory) {
    const std::string obsah = precti_soubor(a + "/" + s);
    EXPECT_GT(obsah.size(), 1000u) << s;
    EXPECT_EQ(obsah, precti_soubor(b + "/" + s)) << s;
    EXPECT_NE(obsah, precti_soubor(c + "/" + s)) << s;
    EXPECT_FALSE(existuje(a + "/" + s + ".tmp")) << s;
  }
}

TEST(SampleScene, GroundTruthFileReadsBack) {
  const Scena& sc = vychozi_scena();
  const std::string adresar = novy_adresar("scene-truth");
  const std::string cesta = adresar + "/ground_truth.txt";
  const std::string text = text_pravdy(sc);
  ASSERT_TRUE(zapis_soubor(cesta, std::vector<std::uint8_t>(text.begin(), text.end())));
  PravdaSceny p;
  std::string chyba;
  ASSERT_TRUE(nacti_pravdu(cesta, &p, &chyba)) << chyba;
  EXPECT_EQ(p.seed, 1);
  EXPECT_EQ(p.styl, "blob");
  EXPECT_LT(delka(p.osa.bod - sc.osa.bod), 1e-9);
  EXPECT_LT(delka(p.osa.smer - sc.osa.smer), 1e-9);
  for (int m = 0; m < 4; m++) EXPECT_LT(delka(p.reference[m] - sc.reference[m].poloha), 1e-9);
  for (int i = 0; i < 16; i++) EXPECT_LT(delka(p.kalibracni[i] - sc.kalibracni[i].poloha), 1e-9);
  std::size_t i = 0;
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (const ZnackaPolohy& z : sc.znacky[slot]) {
      ASSERT_LT(i, p.znacky.size());
      const ZaznamZnacky& r = p.znacky[i++];
      EXPECT_EQ(r.slot, slot);
      EXPECT_EQ(r.cislo, z.cislo);
      EXPECT_EQ(r.bod_objektu, z.bod_objektu);
      EXPECT_LT(delka(r.pravda - z.pravda), 1e-9);
      EXPECT_LT(delka(r.poloha - z.poloha), 1e-9);
    }
  EXPECT_EQ(i, p.znacky.size());

  // A damaged file is refused with its name and line.
  const std::string spatny = adresar + "/bad.txt";
  const std::string obsah = "seed 1\nmarker 7 1 1 0 0 0 0 0 0\n";
  ASSERT_TRUE(zapis_soubor(spatny, std::vector<std::uint8_t>(obsah.begin(), obsah.end())));
  EXPECT_FALSE(nacti_pravdu(spatny, &p, &chyba));
  EXPECT_NE(chyba.find("bad.txt: line 2"), std::string::npos) << chyba;
  EXPECT_FALSE(nacti_pravdu(adresar + "/missing.txt", &p, &chyba));
  EXPECT_NE(chyba.find("missing.txt"), std::string::npos) << chyba;
}

// Distance from the true object, as the mesh report measures it: zero on
// the side, the offset along the outward normal off it, the height above
// the closed top; and the turntable frame recovered from a tilted scene's
// ground truth.
TEST(SampleScene, DistanceFromTheVaseAndTheTurntableFrameFromTheTruth) {
  for (double h : {1.0, 9.0, 20.0, 27.5, 31.0})
    for (double phi : {0.0, 0.7, 2.5, 4.0}) {
      const BodPovrchu b = bod_vazy(h, phi);
      EXPECT_NEAR(vzdalenost_od_vazy(b.poloha), 0.0, 1e-6);
      for (double d : {-0.2, 0.3}) EXPECT_NEAR(vzdalenost_od_vazy(b.poloha + d * b.normala), std::abs(d), 1e-5);
    }
  EXPECT_NEAR(vzdalenost_od_vazy({0.5, -1.0, vyska_vazy + 1.5}), 1.5, 1e-9);
  EXPECT_NEAR(vzdalenost_od_vazy({1.0, 2.0, -0.75}), 0.75, 1e-9);

  NastaveniSceny n;
  n.naklon_stupnu = -6;
  n.pozadi = false;
  const Scena sc = vytvor_scenu(n);
  const std::string cesta = novy_adresar("scene-frame") + "/ground_truth.txt";
  const std::string text = text_pravdy(sc);
  ASSERT_TRUE(zapis_soubor(cesta, std::vector<std::uint8_t>(text.begin(), text.end())));
  PravdaSceny p;
  std::string chyba;
  ASSERT_TRUE(nacti_pravdu(cesta, &p, &chyba)) << chyba;
  const SoustavaTocny t = soustava_tocny_z_pravdy(p);
  EXPECT_LT(delka(t.stred - sc.tocna.stred), 1e-9);
  EXPECT_LT(delka(t.e1 - sc.tocna.e1), 1e-9);
  EXPECT_LT(delka(t.e2 - sc.tocna.e2), 1e-9);
  EXPECT_LT(delka(t.nahoru - sc.tocna.nahoru), 1e-9);
}

TEST(SampleScene, UnwritableDirectoryIsReportedByFileName) {
  std::string chyba;
  EXPECT_FALSE(zapis_scenu(jednoducha_scena(1, StylZnacky::pixel), "/nonexistent-dir", &chyba));
  EXPECT_NE(chyba.find("/nonexistent-dir/000_k1_A.bmp"), std::string::npos) << chyba;
}

}  // namespace

namespace {

// The wide rig's scene shows as much as the default one, and a scene made
// from its "rig_truth.yml" (make_sample_scene --rig) is the same scene.
TEST(SampleScene, WideRigSceneSeesEverythingAndComesBackThroughItsRigFile) {
  NastaveniSceny n;
  n.pozadi = false;
  n.sestava = siroka_sestava();
  const Scena sc = vytvor_scenu(n);
  over_sken(sc);
  for (int slot = 0; slot < pocet_poloh; slot++) EXPECT_GE(sc.znacky[slot].size(), 40u);
  for (const KalibracniZnacka& z : sc.kalibracni)
    for (int k = 0; k < 2; k++) {
      EXPECT_TRUE(z.pozice[k].pred_kamerou);
      EXPECT_GT(z.pozice[k].sloupec, 0);
      EXPECT_LT(z.pozice[k].sloupec, 639);
      EXPECT_GT(z.pozice[k].radek, 0);
      EXPECT_LT(z.pozice[k].radek, 479);
    }
  const std::string adresar = novy_adresar("scene-wide");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(sc, adresar, &chyba)) << chyba;
  RigKamer rig;
  ASSERT_TRUE(nacti_rig(adresar + "/" + soubor_pravdy_rigu, &rig, &chyba)) << chyba;
  n.sestava = sestava_z_rigu(rig);
  const Scena znovu = vytvor_scenu(n);
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (int k = 0; k < 2; k++) EXPECT_TRUE(znovu.snimky[slot][k].rgb == sc.snimky[slot][k].rgb);
  for (int k = 0; k < 2; k++) EXPECT_TRUE(znovu.kalibrace[k].rgb == sc.kalibrace[k].rgb);
}

}  // namespace
