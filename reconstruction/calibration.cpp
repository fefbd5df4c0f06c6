// Stereo calibration from the calibration object. Every named quantity is
// stored as a float; the expressions that produce them are evaluated in
// double. The quality measure works in double throughout.
#include "reconstruction/calibration.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "common/camera_numbers.h"
#include "common/enter_prompt.h"
#include "common/geometry.h"
#include "reconstruction/bitmap_reader.h"
#include "reconstruction/log_file.h"
#include "reconstruction/rig_calibration.h"

namespace {

// Distance from the projection centre to the image plane when H and V have
// unit length.
constexpr double vzdalenost_roviny = 225.0;

float delka(const float* a) { return static_cast<float>(std::sqrt(skalarne(a, a))); }

bool konecne(const float* a, int n) {
  for (int i = 0; i < n; i++)
    if (!std::isfinite(a[i])) return false;
  return true;
}

// Closest point on line 2 (B + s e) to line 1 (A + t d); not a number when
// the lines are parallel (the caller's finiteness check then refuses the
// camera).
void nejblizsi_na_druhe(const float* a_bod, const float* d, const float* b_bod, const float* e,
                        float* vysledek) {
  float ba[3];
  for (int j = 0; j < 3; j++) ba[j] = static_cast<float>(static_cast<double>(b_bod[j]) - a_bod[j]);
  float s = std::numeric_limits<float>::quiet_NaN();
  nejblizsi_na_primce(d, e, ba, &s);
  for (int j = 0; j < 3; j++)
    vysledek[j] = static_cast<float>(b_bod[j] + static_cast<double>(s) * e[j]);
}

// Whether three points lie on one line (or coincide), relative to their
// distances: the area they span is below a millionth of the largest it
// could be.
bool v_primce(const float w[3][3]) {
  float a[3], b[3], n[3];
  for (int j = 0; j < 3; j++) {
    a[j] = static_cast<float>(static_cast<double>(w[1][j]) - w[0][j]);
    b[j] = static_cast<float>(static_cast<double>(w[2][j]) - w[0][j]);
  }
  vektorove(a, b, n);
  return delka(n) <= 1e-6 * delka(a) * delka(b);
}

std::string popis_znacek(const int* indexy) {
  std::string s;
  for (int i = 0; i < 3; i++) {
    if (i > 0) s += ", ";
    s += std::to_string(indexy[i]) + " (red " + std::to_string(indexy[i] + 1) + ")";
  }
  return s;
}

// The camera's name in messages: its image file and number.
std::string jmeno_kamery(int kamera) {
  return std::string(kalibracni_snimky[kamera]) + " (camera " + std::to_string(cislo_kamery(kamera)) + ")";
}

// Checks that the image of camera `kamera` shows the three used marks at
// three pixels not on one line.
bool over_pouzite_znacky(const KalibracniZnacky& znacky, int kamera, const int* indexy,
                         std::string* chyba) {
  std::string chybejici;
  int pocet_chybejicich = 0;
  for (int i = 0; i < 3; i++)
    if (!znacky.v_obraze[kamera][indexy[i]]) {
      if (pocet_chybejicich++ > 0) chybejici += ", ";
      chybejici += std::to_string(indexy[i]) + " (red " + std::to_string(indexy[i] + 1) + ")";
    }
  if (pocet_chybejicich > 0) {
    *chyba = jmeno_kamery(kamera) +
             (pocet_chybejicich > 1 ? ": calibration marks " : ": calibration mark ") + chybejici +
             " not found in the image; the camera is solved from marks " + popis_znacek(indexy) +
             ", which must all be shown";
    return false;
  }
  long px[3], py[3];
  for (int i = 0; i < 3; i++) {
    const BodData& b = znacky.bod[indexy[i]];
    px[i] = kamera == 0 ? b.x1 : b.x2;
    py[i] = kamera == 0 ? b.y1 : b.y2;
  }
  const long plocha = (px[1] - px[0]) * (py[2] - py[0]) - (px[2] - px[0]) * (py[1] - py[0]);
  if (plocha == 0) {
    *chyba = jmeno_kamery(kamera) + ": calibration marks " + popis_znacek(indexy) +
             " lie on one line in the image (pixels [" + std::to_string(px[0]) + ", " +
             std::to_string(py[0]) + "], [" + std::to_string(px[1]) + ", " + std::to_string(py[1]) +
             "], [" + std::to_string(px[2]) + ", " + std::to_string(py[2]) +
             "]); the camera cannot be solved from them";
    return false;
  }
  return true;
}

void vypis_presnost(std::FILE* vystup, int kamera, const PresnostKamery& p) {
  std::fprintf(vystup, "kamera %d: %d marks compared, %d not in the image", cislo_kamery(kamera), p.zmereno,
               p.chybi);
  if (p.neprojektovano > 0) std::fprintf(vystup, ", %d not projectable", p.neprojektovano);
  if (p.zmereno == 0) {
    std::fprintf(vystup, "; nothing to measure\n");
    return;
  }
  std::fprintf(vystup, "; mean %.3f px, largest %.3f px (mark %d)\n", p.prumer, p.nejvetsi,
               p.nejhorsi);
}

}  // namespace

