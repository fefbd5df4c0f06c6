// The calibration of each camera from all its marks with OpenCV calib3d.
#include "reconstruction/rig_calibration.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

#include "common/camera_numbers.h"
#include "common/messages.h"
#include "reconstruction/bitmap_reader.h"
#include "reconstruction/log_file.h"
#include "reconstruction/rig_adjustment.h"
#include "reconstruction/scene_tables.h"

namespace {

// Image rows of OpenCV's camera model grow downwards; the marker scan's rows
// grow with the first row stored in the bitmap, which is the bottom row.
constexpr double posledni_radek = vyska_obrazu - 1;

struct Shody {
  std::vector<cv::Point3d> objekt;
  std::vector<cv::Point2d> obraz;  // (column, row flipped to grow downwards)
  std::vector<int> znacky;
};

Shody shody_kamery(const StredyZnacek& z, int* chybi) {
  Shody s;
  *chybi = 0;
  for (int i = 0; i < pocet_kalibracnich_znacek; i++) {
    if (!z.v_obraze[i]) {
      (*chybi)++;
      continue;
    }
    s.objekt.emplace_back(body_relativ[i][0], body_relativ[i][1], body_relativ[i][2]);
    s.obraz.emplace_back(z.sloupec[i], posledni_radek - z.radek[i]);
    s.znacky.push_back(i);
  }
  return s;
}

// Whether the points span space: the smallest spread of the centred points
// is at least a thousandth of the largest.
bool prostorove(const std::vector<cv::Point3d>& body) {
  cv::Mat m(static_cast<int>(body.size()), 3, CV_64F);
  cv::Point3d t(0, 0, 0);
  for (const auto& b : body) t += b * (1.0 / body.size());
  for (int i = 0; i < m.rows; i++) {
    const cv::Point3d d = body[i] - t;
    m.at<double>(i, 0) = d.x;
    m.at<double>(i, 1) = d.y;
    m.at<double>(i, 2) = d.z;
  }
  cv::Mat w;
  cv::SVD::compute(m, w, cv::SVD::NO_UV);
  return w.at<double>(2) > 1e-3 * w.at<double>(0);
}

// Similarity that moves the points' centroid to 0 and their mean distance
// from it to sqrt(rozmer) (Hartley's normalisation), as a homogeneous
// matrix; rozmer is 2 (image points, z of the input ignored) or 3.
cv::Matx44d normalizace(const std::vector<cv::Point3d>& body, int rozmer) {
  cv::Point3d t(0, 0, 0);
  for (const auto& b : body) t += b * (1.0 / body.size());
  if (rozmer == 2) t.z = 0;
  double vzdalenost = 0;
  for (const auto& b : body) {
    cv::Point3d d = b - t;
    if (rozmer == 2) d.z = 0;
    vzdalenost += cv::norm(d) / body.size();
  }
  const double s = std::sqrt(static_cast<double>(rozmer)) / vzdalenost;
  const double posun[3] = {t.x, t.y, t.z};
  cv::Matx44d n = cv::Matx44d::zeros();
  for (int j = 0; j < rozmer; j++) {
    n(j, j) = s;
    n(j, rozmer) = -s * posun[j];
  }
  n(rozmer, rozmer) = 1;
  return n;
}

// The DLT: the 3 x 4 projection matrix that maps the object points to the
// image points best in the algebraic sense.
cv::Matx34d dlt(const Shody& s) {
  std::vector<cv::Point3d> obraz;
  for (const auto& u : s.obraz) obraz.emplace_back(u.x, u.y, 0.0);
  const cv::Matx44d tn4 = normalizace(s.objekt, 3);
  const cv::Matx44d tn3 = normalizace(obraz, 2);
  const int n = static_cast<int>(s.objekt.size());
  cv::Mat a = cv::Mat::zeros(2 * n, 12, CV_64F);
  for (int i = 0; i < n; i++) {
    const cv::Vec4d x = tn4 * cv::Vec4d(s.objekt[i].x, s.objekt[i].y, s.objekt[i].z, 1);
    const cv::Vec4d u = tn3 * cv::Vec4d(s.obraz[i].x, s.obraz[i].y, 1, 0);
    for (int j = 0; j < 4; j++) {
      a.at<double>(2 * i, j) = x[j];
      a.at<double>(2 * i, 8 + j) = -u[0] * x[j];
      a.at<double>(2 * i + 1, 4 + j) = x[j];
      a.at<double>(2 * i + 1, 8 + j) = -u[1] * x[j];
    }
  }
  cv::Mat p;
  cv::SVD::solveZ(a, p);
  cv::Matx34d pn;
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 4; c++) pn(r, c) = p.at<double>(4 * r + c);
  const cv::Matx33d t3(tn3(0, 0), tn3(0, 1), tn3(0, 2), tn3(1, 0), tn3(1, 1), tn3(1, 2), tn3(2, 0),
                       tn3(2, 1), tn3(2, 2));
  return t3.inv() * pn * tn4;
}

