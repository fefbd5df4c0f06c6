// Small numeric helpers shared by the model builders and the drawing code.
//
// porovnejfloat(a, b, eps): 0 when |a - b| (as a float) < eps (strictly), 1
// when a > b, 2 when a < b; an operand that is NaN gives 1 (never 0).
// invsin / invcos: both angles of one full turn whose sine / cosine is x
// (asin and 3.14159265 - asin; acos and 6.2831853 - acos), or -65535 twice
// when x is outside [-1, 1] or NaN.
// ftoa(x, text): x with six decimals into text (at least 19 characters);
// values whose product with 1000000 does not fit an int are written in
// exponent form instead of meaningless digits.
#pragma once

struct DvaUhly {
  float prvni;
  float druhy;
};

int porovnejfloat(float a, float b, float eps);
DvaUhly invsin(float x);
DvaUhly invcos(float x);
int signum(float x);
int abs_int(int a);
float abs_float(float x);
int faktorial(int n);
bool prekryti_intervalu_f(float a, float b, float c, float d);
void ftoa(float x, char* text);
void uhel2D();
