// The size of every picture the system reads, in pixels: the marker and
// calibration bitmaps, the decoder's images, the pixels of "data.txt" and
// the pictures a version 2 "rig.yml" must be made for.
#pragma once

constexpr int sirka_obrazu = 640;
constexpr int vyska_obrazu = 480;
