// A small marker scene for the window tests: the ten marker images of a few
// points around a turntable axis in front of the default cameras, the four
// green reference marks in the two "080" images, and the two calibration
// images "kalib1.bmp", "kalib2.bmp" of the calibration object placed in front
// of the cameras. Pixels come from the same pinhole model the triangulation
// inverts, so the points triangulate back to about where they were put.
#pragma once

#include <string>

// Column and row of world point X in camera c (0 or 1) of the default set-up;
// false when the point is behind the camera or off the 640 x 480 image.
bool promitni_do_kamery(int c, const double X[3], int* sloupec, int* radek);

// Writes the images into `adresar`; false when a file cannot be written.
bool zapis_scenu_znacek(const std::string& adresar);