void skenuj_kalibracni_snimek(const unsigned char* pixely, int kamera, KalibracniZnacky* znacky,
                              std::vector<int>* cizi_hodnoty) {
  bool cizi[256] = {};
  for (int radek = 0; radek < vyska_obrazu; radek++) {
    for (int sloupec = 0; sloupec < sirka_obrazu; sloupec++) {
      const unsigned char* p = pixely + radek * 1920 + sloupec * 3;
      const int r = p[0];
      if (r == 0 || p[1] != 0 || p[2] != 0) continue;
      if (r > pocet_kalibracnich_znacek) {
        cizi[r] = true;
        continue;
      }
      BodData& bod = znacky->bod[r - 1];
      if (kamera == 0) {
        bod.x1 = sloupec;
        bod.y1 = radek;
      } else {
        bod.x2 = sloupec;
        bod.y2 = radek;
      }
      znacky->v_obraze[kamera][r - 1] = true;
    }
  }
  for (int r = pocet_kalibracnich_znacek + 1; r < 256; r++)
    if (cizi[r]) cizi_hodnoty->push_back(r);
}

bool vyres_rovinu_kamery(const float uv[3][2], const float w[3][3], std::FILE* vystup,
                         RovinaKamery* rovina) {
  RovinaKamery vysledek;
  for (int j = 0; j < 3; j++) {
    float m[3][4];
    for (int i = 0; i < 3; i++) {
      m[i][0] = 1.0f;
      m[i][1] = uv[i][0];
      m[i][2] = uv[i][1];
      m[i][3] = w[i][j];
    }
    const float det0 = static_cast<float>(determinant(m, 0, 1, 2));
    const float det1 = static_cast<float>(determinant(m, 1, 2, 3));
    const float det2 = static_cast<float>(determinant(m, 0, 2, 3));
    const float det3 = static_cast<float>(determinant(m, 0, 1, 3));
    std::fprintf(vystup, "determinanty:\n");
    std::fprintf(vystup, "determinant 0: %lf\n", det0);
    std::fprintf(vystup, "determinant 1: %lf\n", det1);
    std::fprintf(vystup, "determinant 2: %lf\n", det2);
    std::fprintf(vystup, "determinant 3: %lf\n", det3);
    if (det0 == 0.0f) return false;
    const float alfa = static_cast<float>(static_cast<double>(det1) / det0);
    const float beta = static_cast<float>(-static_cast<double>(det2) / det0);
    const float gama = static_cast<float>(static_cast<double>(det3) / det0);
    vysledek.o[j] = alfa;
    vysledek.h[j] = beta;
    vysledek.v[j] = gama;
    std::fprintf(vystup, "ZKOUSKA:\n");
    for (int i = 0; i < 3; i++) {
      const float zkouska = static_cast<float>(static_cast<double>(gama) * uv[i][1] +
                                               static_cast<double>(beta) * uv[i][0] + alfa);
      std::fprintf(vystup, "%lf == %lf\n", zkouska, w[i][j]);
    }
  }
  if (!konecne(vysledek.o, 3) || !konecne(vysledek.h, 3) || !konecne(vysledek.v, 3)) return false;
  *rovina = vysledek;
  return true;
}

