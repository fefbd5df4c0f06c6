// accuracy_report: runs start-up and triangulation of viewer_polar on a
// sample scene and compares every turned point and the turntable axis with
// the scene's ground truth, as they are and after the best rigid alignment;
// then splits the error into its sources with the double-precision model of
// the reconstruction. A "rig.yml" in the scene directory is used as the
// programs use it (the points are then compared after the alignment, since
// the rig's frame is the calibration object's, and its projection centres
// against the true ones); a scene with cameras of its own names them in
// "rig_truth.yml".
//
// Usage: accuracy_report [SCENE_DIRECTORY]
// Without an argument: the current directory when it holds ground_truth.txt,
// otherwise the sample scene the build generates.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "reconstruction/camera_rig.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/triangulation.h"
#include "tools/ground_truth.h"
#include "tools/marker_painting.h"
#include "tools/reconstruction_model.h"
#include "tools/rigid_alignment.h"
#include "tools/sample_scene.h"
#include "tools/seeded_random.h"

namespace {

// RMS and largest value of a set of distances.
struct Souhrn {
  double soucet_ctvercu = 0;
  double nejvic = 0;
  int pocet = 0;
  void pridej(double d) {
    soucet_ctvercu += d * d;
    nejvic = std::max(nejvic, d);
    pocet++;
  }
  double rms() const { return pocet > 0 ? std::sqrt(soucet_ctvercu / pocet) : 0.0; }
};

void radek_souhrnu(const char* nazev, const Souhrn& s) {
  std::printf("  %-44s %8.4f %8.4f\n", nazev, s.rms(), s.nejvic);
}

PixelyBodu pixely_z_dat(const BodData& b) {
  PixelyBodu p;
  p.sloupec[0] = b.x1;
  p.radek[0] = b.y1;
  p.sloupec[1] = b.x2;
  p.radek[1] = b.y2;
  return p;
}

PixelyBodu zaokrouhlene(PixelyBodu p) {
  for (int k = 0; k < 2; k++) {
    p.sloupec[k] = std::round(p.sloupec[k]);
    p.radek[k] = std::round(p.radek[k]);
  }
  return p;
}

// Offset of the pixel the scan keeps from the true position, over many
// random positions and blob radii drawn like the generator draws them:
// mean and variance per coordinate (column, row).
void odchylky_stylu(StylZnacky styl, double stredni[2], double rozptyl[2]) {
  Nahoda n(12345);
  const int vzorku = 20000;
  double s[2] = {0, 0}, q[2] = {0, 0};
  for (int i = 0; i < vzorku; i++) {
    PoziceVObraze p;
    p.sloupec = 300 + n.rovnomerne(0, 1);
    p.radek = 200 + n.rovnomerne(0, 1);
    p.pred_kamerou = true;
    const double polomer = n.rovnomerne(nejmensi_polomer_skvrny, nejvetsi_polomer_skvrny);
    const PixelObrazu posledni = pixely_znacky(p, styl, polomer).back();
    const double d[2] = {posledni.sloupec - p.sloupec, posledni.radek - p.radek};
    for (int j = 0; j < 2; j++) {
      s[j] += d[j];
      q[j] += d[j] * d[j];
    }
  }
  for (int j = 0; j < 2; j++) {
    stredni[j] = s[j] / vzorku;
    rozptyl[j] = q[j] / vzorku - stredni[j] * stredni[j];
  }
}

// The projection centres of the rig used against the true ones, both in the
// calibration object's frame (the frame of a rig the calibration writes).
void vypis_stredy_rigu(const PravdaSceny& pravda, const SestavaKamer& s) {
  std::printf("\nProjection centres of rig.yml against the true ones in the calibration "
              "object's frame:\n");
  for (int k = 0; k < 2; k++) {
    const Bod3 mistni = do_mistniho_ramce(pravda.otoceni_kalibrace, pravda.posun_kalibrace,
                                          projekcni_stred(s, k));
    const Bod3 rig{stereo_kamera[k][0], stereo_kamera[k][1], stereo_kamera[k][2]};
    std::printf("  camera %d: [%.4f, %.4f, %.4f], true [%.4f, %.4f, %.4f], off by %.4f\n", k + 1,
                rig.x, rig.y, rig.z, mistni.x, mistni.y, mistni.z, delka(rig - mistni));
  }
}

}  // namespace

