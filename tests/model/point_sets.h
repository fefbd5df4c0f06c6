// Point sets for the model tests and benchmarks: random clouds, a vase-like
// turntable object, plane positions. Positions are in the world frame of
// camera 1 (the object stands about 224 units in front of it).
#pragma once

#include <array>
#include <vector>

#include "model/segment_growth.h"

using BodyPozic = std::vector<std::vector<std::array<float, 3>>>;

// `pozic` positions of `na_pozici` points spread uniformly in a box.
BodyPozic nahodny_mrak(int pozic, int na_pozici, unsigned seed);

// A vase-like surface of revolution about the vertical axis through
// (7, 224): `pozic` turntable positions of `na_pozici` markers each.
BodyPozic vaza(int pozic, int na_pozici);

// n positions spread uniformly in [0, rozsah]^2.
std::vector<BodRoviny> nahodne_body_roviny(int n, unsigned seed, float rozsah);

// Clears every scene table, then puts points[slot] of slots 0..4 into
// body_souradnice / body_pocty.
void nastav_body(const BodyPozic& body);

// Sets the turntable axis to the vertical through (7, 224) and puts four
// reference marks on the turntable into slot 9 (count 4).
void nastav_osu_a_znacky();