// The first camera matrix from a projection matrix (RQ decomposition with
// positive diagonal, skew dropped). False when it is not a camera in front
// of which the points lie.
bool matice_kamery(cv::Matx34d p, cv::Matx33d* k) {
  cv::Matx33d m = p.get_minor<3, 3>(0, 0);
  if (cv::determinant(m) < 0) m = -m;
  cv::Matx33d r, q;
  cv::RQDecomp3x3(m, r, q);
  for (int i = 0; i < 3; i++)
    if (r(i, i) < 0)
      for (int j = 0; j < 3; j++) r(j, i) = -r(j, i);
  if (!(r(2, 2) > 0)) return false;
  r = r * (1.0 / r(2, 2));
  if (!(r(0, 0) > 0 && r(1, 1) > 0 && std::isfinite(r(0, 2)) && std::isfinite(r(1, 2))))
    return false;
  // cv::calibrateCamera starts only from a principal point inside the image;
  // a poor linear solve (a misplaced mark) may put it outside.
  const double cx = std::min(std::max(r(0, 2), 0.0), sirka_obrazu - 1.0);
  const double cy = std::min(std::max(r(1, 2), 0.0), vyska_obrazu - 1.0);
  *k = cv::Matx33d(r(0, 0), 0, cx, 0, r(1, 1), cy, 0, 0, 1);
  return true;
}

// The solved camera as a rig camera (see the header).
KameraRigu kamera_rigu(const cv::Matx33d& k, const cv::Vec3d& rvec, const cv::Vec3d& tvec,
                       const Shody& s) {
  cv::Matx33d r;
  cv::Rodrigues(rvec, r);
  const cv::Vec3d c = -(r.t() * tvec);
  const cv::Vec3d ex(r(0, 0), r(0, 1), r(0, 2)), ey(r(1, 0), r(1, 1), r(1, 2)),
      ez(r(2, 0), r(2, 1), r(2, 2));
  cv::Vec3d teziste(0, 0, 0);
  for (const auto& b : s.objekt) teziste += cv::Vec3d(b.x, b.y, b.z) * (1.0 / s.objekt.size());
  const double d = ez.dot(teziste - c);
  KameraRigu kr{};
  for (int j = 0; j < 3; j++) {
    kr.stred_projekce[j] = c[j];
    kr.bod_stredu[j] = c[j] + d * ez[j];
    kr.krok_sloupce[j] = d / k(0, 0) * ex[j];
    kr.krok_radku[j] = -d / k(1, 1) * ey[j];
  }
  kr.pixel_stredu[0] = k(0, 2);
  kr.pixel_stredu[1] = posledni_radek - k(1, 2);
  return kr;
}

// Refines the first camera matrix k together with the pose by
// cv::calibrateCamera (zero skew, no distortion) and gives the camera in the
// rig form; false with the reason when OpenCV refuses.
bool zpresni(const Shody& s, const cv::Matx33d& k, PohledKamery* pohled, std::string* duvod) {
  std::vector<std::vector<cv::Point3f>> objekt(1);
  std::vector<std::vector<cv::Point2f>> obraz(1);
  for (std::size_t i = 0; i < s.objekt.size(); i++) {
    objekt[0].emplace_back(s.objekt[i]);
    obraz[0].emplace_back(s.obraz[i]);
  }
  cv::Mat matice(k), zkresleni = cv::Mat::zeros(1, 5, CV_64F);
  std::vector<cv::Mat> rvecs, tvecs;
  try {
    cv::calibrateCamera(objekt, obraz, cv::Size(sirka_obrazu, vyska_obrazu), matice, zkresleni,
                        rvecs, tvecs,
                        cv::CALIB_USE_INTRINSIC_GUESS | cv::CALIB_FIX_K1 | cv::CALIB_FIX_K2 |
                            cv::CALIB_FIX_K3 | cv::CALIB_ZERO_TANGENT_DIST,
                        cv::TermCriteria(cv::TermCriteria::COUNT + cv::TermCriteria::EPS, 200,
                                         1e-12));
  } catch (const cv::Exception& e) {
    *duvod = "the refinement failed (" + e.err + ")";
    return false;
  }
  *pohled = {cv::Matx33d(matice), cv::Vec3d(rvecs[0]), cv::Vec3d(tvecs[0])};
  return true;
}

