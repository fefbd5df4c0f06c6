// Point sets for the model tests and benchmarks.
#include "tests/model/point_sets.h"

#include <cmath>
#include <random>

#include "reconstruction/scene_tables.h"

void nastav_body(const std::vector<std::vector<std::array<float, 3>>>& body) {
  vynuluj_tabulky_sceny();
  for (std::size_t slot = 0; slot < body.size() && slot < 5; slot++) {
    body_pocty[slot] = static_cast<int>(body[slot].size());
    for (std::size_t i = 0; i < body[slot].size(); i++)
      for (int c = 0; c < 3; c++) body_souradnice[slot][i][c] = body[slot][i][c];
  }
}

BodyPozic nahodny_mrak(int pozic, int na_pozici, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> x(-20, 35), y(200, 250), z(-30, 30);
  BodyPozic body(static_cast<std::size_t>(pozic));
  for (auto& slot : body)
    for (int i = 0; i < na_pozici; i++) slot.push_back({x(gen), y(gen), z(gen)});
  return body;
}

BodyPozic vaza(int pozic, int na_pozici) {
  BodyPozic body(static_cast<std::size_t>(pozic));
  for (int s = 0; s < pozic; s++) {
    for (int i = 0; i < na_pozici; i++) {
      // Markers in columns of 13 on the side facing the cameras, the
      // positions turned by 72 degrees each.
      const int sloupec = i / 13, radek = i % 13;
      const double vyska = -30 + 60.0 * radek / 12 + 0.7 * sloupec;
      const double polomer = 18 + 7 * std::sin(vyska / 11) + 0.02 * vyska * vyska / 10;
      const double uhel = (s * 72 + 14.0 * sloupec - 28 + 3.0 * (radek % 3)) * 3.14159265 / 180;
      body[s].push_back({static_cast<float>(7 + polomer * std::cos(uhel)),
                         static_cast<float>(224 + polomer * std::sin(uhel)), static_cast<float>(vyska)});
    }
  }
  return body;
}

std::vector<BodRoviny> nahodne_body_roviny(int n, unsigned seed, float rozsah) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> r(0, rozsah);
  std::vector<BodRoviny> body;
  for (int i = 0; i < n; i++) {
    const float x = r(gen);
    body.push_back({x, r(gen)});
  }
  return body;
}

void nastav_osu_a_znacky() {
  const float osa[2][3] = {{7, 224, -32}, {7, 224, -31}};
  for (int e = 0; e < 2; e++)
    for (int c = 0; c < 3; c++) osa_rotace[e][c] = osa[e][c];
  const float znacky[4][3] = {{-13, 214, -32}, {27, 219, -32}, {12, 244, -32}, {-5, 238, -32}};
  body_pocty[slot_referenci] = 4;
  for (int i = 0; i < 4; i++)
    for (int c = 0; c < 3; c++) body_souradnice[slot_referenci][i][c] = znacky[i][c];
}
