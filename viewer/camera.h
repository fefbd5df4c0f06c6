// The flying camera: eye point, look-at point, elevation and heading.
//
// Angles are in degrees (yrot elevation, zrot heading; yrot, yrot2 and speed
// live with the scene tables) and are turned into radians with the constant
// 3.14159265. The view direction for elevation Y and heading Z is
// (cos Y sin Z, cos Y cos Z, sin Y); world z is up. pohyb holds the movement
// commands of the keys: [0] lateral (+1 A, -1 D), [1] longitudinal (+1 W,
// -1 S), [2] the last non-zero longitudinal command.
// Every frame: movefunc3D() moves the eye, then pohled3D normalises the
// elevation, recomputes the look-at point and multiplies the current matrix
// by the look-at transform (through grafika.look_at).
//
// The navigation happens in a viewing frame with z up and the turntable
// ahead along +y, camera 1's projection centre at the origin. The
// compiled-in camera set-up is built in such a frame, so there the scene is
// drawn in its own coordinates. A scan with a camera set-up of its own has a
// viewing frame in the run state (viewer_state.h; reconstruction/
// turntable_frame.h: world into viewing frame, column-major), which pohled3D
// is given and multiplies by too (through grafika.mult_matrixd).
#pragma once

extern float pozice[3];
extern float pozicelok[3];
extern float zrot;
extern int pohyb[3];

double rad(double stupne);

// The arguments pohled3D gives to the look-at transform.
struct Pohled {
  double oko[3];
  double cil[3];
  double nahoru[3];
};

// Moves pozice by the commands in pohyb (writes pohyb[2]).
void movefunc3D();

// Normalises yrot (at most one correction of 360 each way), sets yrot2 and
// pozicelok and returns the look-at arguments, without any GL call.
Pohled spocti_pohled3D();

// spocti_pohled3D, then the look-at transform and, when given, the viewing
// frame's matrix (16 values, column-major).
void pohled3D(const double* matice_pohledu);

// pohled3D in the compiled-in set-up's frame (no viewing frame).
void pohled3D();

// The elevation and heading (degrees, as yrot and zrot) of a view along
// `smer` (viewing frame, any length), upright: the elevation is kept
// between 90 and 270 degrees, where the camera's up is +z.
void uhly_pohledu(const double smer[3], float* elevace, float* kurz);
