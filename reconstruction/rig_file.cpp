// Reading and writing "rig.yml" with OpenCV FileStorage.
#include "reconstruction/rig_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include <opencv2/core.hpp>

#include "common/input_file.h"
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

// The largest magnitude of any value in the file.
constexpr double nejvetsi_hodnota = 1e15;

std::string cislo_textem(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
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
    // The geometry is kept in single precision, and products of two
    // lengths squared must stay finite in double.
    if (std::abs(v[i]) > nejvetsi_hodnota) {
      *chyba = pole_jmeno + ": value " + std::to_string(i + 1) + " (" + cislo_textem(v[i]) +
               ") lies outside the range this program takes (-1e15 to 1e15)";
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


// The set-up of the two cameras together: a stereo pair needs two
// projection centres a usable distance apart, and centre rays that meet in
// front of both cameras (or nearly: the closest points of the two rays lie
// ahead of each camera).
bool over_dvojici(const RigKamer& rig, std::string* chyba) {
  const KameraRigu& a = rig.kamera[0];
  const KameraRigu& b = rig.kamera[1];
  double da[3], db[3], w[3];
  for (int j = 0; j < 3; j++) {
    da[j] = a.bod_stredu[j] - a.stred_projekce[j];
    db[j] = b.bod_stredu[j] - b.stred_projekce[j];
    w[j] = a.stred_projekce[j] - b.stred_projekce[j];
  }
  const double zakladna = std::sqrt(skalar(w, w));
  const double dosah = std::max(std::sqrt(skalar(da, da)), std::sqrt(skalar(db, db)));
  if (zakladna <= 1e-3 * dosah) {
    *chyba = "camera2.projection_centre: " +
             std::string(zakladna == 0.0 ? "coincides with camera1.projection_centre"
                                         : "lies too close to camera1.projection_centre") +
             " (baseline " + cislo_textem(zakladna) + " against an image distance of " +
             cislo_textem(dosah) + "), the two cameras see no depth";
    return false;
  }
  const double aa = skalar(da, da), ab = skalar(da, db), bb = skalar(db, db);
  const double aw = skalar(da, w), bw = skalar(db, w);
  const double det = aa * bb - ab * ab;
  const char* const sbihave = "camera2.centre_point: the centre rays of the two cameras ";
  if (det <= 1e-12 * aa * bb) {
    *chyba = std::string(sbihave) + "are parallel and never meet";
    return false;
  }
  // Parameters of the closest points along each centre ray.
  const double s = (ab * bw - bb * aw) / det;
  const double t = (aa * bw - ab * aw) / det;
  if (!(s > 0.0) || !(t > 0.0)) {
    *chyba = std::string(sbihave) + "diverge: they come closest behind a camera";
    return false;
  }
  return true;
}

// The shape of one line, checked before the YAML reader sees it: that
// reader loops forever on some malformed text (a document marker with text
// after it, stray bytes in a key line), so only the lines this file needs
// reach it: blank lines, comments, the "%YAML" line, the document marker,
// "name: value" or "name:" lines, and the continuation lines of a list
// opened with "[" (*hloubka counts the open brackets); values hold numbers,
// words, quoted texts and such lists. Returns the problem, or an empty text.
std::string tvar_radku(const std::string& r, int radek, int* hloubka) {
  static const char hex[] = "0123456789abcdef";
  for (char z : r) {
    const unsigned char b = static_cast<unsigned char>(z);
    if ((b < 0x20 && b != '\t' && b != '\r') || b == 0x7f)
      return std::string("a control character (\\x") + hex[b >> 4] + hex[b & 15] + ")";
  }
  const std::size_t prvni = r.find_first_not_of(" \t\r");
  if (prvni == std::string::npos || r[prvni] == '#') return "";
  if (radek == 1 && r.rfind("%YAML", 0) == 0) return "";
  if (r.rfind("---", 0) == 0) {
    const std::size_t za = r.find_first_not_of(" \t\r", 3);
    return za == std::string::npos || r[za] == '#' ? "" : "text after the document marker \"---\"";
  }
  std::size_t hodnota = prvni;
  if (*hloubka == 0) {
    const std::size_t k = r.find_first_not_of(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_", prvni);
    if (k == prvni || k == std::string::npos || r[k] != ':' ||
        (k + 1 < r.size() && std::strchr(" \t\r", r[k + 1]) == nullptr))
      return "expected \"name: value\", a comment or the continuation of a list";
    hodnota = k + 1;
  }
  // Values: numbers, words, quoted texts and one level of "[ ... ]"; no
  // "{ ... }" maps, on which the reader loops too, and no bytes beyond
  // ASCII outside quotes.
  char uvozovka = 0;
  for (std::size_t i = hodnota; i < r.size(); i++) {
    const char z = r[i];
    if (uvozovka != 0) {
      if (z == uvozovka) uvozovka = 0;
    } else if (z == '"' || z == '\'') {
      uvozovka = z;
    } else if (z == '#' && (r[i - 1] == ' ' || r[i - 1] == '\t')) {
      break;
    } else if (z == '[') {
      if (++*hloubka > 1) return "a list inside a list";
    } else if (z == ']') {
      if (--*hloubka < 0) return "\"]\" without its \"[\"";
    } else if (z == '{' || z == '}' || static_cast<unsigned char>(z) >= 0x80) {
      return std::string(z == '{' || z == '}' ? std::string("\"") + z + "\"" : "a byte that is not ASCII") +
             " outside quotes in a value (numbers, words, quoted texts and [ lists ] only)";
    }
  }
  return "";
}

// Checks of the text before the YAML reader sees it: the shape of every
// line (tvar_radku), and integers that do not fit 32 bits, which the reader
// would wrap. A number token here is a run of digits with an optional sign
// and nothing else (no point, exponent or letter) outside quotes and
// comments. Returns false with "line N: [key: ]problem".
bool over_text(const std::string& text, std::string* chyba) {
  std::size_t zacatek = 0;
  std::string klic;
  int hloubka = 0;
  for (int radek = 1; zacatek < text.size(); radek++) {
    std::size_t konec = text.find('\n', zacatek);
    if (konec == std::string::npos) konec = text.size();
    const std::string r = text.substr(zacatek, konec - zacatek);
    zacatek = konec + 1;
    const std::string tvar = tvar_radku(r, radek, &hloubka);
    if (!tvar.empty()) {
      *chyba = "line " + std::to_string(radek) + ": " + tvar;
      return false;
    }
    const std::size_t prvni = r.find_first_not_of(" \t-");
    if (prvni != std::string::npos) {
      const std::size_t dvojtecka = r.find(':', prvni);
      const std::size_t k = r.find_first_not_of(
          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_", prvni);
      if (dvojtecka != std::string::npos && k == dvojtecka && k > prvni) klic = r.substr(prvni, k - prvni);
    }
    char uvozovka = 0;
    for (std::size_t i = 0; i < r.size(); i++) {
      const char z = r[i];
      if (uvozovka != 0) {
        if (z == uvozovka) uvozovka = 0;
        continue;
      }
      if (z == '"' || z == '\'') {
        uvozovka = z;
        continue;
      }
      if (z == '#' && (i == 0 || r[i - 1] == ' ' || r[i - 1] == '\t')) break;
      const bool na_zacatku = i == 0 || std::strchr(" \t[{,:", r[i - 1]) != nullptr;
      if (!na_zacatku) continue;
      std::size_t j = i + ((z == '-' || z == '+') ? 1 : 0);
      const std::size_t cislice = j;
      while (j < r.size() && r[j] >= '0' && r[j] <= '9') j++;
      if (j == cislice || (j < r.size() && std::strchr(" \t],}#\r", r[j]) == nullptr)) continue;
      const std::string token = r.substr(i, j - i);
      errno = 0;
      const long long v = std::strtoll(token.c_str(), nullptr, 10);
      if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL) {
        *chyba = "line " + std::to_string(radek) + ": " + (klic.empty() ? "" : klic + ": ") +
                 "the integer " + (token.size() > 24 ? token.substr(0, 24) + "..." : token) +
                 " does not fit 32 bits";
        return false;
      }
      i = j - 1;
    }
  }
  return true;
}

// A parse error of the YAML reader as "line N: problem". Its text has the
// form "(N): problem"; `posun` lines were added in front of the file.
std::string chyba_parseru(const cv::Exception& e, int posun) {
  std::string popis = e.code == cv::Error::StsParseError ? e.func : e.err;
  for (char& z : popis)
    if (z == '\n' || z == '\r') z = ' ';
  int radek = 0;
  char zbytek = 0;
  if (popis.size() > 1 && popis[0] == '(' && std::sscanf(popis.c_str(), "(%d)%c", &radek, &zbytek) == 2 &&
      zbytek == ':') {
    const std::size_t za = popis.find("): ");
    return "cannot be parsed: line " + std::to_string(radek - posun) + ": " +
           (za == std::string::npos ? popis : popis.substr(za + 3));
  }
  return "cannot be parsed (" + popis + ")";
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
  // The YAML reader wants its "%YAML:1.0" first line; a file written by
  // hand may lack it.
  const bool s_hlavickou = text.rfind("%YAML", 0) == 0;
  const int posun = s_hlavickou ? 0 : 1;
  // The YAML reader takes its text as a C string and can loop forever on
  // a NUL byte inside it.
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) {
    *chyba = cesta + ": line " + std::to_string(1 + std::count(text.begin(), text.begin() + static_cast<long>(nul), '\n')) +
             ": holds a NUL byte; a camera set-up file is text";
    return false;
  }
  try {
    if (over_text(text, &problem)) {
      cv::FileStorage fs(s_hlavickou ? text : "%YAML:1.0\n" + text,
                         cv::FileStorage::READ | cv::FileStorage::MEMORY | cv::FileStorage::FORMAT_YAML);
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
        if (dobre) over_dvojici(novy, &problem);
      }
    }
  } catch (const cv::Exception& e) {
    problem = chyba_parseru(e, posun);
  } catch (const std::exception& e) {
    // The YAML reader lets some of its own failures through as they are
    // (a std::length_error on some damaged files).
    problem = std::string("cannot be parsed (the YAML reader failed: ") + e.what() + ")";
  }
  if (!problem.empty()) {
    *chyba = cesta + ": " + problem;
    return false;
  }
  *rig = novy;
  return true;
}

bool nacti_rig(const std::string& cesta, RigKamer* rig, std::string* chyba) {
  std::string text;
  if (!precti_vstup(cesta, "a camera set-up file", nejvetsi_soubor_rigu, &text, chyba)) return false;
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
