// The two cameras' numbers and indices, in one place: a camera is numbered
// 1 or 2 wherever a person meets it (the file names "k1"/"k2" and
// "kalib1"/"kalib2", the decoder's camera digit, messages, "kamera 1" in
// the log), and indexed 0 or 1 in every table (stereo_kamera[i], a rig's
// cameras). Functions that take `kamera` say which of the two they mean.
#pragma once

constexpr int pocet_kamer = 2;

constexpr int index_kamery(int cislo) { return cislo - 1; }
constexpr int cislo_kamery(int index) { return index + 1; }
