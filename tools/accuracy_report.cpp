// accuracy_report: runs start-up and triangulation of viewer_polar on a
// sample scene and compares every turned point and the turntable axis with
// the scene's ground truth; then splits the error into its sources with the
// double-precision model of the reconstruction.
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

#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/triangulation.h"
#include "tools/ground_truth.h"
#include "tools/marker_painting.h"
#include "tools/reconstruction_model.h"
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

// The scene directory from the arguments (see the usage above), its ground
// truth, and the pipeline of the programs up to the turn into the common
// frame, run inside that directory. False after a message on standard error.
bool priprav_scenu(int argc, char** argv, std::string* adresar, PravdaSceny* pravda) {
  struct stat info {};
  *adresar = argc > 1                                     ? argv[1]
             : stat("ground_truth.txt", &info) == 0 ? "."
                                                    : SAMPLE_SCENE_DIR;
  if (argc > 2) {
    std::fprintf(stderr, "usage: accuracy_report [SCENE_DIRECTORY]\n");
    return false;
  }
  std::string chyba;
  if (!nacti_pravdu(*adresar + "/ground_truth.txt", pravda, &chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return false;
  }
  if (chdir(adresar->c_str()) != 0) {
    std::fprintf(stderr, "%s: cannot change into the directory\n", adresar->c_str());
    return false;
  }
  for (int slot = 0; slot < 5; slot++)
    if (pravda->uhly[slot] != uhly[slot]) {
      std::fprintf(stderr, "ground_truth.txt: slot %d angle %d differs from the program's %d\n",
                   slot, pravda->uhly[slot], uhly[slot]);
      return false;
    }

  vynuluj_tabulky_sceny();
  vynuluj_pocty_znacek();
  if (!nacti_snimky_znacek(&chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return false;
  }
  nastav_obdelniky_kamer();
  prepocet_bodu(true);
  return true;
}

// The reference marks: their true image positions and the pixels read.
struct Reference {
  PixelyBodu pravda[3], cteno[3];
};

// The errors of the turned points, their sources in the double-precision
// model and the sizes the sensitivities lead one to expect.
struct Rozbor {
  Souhrn za_polohu[5], celkem;
  Souhrn zdroj_kvantovani, zdroj_skvrna, zdroj_znacky, zdroj_reference, zdroj_float, model_kontrola;
  double sum_kvant_ocekavane = 0, mez_kvantovani_max = 0, mez_kvantovani_sum = 0;
  double st[2], rz[2];  // the kept pixel's mean offset and variance (column, row)
  double ocekavany_ctverec_znacek = 0;
  int chybi = 0;
};

// One marker of the ground truth: its error and the errors of the model
// with each source alone, and its expected sizes.
void rozeber_znacku(const SestavaKamer& s, const PravdaSceny& pravda, const Reference& ref,
                    const ZaznamZnacky& z, Rozbor& r) {
  const float* bod = body_souradnice[z.slot][z.cislo - 1];
  const Bod3 spoctene{bod[0], bod[1], bod[2]};
  const double e = delka(spoctene - z.pravda);
  r.za_polohu[z.slot].pridej(e);
  r.celkem.pridej(e);

  const int uhel = pravda.uhly[z.slot];
  const PixelyBodu bod_pravda = pixely_z_pozic(promitni(s, 0, z.poloha), promitni(s, 1, z.poloha));
  const PixelyBodu bod_cteno = pixely_z_dat(body_data[z.slot][z.cislo - 1]);
  const Bod3 m_presne = zrekonstruuj(s, bod_pravda, ref.pravda, uhel);
  const Bod3 m_zaokr = zrekonstruuj(s, zaokrouhlene(bod_pravda), ref.pravda, uhel);
  const Bod3 m_znacka = zrekonstruuj(s, bod_cteno, ref.pravda, uhel);
  const Bod3 m_reference = zrekonstruuj(s, bod_pravda, ref.cteno, uhel);
  const Bod3 m_vse = zrekonstruuj(s, bod_cteno, ref.cteno, uhel);
  r.model_kontrola.pridej(delka(m_presne - z.pravda));
  r.zdroj_kvantovani.pridej(delka(m_zaokr - z.pravda));
  r.zdroj_skvrna.pridej(delka(m_znacka - m_zaokr));
  r.zdroj_znacky.pridej(delka(m_znacka - z.pravda));
  r.zdroj_reference.pridej(delka(m_reference - z.pravda));
  r.zdroj_float.pridej(delka(spoctene - m_vse));

  // Expected size from the sensitivities: rounding error uniform in half
  // a pixel (variance 1/12); the kept pixel's mean offset and variance.
  const Citlivost c = citlivost(s, bod_pravda, pravda.reference, uhel);
  Bod3 posun;
  double rozptyl_znacky = 0;
  for (int j = 0; j < 4; j++) {
    r.sum_kvant_ocekavane += skalar(c.bod[j], c.bod[j]) / 12.0;
    posun = posun + r.st[j % 2] * c.bod[j];
    rozptyl_znacky += skalar(c.bod[j], c.bod[j]) * r.rz[j % 2];
  }
  r.ocekavany_ctverec_znacek += skalar(posun, posun) + rozptyl_znacky;
  const double bez_referenci[3] = {0, 0, 0};
  const double mez = mez_chyby(c, -0.5, 0.5, bez_referenci);
  r.mez_kvantovani_max = std::max(r.mez_kvantovani_max, mez);
  r.mez_kvantovani_sum += mez;
}

void vypis_polohy(const Rozbor& r) {
  std::printf("Turned points against the ground truth (world units):\n");
  std::printf("  %-44s %8s %8s\n", "", "RMS", "largest");
  const char* nazvy[5] = {"slot 0 (000)", "slot 1 (080)", "slot 2 (160)", "slot 3 (240)",
                          "slot 4 (200)"};
  for (int slot = 0; slot < 5; slot++) {
    char t[64];
    std::snprintf(t, sizeof t, "%s, %d markers", nazvy[slot], r.za_polohu[slot].pocet);
    radek_souhrnu(t, r.za_polohu[slot]);
  }
  char t[64];
  std::snprintf(t, sizeof t, "all positions, %d markers", r.celkem.pocet);
  radek_souhrnu(t, r.celkem);
  if (r.chybi > 0) std::printf("  %d markers of the ground truth were not read\n", r.chybi);
}

void vypis_osu(const PravdaSceny& pravda) {
  const Bod3 stred{osa_rotace[0][0], osa_rotace[0][1], osa_rotace[0][2]};
  const Bod3 smer = jednotkovy(Bod3{rotace_normalovy[0], rotace_normalovy[1], rotace_normalovy[2]});
  const Bod3 pravy_smer = jednotkovy(pravda.osa.smer);
  const double uhel_osy =
      std::acos(std::clamp(skalar(smer, pravy_smer), -1.0, 1.0)) * 180.0 / M_PI;
  const Bod3 odchylka = stred - pravda.osa.bod;
  const Bod3 kolmo = odchylka - skalar(odchylka, pravy_smer) * pravy_smer;
  std::printf("\nTurntable axis:\n");
  std::printf("  direction error            %.4f degrees\n", uhel_osy);
  std::printf("  centre offset              %.4f (%.4f across the true axis)\n",
              delka(odchylka), delka(kolmo));
}

void vypis_zdroje(const Rozbor& r) {
  std::printf("\nWhere the error comes from (model of the reconstruction in double precision):\n");
  std::printf("  %-44s %8s %8s\n", "", "RMS", "largest");
  radek_souhrnu("marker pixels, all effects", r.zdroj_znacky);
  radek_souhrnu("  rounding to the nearest pixel", r.zdroj_kvantovani);
  radek_souhrnu("  blob: last pixel instead of nearest", r.zdroj_skvrna);
  radek_souhrnu("reference marks (through the axis)", r.zdroj_reference);
  radek_souhrnu("single-precision arithmetic", r.zdroj_float);
  radek_souhrnu("model with exact pixels (should be 0)", r.model_kontrola);
}

void vypis_ocekavane(const Rozbor& r, const SestavaKamer& s, const PravdaSceny& pravda,
                     const Reference& ref) {
  const int n = std::max(1, r.celkem.pocet);
  std::printf("\nExpected sizes:\n");
  std::printf("  rounding to pixels: RMS %.4f (error uniform within half a pixel);\n"
              "    worst case %.4f on average, %.4f at most (half a pixel in every coordinate)\n",
              std::sqrt(r.sum_kvant_ocekavane / n), r.mez_kvantovani_sum / n, r.mez_kvantovani_max);
  std::printf("  kept pixel's offset from the true position (pixels): column %+.3f (sd %.3f),"
              " row %+.3f (sd %.3f)\n", r.st[0], std::sqrt(r.rz[0]), r.st[1], std::sqrt(r.rz[1]));
  std::printf("    which gives an RMS of %.4f for the marker pixels\n",
              std::sqrt(r.ocekavany_ctverec_znacek / n));
  std::printf("  reference marks: triangulated from the pixels read, they lie");
  for (int m = 0; m < 3; m++)
    std::printf(" %.4f%s", delka(trianguluj_pixely(s, ref.cteno[m]) - pravda.reference[m]),
                m < 2 ? "," : "");
  std::printf("\n    from the truth (marks 255, 254, 253); half a pixel in every coordinate"
              " would allow");
  for (int m = 0; m < 3; m++)
    std::printf(" %.4f%s", mez_triangulace(s, ref.pravda[m], 0.5), m < 2 ? "," : "\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string adresar;
  PravdaSceny pravda;
  if (!priprav_scenu(argc, argv, &adresar, &pravda)) return 1;

  const SestavaKamer s = vychozi_sestava();
  const StylZnacky styl = pravda.styl == "pixel" ? StylZnacky::pixel : StylZnacky::skvrna;
  std::printf("Sample scene %s (seed %lld, markers painted as %s)\n\n", adresar.c_str(),
              pravda.seed, styl == StylZnacky::pixel ? "single pixels" : "blobs");

  Reference ref;
  for (int m = 0; m < 3; m++) {
    ref.pravda[m] = pixely_z_pozic(promitni(s, 0, pravda.reference[m]),
                                   promitni(s, 1, pravda.reference[m]));
    ref.cteno[m] = pixely_z_dat(body_data[slot_referenci][m]);
  }

  Rozbor rozbor;
  odchylky_stylu(styl, rozbor.st, rozbor.rz);
  for (const ZaznamZnacky& z : pravda.znacky) {
    if (z.cislo > body_pocty[z.slot]) {
      rozbor.chybi++;
      continue;
    }
    rozeber_znacku(s, pravda, ref, z, rozbor);
  }

  vypis_polohy(rozbor);
  vypis_osu(pravda);
  vypis_zdroje(rozbor);
  vypis_ocekavane(rozbor, s, pravda, ref);
  return 0;
}
