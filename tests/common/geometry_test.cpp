// The shared vector helpers: the values they compute and where they round.
#include "common/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, AngleConstantsAreTheProgramsEightDigitValues) {
  EXPECT_EQ(pi_programu, 3.14159265);
  EXPECT_EQ(dve_pi_programu, 6.2831853);
  EXPECT_DOUBLE_EQ(radiany(180), pi_programu);  // pi * 180 / 180 may round by an ulp
  EXPECT_EQ(radiany(-45.5), -45.5 * 3.14159265 / 180);
}

TEST(Geometry, FloatVectorsAreMultipliedInDoubleAndRoundedOnce) {
  // 1 + 2^-12 squared is 1 + 2^-11 + 2^-24: the last term is lost when the
  // products are rounded to float first, and kept in double.
  const float e = 1.0f + 1.0f / 4096;
  const float a[3] = {e, e, 0.0f}, b[3] = {e, -e, 1.0f};
  const double ee = static_cast<double>(e) * e;
  EXPECT_EQ(skalarne(a, b), ee - ee);
  EXPECT_EQ(skalarne(a, a), ee + ee);
  EXPECT_NE(skalarne(a, a), static_cast<double>(e * e + e * e));

  const float x[3] = {0.0f, e, 1.0f}, y[3] = {0.0f, 1.0f, e};
  float n[3];
  vektorove(x, y, n);
  EXPECT_EQ(n[0], static_cast<float>(ee - 1.0));  // 2^-11 + 2^-24
  EXPECT_NE(n[0], e * e - 1.0f);                  // 2^-11
  EXPECT_EQ(n[1], 0.0f);
  EXPECT_EQ(n[2], 0.0f);

  const double xd[3] = {1, 2, 3}, yd[3] = {4, 5, 6};
  double nd[3];
  vektorove(xd, yd, nd);
  EXPECT_EQ(nd[0], -3.0);
  EXPECT_EQ(nd[1], 6.0);
  EXPECT_EQ(nd[2], -3.0);
  EXPECT_EQ(skalarne(xd, yd), 32.0);
}

TEST(Geometry, DeterminantOfChosenColumns) {
  const float m[3][4] = {{2, 0, 1, 3}, {1, 3, 0, -1}, {0, 1, 4, 2}};
  // Columns 0, 1, 2: 2 (12 - 0) - 1 (0 - 1) + 0 = 25.
  EXPECT_EQ(determinant(m, 0, 1, 2), 25.0);
  // Columns 1, 2, 3: 0 (0 + 4) - 3 (2 - 12) + 1 (-1 - 0) = 29.
  EXPECT_EQ(determinant(m, 1, 2, 3), 29.0);
  // Swapping two columns changes the sign.
  EXPECT_EQ(determinant(m, 1, 0, 2), -25.0);
}

}  // namespace