// Distances between where the rig camera projects each used mark and the
// mark's pixel.
bool zmer(KalibraceKamery* v, const Shody& s) {
  double soucet = 0;
  for (std::size_t i = 0; i < s.objekt.size(); i++) {
    const double x[3] = {s.objekt[i].x, s.objekt[i].y, s.objekt[i].z};
    double sloupec = 0, radek = 0;
    if (!promitni_rigem(v->kamera, x, &sloupec, &radek)) return false;
    const double e = std::hypot(sloupec - s.obraz[i].x, radek - (posledni_radek - s.obraz[i].y));
    soucet += e;
    if (v->nejhorsi < 0 || e > v->nejvetsi) {
      v->nejvetsi = e;
      v->nejhorsi = s.znacky[i];
    }
  }
  v->prumer = soucet / s.objekt.size();
  return true;
}

// The rig camera of an OpenCV camera and its fit to the marks.
KalibraceKamery zmer_kameru(KalibraceKamery v, const PohledKamery& pohled, const Shody& s) {
  v.kamera = kamera_rigu(pohled.k, pohled.rvec, pohled.tvec, s);
  v.nejhorsi = -1;
  v.nejvetsi = 0;
  if (!zmer(&v, s)) {
    v.duvod = "marks lie behind the solved camera";
    return v;
  }
  v.vyreseno = true;
  return v;
}

// One camera from its marks: the result for the block, and the OpenCV
// camera and the marks for the joint refinement.
KalibraceKamery vyres_kameru(const StredyZnacek& znacky, PohledKamery* pohled, Shody* shody) {
  KalibraceKamery v;
  const Shody s = shody_kamery(znacky, &v.chybi);
  *shody = s;
  v.pouzito = static_cast<int>(s.objekt.size());
  if (v.pouzito < nejmene_znacek) {
    v.duvod = std::to_string(v.pouzito) + " marks in the image, at least " +
              std::to_string(nejmene_znacek) + " needed";
    return v;
  }
  if (!prostorove(s.objekt)) {
    v.duvod = "the marks in the image lie in one plane of the object; marks of both faces needed";
    return v;
  }
  cv::Matx33d k;
  bool prvni = false;
  try {
    prvni = matice_kamery(dlt(s), &k);
  } catch (const cv::Exception&) {
    prvni = false;
  }
  if (!prvni) {
    v.duvod = "the marks do not determine a camera (the linear solve failed)";
    return v;
  }
  if (!zpresni(s, k, pohled, &v.duvod)) return v;
  return zmer_kameru(v, *pohled, s);
}

// Both cameras refined together with the scan's marker pairs; says on
// vystup how many pairs it used and how well they agree, or why it kept the
// cameras of the marks alone.
void spolecne(KalibraceKamery v[2], PohledKamery pohledy[2], const Shody shody[2],
              const std::vector<ParPixelu>& pary, std::FILE* vystup) {
  ZnackyKamery znacky[2];
  for (int k = 0; k < 2; k++) znacky[k] = {shody[k].objekt, shody[k].obraz};
  PohledKamery zpresnene[2] = {pohledy[0], pohledy[1]};
  SpolecneZpresneni z;
  if (!zpresni_spolecne(znacky, pary, zpresnene, &z)) {
    std::fprintf(vystup,
                 "marker pairs of the scan: %d agree with the cameras, %d do not; the cameras stay "
                 "as the marks alone give them\n",
                 z.pouzito, z.vynechano);
    return;
  }
  KalibraceKamery nove[2] = {zmer_kameru(v[0], zpresnene[0], shody[0]),
                             zmer_kameru(v[1], zpresnene[1], shody[1])};
  if (!nove[0].vyreseno || !nove[1].vyreseno) {
    std::fprintf(vystup, "marker pairs of the scan: the joint solution puts marks behind a camera; "
                         "the cameras stay as the marks alone give them\n");
    return;
  }
  std::fprintf(vystup,
               "marker pairs of the scan: both cameras refined together with %d pairs (%d left out as "
               "mismatched), mean distance from their epipolar lines %.3f px\n",
               z.pouzito, z.vynechano, z.prumer_px);
  for (int k = 0; k < 2; k++) {
    v[k] = nove[k];
    pohledy[k] = zpresnene[k];
  }
}


}  // namespace

std::vector<ParPixelu> pary_skenu() {
  std::vector<ParPixelu> pary;
  for (int slot = 0; slot < 5; slot++)
    for (int i = 0; i < pocet_znacek(slot, konfigurace::bodu_dat_na_slot); i++) {
      if (!znacka_platna(slot, i)) continue;
      const BodData& b = body_data[slot][i];
      pary.push_back({{cv::Point2d(b.x1, posledni_radek - b.y1), cv::Point2d(b.x2, posledni_radek - b.y2)}});
    }
  return pary;
}

