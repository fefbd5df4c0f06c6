// Arc construction: centre, radius, a frame of the arc's plane, the angles
// of the three points on the circle and the sweep from A to E through H.
#include "viewer/arc.h"

#include <cmath>

#include "common/geometry.h"
#include "model/numeric_helpers.h"
#include "viewer/drawing_trace.h"

namespace {

constexpr float tolerance = 0.00001f;
constexpr float neplatny_uhel = -1000.0f;

bool rovno(float a, float b) { return porovnejfloat(a, b, tolerance) == 0; }
bool nula(float a) { return rovno(a, 0.0f); }

void normalizuj(float v[3]) {
  const float delka = static_cast<float>(std::sqrt(skalarne(v, v)));
  if (delka != 0) {
    v[0] /= delka;
    v[1] /= delka;
    v[2] /= delka;
  }
}

// a x b with the products taken in float (not in double as vektorove
// does): the arc's frame has always been built this way.
void vektorovy_soucin(const float a[3], const float b[3], float v[3]) {
  v[0] = a[1] * b[2] - a[2] * b[1];
  v[1] = a[2] * b[0] - a[0] * b[2];
  v[2] = a[0] * b[1] - a[1] * b[0];
}

bool konecne(const float v[3]) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// The chords a = E - A and b = H - A of the three points, their normal
// n = a x b and the squares of the three lengths, in double.
struct Tetivy {
  double a[3], b[3], n[3];
  double aa, bb, nn;
};

Tetivy tetivy(const float A[3], const float E[3], const float H[3]) {
  Tetivy t;
  for (int i = 0; i < 3; i++) {
    t.a[i] = static_cast<double>(E[i]) - A[i];
    t.b[i] = static_cast<double>(H[i]) - A[i];
  }
  vektorove(t.a, t.b, t.n);
  t.nn = skalarne(t.n, t.n);
  t.aa = skalarne(t.a, t.a);
  t.bb = skalarne(t.b, t.b);
  return t;
}

// The points have no circle when they lie on one line or two of them
// coincide: the cross product of the two chords vanishes against their
// lengths.
bool v_primce(const float A[3], const float E[3], const float H[3]) {
  const Tetivy t = tetivy(A, E, H);
  return !(t.nn > 1e-12 * t.aa * t.bb);
}

// Centre of the circle through A, E, H in their plane (general position).
void stred_v_rovine(const float A[3], const float E[3], const float H[3], float K[3]) {
  const Tetivy t = tetivy(A, E, H);
  // K - A = ((|a|^2 b - |b|^2 a) x n) / (2 |n|^2)
  double w[3], c[3];
  for (int i = 0; i < 3; i++) w[i] = t.aa * t.b[i] - t.bb * t.a[i];
  vektorove(w, t.n, c);
  for (int i = 0; i < 3; i++) K[i] = static_cast<float>(A[i] + c[i] / (2 * t.nn));
}

// A candidate angle (radians) minus its offset, brought into 0..2pi; a
// missing or non-finite candidate is invalid.
float uprav_kandidat(float kandidat, double posun) {
  if (!(kandidat > -65534) || !std::isfinite(kandidat)) return neplatny_uhel;
  float t = static_cast<float>(kandidat - posun);
  if (!std::isfinite(t)) return neplatny_uhel;
  // A valid candidate lies within a turn or two of the range; the bound
  // only guards against values no candidate can take.
  for (int krok = 0; krok < 8 && (t < 0 || t > dve_pi_programu); krok++)
    t = static_cast<float>(t - signum(t) * dve_pi_programu);
  if (t < 0 || t > dve_pi_programu) return neplatny_uhel;
  return t;
}

// Two candidates agree when both are valid and equal within the tolerance.
bool shoda(float a, float b) {
  return a != neplatny_uhel && b != neplatny_uhel && rovno(a, b);
}

// Angle of Q on the circle K + r (U sin t + V cos t), in degrees, chosen from
// the candidates that each coordinate gives.
double uhel_bodu(const float Q[3], const float K[3], float r, const float U[3], const float V[3]) {
  float kandidaty[3][2];
  for (int i = 0; i < 3; i++) {
    const float a = U[i] * r;
    const float b = V[i] * r;
    const float d = Q[i] - K[i];
    DvaUhly c;
    double posun = 0;
    if (nula(a)) {
      c = invcos(d / b);
    } else if (nula(b)) {
      c = invsin(d / a);
    } else {
      c = invsin(static_cast<float>(d / std::sqrt(static_cast<double>(a) * a +
                                                  static_cast<double>(b) * b)));
      posun = std::atan(static_cast<double>(b) / a);
      if (a < 0) posun += pi_programu;
    }
    kandidaty[i][0] = uprav_kandidat(c.prvni, posun);
    kandidaty[i][1] = uprav_kandidat(c.druhy, posun);
  }
  const float X1 = kandidaty[0][0], X2 = kandidaty[0][1];
  const float Y1 = kandidaty[1][0], Y2 = kandidaty[1][1];
  const float Z1 = kandidaty[2][0], Z2 = kandidaty[2][1];
  float uhel = neplatny_uhel;
  if (shoda(X1, Z1) || shoda(X1, Z2))
    uhel = X1;
  else if (shoda(X2, Z1) || shoda(X2, Z2))
    uhel = X2;
  if (shoda(Y1, X1) || shoda(Y1, X2) || shoda(Y1, Z1) || shoda(Y1, Z2)) uhel = Y1;
  if (shoda(Y2, X1) || shoda(Y2, X2) || shoda(Y2, Z1) || shoda(Y2, Z2)) uhel = Y2;
  // The chosen angle must put the point back where it is: when two
  // coordinates share the same ambiguous pair of candidates, the tests can
  // agree on the wrong one of the pair (or on none). The angle is then taken
  // from the frame directly.
  if (uhel != neplatny_uhel) {
    const double t = uhel;
    double chyba = 0;
    for (int i = 0; i < 3; i++) {
      const double p = K[i] + static_cast<double>(r) * (U[i] * std::sin(t) + V[i] * std::cos(t));
      chyba = std::fmax(chyba, std::fabs(p - Q[i]));
    }
    if (chyba <= 1e-3 * r) return uhel * 180 / pi_programu;
  }
  double su = 0, cv = 0;
  for (int i = 0; i < 3; i++) {
    su += (static_cast<double>(Q[i]) - K[i]) * U[i];
    cv += (static_cast<double>(Q[i]) - K[i]) * V[i];
  }
  double t = std::atan2(su, cv);
  if (t < 0) t += dve_pi_programu;
  return t * 180 / pi_programu;
}

// The perpendicular-bisector planes of the three pairs of points, as the
// rows of G (normal, then right-hand side), written to the trace.
void roviny_os(const float A[3], const float E[3], const float H[3], float G[3][4], std::FILE* stopa) {
  const float AA = A[0] * A[0] + A[1] * A[1] + A[2] * A[2];
  const float EE = E[0] * E[0] + E[1] * E[1] + E[2] * E[2];
  const float HH = H[0] * H[0] + H[1] * H[1] + H[2] * H[2];
  for (int i = 0; i < 3; i++) {
    G[0][i] = 2 * (A[i] - E[i]);
    G[1][i] = 2 * (H[i] - A[i]);
    G[2][i] = 2 * (E[i] - H[i]);
  }
  G[0][3] = EE - AA;
  G[1][3] = AA - HH;
  G[2][3] = HH - EE;
  for (int k = 0; k < 3; k++)
    zapis_stopu(stopa, "matice:   %lf    %lf    %lf    %lf\n", G[k][0], G[k][1], G[k][2], G[k][3]);
}

// Centre of an arc in the plane z = A[2], by Cramer's rule from two of the
// bisector planes (the first pair whose determinant is not zero within the
// tolerance); the determinants go to the trace. False when the determinant
// is exactly zero.
bool stred_v_rovine_z(const float A[3], const float G[3][4], float K[3], std::FILE* stopa) {
  int r1 = 0, r2 = 1;
  float det = G[r1][0] * G[r2][1] - G[r1][1] * G[r2][0];
  if (nula(det)) {
    r2 = 2;
    det = G[r1][0] * G[r2][1] - G[r1][1] * G[r2][0];
    if (nula(det)) {
      r1 = 1;
      det = G[r1][0] * G[r2][1] - G[r1][1] * G[r2][0];
    }
  }
  const float det1 = G[r1][1] * G[r2][3] - G[r1][3] * G[r2][1];
  const float det2 = G[r1][3] * G[r2][0] - G[r1][0] * G[r2][3];
  zapis_stopu(stopa, "det0: %lf\n", det);
  zapis_stopu(stopa, "det1: %lf\n", det1);
  zapis_stopu(stopa, "det2: %lf\n", det2);
  // Points off one line never give an exactly zero determinant here; the
  // check only keeps the division finite.
  if (det == 0) return false;
  K[0] = det1 / det;
  K[1] = det2 / det;
  K[2] = A[2];
  return true;
}

// The centre of the circle through A, E, H: in a plane z = const by
// stred_v_rovine_z, otherwise by stred_v_rovine.
bool stred_oblouku(const float A[3], const float E[3], const float H[3], const float G[3][4],
                   float K[3], std::FILE* stopa) {
  int rovina = 3;
  for (int i = 0; i < 3 && rovina == 3; i++)
    if (rovno(A[i], E[i]) && rovno(A[i], H[i])) rovina = i;
  if (rovina == 2) return stred_v_rovine_z(A, G, K, stopa);
  stred_v_rovine(A, E, H, K);
  return true;
}

// The unit normal W of the plane of U and the direction from E to K (from
// H, turned, when A and E lie opposite each other), and V = U x W. False
// when no finite frame results.
bool ramec_oblouku(const float U[3], const float K[3], const float E[3], const float H[3],
                   float V[3], std::FILE* stopa) {
  float T[3] = {K[0] - E[0], K[1] - E[1], K[2] - E[2]};
  normalizuj(T);
  zapis_stopu(stopa, "n2:   <     %lf,    %lf,    %lf    >\n", T[0], T[1], T[2]);
  float W[3];
  vektorovy_soucin(U, T, W);
  normalizuj(W);
  vektorovy_soucin(U, W, V);
  normalizuj(V);
  if (nula(V[0]) && nula(V[1]) && nula(V[2])) {
    // A and E opposite each other: the plane is taken from H instead.
    T[0] = K[0] - H[0];
    T[1] = K[1] - H[1];
    T[2] = K[2] - H[2];
    normalizuj(T);
    zapis_stopu(stopa, "oprava:   <     %lf,    %lf,    %lf    >\n", T[0], T[1], T[2]);
    for (float& c : T) c = -c;
    vektorovy_soucin(U, T, W);
    normalizuj(W);
    vektorovy_soucin(U, W, V);
    normalizuj(V);
  }
  return konecne(U) && konecne(V) && !(nula(V[0]) && nula(V[1]) && nula(V[2]));
}

// Direction (+1 or -1) and extent in degrees of the sweep from angle s to
// angle e that passes angle h.
void rozsah_oblouku(double s, double e, double h, int* smer, double* rozsah) {
  if (e > s) {
    *rozsah = e - s;
    if (s < h && h < e) {
      *smer = 1;
    } else {
      *smer = -1;
      *rozsah = std::fabs(360 - *rozsah);
    }
  } else {
    *rozsah = 360 - std::fabs(e - s);
    if (e < h && h < s) {
      *smer = -1;
      *rozsah = std::fabs(360 - *rozsah);
    } else {
      *smer = 1;
    }
  }
}

}  // namespace

