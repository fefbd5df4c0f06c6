#include "reconstruction/chessboard_calibration.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <opencv2/calib3d.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "reconstruction/lens_distortion.h"

namespace {

// The median of the values (the upper one of an even count); v is not empty.
double median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// Marks the views worth retaking: either camera's RMS above twice the
// median of both cameras' view RMS, or the error through the stereo pose
// above twice its median.
void oznac_k_opakovani(std::vector<PohledSachovnice>* pohledy) {
  std::vector<double> kamer, sterea;
  for (const PohledSachovnice& p : *pohledy) {
    kamer.insert(kamer.end(), {p.rms[0], p.rms[1]});
    sterea.push_back(p.rms_stereo);
  }
  const double median_kamer = median(kamer), median_sterea = median(sterea);
  for (PohledSachovnice& p : *pohledy)
    p.k_opakovani = p.rms[0] > 2 * median_kamer || p.rms[1] > 2 * median_kamer || p.rms_stereo > 2 * median_sterea;
}

bool selhani(std::string* chyba, const std::string& proc) {
  *chyba = proc;
  return false;
}

// The image as 8-bit greyscale, whatever its depth and channels.
bool nacti_sede(const std::string& soubor, cv::Mat* sede, std::string* chyba) {
  cv::Mat obraz;
  try {
    obraz = cv::imread(soubor, cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
  } catch (const cv::Exception&) {
    obraz.release();
  }
  if (obraz.empty()) return selhani(chyba, soubor + ": cannot be read as an image");
  if (obraz.channels() == 3) cv::cvtColor(obraz, obraz, cv::COLOR_BGR2GRAY);
  if (obraz.channels() == 4) cv::cvtColor(obraz, obraz, cv::COLOR_BGRA2GRAY);
  if (obraz.depth() != CV_8U) {
    double nejvic = 0;
    cv::minMaxLoc(obraz, nullptr, &nejvic);
    obraz.convertTo(obraz, CV_8U, nejvic > 0 ? 255.0 / nejvic : 1.0);
  }
  *sede = obraz;
  return true;
}

// The board's inner corners. The sector-based detector finds the board
// most reliably (blur, low contrast, strong tilt), but its corners are
// biased by about a tenth of a pixel, which puts the focal lengths about
// 0.5 % long; each corner is therefore refined with cornerSubPix, in a
// window of 0.4 times the shortest square side as it appears (2 to 10
// pixels), so that the window holds one corner and never its neighbours.
// Measured on rendered boards with known corners: 0.12 px RMS from the
// detector alone, 0.068 px with a fixed 11 x 11 window, 0.060 px with the
// adapted one; the classic detector with the same refinement finds fewer
// boards and is no more exact.
bool najdi_rohy(const cv::Mat& sede, cv::Size rohu, std::vector<cv::Point2f>* rohy) {
  if (!cv::findChessboardCornersSB(sede, rohu, *rohy,
                                   cv::CALIB_CB_NORMALIZE_IMAGE | cv::CALIB_CB_EXHAUSTIVE | cv::CALIB_CB_ACCURACY))
    return false;
  double nejkratsi = 1e30;
  for (int r = 0; r < rohu.height; r++)
    for (int s = 0; s < rohu.width; s++) {
      const cv::Point2f& a = (*rohy)[static_cast<std::size_t>(r * rohu.width + s)];
      if (s + 1 < rohu.width) nejkratsi = std::min(nejkratsi, cv::norm(a - (*rohy)[static_cast<std::size_t>(r * rohu.width + s + 1)]));
      if (r + 1 < rohu.height) nejkratsi = std::min(nejkratsi, cv::norm(a - (*rohy)[static_cast<std::size_t>((r + 1) * rohu.width + s)]));
    }
  const int okno = std::max(2, std::min(10, static_cast<int>(0.4 * nejkratsi)));
  cv::cornerSubPix(sede, *rohy, cv::Size(okno, okno), cv::Size(-1, -1),
                   cv::TermCriteria(cv::TermCriteria::COUNT + cv::TermCriteria::EPS, 100, 1e-4));
  return true;
}

void do_pole(const cv::Mat& m, double* v) {
  cv::Mat d;
  m.convertTo(d, CV_64F);
  d = d.reshape(1, 1);
  for (int i = 0; i < static_cast<int>(d.total()); i++) v[i] = d.at<double>(0, i);
}

double rms(const std::vector<cv::Point2f>& a, const std::vector<cv::Point2f>& b, std::vector<cv::Point2f>* rozdil) {
  double s = 0;
  rozdil->clear();
  for (std::size_t i = 0; i < a.size(); i++) {
    rozdil->push_back(b[i] - a[i]);
    s += static_cast<double>(rozdil->back().dot(rozdil->back()));
  }
  return a.empty() ? 0 : std::sqrt(s / static_cast<double>(a.size()));
}

// One camera. The distortion terms are chosen by measurement: k1 alone,
// k1 and k2, each with p1 and p2, and all five; the first in that order
// whose reprojection RMS is within 2 % (plus 0.002 px) of the fullest is
// kept. A narrow field
// of view cannot tell k1 from k2 and k3 (they trade for each other and
// drift to large values; the tangential terms trade for the principal
// point), while a wide one needs them.
double kalibruj_kameru(const std::vector<std::vector<cv::Point3f>>& body, const std::vector<std::vector<cv::Point2f>>& rohy,
                       cv::Size velikost, cv::Mat* matice, cv::Mat* zkresleni, std::vector<cv::Mat>* r,
                       std::vector<cv::Mat>* t, std::string* model) {
  constexpr int modelu = 5;
  const int priznaky[modelu] = {cv::CALIB_FIX_K2 | cv::CALIB_FIX_K3 | cv::CALIB_ZERO_TANGENT_DIST,
                                cv::CALIB_FIX_K3 | cv::CALIB_ZERO_TANGENT_DIST, cv::CALIB_FIX_K2 | cv::CALIB_FIX_K3,
                                cv::CALIB_FIX_K3, 0};
  const char* const jmena[modelu] = {"k1", "k1, k2", "k1, p1, p2", "k1, k2, p1, p2", "k1, k2, p1, p2, k3"};
  cv::Mat m[modelu], d[modelu];
  std::vector<cv::Mat> rr[modelu], tt[modelu];
  double rms[modelu];
  for (int i = 0; i < modelu; i++)
    rms[i] = cv::calibrateCamera(body, rohy, velikost, m[i], d[i], rr[i], tt[i], priznaky[i]);
  int volba = modelu - 1;
  for (int i = modelu - 2; i >= 0; i--)
    if (rms[i] <= 1.02 * rms[modelu - 1] + 0.002) volba = i;
  *matice = m[volba];
  *zkresleni = d[volba];
  *r = rr[volba];
  *t = tt[volba];
  *model = jmena[volba];
  return rms[volba];
}

// The solve on the views in k->pohledy: each camera (kalibruj_kameru), each
// view's reprojection RMS per camera, the stereo pose, each view's error in
// camera 2 through that pose, the epipolar error, and the rig.
bool vyres(const std::vector<cv::Point3f>& deska, cv::Size velikost, KalibraceSachovnici* vysledek,
           std::string* chyba) {
  KalibraceSachovnici& k = *vysledek;
  std::vector<std::vector<cv::Point3f>> body(k.pohledy.size(), deska);
  std::vector<std::vector<cv::Point2f>> rohy[2];
  for (const PohledSachovnice& p : k.pohledy)
    for (int c = 0; c < 2; c++) rohy[c].push_back(p.rohy[c]);
  cv::Mat matice[2], zkresleni[2];
  std::vector<cv::Mat> r1, t1;
  for (int c = 0; c < 2; c++) {
    std::vector<cv::Mat> r, t;
    k.rms_kamery[c] = kalibruj_kameru(body, rohy[c], velikost, &matice[c], &zkresleni[c], &r, &t, &k.model[c]);
    for (std::size_t v = 0; v < k.pohledy.size(); v++) {
      std::vector<cv::Point2f> promitnute;
      cv::projectPoints(deska, r[v], t[v], matice[c], zkresleni[c], promitnute);
      k.pohledy[v].rms[c] = rms(rohy[c][v], promitnute, &k.pohledy[v].reziduum[c]);
    }
    if (c == 0) r1 = r, t1 = t;
  }
  cv::Mat R, T, E, F;
  k.rms_stereo = cv::stereoCalibrate(body, rohy[0], rohy[1], matice[0], zkresleni[0], matice[1], zkresleni[1],
                                     velikost, R, T, E, F, cv::CALIB_FIX_INTRINSIC,
                                     cv::TermCriteria(cv::TermCriteria::COUNT + cv::TermCriteria::EPS, 100, 1e-9));
  if (!std::isfinite(k.rms_stereo) || cv::norm(T) == 0)
    return selhani(chyba, "the solve found no usable set-up (are the views at different poses?)");
  // Each view in camera 2 where camera 1's pose of the board and the
  // stereo pose put it.
  for (std::size_t v = 0; v < k.pohledy.size(); v++) {
    cv::Mat R1;
    cv::Rodrigues(r1[v], R1);
    cv::Mat r2;
    cv::Rodrigues(R * R1, r2);
    const cv::Mat t2 = R * t1[v] + T;
    std::vector<cv::Point2f> promitnute, rozdil;
    cv::projectPoints(deska, r2, t2, matice[1], zkresleni[1], promitnute);
    k.pohledy[v].rms_stereo = rms(rohy[1][v], promitnute, &rozdil);
  }
  // Epipolar error: each corner's distance from the other camera's line.
  double soucet = 0;
  long pocet = 0;
  for (std::size_t v = 0; v < k.pohledy.size(); v++) {
    std::vector<cv::Point2f> u[2];
    for (int c = 0; c < 2; c++) cv::undistortPoints(rohy[c][v], u[c], matice[c], zkresleni[c], cv::noArray(), matice[c]);
    std::vector<cv::Vec3f> primky;
    cv::computeCorrespondEpilines(u[0], 1, F, primky);
    for (std::size_t i = 0; i < primky.size(); i++)
      soucet += std::abs(primky[i][0] * u[1][i].x + primky[i][1] * u[1][i].y + primky[i][2]), pocet++;
  }
  k.epipolarni_chyba = pocet > 0 ? soucet / static_cast<double>(pocet) : 0;
  k.rig.verze = verze_rigu_objektivu;
  k.rig.sirka = velikost.width;
  k.rig.vyska = velikost.height;
  const cv::Mat identita = cv::Mat::eye(3, 3, CV_64F), nula = cv::Mat::zeros(3, 1, CV_64F);
  const cv::Mat otoceni[2] = {identita, R}, posun[2] = {nula, T};
  for (int c = 0; c < 2; c++) {
    ObjektivRigu& o = k.rig.objektiv[c];
    do_pole(matice[c], o.matice);
    do_pole(zkresleni[c].colRange(0, 5), o.zkresleni);
    do_pole(otoceni[c], o.otoceni);
    do_pole(posun[c], o.posun);
    k.rig.kamera[c] = kamera_z_objektivu(o, k.rig.vyska);
  }
  return true;
}

}  // namespace

cv::Point3d trianguluj_rigem(const RigKamer& rig, cv::Point2d p1, cv::Point2d p2) {
  cv::Vec3d stred[2], smer[2];
  const cv::Point2d p[2] = {p1, p2};
  for (int k = 0; k < 2; k++) {
    const ObjektivRigu& o = rig.objektiv[k];
    const KameraRigu kam = kamera_z_objektivu(o, rig.vyska);
    double u, v;
    bez_zkresleni(o, p[k].x, p[k].y, &u, &v);
    v = radek_shora(v, rig.vyska);
    for (int j = 0; j < 3; j++) {
      stred[k][j] = kam.stred_projekce[j];
      smer[k][j] = kam.bod_stredu[j] + (u - kam.pixel_stredu[0]) * kam.krok_sloupce[j] +
                   (v - kam.pixel_stredu[1]) * kam.krok_radku[j] - kam.stred_projekce[j];
    }
  }
  const cv::Vec3d w = stred[0] - stred[1];
  const double a = smer[0].dot(smer[0]), b = smer[0].dot(smer[1]), c = smer[1].dot(smer[1]);
  const double d = smer[0].dot(w), e = smer[1].dot(w);
  const double jmenovatel = a * c - b * b;
  if (!(jmenovatel > 1e-15 * a * c)) {  // parallel rays meet nowhere
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan, nan};
  }
  const double s = (b * e - c * d) / jmenovatel, t = (a * e - b * d) / jmenovatel;
  const cv::Vec3d x = 0.5 * ((stred[0] + s * smer[0]) + (stred[1] + t * smer[1]));
  return {x[0], x[1], x[2]};
}

