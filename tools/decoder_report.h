// Judging a decoder run against the sample set's ground truth.
//
// nacti_data reads "data.txt" (twelve header numbers, "M", the angle, four
// numbers per pair, "Q"); nacti_pravdu reads the "truth.txt" the sample
// generator writes. Both return false with a message naming the file when the
// file is missing or not in that form. A pair is correct when one crossing of
// the truth lies within 1.5 pixels of its camera 1 pixel and of its camera 2
// pixel; a crossing is missed when no correct pair lies on it.
#pragma once

#include <string>
#include <vector>

struct ParBodu {
  int x1, y1, x2, y2;
};

struct KrizeniPravdy {
  int kod;
  double x1, y1, x2, y2;
  int kontrast1, kontrast2;
  bool skvrna;
};

struct SouhrnKamery {
  int videt = 0, osvetleno = 0, skvrn = 0;
};

struct Pravda {
  SouhrnKamery kamery[2];
  std::vector<KrizeniPravdy> krizeni;  // seen by both cameras
};

struct Hodnoceni {
  int paru = 0;
  int spravnych = 0;
  int chybnych = 0;
  int zmeskanych = 0;  // crossings seen by both cameras without a correct pair
  int krizeni = 0;
};

constexpr double tolerance_paru = 1.5;

bool nacti_data(const std::string& cesta, std::vector<ParBodu>* pary, std::string* chyba);
bool nacti_pravdu(const std::string& cesta, Pravda* pravda, std::string* chyba);
Hodnoceni ohodnot(const std::vector<ParBodu>& pary, const Pravda& pravda);

// Index of the crossing a pair lies on (both pixels within tolerance), or -1.
int krizeni_paru(const ParBodu& par, const Pravda& pravda);
