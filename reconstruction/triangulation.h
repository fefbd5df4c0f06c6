// prepocet_bodu: stereo triangulation of every marker and the turn of every
// turntable position into one common frame.
//
// Reads body_data, body_pocty, the camera set-up in use (sestava_programu,
// camera_rig.h), uhly (and osa_rotace when urcit_osu is false). Writes body_souradnice for slots
// 0..4 and 9, rotace_smerovy, rotace_normalovy, osa_rotace and vektor80, and
// the log lines "BOD1:".."BOD3:", "smerovy1:", "smerovy2:", "normalovy:",
// "determinanty:", "determinant 0:".."determinant 3:", "STRED:".
//
// Each marker becomes the midpoint of the shortest segment between its two
// viewing rays. A marker whose rays are parallel is warned about on standard
// output and in the log (slot and marker number) and stored as the midpoint
// of its two image-plane points. Reference marks that do not span a plane
// (in line, coinciding or missing) leave the turntable axis undefined:
// prepocet_bodu then returns false before turning any position, with chyba
// (when not null) naming the images and the problem.
#pragma once

#include <string>

bool prepocet_bodu(bool urcit_osu, std::string* chyba = nullptr);

// Turns point p, in place, into the common frame as prepocet_bodu turns the
// points of a position whose turntable angle is uhel_stupne degrees: about
// the axis through osa_rotace[0] along rotace_normalovy (both as a
// successful prepocet_bodu leaves them), by uhel_stupne * pi / 180 + pi.
void otoc_do_spolecne(float p[3], int uhel_stupne);

// The triangulation of one pixel pair with the current camera set-up
// (camera_rig.h): p1 and p2 receive the image-plane points of pixel
// (x1, y1) of camera 1 and (x2, y2) of camera 2 (rows counted from the
// first row stored in the bitmap), bod the midpoint of the shortest segment
// between the two viewing rays and *mezera (when not null) that segment's
// length, the ray gap. Returns false, bod untouched, when the rays are
// parallel.
bool stred_paprsku(int x1, int y1, int x2, int y2, float bod[3], float* mezera, float p1[3],
                   float p2[3]);