int main(int argc, char** argv) {
  struct stat info {};
  const std::string adresar = argc > 1                                     ? argv[1]
                              : stat("ground_truth.txt", &info) == 0 ? "."
                                                                     : SAMPLE_SCENE_DIR;
  if (argc > 2) {
    std::fprintf(stderr, "usage: accuracy_report [SCENE_DIRECTORY]\n");
    return 1;
  }
  PravdaSceny pravda;
  std::string chyba;
  if (!nacti_pravdu(adresar + "/ground_truth.txt", &pravda, &chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return 1;
  }
  if (chdir(adresar.c_str()) != 0) {
    std::fprintf(stderr, "%s: cannot change into the directory\n", adresar.c_str());
    return 1;
  }
  for (int slot = 0; slot < 5; slot++)
    if (pravda.uhly[slot] != uhly[slot]) {
      std::fprintf(stderr, "ground_truth.txt: slot %d angle %d differs from the program's %d\n",
                   slot, pravda.uhly[slot], uhly[slot]);
      return 1;
    }

  // The pipeline of the programs up to the turn into the common frame.
  vynuluj_tabulky_sceny();
  vynuluj_pocty_znacek();
  if (!nacti_snimky_znacek(&chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return 1;
  }
  nastav_obdelniky_kamer();
  // The scene's own "rig.yml" is used as the programs use it; the true
  // cameras are the scene's "rig_truth.yml" when it has one.
  bool z_rigu = false;
  if (!nacti_rig_programu(&z_rigu, &chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return 1;
  }
  prepocet_bodu(true);

  const bool vlastni_sestava = stat(soubor_pravdy_rigu, &info) == 0;
  RigKamer pravy_rig;
  if (vlastni_sestava && !nacti_rig(soubor_pravdy_rigu, &pravy_rig, &chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return 1;
  }
  const SestavaKamer s = vlastni_sestava ? sestava_z_rigu(pravy_rig) : vychozi_sestava();
  // The error model below describes a reconstruction with the true cameras.
  const bool rozklad = !z_rigu && !vlastni_sestava;
  const StylZnacky styl = pravda.styl == "pixel" ? StylZnacky::pixel : StylZnacky::skvrna;
  std::printf("Sample scene %s (seed %lld, markers painted as %s)\n\n", adresar.c_str(),
              pravda.seed, styl == StylZnacky::pixel ? "single pixels" : "blobs");

  // Reference marks: true image positions and the pixels read.
  PixelyBodu ref_pravda[3], ref_cteno[3];
  for (int m = 0; m < 3; m++) {
    ref_pravda[m] = pixely_z_pozic(promitni(s, 0, pravda.reference[m]),
                                   promitni(s, 1, pravda.reference[m]));
    ref_cteno[m] = pixely_z_dat(body_data[slot_referenci][m]);
  }

  Souhrn za_polohu[5], celkem;
  Souhrn zdroj_kvantovani, zdroj_skvrna, zdroj_znacky, zdroj_reference, zdroj_float, model_kontrola;
  double sum_kvant_ocekavane = 0, mez_kvantovani_max = 0, mez_kvantovani_sum = 0;
  double st[2], rz[2];
  odchylky_stylu(styl, st, rz);
  double ocekavany_ctverec_znacek = 0;
  int chybi = 0;
  std::vector<Bod3> spoctene_body, prave_body;
  for (const ZaznamZnacky& z : pravda.znacky) {
    if (z.cislo > body_pocty[z.slot]) continue;
    const float* r = body_souradnice[z.slot][z.cislo - 1];
    spoctene_body.push_back({r[0], r[1], r[2]});
    prave_body.push_back(z.pravda);
  }
  const Zarovnani zarovnani = nejlepsi_zarovnani(spoctene_body, prave_body);
  Souhrn zarovnane;
  for (std::size_t i = 0; i < spoctene_body.size(); i++)
    zarovnane.pridej(delka(zarovnani(spoctene_body[i]) - prave_body[i]));
  for (const ZaznamZnacky& z : pravda.znacky) {
    if (z.cislo > body_pocty[z.slot]) {
      chybi++;
      continue;
    }
    const float* r = body_souradnice[z.slot][z.cislo - 1];
    const Bod3 spoctene{r[0], r[1], r[2]};
    const double e = delka(spoctene - z.pravda);
    za_polohu[z.slot].pridej(e);
    celkem.pridej(e);
    if (!rozklad) continue;

    const int uhel = pravda.uhly[z.slot];
    const PixelyBodu bod_pravda =
        pixely_z_pozic(promitni(s, 0, z.poloha), promitni(s, 1, z.poloha));
    const PixelyBodu bod_cteno = pixely_z_dat(body_data[z.slot][z.cislo - 1]);
    const Bod3 m_presne = zrekonstruuj(s, bod_pravda, ref_pravda, uhel);
    const Bod3 m_zaokr = zrekonstruuj(s, zaokrouhlene(bod_pravda), ref_pravda, uhel);
    const Bod3 m_znacka = zrekonstruuj(s, bod_cteno, ref_pravda, uhel);
    const Bod3 m_reference = zrekonstruuj(s, bod_pravda, ref_cteno, uhel);
    const Bod3 m_vse = zrekonstruuj(s, bod_cteno, ref_cteno, uhel);
    model_kontrola.pridej(delka(m_presne - z.pravda));
    zdroj_kvantovani.pridej(delka(m_zaokr - z.pravda));
    zdroj_skvrna.pridej(delka(m_znacka - m_zaokr));
    zdroj_znacky.pridej(delka(m_znacka - z.pravda));
    zdroj_reference.pridej(delka(m_reference - z.pravda));
    zdroj_float.pridej(delka(spoctene - m_vse));

    // Expected size from the sensitivities: rounding error uniform in half
    // a pixel (variance 1/12); the kept pixel's mean offset and variance.
    const Citlivost c = citlivost(s, bod_pravda, pravda.reference, uhel);
    Bod3 posun;
    double rozptyl_znacky = 0;
    for (int j = 0; j < 4; j++) {
      sum_kvant_ocekavane += skalar(c.bod[j], c.bod[j]) / 12.0;
      posun = posun + st[j % 2] * c.bod[j];
      rozptyl_znacky += skalar(c.bod[j], c.bod[j]) * rz[j % 2];
    }
    ocekavany_ctverec_znacek += skalar(posun, posun) + rozptyl_znacky;
    const double bez_referenci[3] = {0, 0, 0};
    const double mez = mez_chyby(c, -0.5, 0.5, bez_referenci);
    mez_kvantovani_max = std::max(mez_kvantovani_max, mez);
    mez_kvantovani_sum += mez;
  }
  const int n = std::max(1, celkem.pocet);

  std::printf("Turned points against the ground truth (world units):\n");
  std::printf("  %-44s %8s %8s\n", "", "RMS", "largest");
  const char* nazvy[5] = {"slot 0 (000)", "slot 1 (080)", "slot 2 (160)", "slot 3 (240)",
                          "slot 4 (200)"};
  for (int slot = 0; slot < 5; slot++) {
    char t[64];
    std::snprintf(t, sizeof t, "%s, %d markers", nazvy[slot], za_polohu[slot].pocet);
    radek_souhrnu(t, za_polohu[slot]);
  }
  char t[64];
  std::snprintf(t, sizeof t, "all positions, %d markers", celkem.pocet);
  radek_souhrnu(t, celkem);
  radek_souhrnu("all, after the best rigid alignment", zarovnane);
  if (chybi > 0) std::printf("  %d markers of the ground truth were not read\n", chybi);

  // With rig.yml the reconstruction's frame is the rig's: the axis is
  // compared after the alignment of the points.
  const Zarovnani do_pravdy = z_rigu ? zarovnani : Zarovnani{};
  const Bod3 stred = do_pravdy(Bod3{osa_rotace[0][0], osa_rotace[0][1], osa_rotace[0][2]});
  const Bod3 smer = jednotkovy(
      do_pravdy.smer(Bod3{rotace_normalovy[0], rotace_normalovy[1], rotace_normalovy[2]}));
  const Bod3 pravy_smer = jednotkovy(pravda.osa.smer);
  const double uhel_osy =
      std::acos(std::clamp(skalar(smer, pravy_smer), -1.0, 1.0)) * 180.0 / M_PI;
  const Bod3 odchylka = stred - pravda.osa.bod;
  const Bod3 kolmo = odchylka - skalar(odchylka, pravy_smer) * pravy_smer;
  std::printf("\nTurntable axis:\n");
  std::printf("  direction error            %.4f degrees\n", uhel_osy);
  std::printf("  centre offset              %.4f (%.4f across the true axis)\n",
              delka(odchylka), delka(kolmo));

  if (z_rigu) vypis_stredy_rigu(pravda, s);
  if (!rozklad) {
    std::printf("\nThe split of the error into its sources assumes the reconstruction works with "
                "the true cameras; left out (%s).\n",
                z_rigu ? "rig.yml is used" : "the scene has cameras of its own");
    return 0;
  }
  std::printf("\nWhere the error comes from (model of the reconstruction in double precision):\n");
  std::printf("  %-44s %8s %8s\n", "", "RMS", "largest");
  radek_souhrnu("marker pixels, all effects", zdroj_znacky);
  radek_souhrnu("  rounding to the nearest pixel", zdroj_kvantovani);
  radek_souhrnu("  blob: last pixel instead of nearest", zdroj_skvrna);
  radek_souhrnu("reference marks (through the axis)", zdroj_reference);
  radek_souhrnu("single-precision arithmetic", zdroj_float);
  radek_souhrnu("model with exact pixels (should be 0)", model_kontrola);

  std::printf("\nExpected sizes:\n");
  std::printf("  rounding to pixels: RMS %.4f (error uniform within half a pixel);\n"
              "    worst case %.4f on average, %.4f at most (half a pixel in every coordinate)\n",
              std::sqrt(sum_kvant_ocekavane / n), mez_kvantovani_sum / n, mez_kvantovani_max);
  std::printf("  kept pixel's offset from the true position (pixels): column %+.3f (sd %.3f),"
              " row %+.3f (sd %.3f)\n", st[0], std::sqrt(rz[0]), st[1], std::sqrt(rz[1]));
  std::printf("    which gives an RMS of %.4f for the marker pixels\n",
              std::sqrt(ocekavany_ctverec_znacek / n));
  std::printf("  reference marks: triangulated from the pixels read, they lie");
  for (int m = 0; m < 3; m++)
    std::printf(" %.4f%s", delka(trianguluj_pixely(s, ref_cteno[m]) - pravda.reference[m]),
                m < 2 ? "," : "");
  std::printf("\n    from the truth (marks 255, 254, 253); half a pixel in every coordinate"
              " would allow");
  for (int m = 0; m < 3; m++)
    std::printf(" %.4f%s", mez_triangulace(s, ref_pravda[m], 0.5), m < 2 ? "," : "\n");
  return 0;
}
