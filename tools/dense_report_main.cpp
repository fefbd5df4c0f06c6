// dense_report [DIR]: judges the dense scan "DIR/dense.ply" (default DIR:
// the working directory) against the vase of the turntable sample set
// (decoder_sample --turntable), and "DIR/dense_surface.ply" too when it
// exists. The angles are those whose preview image "AAA911.bmp" lies in
// DIR, or when there is none the angles the points carry. Prints the number
// of points, the RMS and largest distance of the points from the vase's
// surface, how many lie within 0.5 units of it, the coverage of the side
// surface the cameras could scan (tools/dense_report.h) and, for the mesh,
// its vertices' RMS and largest distance.
//
// Exit status: 0; 1 for a file that cannot be read, with one message naming
// it; 2 for bad usage.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tools/dense_report.h"

namespace {

double podil(std::size_t a, std::size_t b) {
  return b > 0 ? 100.0 * static_cast<double>(a) / static_cast<double>(b) : 0.0;
}

int pouziti(std::FILE* kam, int kod) {
  std::fprintf(kam,
               "usage: dense_report [DIR]\n"
               "  judges DIR/dense.ply (and DIR/dense_surface.ply when it exists) against the\n"
               "  vase of the turntable sample set\n");
  return kod;
}

}  // namespace

int main(int argc, char** argv) {
  std::string adresar;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") return pouziti(stdout, 0);
    if (adresar.empty() && !a.empty() && a[0] != '-') {
      adresar = a;
    } else {
      std::fprintf(stderr, "dense_report: unknown option or extra argument: %s\n", a.c_str());
      return pouziti(stderr, 2);
    }
  }
  if (adresar.empty()) adresar = ".";

  std::vector<BodHusteho> body;
  std::string chyba;
  if (!nacti_husty_ply(adresar + "/dense.ply", &body, &chyba)) {
    std::fprintf(stderr, "dense_report: %s\n", chyba.c_str());
    return 1;
  }
  const Scena scena = vytvor_scenu(NastaveniSceny{});
  const std::string plocha = adresar + "/dense_surface.ply";
  struct stat info;
  const bool s_plochou = stat(plocha.c_str(), &info) == 0;
  HodnoceniPlochy hp;
  if (s_plochou && !ohodnot_plochu(plocha, scena, &hp, &chyba)) {
    std::fprintf(stderr, "dense_report: %s\n", chyba.c_str());
    return 1;
  }
  std::vector<int> uhly = uhly_nahledu(adresar);
  const bool z_nahledu = !uhly.empty();
  if (!z_nahledu) uhly = uhly_bodu(body);
  const HodnoceniHusteho h = ohodnot_husty(body, scena, uhly);

  std::printf("angles:");
  for (int u : uhly) std::printf(" %d", u);
  std::printf(" (%s)\n", uhly.empty()     ? "none: no preview images and no points"
                         : z_nahledu      ? "from the preview images"
                                          : "from the points");
  std::printf("points %zu\n", h.bodu);
  std::printf("RMS %.4f, largest %.4f\n", h.rms, h.nejvic);
  std::printf("within %.1f units: %zu of %zu (%.2f %%)\n", mez_husteho, h.do_meze, h.bodu,
              podil(h.do_meze, h.bodu));
  std::printf("coverage: %.2f %% of the visible side surface has a point within %.2f units "
              "(%zu samples)\n",
              podil(h.pokrytych, h.vzorku), dosah_pokryti, h.vzorku);
  if (s_plochou)
    std::printf("surface: %zu vertices, RMS %.4f, largest %.4f from the vase\n", hp.vrcholu,
                hp.rms, hp.nejvic);
  return 0;
}