bool vrcholy_oblouku(const float A[3], const float E[3], const float H[3],
                     double vrcholy[vrcholu_oblouku][3], std::FILE* stopa) {
  float G[3][4];
  roviny_os(A, E, H, G, stopa);
  if (v_primce(A, E, H)) return false;

  float K[3];
  if (!stred_oblouku(A, E, H, G, K, stopa)) return false;
  const float KA[3] = {K[0] - A[0], K[1] - A[1], K[2] - A[2]};
  const float r = static_cast<float>(std::sqrt(skalarne(KA, KA)));
  if (!konecne(K) || !std::isfinite(r) || nula(r)) return false;

  // Frame of the arc's plane: U towards the centre from A, V in the plane
  // perpendicular to U.
  float U[3] = {KA[0], KA[1], KA[2]};
  normalizuj(U);
  float V[3];
  if (!ramec_oblouku(U, K, E, H, V, stopa)) return false;

  const double s = uhel_bodu(A, K, r, U, V);
  const double e = uhel_bodu(E, K, r, U, V);
  const double h = uhel_bodu(H, K, r, U, V);
  int smer;
  double rozsah;
  rozsah_oblouku(s, e, h, &smer, &rozsah);

  for (int i = 1; i <= vrcholu_oblouku; i++) {
    const double t = radiany(smer * rozsah * i / vrcholu_oblouku + s);
    for (int k = 0; k < 3; k++)
      vrcholy[i - 1][k] =
          K[k] + static_cast<double>(r) * (U[k] * std::sin(t) + V[k] * std::cos(t));
  }
  return true;
}