void stred_projekce(const RovinaKamery& rovina, const float w[3][3], std::FILE* vystup,
                    float stred[3]) {
  float n[3];
  vektorove(rovina.h, rovina.v, n);
  float q[3];
  for (int j = 0; j < 3; j++) q[j] = static_cast<float>(rovina.o[j] + vzdalenost_roviny * n[j]);
  float smer[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++)
      smer[i][j] = static_cast<float>(static_cast<double>(w[i][j]) - q[j]);
  std::fprintf(vystup, "vektory630: \n");
  for (int i = 0; i < 2; i++)
    std::fprintf(vystup, "   [%lf,   %lf,   %lf]\n", smer[i][0], smer[i][1], smer[i][2]);

  const int dvojice[3][2] = {{0, 1}, {0, 2}, {2, 1}};
  for (int j = 0; j < 3; j++) stred[j] = 0.0f;
  for (const auto& par : dvojice) {
    float bod[3];
    nejblizsi_na_druhe(w[par[0]], smer[par[0]], w[par[1]], smer[par[1]], bod);
    for (int j = 0; j < 3; j++)
      stred[j] = static_cast<float>(stred[j] + static_cast<double>(bod[j]) / 3);
  }
}

void obdelnik_kamery(const RovinaKamery& rovina, float rohy[4][3]) {
  const double znamenka[4][2] = {{-360, -240}, {-360, 240}, {360, 240}, {360, -240}};
  for (int k = 0; k < 4; k++)
    for (int j = 0; j < 3; j++)
      rohy[k][j] = static_cast<float>(rovina.o[j] +
                                      static_cast<double>(rovina.h[j]) * x_px * znamenka[k][0] +
                                      static_cast<double>(rovina.v[j]) * y_px * znamenka[k][1]);
}

bool promitni_na_pixel(const RovinaKamery& rovina, const float stred[3], const float bod[3],
                       double* sloupec, double* radek) {
  double o[3], h[3], v[3], k[3], smer[3], n[3];
  for (int j = 0; j < 3; j++) {
    o[j] = rovina.o[j];
    h[j] = rovina.h[j];
    v[j] = rovina.v[j];
    k[j] = stred[j];
    smer[j] = static_cast<double>(bod[j]) - k[j];
  }
  vektorove(h, v, n);
  const double jmenovatel = skalarne(n, smer);
  if (jmenovatel == 0.0) return false;
  double ok[3];
  for (int j = 0; j < 3; j++) ok[j] = o[j] - k[j];
  const double t = skalarne(n, ok) / jmenovatel;
  double d[3];  // from O to the point where the ray meets the plane
  for (int j = 0; j < 3; j++) d[j] = k[j] + t * smer[j] - o[j];
  const double hh = skalarne(h, h), hv = skalarne(h, v), vv = skalarne(v, v);
  const double det = hh * vv - hv * hv;
  if (det == 0.0) return false;
  const double rh = skalarne(h, d), rv = skalarne(v, d);
  const double u = (rh * vv - rv * hv) / det;
  const double w = (hh * rv - hv * rh) / det;
  *sloupec = 360.0 + u / x_px;
  *radek = 240.0 + w / y_px;
  return std::isfinite(*sloupec) && std::isfinite(*radek);
}

PresnostKamery zmer_presnost(const RovinaKamery& rovina, const float stred[3],
                             const KalibracniZnacky& znacky, int kamera) {
  PresnostKamery p;
  double soucet = 0.0;
  for (int i = 0; i < pocet_kalibracnich_znacek; i++) {
    if (!znacky.v_obraze[kamera][i]) {
      p.chybi++;
      continue;
    }
    double sloupec = 0.0, radek = 0.0;
    if (!promitni_na_pixel(rovina, stred, body_relativ[i], &sloupec, &radek)) {
      p.neprojektovano++;
      continue;
    }
    const BodData& b = znacky.bod[i];
    const double dx = sloupec - (kamera == 0 ? b.x1 : b.x2);
    const double dy = radek - (kamera == 0 ? b.y1 : b.y2);
    const double vzdalenost = std::sqrt(dx * dx + dy * dy);
    soucet += vzdalenost;
    p.zmereno++;
    if (p.nejhorsi < 0 || vzdalenost > p.nejvetsi) {
      p.nejvetsi = vzdalenost;
      p.nejhorsi = i;
    }
  }
  if (p.zmereno > 0) p.prumer = soucet / p.zmereno;
  return p;
}

