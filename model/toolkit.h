// The model toolkit: the builders every reconstruction program carries,
// including those that no program's start-up calls.
//
// Each program builds at most one model at start-up: viewer_projection the
// projection model, viewer_polar the polar model, viewer_calibration none.
// The builders below make and combine models in the same tables (the
// instruction pool, model1, prunik and the point tables): one turntable
// position's profile, the cut of one model through another, the merging of
// two slots' points, the snapping of one profile onto another, the
// nearest-point triangle and a box. They belong to the product, not to the
// tests: they are what a program offers to whatever is built on its tables,
// so every program links the whole model library (CMakeLists.txt,
// --whole-archive), and a test checks that each builder is in each program
// (tests/programs/model_toolkit_symbols.sh). Each builder's own header says
// what it does.
#pragma once

#include "model/averaging.h"
#include "model/brute_force_model.h"
#include "model/cuboid.h"
#include "model/joining.h"
#include "model/profile_model.h"
#include "model/trimming.h"
