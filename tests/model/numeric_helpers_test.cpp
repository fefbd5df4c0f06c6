// The numeric helpers at the edges their callers branch on.
#include "model/numeric_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

const float nan_f = std::numeric_limits<float>::quiet_NaN();

std::string text_ftoa(float x) {
  char text[32] = "stary obsah";
  ftoa(x, text);
  return text;
}

TEST(Porovnejfloat, EqualOnlyWhenTheDifferenceIsStrictlyBelowEps) {
  EXPECT_EQ(porovnejfloat(1.0f, 1.00005f, 0.0001f), 0);
  EXPECT_EQ(porovnejfloat(1.0f, 1.0002f, 0.0001f), 2);
  EXPECT_EQ(porovnejfloat(2.0f, 1.0f, 0.5f), 1);
  // 0.5 - 0.25 is exactly 0.25 in floats: a difference equal to eps is not
  // "equal" but ordered.
  EXPECT_EQ(porovnejfloat(0.5f, 0.25f, 0.25f), 1);
  EXPECT_EQ(porovnejfloat(0.25f, 0.5f, 0.25f), 2);
  EXPECT_EQ(porovnejfloat(3.0f, 3.0f, 0.0f), 1);  // equal but eps 0: ordered, non-zero
}

TEST(Porovnejfloat, NanNeverComparesEqual) {
  for (float x : {0.0f, 1.0f, -1e30f, nan_f}) {
    EXPECT_NE(porovnejfloat(x, nan_f, 0.0001f), 0);
    EXPECT_NE(porovnejfloat(nan_f, x, 1e30f), 0);
  }
}

TEST(InverseTrigonometry, BothSolutionsWithTheProgramsPi) {
  const DvaUhly s = invsin(0.5f);
  EXPECT_FLOAT_EQ(s.prvni, 0.5235988f);
  EXPECT_FLOAT_EQ(s.druhy, 2.6179938f);
  // Exact float results: asin(1) rounds up, 3.14159265 - that rounds down.
  EXPECT_EQ(invsin(1.0f).prvni, 1.5707964f);
  EXPECT_EQ(invsin(1.0f).druhy, 1.5707963f);
  EXPECT_EQ(invsin(1.0001f).prvni, -65535.0f);
  EXPECT_EQ(invsin(1.0001f).druhy, -65535.0f);
  EXPECT_EQ(invsin(nan_f).prvni, -65535.0f);

  EXPECT_EQ(invcos(1.0f).prvni, 0.0f);
  EXPECT_EQ(invcos(1.0f).druhy, 6.2831855f);
  EXPECT_EQ(invcos(-1.0f).prvni, 3.1415927f);
  EXPECT_EQ(invcos(-1.0f).druhy, 3.1415925f);
  EXPECT_EQ(invcos(-1.5f).druhy, -65535.0f);
}

TEST(SignAndAbsolute, ZeroNanAndTheMostNegativeInt) {
  EXPECT_EQ(signum(2.5f), 1);
  EXPECT_EQ(signum(-1e-30f), -1);
  EXPECT_EQ(signum(-0.0f), 0);
  EXPECT_EQ(signum(nan_f), 0);
  EXPECT_TRUE(std::signbit(abs_float(-0.0f)));
  EXPECT_EQ(abs_float(-3.5f), 3.5f);
  EXPECT_TRUE(std::isnan(abs_float(nan_f)));
  EXPECT_EQ(abs_int(-7), 7);
  EXPECT_EQ(abs_int(std::numeric_limits<int>::min()), std::numeric_limits<int>::min());
}

TEST(Faktorial, LoopBoundsOfTheCrossingTests) {
  EXPECT_EQ(faktorial(-5), 1);
  EXPECT_EQ(faktorial(0), 1);
  EXPECT_EQ(faktorial(1), 1);
  EXPECT_EQ(faktorial(2), 2);
  EXPECT_EQ(faktorial(3), 6);
  EXPECT_EQ(faktorial(12), 479001600);
  EXPECT_EQ(faktorial(13), static_cast<int>(6227020800ULL & 0xffffffffULL));  // wraps
}

TEST(IntervalOverlap, TouchingCountsAndOrderDoesNot) {
  EXPECT_TRUE(prekryti_intervalu_f(0, 1, 1, 2));
  EXPECT_FALSE(prekryti_intervalu_f(1, 0, 2, 1.5f));
  EXPECT_FALSE(prekryti_intervalu_f(0, 1, 2, 3));
  EXPECT_TRUE(prekryti_intervalu_f(3, 0, 2, 1));
  EXPECT_TRUE(prekryti_intervalu_f(nan_f, nan_f, 5, 6));
}

TEST(Ftoa, SixDecimalsSignAndNan) {
  EXPECT_EQ(text_ftoa(1.5f), "1.500000");
  EXPECT_EQ(text_ftoa(-0.25f), "-0.250000");
  EXPECT_EQ(text_ftoa(3.0000004f), "3.000000");
  EXPECT_EQ(text_ftoa(-0.0000001f), "0.000000");
  EXPECT_EQ(text_ftoa(nan_f), "N");
  EXPECT_EQ(text_ftoa(-12.5f), "-12.500000");
  // Out of the int range the text stays readable and inside 19 characters.
  const std::string velke = text_ftoa(1e20f);
  EXPECT_LT(velke.size(), 19u);
  EXPECT_NEAR(std::stod(velke), 1e20, 1e15);
}

}  // namespace