namespace {

// Scans both calibration images into znacky; a red value that is no mark
// gets a warning on vystup and in the log.
void nacti_znacky(const unsigned char* const snimky[2], std::FILE* vystup, KalibracniZnacky* znacky) {
  for (int kamera = 0; kamera < 2; kamera++) {
    std::vector<int> cizi;
    skenuj_kalibracni_snimek(snimky[kamera], kamera, znacky, &cizi);
    for (int hodnota : cizi) {
      std::fprintf(vystup,
                   "warning: %s: red value %d is not a calibration mark (marks are 1 to %d); "
                   "its pixels are ignored\n",
                   kalibracni_snimky[kamera], hodnota, pocet_kalibracnich_znacek);
      zapis_log("warning: %s: red value %d ignored\n", kalibracni_snimky[kamera], hodnota);
    }
  }
}

void vypis_znacky(const KalibracniZnacky& znacky, std::FILE* vystup) {
  std::fprintf(vystup, "PRVNI KAMERA\n");
  for (int i = 0; i < pocet_kalibracnich_znacek; i++)
    std::fprintf(vystup, "%d. bod:   [%d,   %d]\n", i, znacky.bod[i].x1, znacky.bod[i].y1);
  std::fprintf(vystup, "DRUHA KAMERA\n");
  for (int i = 0; i < pocet_kalibracnich_znacek; i++)
    std::fprintf(vystup, "%d. bod:   [%d,   %d]\n", i, znacky.bod[i].x2, znacky.bod[i].y2);
}

// Checks the three marks the cameras are solved from: valid indices, not in
// line on the object, shown by both images. Sets w to their positions on
// the calibration object.
bool over_vybrane_znacky(const KalibracniZnacky& znacky, const int indexy[3], float w[3][3],
                         std::string* chyba) {
  for (int i = 0; i < 3; i++)
    if (indexy[i] < 0 || indexy[i] >= pocet_kalibracnich_znacek) {
      *chyba = "calibration: mark index " + std::to_string(indexy[i]) +
               " chosen for the solution is not one of the marks 0 to 15";
      return false;
    }
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) w[i][j] = body_relativ[indexy[i]][j];
  if (v_primce(w)) {
    *chyba = "calibration: marks " + popis_znacek(indexy) +
             " chosen for the solution lie on one line on the calibration object";
    return false;
  }
  for (int kamera = 0; kamera < 2; kamera++)
    if (!over_pouzite_znacky(znacky, kamera, indexy, chyba)) return false;
  return true;
}

// The image plane and projection centre of one camera from the three marks.
bool vyres_kameru(const KalibracniZnacky& znacky, int kamera, const int indexy[3],
                  const float w[3][3], std::FILE* vystup, RovinaKamery* rovina, float stred[3],
                  std::string* chyba) {
  float uv[3][2];
  for (int i = 0; i < 3; i++) {
    const BodData& b = znacky.bod[indexy[i]];
    const int px = kamera == 0 ? b.x1 : b.x2;
    const int py = kamera == 0 ? b.y1 : b.y2;
    uv[i][0] = static_cast<float>(static_cast<double>(px - 360) * x_px);
    uv[i][1] = static_cast<float>(static_cast<double>(py - 240) * y_px);
  }
  bool v_poradku = vyres_rovinu_kamery(uv, w, vystup, rovina);
  if (v_poradku) {
    stred_projekce(*rovina, w, vystup, stred);
    v_poradku = konecne(stred, 3);
  }
  if (!v_poradku) {
    *chyba = jmeno_kamery(kamera) + ": calibration marks " + popis_znacek(indexy) +
             " do not determine a camera (the solution is not finite)";
    return false;
  }
  return true;
}

