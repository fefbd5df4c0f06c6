// The calibration of each camera from all its marks, on a generated rig that
// differs from the compiled-in one: the rig it writes fits the images, lies
// near the true cameras, and reconstructs the scene as well as the
// compiled-in rig its own; too few, coplanar or misplaced marks give no rig;
// viewer_calibration writes "rig.yml" and viewer_polar uses it.
#include "reconstruction/rig_calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "reconstruction/bitmap_reader.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/scene_tables.h"
#include "tests/support/program_run.h"
#include "tests/tools/scene_pipeline.h"
#include "tools/rigid_alignment.h"
#include "tools/sample_scene.h"

namespace {

Scena siroka_scena(StylZnacky styl) {
  NastaveniSceny n;
  n.styl = styl;
  n.pozadi = false;
  n.sestava = siroka_sestava();
  return vytvor_scenu(n);
}

StredyZnacek stredy_v_obraze(const Obraz& obraz) {
  const std::vector<std::uint8_t> bajty = bajty_bmp(obraz);
  std::string chyba;
  std::unique_ptr<char[]> pixely(readBMP_z_pameti(bajty.data(), bajty.size(), "kalib.bmp", &chyba));
  EXPECT_TRUE(pixely) << chyba;
  return stredy_znacek(reinterpret_cast<const unsigned char*>(pixely.get()));
}

// RMS distance of the reconstructed markers from the truth after the best
// rigid alignment (a calibrated rig works in the calibration object's frame).
double rms_po_zarovnani(const Scena& sc) {
  EXPECT_EQ(zrekonstruuj_scenu(sc), "");
  std::vector<Bod3> spoctene, prave;
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (const ZnackaPolohy& z : sc.znacky[slot]) {
      const float* r = body_souradnice[slot][z.cislo - 1];
      spoctene.push_back({r[0], r[1], r[2]});
      prave.push_back(z.pravda);
    }
  const Zarovnani a = nejlepsi_zarovnani(spoctene, prave);
  double soucet = 0;
  for (std::size_t i = 0; i < spoctene.size(); i++) {
    const double d = delka(a(spoctene[i]) - prave[i]);
    soucet += d * d;
  }
  return std::sqrt(soucet / spoctene.size());
}

// The true projection centre of camera k in the calibration object's frame.
Bod3 pravy_stred(const Scena& sc, int k) {
  return do_mistniho_ramce(sc.otoceni_kalibrace, sc.posun_kalibrace, projekcni_stred(sc.sestava, k));
}

TEST(RigCalibration, TheRigSolvedFromSinglePixelMarksReconstructsTheSceneWell) {
  const Scena sc = siroka_scena(StylZnacky::pixel);
  const StredyZnacek znacky[2] = {stredy_v_obraze(sc.kalibrace[0]), stredy_v_obraze(sc.kalibrace[1])};
  RigKamer rig;
  std::FILE* nikam = std::fopen("/dev/null", "w");
  ASSERT_TRUE(kalibruj_rig(znacky, nikam, &rig));
  std::fclose(nikam);
  for (int k = 0; k < 2; k++) {
    const KalibraceKamery v = kalibruj_kameru(znacky[k]);
    ASSERT_TRUE(v.vyreseno) << v.duvod;
    EXPECT_EQ(v.pouzito, 16);
    // Rounding to pixels: the mean distance of a point uniform in a pixel
    // from its centre is 0.38 px, and fitting ten parameters to 32
    // coordinates takes some of it away.
    EXPECT_LE(v.prumer, 0.5);
    // The weak direction of one view of a small object is its distance
    // (focal length against distance): two per cent of it are allowed.
    const Bod3 c{v.kamera.stred_projekce[0], v.kamera.stred_projekce[1], v.kamera.stred_projekce[2]};
    const Bod3 pravda = pravy_stred(sc, k);
    EXPECT_LT(delka(c - pravda), 0.02 * delka(pravda)) << k;
  }
  // The compiled-in rig on its own scene, then the wide scene with and
  // without the solved rig.
  NastaveniSceny vychozi;
  vychozi.styl = StylZnacky::pixel;
  vychozi.pozadi = false;
  const double rms_vychozi = rms_po_zarovnani(vytvor_scenu(vychozi));
  pouzij_rig(rig);
  const double rms_s_rigem = rms_po_zarovnani(sc);
  pouzij_rig(vychozi_rig());
  const double rms_bez_rigu = rms_po_zarovnani(sc);
  EXPECT_LE(rms_s_rigem, 1.5 * rms_vychozi);
  EXPECT_GT(rms_bez_rigu, 10 * rms_vychozi);
}

// The scan's marker pairs refine both cameras together: exact pairs lie on
// their epipolar lines, mismatched pairs are left out without changing the
// result, too few pairs leave the cameras of the marks alone, and the
// refined rig still fits the marks and reconstructs the scene well.
TEST(RigCalibration, TheScansMarkerPairsRefineBothCamerasTogether) {
  const Scena sc = siroka_scena(StylZnacky::pixel);
  const StredyZnacek znacky[2] = {stredy_v_obraze(sc.kalibrace[0]), stredy_v_obraze(sc.kalibrace[1])};
  ASSERT_EQ(zrekonstruuj_scenu(sc), "");
  const std::vector<ParPixelu> pary = pary_skenu();
  ASSERT_GT(pary.size(), 200u);

  const auto kalibruj = [&](const std::vector<ParPixelu>& p, RigKamer* rig) {
    const std::string cesta = novy_adresar("rig-pairs") + "/out.txt";
    std::FILE* vystup = std::fopen(cesta.c_str(), "w");
    EXPECT_TRUE(kalibruj_rig(znacky, vystup, rig, p));
    std::fclose(vystup);
    return precti_soubor(cesta);
  };
  RigKamer sam, spolecny, se_spatnymi, s_malo;
  kalibruj({}, &sam);
  const std::string text = kalibruj(pary, &spolecny);
  EXPECT_NE(text.find("both cameras refined together with " + std::to_string(pary.size()) +
                      " pairs (0 left out as mismatched)"),
            std::string::npos)
      << text;
  // Camera 2's pixels of ten pairs moved to other pairs: mismatched.
  std::vector<ParPixelu> zamichane = pary;
  for (int i = 0; i < 10; i++) std::swap(zamichane[i].u[1], zamichane[100 + i].u[1]);
  zamichane.insert(zamichane.end(), pary.begin(), pary.begin() + 10);
  std::vector<ParPixelu> dobre(pary.begin() + 10, pary.end());
  for (int i = 0; i < 10; i++) dobre.erase(dobre.begin() + 90);
  dobre.insert(dobre.end(), pary.begin(), pary.begin() + 10);
  RigKamer jen_dobre;
  kalibruj(dobre, &jen_dobre);
  EXPECT_NE(kalibruj(zamichane, &se_spatnymi).find("(20 left out as mismatched)"), std::string::npos);
  EXPECT_EQ(text_rigu(se_spatnymi), text_rigu(jen_dobre));
  EXPECT_NE(kalibruj({pary.begin(), pary.begin() + minimum_paru - 1}, &s_malo)
                .find("the cameras stay as the marks alone give them"),
            std::string::npos);
  EXPECT_EQ(text_rigu(s_malo), text_rigu(sam));
  EXPECT_NE(text_rigu(spolecny), text_rigu(sam));

  for (int k = 0; k < 2; k++) {
    const double* c = spolecny.kamera[k].stred_projekce;
    const Bod3 pravda = pravy_stred(sc, k);
    EXPECT_LT(delka(Bod3{c[0], c[1], c[2]} - pravda), 0.02 * delka(pravda)) << k;
  }
  NastaveniSceny vychozi;
  vychozi.styl = StylZnacky::pixel;
  vychozi.pozadi = false;
  const double rms_vychozi = rms_po_zarovnani(vytvor_scenu(vychozi));
  pouzij_rig(spolecny);
  EXPECT_LE(rms_po_zarovnani(sc), 1.5 * rms_vychozi);
  pouzij_rig(vychozi_rig());
}

TEST(RigCalibration, TooFewCoplanarOrMisplacedMarksGiveNoRig) {
  const Scena sc = siroka_scena(StylZnacky::skvrna);
  const StredyZnacek vsechny[2] = {stredy_v_obraze(sc.kalibrace[0]), stredy_v_obraze(sc.kalibrace[1])};
  StredyZnacek malo = vsechny[0];
  for (int i = 5; i < pocet_kalibracnich_znacek; i++) malo.v_obraze[i] = false;
  KalibraceKamery v = kalibruj_kameru(malo);
  EXPECT_FALSE(v.vyreseno);
  EXPECT_EQ(v.duvod, "5 marks in the image, at least 6 needed");

  StredyZnacek rovina = vsechny[0];  // marks 0 to 8: one face only
  for (int i = 9; i < pocet_kalibracnich_znacek; i++) rovina.v_obraze[i] = false;
  v = kalibruj_kameru(rovina);
  EXPECT_FALSE(v.vyreseno);
  EXPECT_NE(v.duvod.find("lie in one plane"), std::string::npos) << v.duvod;

  StredyZnacek posunuta[2] = {vsechny[0], vsechny[1]};
  posunuta[1].sloupec[6] += 15;
  RigKamer rig;
  const std::string cesta = novy_adresar("rig-calibration") + "/out.txt";
  std::FILE* vystup = std::fopen(cesta.c_str(), "w");
  EXPECT_TRUE(kalibruj_rig(vsechny, vystup, &rig));  // painted dots fit too
  EXPECT_FALSE(kalibruj_rig(posunuta, vystup, &rig));
  std::fclose(vystup);
  const std::string text = precti_soubor(cesta);
  EXPECT_NE(text.find("rig.yml not written: camera 2 fits its image badly"), std::string::npos)
      << text;
}

TEST(RigCalibration, ViewerCalibrationWritesTheRigAndViewerPolarUsesIt) {
  const std::string adresar = novy_adresar("rig-programs");
  std::string chyba;
  ASSERT_TRUE(zapis_scenu(siroka_scena(StylZnacky::pixel), adresar, &chyba)) << chyba;
  const VysledekBehu kalibrace = spust_bez_displeje(VIEWER_CALIBRATION_PATH, adresar, "\n");
  ASSERT_TRUE(zastaveno_u_okna(kalibrace)) << kalibrace.chyby;
  EXPECT_NE(kalibrace.vystup.find("KALIBRACE ZE VSECH ZNACEK"), std::string::npos);
  EXPECT_NE(kalibrace.vystup.find("written: rig.yml"), std::string::npos) << kalibrace.vystup;
  RigKamer rig;
  ASSERT_TRUE(nacti_rig(adresar + "/rig.yml", &rig, &chyba)) << chyba;
  EXPECT_FALSE(existuje(adresar + "/rig.yml.tmp"));

  const VysledekBehu polar = spust_bez_displeje(VIEWER_POLAR_PATH, adresar, "\n");
  ASSERT_TRUE(zastaveno_u_okna(polar)) << polar.chyby;
  EXPECT_EQ(polar.vystup.rfind("camera set-up: rig.yml (unit: ", 0), 0u) << polar.vystup;
  EXPECT_NE(precti_soubor(adresar + "/logfile.txt").find("camera set-up: rig.yml"),
            std::string::npos);
}

}  // namespace
