// A window with a hand-made model, for the window tests and for measuring the
// frame rate: a grid of coloured triangles in front of the turned view, a
// polygon with a hole, a half disc made with an arc instruction, a few
// segments, the two default cameras and the calibration marks.
// Usage: viewer_test_scene [rows columns]  (default 10 x 20 quads, 400
// triangles). Writes "logfile.txt" in the working directory; prints the
// number of frames and the frame rate when the window is closed.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/messages.h"
#include "model/instruction_pool.h"
#include "reconstruction/log_file.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/scene_tables.h"
#include "viewer/scene_view.h"
#include "viewer/viewer_start.h"

namespace {

Polygon3D* polygon(const float (*body)[3], int pocet, int r, int g, int b) {
  Polygon3D* p = new Polygon3D(instrukce_polygonu[nova_instrukce(body[0][0], body[0][1], body[0][2])]);
  for (int i = 1; i < pocet; i++)
    pridej_instrukci(p, instrukce_polygonu[nova_instrukce(body[i][0], body[i][1], body[i][2])]);
  pridej_polygon(model1, p);
  p->cervena = static_cast<std::uint16_t>(r);
  p->zelena = static_cast<std::uint16_t>(g);
  p->modra = static_cast<std::uint16_t>(b);
  return p;
}

void zvlastni_instrukce(Polygon3D* p, float y) {
  pridej_instrukci(p, new PolygonInstrukce(std::numeric_limits<float>::quiet_NaN(), y, 0));
}

}  // namespace

int main(int argc, char** argv) {
  int radku = 10, sloupcu = 20;
  if (argc == 3) {
    radku = std::atoi(argv[1]);
    sloupcu = std::atoi(argv[2]);
  }
  if (radku < 1 || sloupcu < 1 || radku * sloupcu * 6 > kapacita_instrukci - 100) {
    std::fprintf(stderr, "viewer_test_scene: rows and columns must give at most %d quads\n",
                 (kapacita_instrukci - 100) / 6);
    return 1;
  }
  nastav_jmeno_programu("viewer_test_scene");
  if (!otevri_log()) {
    ohlas(zprava("logfile.txt", "cannot be created in the working directory"));
    return 1;
  }
  init_ins();
  nastav_obdelniky_kamer();
  // The grid: x -20..20, z -12..12 in the plane y = 40.
  for (int i = 0; i < radku; i++)
    for (int j = 0; j < sloupcu; j++) {
      const float x0 = -20 + 40.0f * j / sloupcu, x1 = -20 + 40.0f * (j + 1) / sloupcu;
      const float z0 = -12 + 24.0f * i / radku, z1 = -12 + 24.0f * (i + 1) / radku;
      const float t1[3][3] = {{x0, 40, z0}, {x1, 40, z0}, {x1, 40, z1}};
      const float t2[3][3] = {{x0, 40, z0}, {x1, 40, z1}, {x0, 40, z1}};
      const bool sude = (i + j) % 2 == 0;
      polygon(t1, 3, 0, sude ? 200 : 0, sude ? 0 : 255);
      polygon(t2, 3, 0, sude ? 160 : 0, sude ? 160 : 200);
    }
  // A square with a square hole, above the grid.
  const float ctverec[4][3] = {{-6, 39, 14}, {6, 39, 14}, {6, 39, 20}, {-6, 39, 20}};
  Polygon3D* s_dirou = polygon(ctverec, 4, 255, 128, 0);
  zvlastni_instrukce(s_dirou, 0);
  const float dira[4][3] = {{-2, 39, 16}, {2, 39, 16}, {2, 39, 18}, {-2, 39, 18}};
  for (const float* b : dira) pridej_instrukci(s_dirou, instrukce_polygonu[nova_instrukce(b[0], b[1], b[2])]);
  // A half disc below the grid: from (14, 39, -14) through (10, 39, -18) to
  // (6, 39, -14), closed by the straight edge back to the start.
  const float zacatek[1][3] = {{14, 39, -14}};
  Polygon3D* pulkruh = polygon(zacatek, 1, 128, 0, 255);
  zvlastni_instrukce(pulkruh, 1);
  pridej_instrukci(pulkruh, instrukce_polygonu[nova_instrukce(6, 39, -14)]);
  pridej_instrukci(pulkruh, instrukce_polygonu[nova_instrukce(10, 39, -18)]);
  // Segments: a frame around the grid, just in front of it.
  const float ramecek[4][3] = {{-21, 38, -13}, {21, 38, -13}, {21, 38, 13}, {-21, 38, 13}};
  for (int k = 0; k < 4; k++) {
    float* u = prunik[pocetusecek3d++].p;
    for (int i = 0; i < 3; i++) {
      u[i] = ramecek[k][i];
      u[3 + i] = ramecek[(k + 1) % 4][i];
    }
  }
  const auto zacatek_behu = std::chrono::steady_clock::now();
  std::string chyba;
  unsigned long pocet_snimku = 0;
  if (!spust_prohlizec(&chyba, tabulky_sceny(), NastaveniProhlizece(), &pocet_snimku)) {
    ohlas(chyba);
    zavri_log();
    return 1;
  }
  const double sekund =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek_behu).count();
  zavri_log();
  std::printf("snimku: %lu sekund: %.2f snimku za sekundu: %.1f\n", pocet_snimku, sekund,
              sekund > 0 ? pocet_snimku / sekund : 0.0);
  return 0;
}
