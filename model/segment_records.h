// Appending 3D segments to prunik without ever writing past the table.
//
// The first record that does not fit writes one line to the log and a
// warning on standard error; that one and every later record of the same
// ZapisPruniku are dropped.
#pragma once

#include "reconstruction/scene_tables.h"

// True when prunik has no free record left.
bool prunik_plny();

class ZapisPruniku {
 public:
  // Appends (a, b); the flag word, where records carry one, is left as it is.
  // Returns false when the table is full.
  bool pridej(const float a[3], const float b[3]);
  // Appends (a, b) with flag word `priznak` where records carry one.
  bool pridej(const float a[3], const float b[3], int priznak);

 private:
  ZaznamUsecky* dalsi_zaznam();

  bool ohlaseno_ = false;
};
