// calibrate_rig: the camera set-up of two real cameras from photograph pairs
// of a printed chessboard, written as "rig.yml" version 2.
//
//   calibrate_rig [--dir DIR] --board COLSxROWS --square SIZE [--unit NAME]
//                 [--report DIR] IMAGE1 IMAGE2 [IMAGE1 IMAGE2 ...]
//
// Prints each view's RMS per camera (views above twice the median marked),
// the RMS per camera, the stereo RMS, the mean epipolar error and the board
// measured back through the result. "rig.yml" is written (atomically) only
// when the solve succeeds. Exit status: 0, 1 for input it cannot use (no
// file is written then), 2 for bad usage.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/options.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/chessboard_calibration.h"
#include "reconstruction/rig_file.h"

namespace {

struct VolbyKalibrace {
  std::string adresar, zprava, jednotka = "units of the chessboard's squares";
  cv::Size rohu;
  double ctverec = 0;
  std::vector<std::string> obrazky;
};

const char* const napoveda =
    "Usage: calibrate_rig [--dir DIR] --board COLSxROWS --square SIZE [--unit NAME]\n"
    "                     [--report DIR] IMAGE1 IMAGE2 [IMAGE1 IMAGE2 ...]\n"
    "Calibrates two cameras from photograph pairs of a flat chessboard (camera 1's\n"
    "image, then camera 2's of the same moment) and writes the set-up as rig.yml\n"
    "(version 2: OpenCV's camera matrix, distortion, rotation and translation, in\n"
    "camera 1's frame and the unit of --square).\n"
    "\n"
    "Options:\n"
    "  --board COLSxROWS\n"
    "      inner corners of the board, as OpenCV counts them (9x6 for 10 x 7 squares)\n"
    "  --square SIZE\n"
    "      side of one square, in the unit the set-up is to have\n"
    "  --unit NAME\n"
    "      the unit's name written into rig.yml\n"
    "  --report DIR\n"
    "      also write PNG pictures: each view with its corners and magnified\n"
    "      residuals, and a chart of the views' RMS\n"
    "  --dir DIR\n"
    "      read relative image names and write rig.yml in DIR\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 when rig.yml was written, 1 when the images cannot be used\n"
    "(nothing is written), 2 for bad usage.\n";

int spatne(const std::string& predmet, const std::string& problem) {
  ohlas(zprava(predmet, problem) + "\n(calibrate_rig --help shows the usage)");
  return 2;
}

// -1 to go on, or the exit status.
int rozeber(int argc, char** argv, VolbyKalibrace* v) {
  bool konec = false;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i], hodnota;
    if (!konec && a == "--") {
      konec = true;
      continue;
    }
    if (konec || a.rfind("--", 0) != 0) {
      v->obrazky.push_back(a);
      continue;
    }
    if (a == "--help") {
      std::fputs(napoveda, stdout);
      return 0;
    }
    if (a == "--version") {
      std::fputs(text_verze("calibrate_rig").c_str(), stdout);
      return 0;
    }
    const std::size_t rovnitko = a.find('=');
    if (rovnitko != std::string::npos) {
      hodnota = a.substr(rovnitko + 1);
      a = a.substr(0, rovnitko);
    } else if (a == "--board" || a == "--square" || a == "--unit" || a == "--report" || a == "--dir") {
      if (i + 1 >= argc) return spatne(a, "needs a value");
      hodnota = argv[++i];
    }
    if (a == "--board") {
      int s = 0, r = 0;
      char x = 0, navic = 0;
      if (std::sscanf(hodnota.c_str(), "%d%c%d%c", &s, &x, &r, &navic) != 3 || (x != 'x' && x != 'X') || s < 2 ||
          r < 2 || s > 100 || r > 100)
        return spatne("--board", "expected COLSxROWS, two whole numbers of inner corners from 2 to 100 (9x6)");
      v->rohu = cv::Size(s, r);
    } else if (a == "--square") {
      char* konec_cisla = nullptr;
      v->ctverec = std::strtod(hodnota.c_str(), &konec_cisla);
      if (hodnota.empty() || *konec_cisla != '\0' || !(v->ctverec > 0) || !std::isfinite(v->ctverec))
        return spatne("--square", "expected a positive number, the side of one square");
    } else if (a == "--unit") {
      if (hodnota.empty()) return spatne("--unit", "needs a non-empty name");
      v->jednotka = hodnota;
    } else if (a == "--report") {
      v->zprava = hodnota;
    } else if (a == "--dir") {
      v->adresar = hodnota;
    } else {
      return spatne(a, "unknown option");
    }
    if (hodnota.empty()) return spatne(a, "needs a value");
  }
  if (v->rohu.empty()) return spatne("--board", "missing: the number of inner corners is needed");
  if (!(v->ctverec > 0)) return spatne("--square", "missing: the side of one square is needed");
  if (v->obrazky.size() < 2) return spatne("images", "at least one pair of images is needed (4 pairs to solve)");
  return -1;
}

