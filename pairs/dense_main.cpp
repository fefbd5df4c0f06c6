// dense_scan: the whole object from the structured-light images of every
// turntable angle in the directory: decoded on several threads, triangulated
// with the camera set-up in use, turned into the common frame of the marker
// scan, cleaned of outliers and merged into "dense.ply", and meshed into
// "dense_surface.ply".
//
// Bad input (no complete angle, unusable images, marker images that give no
// axis, a "rig.yml" that cannot be used) ends the run with one message and
// status 1 before anything is written. An incomplete angle, and an angle
// whose pairs are all dropped, are warnings.
#include <opencv2/core/utils/logger.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "common/messages.h"
#include "common/options.h"
#include "model/surface_export.h"
#include "model/surface_mesh.h"
#include "model/surface_reconstruction.h"
#include "model/volume_check.h"
#include "pairs/common_frame.h"
#include "pairs/dense_cloud.h"
#include "pairs/dense_decoding.h"
#include "pairs/pair_points.h"
#include "programs/scan_frame.h"
#include "programs/viewer_loader.h"
#include "viewer/scene_view.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/rig_loader.h"
#include "reconstruction/scene_tables.h"
#include "reconstruction/triangulation.h"

namespace {

const PopisProgramu popis{
    "dense_scan",
    "Decodes the structured-light images of every turntable angle in the directory,\n"
    "triangulates the pairs with the camera set-up in use, turns them into the common\n"
    "frame of the marker scan (the turntable axis from the reference marks of the\n"
    "ten marker images), removes outliers, and writes the merged points with their\n"
    "normals to dense.ply and a closed surface of them to dense_surface.ply.",
    "AAAPFC.bmp for every turntable angle AAA (the decoder's 19 images of each\n"
    "camera C; an angle with some missing is left out with a warning); the ten\n"
    "marker images 000_k1_A.bmp ... 200_k2_A.bmp; rig.yml when present\n"
    "(otherwise the compiled-in camera set-up)",
    "dense.ply (the points), dense_surface.ply (the surface; not with\n"
    "--no-surface)",
    false, false, false, true};

using Hodiny = std::chrono::steady_clock;

double ms_od(Hodiny::time_point od) {
  return std::chrono::duration<double, std::milli>(Hodiny::now() - od).count();
}

std::string seznam(const std::vector<std::string>& jmena) {
  std::string s;
  for (const std::string& j : jmena) s += (s.empty() ? "" : ", ") + j;
  return s;
}

int skonci(const std::string& chyba) {
  ohlas(chyba);
  return 1;
}

// Camera 1's centre at turntable angle `uhel`, in the common frame.
std::array<float, 3> kamera_v_uhlu(int uhel) {
  float c[3] = {stereo_kamera[0][0], stereo_kamera[0][1], stereo_kamera[0][2]};
  otoc_do_spolecne(c, uhel);
  return {c[0], c[1], c[2]};
}

// Draws the surface as the viewer shows "surface.ply" after the key M, turned
// to face it, into a PNG file.
int snimek_plochy(const Plocha& plocha, const std::string& soubor) {
  plocha_skenu = plocha;
  NastaveniProhlizece nastaveni{true, soubor};
  nastaveni.plocha_hned = true;
  std::string chyba;
  if (!nastav_pohled_skenu(&nastaveni, &chyba)) return skonci(zprava(soubor, "no view of the object: " + chyba));
  // Face the surface's own centroid (the viewing frame maps it in).
  double t[3] = {0, 0, 0};
  for (const auto& v : plocha.vrcholy)
    for (int j = 0; j < 3; ++j) t[j] += v[static_cast<std::size_t>(j)] / static_cast<double>(plocha.vrcholy.size());
  for (int i = 0; i < 3; ++i)
    nastaveni.cil[i] = nastaveni.matice[i] * t[0] + nastaveni.matice[4 + i] * t[1] + nastaveni.matice[8 + i] * t[2] +
                       nastaveni.matice[12 + i];
  if (!spust_prohlizec_modulu(&chyba, tabulky_sceny(), nastaveni)) return skonci(chyba);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  nastav_jmeno_programu("dense_scan");
  Volby volby;
  const int konec = zpracuj_volby(argc, argv, popis, &volby);
  if (konec >= 0) return konec;
  chran_vystupy();
  cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
  const int uloh = volby.uloh > 0 ? volby.uloh : std::max(1u, std::thread::hardware_concurrency());

  std::string chyba;
  bool rig = false;
  if (!nacti_rig_programu(&rig, &chyba, nacti_rig_modulem)) return skonci(chyba);

  UhlyAdresare uhly;
  if (!najdi_uhly(".", &uhly, &chyba)) return skonci(chyba);
  for (const NeuplnyUhel& n : uhly.neuplne)
    ohlas(zprava("angle " + std::to_string(n.uhel), "left out, its images are incomplete; missing " +
                                                        seznam(n.chybi)));
  if (uhly.uplne.empty())
    return skonci(zprava("AAAPFC.bmp", "no turntable angle has the structured-light images of both cameras complete"));

  // The axis first: without it nothing can be merged.
  std::string duvod;
  if (!urci_osu_ze_znacek(&duvod)) return skonci(duvod);

  const Hodiny::time_point t_dekodovani = Hodiny::now();
  const std::vector<DekodovanyUhel> dekodovane = dekoduj_uhly(".", uhly.uplne, uloh);
  for (const DekodovanyUhel& d : dekodovane)
    if (!d.chyba.empty()) return skonci(d.chyba);
  const double ms_dekodovani = ms_od(t_dekodovani);

  const Hodiny::time_point t_triangulace = Hodiny::now();
  std::vector<HustyBod> body;
  std::vector<int> pary_uhlu, bodu_uhlu, vynechano_uhlu;
  for (const DekodovanyUhel& d : dekodovane) {
    VysledekParu v = trianguluj_pary(sestava_programu(), d.pary);
    otoc_body(&v.body, d.uhel);
    const std::array<float, 3> kamera = kamera_v_uhlu(d.uhel);
    // The kept points are the pairs in their order, less the dropped ones.
    std::size_t j = 0;
    for (const BodParu& b : v.body) {
      while (j < d.pary.size() && (d.pary[j].x1 != b.par.x1 || d.pary[j].y1 != b.par.y1 ||
                                   d.pary[j].x2 != b.par.x2 || d.pary[j].y2 != b.par.y2))
        ++j;
      HustyBod h;
      h.xyz = {b.xyz[0], b.xyz[1], b.xyz[2]};
      h.sed = j < d.sedi.size() ? d.sedi[j] : 0;
      h.uhel = d.uhel;
      h.par = b.par;
      h.kamera = kamera;
      body.push_back(h);
    }
    pary_uhlu.push_back(static_cast<int>(d.pary.size()));
    bodu_uhlu.push_back(static_cast<int>(v.body.size()));
    vynechano_uhlu.push_back(v.vynechano);
    if (v.body.empty())
      ohlas(zprava("angle " + std::to_string(d.uhel),
                   d.pary.empty() ? "no pixel pairs were decoded" : "every pixel pair was dropped"));
  }
  const double ms_triangulace = ms_od(t_triangulace);

  const Hodiny::time_point t_spojeni = Hodiny::now();
  const std::vector<int> odlehlych = odstran_odlehle(&body, uhly.uplne);
  std::vector<std::array<float, 3>> na_rovine;
  odhadni_normaly(&body, &na_rovine);
  const double ms_spojeni = ms_od(t_spojeni);

  int celkem_paru = 0, celkem_bodu = 0, celkem_vynechano = 0, celkem_odlehlych = 0;
  for (std::size_t i = 0; i < uhly.uplne.size(); ++i) {
    std::printf("angle %d: pairs %d, points %d, dropped %d, outliers %d\n", uhly.uplne[i], pary_uhlu[i],
                bodu_uhlu[i] - odlehlych[i], vynechano_uhlu[i], odlehlych[i]);
    celkem_paru += pary_uhlu[i];
    celkem_bodu += bodu_uhlu[i] - odlehlych[i];
    celkem_vynechano += vynechano_uhlu[i];
    celkem_odlehlych += odlehlych[i];
  }
  std::printf("total: %zu angles, pairs %d, points %d, dropped %d, outliers %d\n", uhly.uplne.size(),
              celkem_paru, celkem_bodu, celkem_vynechano, celkem_odlehlych);

  Plocha plocha;
  KontrolaObjemu kontrola;
  double ms_plochy = 0;
  if (!volby.bez_plochy) {
    const Hodiny::time_point t_plochy = Hodiny::now();
    // The mesh goes through the points moved onto their local planes: the
    // measured points of two angles lie a tenth of a unit apart across the
    // surface, and a mesh through both folds at that scale, leaving holes
    // that cannot be closed without crossings.
    if (!postav_plochu(na_rovine, &plocha, &chyba)) return skonci(zprava("dense_surface.ply", chyba));
    if (!chyba.empty()) ohlas(zprava("dense_surface.ply", chyba));
    std::vector<std::array<double, 3>> vrcholy;
    for (const auto& v : plocha.vrcholy) vrcholy.push_back({v[0], v[1], v[2]});
    kontrola = zkontroluj_objem(vrcholy, plocha.trojuhelniky);
    ms_plochy = ms_od(t_plochy);
  }

  if (!zapis_atomicky("dense.ply", ply_husteho(body), &chyba)) return skonci(chyba);
  if (!volby.bez_plochy) {
    if (!zapis_atomicky("dense_surface.ply", plocha_ply(plocha, false), &chyba)) return skonci(chyba);
    std::printf("surface: %s\n", radek_plochy(plocha.vrcholy.size(), plocha.trojuhelniky, kontrola).c_str());
    if (!plocha.trojuhelniky.empty() && !kontrola.ohranicuje)
      ohlas(zprava("dense_surface.ply", "bounds a volume: no (" + kontrola.proc + ")"));
  }
  std::printf("time: decoding %.0f ms (%d threads), triangulation %.0f ms, merging %.0f ms, surface %.0f ms\n",
              ms_dekodovani, uloh, ms_triangulace, ms_spojeni, ms_plochy);
  if (volby.snimek.empty()) return 0;
  std::fflush(stdout);
  return snimek_plochy(plocha, volby.snimek);
}
