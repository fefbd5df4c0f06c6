// Reading and writing "rig.yml" with OpenCV FileStorage.
#include "reconstruction/rig_file.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include <opencv2/core.hpp>

#include "reconstruction/atomic_file.h"
#include "reconstruction/rig_file_v2.h"

namespace {

const char* const jmena_kamer[2] = {"camera1", "camera2"};

double skalar(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void vektorove(const double* a, const double* b, double* n) {
  n[0] = a[1] * b[2] - a[2] * b[1];
  n[1] = a[2] * b[0] - a[0] * b[2];
  n[2] = a[0] * b[1] - a[1] * b[0];
}

void zapis_pole(cv::FileStorage& fs, const char* jmeno, const char* komentar, const double* v,
                int n) {
  fs.writeComment(komentar);
  fs << jmeno << "[:";
  for (int i = 0; i < n; i++) fs << v[i];
  fs << "]";
}

// Reads field `jmeno` of map `uzel` as n finite numbers.
bool cti_pole(const cv::FileNode& uzel, const std::string& kde, const char* jmeno, double* v, int n,
              std::string* chyba) {
  const cv::FileNode pole = uzel[jmeno];
  const std::string pole_jmeno = kde + "." + jmeno;
  if (pole.empty() || pole.isNone()) {
    *chyba = pole_jmeno + ": missing";
    return false;
  }
  if (!pole.isSeq() || static_cast<int>(pole.size()) != n) {
    *chyba = pole_jmeno + ": expected a list of " + std::to_string(n) + " numbers";
    return false;
  }
  for (int i = 0; i < n; i++) {
    const cv::FileNode prvek = pole[i];
    if (!prvek.isReal() && !prvek.isInt()) {
      *chyba = pole_jmeno + ": value " + std::to_string(i + 1) + " is not a number";
      return false;
    }
    v[i] = static_cast<double>(prvek);
    if (!std::isfinite(v[i])) {
      *chyba = pole_jmeno + ": value " + std::to_string(i + 1) + " is not a finite number";
      return false;
    }
  }
  return true;
}

// The geometric checks of one camera; kde names it in messages.
bool over_kameru(const KameraRigu& k, const std::string& kde, std::string* chyba) {
  if (skalar(k.krok_sloupce, k.krok_sloupce) == 0.0) {
    *chyba = kde + ".column_step: zero step";
    return false;
  }
  if (skalar(k.krok_radku, k.krok_radku) == 0.0) {
    *chyba = kde + ".row_step: zero step";
    return false;
  }
  double n[3];
  vektorove(k.krok_sloupce, k.krok_radku, n);
  const double mira = std::sqrt(skalar(k.krok_sloupce, k.krok_sloupce) *
                                skalar(k.krok_radku, k.krok_radku));
  if (std::sqrt(skalar(n, n)) <= 1e-9 * mira) {
    *chyba = kde + ".row_step: parallel to column_step, the steps span no image plane";
    return false;
  }
  double k_l[3];
  for (int j = 0; j < 3; j++) k_l[j] = k.bod_stredu[j] - k.stred_projekce[j];
  if (std::abs(skalar(n, k_l)) <= 1e-9 * std::sqrt(skalar(n, n) * skalar(k_l, k_l))) {
    *chyba = kde + ".projection_centre: lies on the camera's image plane";
    return false;
  }
  return true;
}

bool cti_kameru(const cv::FileNode& uzel, const std::string& kde, KameraRigu* k,
                std::string* chyba) {
  if (uzel.empty() || uzel.isNone() || !uzel.isMap()) {
    *chyba = kde + ": missing";
    return false;
  }
  return cti_pole(uzel, kde, "projection_centre", k->stred_projekce, 3, chyba) &&
         cti_pole(uzel, kde, "centre_point", k->bod_stredu, 3, chyba) &&
         cti_pole(uzel, kde, "centre_pixel", k->pixel_stredu, 2, chyba) &&
         cti_pole(uzel, kde, "column_step", k->krok_sloupce, 3, chyba) &&
         cti_pole(uzel, kde, "row_step", k->krok_radku, 3, chyba) && over_kameru(*k, kde, chyba);
}

bool cti_hlavicku(const cv::FileNode& koren, RigKamer* rig, std::string* chyba) {
  const cv::FileNode verze = koren["version"];
  if (verze.empty() || verze.isNone()) {
    *chyba = "version: missing";
    return false;
  }
  if (!verze.isInt() || (static_cast<int>(verze) != verze_rigu && static_cast<int>(verze) != verze_rigu_objektivu)) {
    *chyba = "version: unknown version " +
             (verze.isInt() ? std::to_string(static_cast<int>(verze)) : std::string("(not a number)")) +
             ", this program reads versions " + std::to_string(verze_rigu) + " and " +
             std::to_string(verze_rigu_objektivu);
    return false;
  }
  rig->verze = static_cast<int>(verze);
  const cv::FileNode jednotka = koren["unit"];
  if (jednotka.empty() || jednotka.isNone()) {
    *chyba = "unit: missing";
    return false;
  }
  if (!jednotka.isString() || static_cast<std::string>(jednotka).empty()) {
    *chyba = "unit: expected a non-empty text";
    return false;
  }
  rig->jednotka = static_cast<std::string>(jednotka);
  return true;
}

}  // namespace

std::string text_rigu(const RigKamer& rig) {
  if (rig.verze == verze_rigu_objektivu) return text_rigu_objektivu(rig);
  cv::FileStorage fs(".yml", cv::FileStorage::WRITE | cv::FileStorage::MEMORY |
                                 cv::FileStorage::FORMAT_YAML);
  fs.writeComment(
      "Camera set-up of the turntable scanner. Pixel (column, row) of a camera lies on its\n"
      "image plane at centre_point + (column - centre_pixel[0]) * column_step\n"
      "+ (row - centre_pixel[1]) * row_step; its viewing ray runs from projection_centre\n"
      "through that point. Row 0 is the first row stored in the bitmap.");
  fs.writeComment("format version of this file");
  fs << "version" << verze_rigu;
  fs.writeComment("unit of every length below");
  fs << "unit" << rig.jednotka;
  for (int k = 0; k < 2; k++) {
    const KameraRigu& c = rig.kamera[k];
    fs << jmena_kamer[k] << "{";
    zapis_pole(fs, "projection_centre", "projection centre (x, y, z)", c.stred_projekce, 3);
    zapis_pole(fs, "centre_point", "image-plane point (x, y, z) of the pixel centre_pixel",
               c.bod_stredu, 3);
    zapis_pole(fs, "centre_pixel", "the pixel (column, row) that lies at centre_point",
               c.pixel_stredu, 2);
    zapis_pole(fs, "column_step", "image-plane step (x, y, z) of one pixel along a row",
               c.krok_sloupce, 3);
    zapis_pole(fs, "row_step", "image-plane step (x, y, z) of one pixel along a column",
               c.krok_radku, 3);
    fs << "}";
  }
  return fs.releaseAndGetString();
}

bool zapis_rig(const std::string& cesta, const RigKamer& rig, std::string* chyba) {
  return zapis_atomicky(cesta, text_rigu(rig), chyba);
}

bool precti_rig(const std::string& text, const std::string& cesta, RigKamer* rig,
                std::string* chyba) {
  RigKamer novy;
  std::string problem;
  try {
    cv::FileStorage fs(text, cv::FileStorage::READ | cv::FileStorage::MEMORY |
                                 cv::FileStorage::FORMAT_YAML);
    if (!fs.isOpened()) {
      problem = "not a YAML file OpenCV can read";
    } else {
      const cv::FileNode koren = fs.root();
      bool dobre = koren.isMap() && cti_hlavicku(koren, &novy, &problem);
      if (!koren.isMap()) problem = "not a YAML map of fields";
      if (dobre && novy.verze == verze_rigu_objektivu)
        dobre = cti_rig_objektivu(koren, &novy, &problem);
      for (int k = 0; k < 2 && dobre && novy.verze == verze_rigu; k++)
        dobre = cti_kameru(koren[jmena_kamer[k]], jmena_kamer[k], &novy.kamera[k], &problem);
    }
  } catch (const cv::Exception& e) {
    std::string popis = e.err;
    for (char& z : popis)
      if (z == '\n') z = ' ';
    problem = "cannot be parsed (" + popis + ")";
  }
  if (!problem.empty()) {
    *chyba = cesta + ": " + problem;
    return false;
  }
  *rig = novy;
  return true;
}

bool nacti_rig(const std::string& cesta, RigKamer* rig, std::string* chyba) {
  std::ifstream f(cesta, std::ios::binary);
  if (!f) {
    *chyba = cesta + ": cannot be opened";
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) {
    *chyba = cesta + ": cannot be read";
    return false;
  }
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    *chyba = cesta + ": empty file";
    return false;
  }
  return precti_rig(text, cesta, rig, chyba);
}

