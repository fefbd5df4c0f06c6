// The --help description of viewer_projection, viewer_calibration and
// viewer_polar, chosen by the configuration.
#include "programs/usage.h"

#include <string>

#include "reconstruction/configuration.h"

namespace {

constexpr const char* ucel =
    konfigurace::je_projekce
        ? "Triangulates the marked points of five turntable positions, turns them into\n"
          "one frame, builds a surface from two flat projections of the point cloud and\n"
          "shows it in a full-screen OpenGL window (fly with W, S, A, D and the mouse,\n"
          "leave with Escape)."
    : konfigurace::je_kalibrace
        ? "Triangulates the marked points of five turntable positions, computes the\n"
          "camera set-up from two photographs of the calibration object, waits for\n"
          "Enter and shows the cameras in a full-screen OpenGL window (fly with W, S,\n"
          "A, D and the mouse, leave with Escape)."
        : "Triangulates the marked points of five turntable positions, turns them into\n"
          "one frame, builds a triangle surface in polar coordinates around their\n"
          "centroid, waits for Enter and shows it in a full-screen OpenGL window (fly\n"
          "with W, S, A, D and the mouse, leave with Escape).";

constexpr const char* znacky =
    "000_k1_A.bmp 000_k2_A.bmp 080_k1_A.bmp 080_k2_A.bmp 160_k1_A.bmp\n"
    "160_k2_A.bmp 240_k1_A.bmp 240_k2_A.bmp 200_k1_A.bmp 200_k2_A.bmp (marker images)";

constexpr const char* zapisuje = konfigurace::je_kalibrace
                                     ? "logfile.txt (log), cameras.ply (the cameras), points.ply (the points)"
                                     : "logfile.txt (log), model.ply (the model), points.ply (the points)";

}  // namespace

PopisProgramu popis_prohlizece() {
  static const std::string cte =
      std::string(znacky) + (konfigurace::je_kalibrace ? "\nkalib1.bmp kalib2.bmp (calibration images)" : "");
  return PopisProgramu{konfigurace::jmeno_programu, ucel, cte.c_str(), zapisuje, true};
}