bool kalibruj_sachovnici(const std::vector<std::string>& obrazky, cv::Size rohu, double ctverec,
                         const std::string& jednotka, KalibraceSachovnici* vysledek, std::string* chyba) {
  *vysledek = KalibraceSachovnici{};
  KalibraceSachovnici& k = *vysledek;
  if (obrazky.size() % 2 != 0)
    return selhani(chyba, "the images come in pairs (camera 1, camera 2), but " + std::to_string(obrazky.size()) +
                              " were given");
  cv::Size velikost;
  for (std::size_t i = 0; i < obrazky.size(); i += 2) {
    PohledSachovnice pohled;
    bool uplny = true;
    for (int c = 0; c < 2; c++) {
      cv::Mat sede;
      pohled.soubor[c] = obrazky[i + static_cast<std::size_t>(c)];
      if (!nacti_sede(pohled.soubor[c], &sede, chyba)) return false;
      if (velikost.empty()) velikost = sede.size();
      if (sede.size() != velikost)
        return selhani(chyba, pohled.soubor[c] + ": " + std::to_string(sede.cols) + " x " + std::to_string(sede.rows) +
                                  " pixels, but " + obrazky[0] + " has " + std::to_string(velikost.width) + " x " +
                                  std::to_string(velikost.height));
      uplny = uplny && najdi_rohy(sede, rohu, &pohled.rohy[c]);
    }
    if (uplny)
      k.pohledy.push_back(pohled);
    else
      k.varovani.push_back(pohled.soubor[0] + ", " + pohled.soubor[1] +
                           ": no complete board in both images; the pair is left out");
  }
  if (k.pohledy.size() < 4)
    return selhani(chyba, "only " + std::to_string(k.pohledy.size()) +
                              " pairs show the whole board in both images; at least 4 are needed");
  // Views that all show the board at one place leave the solve undetermined.
  double nejvetsi_posun = 0;
  for (const PohledSachovnice& p : k.pohledy) {
    double s = 0;
    for (std::size_t i = 0; i < p.rohy[0].size(); i++) s += cv::norm(p.rohy[0][i] - k.pohledy[0].rohy[0][i]);
    nejvetsi_posun = std::max(nejvetsi_posun, s / static_cast<double>(p.rohy[0].size()));
  }
  if (nejvetsi_posun < 1.0)
    return selhani(chyba, "every pair shows the board at the same pose; photograph it tilted and at other distances");
  std::vector<cv::Point3f> deska;
  for (int r = 0; r < rohu.height; r++)
    for (int s = 0; s < rohu.width; s++)
      deska.emplace_back(static_cast<float>(s * ctverec), static_cast<float>(r * ctverec), 0.0f);
  try {
    if (!vyres(deska, velikost, &k, chyba)) return false;
    // A poor view (blurred, bent, the board moved between the two
    // photographs, corners taken wrongly) pulls the whole solve: a view
    // whose reprojection error in either camera, or whose error when
    // camera 2 sees the board where camera 1 and the stereo pose put it,
    // is more than three times the median and above one pixel is left out,
    // and the solve is repeated once without it.
    std::vector<double> chyby;
    for (const PohledSachovnice& p : k.pohledy) chyby.push_back(std::max({p.rms[0], p.rms[1], p.rms_stereo}));
    const double mez = std::max(3 * median(chyby), 1.0);
    std::vector<PohledSachovnice> dobre;
    std::vector<std::string> vynechane;
    for (std::size_t v = 0; v < k.pohledy.size(); v++) {
      if (chyby[v] <= mez)
        dobre.push_back(k.pohledy[v]);
      else
        vynechane.push_back(k.pohledy[v].soubor[0] + ", " + k.pohledy[v].soubor[1] + ": an error of " +
                            cv::format("%.2f", chyby[v]) + " px, more than three times the median of the views; "
                            "the pair is left out");
    }
    if (!vynechane.empty() && dobre.size() >= 4) {
      k.varovani.insert(k.varovani.end(), vynechane.begin(), vynechane.end());
      k.pohledy = dobre;
      if (!vyres(deska, velikost, &k, chyba)) return false;
    }
    oznac_k_opakovani(&k.pohledy);
  } catch (const cv::Exception& e) {
    return selhani(chyba, std::string("the solve failed (") + e.err + "); are the views at different poses?");
  }
  k.rig.jednotka = jednotka;
  // The board measured back: neighbouring corners along rows and columns.
  double soucet = 0, ctverce = 0, nejvic = 0;
  long pocet = 0;
  for (const PohledSachovnice& p : k.pohledy) {
    std::vector<cv::Point3d> x;
    for (std::size_t i = 0; i < p.rohy[0].size(); i++) x.push_back(trianguluj_rigem(k.rig, p.rohy[0][i], p.rohy[1][i]));
    for (int r = 0; r < rohu.height; r++)
      for (int s = 0; s < rohu.width; s++) {
        const int i = r * rohu.width + s;
        for (int j : {s + 1 < rohu.width ? i + 1 : -1, r + 1 < rohu.height ? i + rohu.width : -1}) {
          if (j < 0) continue;
          const double e = cv::norm(x[static_cast<std::size_t>(i)] - x[static_cast<std::size_t>(j)]) - ctverec;
          if (!std::isfinite(e)) continue;
          soucet += e;
          ctverce += e * e;
          nejvic = std::max(nejvic, std::abs(e));
          pocet++;
        }
      }
  }
  const double n = pocet > 0 ? static_cast<double>(pocet) : 1.0;
  k.ctverec_prumer = soucet / n;
  k.ctverec_rms = std::sqrt(ctverce / n);
  k.ctverec_nejvic = nejvic;
  return true;
}