bool promitni_rigem(const KameraRigu& k, const double x[3], double* sloupec, double* radek) {
  const double* sc = k.krok_sloupce;
  const double* sr = k.krok_radku;
  double n[3], kx[3], kl[3];
  vektorove(sc, sr, n);
  for (int j = 0; j < 3; j++) {
    kx[j] = x[j] - k.stred_projekce[j];
    kl[j] = k.bod_stredu[j] - k.stred_projekce[j];
  }
  const double jmenovatel = skalar(n, kx);
  if (jmenovatel == 0.0) return false;
  const double t = skalar(n, kl) / jmenovatel;
  if (!(t > 0.0)) return false;
  double q[3];  // from the centre point to where the ray meets the plane
  for (int j = 0; j < 3; j++) q[j] = t * kx[j] - kl[j];
  const double aa = skalar(sc, sc), ab = skalar(sc, sr), bb = skalar(sr, sr);
  const double qa = skalar(q, sc), qb = skalar(q, sr);
  const double det = aa * bb - ab * ab;
  *sloupec = k.pixel_stredu[0] + (qa * bb - qb * ab) / det;
  *radek = k.pixel_stredu[1] + (aa * qb - ab * qa) / det;
  return std::isfinite(*sloupec) && std::isfinite(*radek);
}
