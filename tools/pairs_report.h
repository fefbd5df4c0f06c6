// Judging pairs_to_points' "pairs.ply" against the 3D truth of the
// turntable sample set.
//
// "points.txt" (decoder_sample --turntable) has one line per grid crossing
// both cameras see: its code, its true picture position in camera 1 and in
// camera 2 (column, row counted from the top row), the true point where it
// stood when photographed (x y z, world) and the same point in the common
// frame of the marker scan (x y z). nacti_body_pravdy returns false with
// "<cesta>: ..." naming the line when the file is missing or a line is
// malformed; nacti_ply_paru does the same for a file that is not a binary
// "pairs.ply" as pairs_to_points writes it (x y z as floats, x1 y1 x2 y2 as
// ints, quality as float).
//
// A point's true crossing is the one whose camera 1 picture position lies
// nearest to the point's camera 1 pixel, within tolerance_paru pixels; its
// error is the distance to that crossing's point. A point near no crossing
// counts as not within the limit.
#pragma once

#include <string>
#include <vector>

#include "pairs/pair_file.h"
#include "pairs/pair_points.h"
#include "tools/camera_projection.h"

struct BodPravdy {
  int kod = 0;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Bod3 svet, spolecny;
};

// The limit of the acceptance: a point within this distance of its true point
// is a good one.
constexpr double mez_chyby_bodu = 0.5;

struct HodnoceniBodu {
  int paru = 0;           // pairs in data.txt
  int bodu = 0;           // points in pairs.ply
  int chybi = 0;          // pairs of data.txt that have no point (dropped)
  int navic = 0;          // points whose pixels no pair of data.txt has
  int bez_krizeni = 0;    // points near no true crossing
  int do_meze = 0;        // points within mez_chyby_bodu of their true point
  double rms = 0, nejvic = 0;  // over the points with a true crossing
  int krizeni = 0;        // crossings both cameras see
  int nalezenych = 0;     // crossings with a point within mez_chyby_bodu
};

bool nacti_body_pravdy(const std::string& cesta, std::vector<BodPravdy>* body, std::string* chyba);
bool nacti_ply_paru(const std::string& cesta, std::vector<BodParu>* body, std::string* chyba);

// Compares the points with the truth: in the world frame, or in the common
// frame when `spolecny`.
HodnoceniBodu ohodnot_body(const std::vector<ParPixelu>& pary, const std::vector<BodParu>& body,
                           const std::vector<BodPravdy>& pravda, bool spolecny);
