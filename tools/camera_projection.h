// The camera model of the reconstruction in double precision: projecting a
// world point to a subpixel position of either camera, the image-plane point
// of a pixel, the midpoint triangulation of two pixels, and turns about an
// axis.
//
// Pixel (column c, row r) of camera k lies on the image plane at
// L_k + (c - 360) * x_px * h_k + (r - 240) * y_px * (0, 0, 1); its viewing ray
// runs from the projection centre K_k through that point. Row 0 is the first
// row stored in the bitmap and rows grow with +z. The constants are held as
// the floats the reconstruction stores and are computed with in double, so
// that a projection followed by the reconstruction's back-projection gives
// the world point back to double rounding.
#pragma once

#include <cmath>
#include <string>

#include "reconstruction/rig_file.h"

struct Bod3 {
  double x = 0, y = 0, z = 0;
};

inline Bod3 operator+(Bod3 a, Bod3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Bod3 operator-(Bod3 a, Bod3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Bod3 operator*(double k, Bod3 a) { return {k * a.x, k * a.y, k * a.z}; }
inline double skalar(Bod3 a, Bod3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Bod3 vektorove(Bod3 a, Bod3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double delka(Bod3 a) { return std::sqrt(skalar(a, a)); }
inline Bod3 jednotkovy(Bod3 a) { return (1.0 / delka(a)) * a; }

// The camera set-up. Values are floats as the reconstruction stores them.
// With obecna set the cameras are general pinholes as a rig file describes
// them: pixel (c, r) of camera k lies at stred[k] + (c - pixel_stredu[k][0])
// * krok_sloupce[k] + (r - pixel_stredu[k][1]) * krok_radku[k], and
// vodorovny, x_px and y_px are not used.
struct SestavaKamer {
  float kamera[2][3];   // projection centres K1, K2
  float stred[2][3];    // image-plane centres L1, L2
  float vodorovny[2][2];  // direction of increasing column (x, y), z = 0
  float x_px;           // pixel width on the image plane
  float y_px;           // pixel height on the image plane
  bool obecna = false;
  double pixel_stredu[2][2] = {};
  double krok_sloupce[2][3] = {};
  double krok_radku[2][3] = {};
  // Lens distortion of each camera (OpenCV's k1, k2, p1, p2, k3), applied
  // to the pixel the pinhole above gives; all zero: none.
  double zkresleni[2][5] = {};
};

// The default set-up of the reconstruction programs.
SestavaKamer vychozi_sestava();

// A set-up that differs from the default in every respect a user's rig
// may: the cameras 62 units apart instead of 28.5, each turned to look at
// the turntable, tilted and rolled by a few degrees, a pixel pitch of
// 0.11 x 0.12 at 180 units instead of 0.135 x 0.149 at 225, and the
// principal point at pixel (330, 250).
SestavaKamer siroka_sestava();

// Cameras such as ordinary webcams at 640 x 480: the wide set-up's cameras
// halfway to the vase along their lines of sight, with a focal length of
// 800 pixels (a field of view of 44 degrees across), where a lens's
// distortion shifts the picture's corners by many pixels.
SestavaKamer sestava_webkamer();

// A set-up from a rig file's cameras (general; centres rounded to float).
SestavaKamer sestava_z_rigu(const RigKamer& rig);

// Camera k of the set-up as a rig file describes it.
KameraRigu kamera_ze_sestavy(const SestavaKamer& s, int k);

// The set-up as a rig file's content (exact: floats and doubles as held).
RigKamer rig_ze_sestavy(const SestavaKamer& s, const std::string& jednotka);

// The set-up as a version 2 rig file's content: OpenCV's camera matrix,
// the lens distortion, and each camera's rotation and translation from
// camera 1's frame (640 x 480 pictures, rows from the top).
RigKamer rig_objektivu_ze_sestavy(const SestavaKamer& s, const std::string& jednotka);

// Whether a camera of the set-up has lens distortion.
bool ma_zkresleni(const SestavaKamer& s);

// Camera k in OpenCV's terms in the world frame (rotation and translation
// from the world into the camera's frame).
ObjektivRigu objektiv_kamery(const SestavaKamer& s, int k);

constexpr int sloupec_stredu = 360;
constexpr int radek_stredu = 240;

// A subpixel image position; pred_kamerou is false when the point lies behind
// the projection centre or its ray is parallel to the image plane.
struct PoziceVObraze {
  double sloupec = 0;
  double radek = 0;
  bool pred_kamerou = false;
};

// Projects world point X into camera k (0 or 1): the line K_k -> X is cut
// with the plane through L_k spanned by h_k and the z axis (the plane of the
// reconstruction's image points; it is perpendicular to L_k - K_k to within
// the rounding of the constants) and the cut is expressed in pixels; a lens
// with distortion then moves that pixel where the lens shows it.
PoziceVObraze promitni(const SestavaKamer& s, int k, Bod3 x);

// The image-plane point of a (possibly fractional) pixel of camera k.
Bod3 bod_roviny(const SestavaKamer& s, int k, double sloupec, double radek);

Bod3 projekcni_stred(const SestavaKamer& s, int k);

// Midpoint of the shortest segment between the viewing rays of pixel
// (c1, r1) of camera 1 and pixel (c2, r2) of camera 2.
Bod3 trianguluj(const SestavaKamer& s, double c1, double r1, double c2, double r2);

// Axis of a turn: a point on it and its direction (any length but zero).
struct Osa {
  Bod3 bod;
  Bod3 smer;
};

// Turns x about the axis by uhel radians, right-handed about osa.smer.
Bod3 otoc(Bod3 x, const Osa& osa, double uhel);

// The turn the reconstruction gives a point of angle slot `slot` whose
// turntable angle is uhel_stupne: (uhel_stupne * 3.14159265 / 180) + pi.
double uhel_otoceni_slotu(int uhel_stupne);

// The axis the reconstruction derives from reference marks R0, R1, R2: the
// centre of the circle through them and the unit normal (R2 - R0) x (R2 - R1)
// of their plane (both differences normalised first, as the reconstruction
// does; the direction is what matters).
Osa osa_z_referenci(Bod3 r0, Bod3 r1, Bod3 r2);