StredyZnacek stredy_znacek(const unsigned char* pixely) {
  StredyZnacek z;
  int pocet[pocet_kalibracnich_znacek] = {};
  for (int radek = 0; radek < vyska_obrazu; radek++)
    for (int sloupec = 0; sloupec < sirka_obrazu; sloupec++) {
      const unsigned char* p = pixely + (radek * sirka_obrazu + sloupec) * 3;
      const int r = p[0];
      if (r == 0 || r > pocet_kalibracnich_znacek || p[1] != 0 || p[2] != 0) continue;
      pocet[r - 1]++;
      z.sloupec[r - 1] += sloupec;
      z.radek[r - 1] += radek;
    }
  for (int i = 0; i < pocet_kalibracnich_znacek; i++)
    if (pocet[i] > 0) {
      z.v_obraze[i] = true;
      z.sloupec[i] /= pocet[i];
      z.radek[i] /= pocet[i];
    }
  return z;
}

KalibraceKamery kalibruj_kameru(const StredyZnacek& znacky) {
  PohledKamery pohled;
  Shody s;
  return vyres_kameru(znacky, &pohled, &s);
}

bool kalibruj_rig(const StredyZnacek znacky[2], std::FILE* vystup, RigKamer* rig,
                  const std::vector<ParPixelu>& pary) {
  std::fprintf(vystup,
               "KALIBRACE ZE VSECH ZNACEK: each camera solved from every mark its image shows "
               "(at least %d, on both faces), distance of the marks projected through it from "
               "the centres of the marks in the image\n",
               nejmene_znacek);
  KalibraceKamery v[2];
  PohledKamery pohledy[2];
  Shody shody[2];
  for (int kamera = 0; kamera < 2; kamera++)
    v[kamera] = vyres_kameru(znacky[kamera], &pohledy[kamera], &shody[kamera]);
  if (v[0].vyreseno && v[1].vyreseno && !pary.empty()) spolecne(v, pohledy, shody, pary, vystup);
  bool dobre = true;
  std::string proc;
  for (int kamera = 0; kamera < 2; kamera++) {
    if (!v[kamera].vyreseno) {
      std::fprintf(vystup, "kamera %d: not solved: %s\n", cislo_kamery(kamera), v[kamera].duvod.c_str());
      if (dobre) proc = "camera " + std::to_string(cislo_kamery(kamera)) + " is not solved";
      dobre = false;
      continue;
    }
    const KalibraceKamery& k = v[kamera];
    const double* c = k.kamera.stred_projekce;
    std::fprintf(vystup,
                 "kamera %d: %d marks used, %d not in the image; position [%lf,   %lf,   %lf]; "
                 "mean %.3f px, largest %.3f px (mark %d)\n",
                 cislo_kamery(kamera), k.pouzito, k.chybi, c[0], c[1], c[2], k.prumer, k.nejvetsi,
                 k.nejhorsi);
    if (dobre && (k.prumer > nejvetsi_prumer_px || k.nejvetsi > nejvetsi_chyba_px)) {
      char t[200];
      std::snprintf(t, sizeof t,
                    "camera %d fits its image badly (mean above %.1f px or largest above %.1f px)",
                    cislo_kamery(kamera), nejvetsi_prumer_px, nejvetsi_chyba_px);
      proc = t;
      dobre = false;
    }
    rig->kamera[kamera] = k.kamera;
  }
  if (!dobre) {
    std::fprintf(vystup, "%s not written: %s\n", soubor_rigu, proc.c_str());
    return false;
  }
  rig->jednotka = "units of the calibration object's mark coordinates (its frame)";
  return true;
}

void uloz_rig_z_kalibrace(const unsigned char* snimek1, const unsigned char* snimek2,
                          std::FILE* vystup) {
  const StredyZnacek znacky[2] = {stredy_znacek(snimek1), stredy_znacek(snimek2)};
  RigKamer rig;
  if (!kalibruj_rig(znacky, vystup, &rig, pary_skenu())) return;
  std::string chyba;
  if (!zapis_rig(soubor_rigu, rig, &chyba)) {
    std::fflush(vystup);
    varuj(chyba, "; the program goes on without it");
    return;
  }
  std::fprintf(vystup,
               "written: %s (put it beside the marker images: the programs then triangulate "
               "with it)\n",
               soubor_rigu);
  zapis_log("written: %s\n", soubor_rigu);
}
