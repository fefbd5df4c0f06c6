// A stand-in for the graphics calls of the viewer that records every call,
// and a log that the tests can read back.
#pragma once

#include <string>
#include <vector>

struct Volani {
  std::string jmeno;
  std::vector<double> argumenty;
};

extern std::vector<Volani> zaznam_volani;

// Replaces every entry of `grafika` with a recorder and clears the record;
// the viewer draws the scene tables (as the programs hand them over).
// With skutecny_teselator the gluTess* entries stay the real ones, so GLU
// tessellates and its callbacks reach the recorded begin/vertex3d/end.
void nahrad_grafiku(bool skutecny_teselator = false);

// The recorded calls of one name.
std::vector<Volani> volani(const std::string& jmeno);

// log1 becomes a fresh temporary file.
void otevri_testovaci_log();
// Everything written to the log since it was opened or last read.
std::string precti_testovaci_log();
void zavri_testovaci_log();
