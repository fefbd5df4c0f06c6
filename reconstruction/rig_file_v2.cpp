#include "reconstruction/rig_file_v2.h"

#include <cmath>

#include "reconstruction/lens_distortion.h"

namespace {

const char* const jmena_kamer[2] = {"camera1", "camera2"};

// Matrix `jmeno` of `uzel` with `radku` x `sloupcu` finite values, row-major
// into v; a list of that many numbers is taken too.
bool cti_matici(const cv::FileNode& uzel, const std::string& kde, const char* jmeno, int radku, int sloupcu,
                double* v, std::string* chyba) {
  const std::string pole = kde + "." + jmeno;
  const cv::FileNode n = uzel[jmeno];
  if (n.empty() || n.isNone()) {
    *chyba = pole + ": missing";
    return false;
  }
  cv::Mat m;
  try {
    if (n.isSeq()) {
      std::vector<double> hodnoty;
      for (const cv::FileNode& p : n) {
        if (!p.isReal() && !p.isInt()) {
          *chyba = pole + ": a value is not a number";
          return false;
        }
        hodnoty.push_back(static_cast<double>(p));
      }
      m = cv::Mat(hodnoty, true);
    } else {
      n >> m;
    }
  } catch (const cv::Exception&) {
    m.release();
  }
  if (m.empty() || static_cast<int>(m.total()) != radku * sloupcu || (m.rows != radku && m.rows != radku * sloupcu)) {
    *chyba = pole + ": expected a " + std::to_string(radku) + " x " + std::to_string(sloupcu) + " matrix";
    return false;
  }
  m.convertTo(m, CV_64F);
  m = m.reshape(1, 1);
  for (int i = 0; i < radku * sloupcu; i++) {
    v[i] = m.at<double>(0, i);
    if (!std::isfinite(v[i])) {
      *chyba = pole + ": value " + std::to_string(i + 1) + " is not a finite number";
      return false;
    }
  }
  return true;
}

bool je_otoceni(const double* r) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      const double s = r[3 * i] * r[3 * j] + r[3 * i + 1] * r[3 * j + 1] + r[3 * i + 2] * r[3 * j + 2];
      if (std::abs(s - (i == j ? 1.0 : 0.0)) > 1e-6) return false;
    }
  const double det = r[0] * (r[4] * r[8] - r[5] * r[7]) - r[1] * (r[3] * r[8] - r[5] * r[6]) +
                     r[2] * (r[3] * r[7] - r[4] * r[6]);
  return std::abs(det - 1) <= 1e-6;
}

bool cti_objektiv(const cv::FileNode& uzel, const std::string& kde, ObjektivRigu* o, std::string* chyba) {
  if (uzel.empty() || uzel.isNone() || !uzel.isMap()) {
    *chyba = kde + ": missing";
    return false;
  }
  if (!cti_matici(uzel, kde, "camera_matrix", 3, 3, o->matice, chyba) ||
      !cti_matici(uzel, kde, "distortion", 1, 5, o->zkresleni, chyba) ||
      !cti_matici(uzel, kde, "rotation", 3, 3, o->otoceni, chyba) ||
      !cti_matici(uzel, kde, "translation", 3, 1, o->posun, chyba))
    return false;
  const double* m = o->matice;
  if (!(m[0] > 0) || !(m[4] > 0)) {
    *chyba = kde + ".camera_matrix: the focal lengths must be positive";
    return false;
  }
  if (m[3] != 0 || m[6] != 0 || m[7] != 0 || m[8] != 1) {
    *chyba = kde + ".camera_matrix: the rows must be (fx, skew, cx), (0, fy, cy), (0, 0, 1)";
    return false;
  }
  if (!je_otoceni(o->otoceni)) {
    *chyba = kde + ".rotation: not a rotation (orthonormal, determinant 1)";
    return false;
  }
  return true;
}

void zapis_matici(cv::FileStorage& fs, const char* jmeno, const char* komentar, const double* v, int radku,
                  int sloupcu) {
  fs.writeComment(komentar);
  fs << jmeno << cv::Mat(radku, sloupcu, CV_64F, const_cast<double*>(v)).clone();
}

}  // namespace

std::string text_rigu_objektivu(const RigKamer& rig) {
  cv::FileStorage fs(".yml", cv::FileStorage::WRITE | cv::FileStorage::MEMORY | cv::FileStorage::FORMAT_YAML);
  fs.writeComment(
      "Camera set-up of the turntable scanner in OpenCV's own terms. A point X of the rig's\n"
      "frame (camera 1's) is x = rotation * X + translation in a camera's frame; its pixel is\n"
      "camera_matrix * (x / x.z) after OpenCV's distortion (k1, k2, p1, p2, k3) of x / x.z.\n"
      "Pixel rows count from the top of the picture.");
  fs.writeComment("format version of this file");
  fs << "version" << verze_rigu_objektivu;
  fs.writeComment("unit of every length below");
  fs << "unit" << rig.jednotka;
  fs.writeComment("image size in pixels (width, height)");
  fs << "image_size" << "[:" << rig.sirka << rig.vyska << "]";
  for (int k = 0; k < 2; k++) {
    const ObjektivRigu& o = rig.objektiv[k];
    fs << jmena_kamer[k] << "{";
    zapis_matici(fs, "camera_matrix", "camera matrix (fx, skew, cx; 0, fy, cy; 0, 0, 1), pixels", o.matice, 3, 3);
    zapis_matici(fs, "distortion", "distortion (k1, k2, p1, p2, k3)", o.zkresleni, 1, 5);
    zapis_matici(fs, "rotation", "rotation from the rig's frame into the camera's", o.otoceni, 3, 3);
    zapis_matici(fs, "translation", "translation from the rig's frame into the camera's", o.posun, 3, 1);
    fs << "}";
  }
  return fs.releaseAndGetString();
}

bool cti_rig_objektivu(const cv::FileNode& koren, RigKamer* rig, std::string* chyba) {
  const cv::FileNode velikost = koren["image_size"];
  if (velikost.empty() || velikost.isNone()) {
    *chyba = "image_size: missing";
    return false;
  }
  if (!velikost.isSeq() || velikost.size() != 2 || !velikost[0].isInt() || !velikost[1].isInt() ||
      static_cast<int>(velikost[0]) <= 0 || static_cast<int>(velikost[1]) <= 0) {
    *chyba = "image_size: expected two positive whole numbers (width, height)";
    return false;
  }
  rig->sirka = static_cast<int>(velikost[0]);
  rig->vyska = static_cast<int>(velikost[1]);
  for (int k = 0; k < 2; k++) {
    if (!cti_objektiv(koren[jmena_kamer[k]], jmena_kamer[k], &rig->objektiv[k], chyba)) return false;
    rig->kamera[k] = kamera_z_objektivu(rig->objektiv[k], rig->vyska);
  }
  rig->verze = verze_rigu_objektivu;
  return true;
}
