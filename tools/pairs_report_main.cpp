// pairs_report [--common] [DIR]: compares pairs_to_points' pairs.ply in DIR
// (default: the working directory) with the points.txt of the turntable
// sample set there, and prints how many of the decoded pairs of data.txt lie
// within 0.5 units of their true point, the RMS and largest error, and the
// share of true crossings found. With --common the points are compared with
// the truth in the common frame of the marker scan (pairs_to_points --turn).
#include <cstdio>
#include <string>

#include "tools/pairs_report.h"

namespace {

double podil(int a, int b) { return b > 0 ? 100.0 * a / b : 0.0; }

}  // namespace

int main(int argc, char** argv) {
  bool spolecny = false;
  std::string adresar = ".";
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--common") {
      spolecny = true;
    } else if (!a.empty() && a[0] != '-' && adresar == ".") {
      adresar = a;
    } else {
      std::fprintf(stderr, "usage: pairs_report [--common] [DIR]\n");
      return 2;
    }
  }
  DataParu data;
  std::vector<BodParu> body;
  std::vector<BodPravdy> pravda;
  std::string chyba;
  if (!nacti_pary(adresar + "/data.txt", adresar + "/data.txt", &data, &chyba) ||
      !nacti_ply_paru(adresar + "/pairs.ply", &body, &chyba) ||
      !nacti_body_pravdy(adresar + "/points.txt", &pravda, &chyba)) {
    std::fprintf(stderr, "pairs_report: %s\n", chyba.c_str());
    return 1;
  }
  const HodnoceniBodu h = ohodnot_body(data.pary, body, pravda, spolecny);
  std::printf("truth: %s frame\n", spolecny ? "common" : "camera");
  std::printf("decoded pairs %d, points %d, pairs without a point (dropped) %d, "
              "points of no pair %d\n", h.paru, h.bodu, h.chybi, h.navic);
  std::printf("within %.1f units: %d of %d decoded pairs (%.2f %%)\n", mez_chyby_bodu, h.do_meze,
              h.paru, podil(h.do_meze, h.paru));
  std::printf("RMS %.4f, largest %.4f (points near no true crossing: %d)\n", h.rms, h.nejvic,
              h.bez_krizeni);
  std::printf("crossings found %d of %d seen by both cameras (%.2f %%)\n", h.nalezenych,
              h.krizeni, podil(h.nalezenych, h.krizeni));
  return 0;
}