// Stores both cameras in the scene tables and prints their vectors and positions.
void uloz_kamery(const RovinaKamery roviny[2], const float stredy[2][3], std::FILE* vystup) {
  for (int kamera = 0; kamera < 2; kamera++) {
    for (int j = 0; j < 3; j++) {
      stereo_lok[kamera][j] = roviny[kamera].o[j];
      stereo_kamera[kamera][j] = stredy[kamera][j];
    }
    obdelnik_kamery(roviny[kamera], stereo_body[kamera]);
  }

  std::fprintf(vystup, "KONEC KALIBRACE\n");
  for (int kamera = 0; kamera < 2; kamera++) {
    const RovinaKamery& r = roviny[kamera];
    std::fprintf(vystup, "vektor 1 - pozice: [%lf,   %lf,   %lf]\n", r.h[0], r.h[1], r.h[2]);
    std::fprintf(vystup, "velikost: %lf\n", delka(r.h));
    std::fprintf(vystup, "vektor 2 - pozice: [%lf,   %lf,   %lf]\n", r.v[0], r.v[1], r.v[2]);
    std::fprintf(vystup, "velikost: %lf\n", delka(r.v));
    std::fprintf(vystup, "kamera %d - pozice: [%lf,   %lf,   %lf]\n", cislo_kamery(kamera),
                 stereo_kamera[kamera][0], stereo_kamera[kamera][1], stereo_kamera[kamera][2]);
  }
}

void vypis_presnosti(const RovinaKamery roviny[2], const KalibracniZnacky& znacky,
                     const int indexy[3], std::FILE* vystup) {
  std::fprintf(vystup,
               "PRESNOST KALIBRACE: the 16 marks projected through the calibrated cameras, "
               "distance from where the images show them\n");
  for (int kamera = 0; kamera < 2; kamera++)
    vypis_presnost(vystup, kamera,
                   zmer_presnost(roviny[kamera], stereo_kamera[kamera], znacky, kamera));
  std::fprintf(vystup,
               "(about 1 px or less: the cameras fit their images; several px at one mark: that "
               "mark is misplaced or misnumbered in the image; large at most marks: check marks "
               "%d, %d and %d, which the cameras are solved from)\n",
               indexy[0], indexy[1], indexy[2]);
}

}  // namespace

bool kalibruj(const unsigned char* snimek1, const unsigned char* snimek2, std::FILE* vystup,
              std::string* chyba) {
  KalibracniZnacky znacky;
  const unsigned char* const snimky[2] = {snimek1, snimek2};
  nacti_znacky(snimky, vystup, &znacky);
  vypis_znacky(znacky, vystup);

  const int indexy[3] = {b_indexy[0], b_indexy[1], b_indexy[2]};
  float w[3][3];
  if (!over_vybrane_znacky(znacky, indexy, w, chyba)) return false;
  RovinaKamery roviny[2];
  float stredy[2][3];
  for (int kamera = 0; kamera < 2; kamera++)
    if (!vyres_kameru(znacky, kamera, indexy, w, vystup, &roviny[kamera], stredy[kamera], chyba))
      return false;

  uloz_kamery(roviny, stredy, vystup);
  vypis_presnosti(roviny, znacky, indexy, vystup);
  return true;
}

void vypis_zaver_kalibrace(std::FILE* vystup) {
  if constexpr (kalibrace_konci_vzdalenosti) {
    float rozdil[3];
    for (int j = 0; j < 3; j++)
      rozdil[j] =
          static_cast<float>(static_cast<double>(stereo_kamera[0][j]) - stereo_kamera[1][j]);
    std::fprintf(vystup, "vzdalenost od sebe: %lf\n", delka(rozdil));
  } else {
    std::fprintf(vystup, "Kalibrace dokoncena, pokracuj Enterem...\n");
  }
}

bool kalibrace(std::string* chyba) {
  std::unique_ptr<char[]> snimky[2];
  for (int kamera = 0; kamera < 2; kamera++) {
    snimky[kamera].reset(readBMP(kalibracni_snimky[kamera], chyba));
    if (!snimky[kamera]) return false;
  }
  const auto* snimek1 = reinterpret_cast<const unsigned char*>(snimky[0].get());
  const auto* snimek2 = reinterpret_cast<const unsigned char*>(snimky[1].get());
  if (!kalibruj(snimek1, snimek2, stdout, chyba)) return false;
  uloz_rig_z_kalibrace(snimek1, snimek2, stdout);
  // Without the wait the prompt goes too; viewer_polar's distance line stays.
  if (kalibrace_konci_vzdalenosti || ceka_na_enter()) vypis_zaver_kalibrace(stdout);
  std::fflush(stdout);
  if (ceka_na_enter()) std::getchar();
  return true;
}
