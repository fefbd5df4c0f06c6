// Version 2 of "rig.yml" (rig_file.h): the unit, the image size and per
// camera OpenCV's camera matrix, distortion, rotation and translation, so
// that a user reads it with cv::FileStorage and uses it with OpenCV as it
// is. The reconstruction's pinhole mapping of each camera is derived from
// it (lens_distortion.h).
//
// The reader refuses, naming the field: a missing field, a matrix of the
// wrong shape or with a value that is not finite, an image size that is not
// two positive whole numbers, a camera matrix with a focal length that is
// not positive or a last row other than (0, 0, 1), and a rotation that is
// not one (orthonormal with determinant 1, to 1e-6).
#pragma once

#include <string>

#include <opencv2/core.hpp>

#include "reconstruction/rig_file.h"

std::string text_rigu_objektivu(const RigKamer& rig);

// Reads the fields after version and unit from the file's root map.
bool cti_rig_objektivu(const cv::FileNode& koren, RigKamer* rig, std::string* chyba);
