// Growth of a graph of non-crossing segments between points of a plane.
//
// The points are given by their plane positions (polar angles, coordinates
// on a projection plane or pixel positions); point i is body[i]. The growth
// returns the segments in the order they were added, each as (first
// endpoint, second endpoint) point indices. Segments are only ever added.
//
// Candidate of point i: among all other points j whose distance from i is a
// number below 65535, the nearest one (ties to the lower index) for which the
// segment (i, j) is admissible: no segment (i, j) or (j, i) exists yet, and
// no existing segment that touches neither i nor j crosses it (segments
// sharing an end point never block each other).
//
// Full pass: the candidate of every point in index order; the current pair
// becomes the shortest of them (ties to the lower index), or stays unset.
// Step k: a full pass when k is a multiple of the point count, then the
// candidates of both ends of the current pair (the one of the second end
// replaces the pair only when strictly shorter), then the pair is appended
// when either end found a candidate. The steps end after step
// posledni_krok + 1, or earlier, at the segment limit (na_limitu), when a
// step begins its append decision with max_usecek segments.
//
// Positions may be NaN or infinite: a point whose distances are not numbers
// below 65535 simply never gets a segment. An empty point set runs its steps
// without any full pass and adds nothing.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct BodRoviny {
  float x;
  float y;
};

// A point in space, as the builders' graphs (polar_graph.h,
// projection_graph.h) take them.
using Bod3D = std::array<float, 3>;

// Distance of two plane positions: the differences and the square root in
// double, the result rounded to float.
inline float vzdalenost_v_rovine(BodRoviny a, BodRoviny b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// Whether the segment from P along D crosses the segment from Q along E: P + t D = Q + u E
// solved in the coordinate order (x, y), or (y, x) when the first order
// needs a division by a value below 0.0001 in magnitude; parallel segments
// (both orders fail) never cross, and a crossing needs 0 < t < 1 and
// 0 < u < 1 strictly, so segments that only touch do not cross.
bool usecky_se_krizi(BodRoviny P, BodRoviny D, BodRoviny Q, BodRoviny E);

struct NastaveniRustu {
  // The steps 0 .. posledni_krok + 1 run.
  int posledni_krok = 10000;
  // The segment limit; by default as many as the programs' segment table
  // (usecky_provizorni) holds.
  int max_usecek = 4000;
  // After the first full pass, before step 0.
  std::function<void()> po_uvodnim_pruchodu;
  // At the start of every step, with its number.
  std::function<void(int)> na_zacatku_kroku;
  // At the end of every step that the segment limit did not end.
  std::function<void(int)> na_konci_kroku;
  // Right after a segment was appended, with its index in the list and its
  // two end points.
  std::function<void(int, int, int)> po_pridani_usecky;
};

// A segment: the indices of its two end points.
using UseckaGrafu = std::array<std::int32_t, 2>;

struct VysledekRustu {
  std::vector<UseckaGrafu> usecky;
  // The growth ended at the segment limit.
  bool na_limitu = false;
  // Not empty when the points were refused: more than the partner lists
  // can number (partner_lists.h). Nothing was grown and no callback called.
  std::string chyba;
};

// Grows the segment graph. Produces the segment list of the plain procedure
// (every step re-scanning every point and every segment), in the same order,
// but keeps per point its partners sorted by distance with a cursor that only
// moves forward (a segment that is not admissible never becomes admissible
// again) and looks for crossing segments through a grid.
VysledekRustu rust_usecek(const std::vector<BodRoviny>& body, const NastaveniRustu& nastaveni);