void vypis(const KalibraceSachovnici& k, double ctverec, const std::string& jednotka) {
  std::printf("views: %zu pairs used\n", k.pohledy.size());
  for (std::size_t i = 0; i < k.pohledy.size(); i++) {
    const PohledSachovnice& p = k.pohledy[i];
    std::printf("  view %2zu: RMS %.3f px (camera 1), %.3f px (camera 2), %.3f px (camera 2 through the stereo pose)"
                "%s  %s, %s\n",
                i + 1, p.rms[0], p.rms[1], p.rms_stereo, p.k_opakovani ? "  <- more than twice the median: retake?" : "",
                p.soubor[0].c_str(), p.soubor[1].c_str());
  }
  std::printf("camera 1: RMS %.3f px\ncamera 2: RMS %.3f px\nstereo: RMS %.3f px, mean epipolar error %.3f px\n",
              k.rms_kamery[0], k.rms_kamery[1], k.rms_stereo, k.epipolarni_chyba);
  for (int c = 0; c < 2; c++) {
    const ObjektivRigu& o = k.rig.objektiv[c];
    std::printf("camera %d: fx %.2f, fy %.2f, cx %.2f, cy %.2f; k1 %.4f, k2 %.4f, p1 %.5f, p2 %.5f, k3 %.4f "
                "(solved for %s)\n",
                c + 1, o.matice[0], o.matice[4], o.matice[2], o.matice[5], o.zkresleni[0], o.zkresleni[1],
                o.zkresleni[2], o.zkresleni[3], o.zkresleni[4], k.model[c].c_str());
  }
  const double* t = k.rig.objektiv[1].posun;
  std::printf("baseline: %.4f (%s)\n", std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]), jednotka.c_str());
  std::printf("board measured back (neighbouring corners, square %g): mean error %+.4f, RMS %.4f (%.2f %%), "
              "largest %.4f (%.2f %%)\n",
              ctverec, k.ctverec_prumer, k.ctverec_rms, 100 * k.ctverec_rms / ctverec, k.ctverec_nejvic,
              100 * k.ctverec_nejvic / ctverec);
}

