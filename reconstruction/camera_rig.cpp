// The camera set-up of the triangulation and its source, compiled in or
// "rig.yml".
#include "reconstruction/camera_rig.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/image_size.h"
#include "reconstruction/lens_distortion.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

// Horizontal image directions of the compiled-in cameras.
const float vodorovne_smery[2][2] = {{0.999f, -0.034f}, {0.984f, 0.173f}};

MapovaniPixelu vychozi_mapovani(int kamera) {
  const double x = x_px;
  const double y = y_px;
  return {{360.0, 240.0},
          {x * vodorovne_smery[kamera][0], x * vodorovne_smery[kamera][1], x * 0.0},
          {y * 0.0, y * 0.0, y * 1.0}};
}

// Per camera its centre pixel and image-plane steps, and the lenses of a
// version 2 rig (without one nothing is undistorted): the rest of the set-up
// in use, which only sestava_programu hands out.
MapovaniPixelu mapovani_kamer[2] = {vychozi_mapovani(0), vychozi_mapovani(1)};
ObjektivyKamer objektivy_kamer;

}  // namespace

RigKamer vychozi_rig() {
  RigKamer rig;
  rig.jednotka = "units of the compiled-in set-up (camera 1 at the origin)";
  for (int k = 0; k < 2; k++) {
    KameraRigu& c = rig.kamera[k];
    const MapovaniPixelu m = vychozi_mapovani(k);
    const float vychozi_stredy[2][3] = {{0.0f, 0.0f, 0.0f}, {28.5f, 0.0f, 0.3f}};
    const float vychozi_body[2][3] = {{7.65f, 224.775f, 0.0f}, {-10.425f, 221.4f, 0.3f}};
    for (int j = 0; j < 3; j++) {
      c.stred_projekce[j] = vychozi_stredy[k][j];
      c.bod_stredu[j] = vychozi_body[k][j];
      c.krok_sloupce[j] = m.krok_sloupce[j];
      c.krok_radku[j] = m.krok_radku[j];
    }
    c.pixel_stredu[0] = m.pixel_stredu[0];
    c.pixel_stredu[1] = m.pixel_stredu[1];
  }
  return rig;
}

SestavaTriangulace sestava_programu() {
  SestavaTriangulace s;
  for (int k = 0; k < 2; k++) {
    for (int j = 0; j < 3; j++) {
      s.stred[k][j] = stereo_kamera[k][j];
      s.lok[k][j] = stereo_lok[k][j];
    }
    s.mapovani[k] = mapovani_kamer[k];
  }
  s.objektivy = objektivy_kamer;
  return s;
}

void pouzij_rig(const RigKamer& rig) {
  const SestavaTriangulace s = sestava_triangulace(rig);
  objektivy_kamer = s.objektivy;
  for (int k = 0; k < 2; k++) {
    for (int j = 0; j < 3; j++) {
      stereo_kamera[k][j] = s.stred[k][j];
      stereo_lok[k][j] = s.lok[k][j];
    }
    mapovani_kamer[k] = s.mapovani[k];
    // Corners of the image in the drawing order of the compiled-in
    // rectangles: left top, left bottom, right bottom, right top (rows grow
    // upwards on the image plane of the compiled-in set-up).
    const int rohy[4][2] = {{0, 480}, {0, 0}, {640, 0}, {640, 480}};
    for (int r = 0; r < 4; r++) bod_obrazove_roviny(s, k, rohy[r][0], rohy[r][1], stereo_body[k][r]);
  }
}

bool nacti_rig_programu(bool* pouzit, std::string* chyba, CteniRigu cteni) {
  *pouzit = false;
  // Only a file that is not there at all means the compiled-in set-up; a
  // symbolic link to nowhere is a file meant but missing.
  struct stat info {};
  if (lstat(soubor_rigu, &info) != 0) {
    if (errno == ENOENT) return true;
    *chyba = std::string(soubor_rigu) + ": cannot be examined (" + std::strerror(errno) + ")";
    return false;
  }
  if (S_ISLNK(info.st_mode) && stat(soubor_rigu, &info) != 0 && errno == ENOENT) {
    *chyba = std::string(soubor_rigu) + ": is a symbolic link to a file that does not exist";
    return false;
  }
  RigKamer rig;
  if (!cteni(soubor_rigu, &rig, chyba)) return false;
  if (rig.verze == verze_rigu_objektivu && (rig.sirka != sirka_obrazu || rig.vyska != vyska_obrazu)) {
    *chyba = std::string(soubor_rigu) + ": image_size: " + std::to_string(rig.sirka) + " x " +
             std::to_string(rig.vyska) + ", but the images are " + std::to_string(sirka_obrazu) + " x " +
             std::to_string(vyska_obrazu);
    return false;
  }
  pouzij_rig(rig);
  *pouzit = true;
  std::printf("camera set-up: %s (unit: %s)\n", soubor_rigu, rig.jednotka.c_str());
  zapis_log("camera set-up: %s (unit: %s)\n", soubor_rigu, rig.jednotka.c_str());
  return true;
}