// The pictures of --report: each view with its corners (green) and their
// residuals magnified 50 times (red), and a bar chart of the views' RMS.
bool zapis_zpravu(const KalibraceSachovnici& k, const std::string& adresar, std::string* chyba) {
  if (mkdir(adresar.c_str(), 0777) != 0 && errno != EEXIST) {
    *chyba = zprava(adresar, std::string("cannot be made (") + std::strerror(errno) + ")");
    return false;
  }
  const auto zapis_png = [&](const std::string& jmeno, const cv::Mat& obraz) {
    std::vector<unsigned char> png;
    if (!cv::imencode(".png", obraz, png)) {
      *chyba = zprava(jmeno, "cannot be encoded as PNG");
      return false;
    }
    return zapis_atomicky(jmeno, std::string(png.begin(), png.end()), chyba);
  };
  double nejvic = 0;
  for (std::size_t v = 0; v < k.pohledy.size(); v++) {
    const PohledSachovnice& p = k.pohledy[v];
    nejvic = std::max({nejvic, p.rms[0], p.rms[1]});
    for (int c = 0; c < 2; c++) {
      cv::Mat obraz = cv::imread(p.soubor[c], cv::IMREAD_COLOR);
      if (obraz.empty()) obraz = cv::Mat(k.rig.vyska, k.rig.sirka, CV_8UC3, cv::Scalar::all(0));
      for (std::size_t i = 0; i < p.rohy[c].size(); i++) {
        const cv::Point2f a = p.rohy[c][i], b = a + 50.0f * p.reziduum[c][i];
        cv::circle(obraz, a, 3, cv::Scalar(0, 200, 0), 1, cv::LINE_AA);
        cv::line(obraz, a, b, cv::Scalar(0, 0, 255), 1, cv::LINE_AA);
      }
      cv::putText(obraz, "view " + std::to_string(v + 1) + ", camera " + std::to_string(c + 1) + ": RMS " +
                             cv::format("%.3f", p.rms[c]) + " px, residuals x50",
                  cv::Point(10, 25), cv::FONT_HERSHEY_SIMPLEX, 0.6, cv::Scalar(0, 255, 255), 1, cv::LINE_AA);
      if (!zapis_png(adresar + "/view" + cv::format("%02zu", v + 1) + "_camera" + std::to_string(c + 1) + ".png",
                     obraz))
        return false;
    }
  }
  const int sirka = 60 + 40 * static_cast<int>(k.pohledy.size()), vyska = 300;
  cv::Mat graf(vyska, sirka, CV_8UC3, cv::Scalar::all(255));
  for (std::size_t v = 0; v < k.pohledy.size(); v++)
    for (int c = 0; c < 2; c++) {
      const int x = 40 + 40 * static_cast<int>(v) + 16 * c;
      const int h = nejvic > 0 ? static_cast<int>(240 * k.pohledy[v].rms[c] / nejvic) : 0;
      cv::rectangle(graf, cv::Point(x, vyska - 30 - h), cv::Point(x + 14, vyska - 30),
                    c == 0 ? cv::Scalar(200, 100, 0) : cv::Scalar(0, 120, 220), cv::FILLED);
    }
  cv::putText(graf, "RMS per view (blue: camera 1, orange: camera 2), top " + cv::format("%.3f", nejvic) + " px",
              cv::Point(10, 18), cv::FONT_HERSHEY_SIMPLEX, 0.45, cv::Scalar(0, 0, 0), 1, cv::LINE_AA);
  return zapis_png(adresar + "/rms_per_view.png", graf);
}

}  // namespace

int main(int argc, char** argv) {
  nastav_jmeno_programu("calibrate_rig");
  VolbyKalibrace v;
  const int stav = rozeber(argc, argv, &v);
  if (stav >= 0) return stav;
  if (!v.adresar.empty() && chdir(v.adresar.c_str()) != 0) {
    ohlas(zprava(v.adresar, std::string("cannot be entered (") + std::strerror(errno) + ")"));
    return 1;
  }
  KalibraceSachovnici k;
  std::string chyba;
  const bool hotovo = kalibruj_sachovnici(v.obrazky, v.rohu, v.ctverec, v.jednotka, &k, &chyba);
  for (const std::string& w : k.varovani) ohlas(w);
  if (!hotovo) {
    ohlas(chyba);
    return 1;
  }
  vypis(k, v.ctverec, v.jednotka);
  if (!v.zprava.empty() && !zapis_zpravu(k, v.zprava, &chyba)) {
    ohlas(chyba);
    return 1;
  }
  if (!zapis_rig(soubor_rigu, k.rig, &chyba)) {
    ohlas(chyba);
    return 1;
  }
  std::printf("written: %s\n", soubor_rigu);
  return 0;
}
