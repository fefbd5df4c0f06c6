// Test helpers for the model builders: running a builder on the current
// scene tables from an empty model, with its console output and log
// captured, and a snapshot of everything it leaves behind, compared bit for
// bit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/segment_growth.h"
#include "tests/model/point_sets.h"

struct PolygonStavu {
  std::vector<int> sloty;  // pool slot of every instruction, -1 when not in the pool
  std::uint16_t cervena, zelena, modra;
  bool operator==(const PolygonStavu& o) const {
    return sloty == o.sloty && cervena == o.cervena && zelena == o.zelena && modra == o.modra;
  }
};

struct StavModelu {
  std::vector<std::array<std::int32_t, 2>> usecky;
  std::vector<PolygonStavu> polygony;
  std::vector<std::uint32_t> prunik_bity;  // the bits of every record up to pocetusecek3d
  int pocetusecek3d = 0;
  std::vector<std::uint32_t> pool_bity;  // per used slot: slot, x, y, z bits
  std::vector<std::uint32_t> ostatni_bity;  // teziste, pole_bodu, bodu_celkem, adresy, okraj
  std::string vystup;
  std::string log;
};

// Empties model1, the pool, the segment list and prunik (input tables stay),
// runs `builder` with standard output and the log captured, and returns the
// snapshot.
// `priprava`, when given, runs after the emptying (to preset a table).
StavModelu spust_builder(const std::function<void()>& builder,
                         const std::function<void()>& priprava = nullptr);

// Gtest-friendly comparison: empty when equal, else what differs first.
std::string rozdil(const StavModelu& a, const StavModelu& b);

// Runs the growth (fast or plain) on plane positions from an empty list and
// returns the segments, with the log captured into `log`.
std::vector<std::array<std::int32_t, 2>> usecky_rustu(bool rychle, const std::vector<BodRoviny>& body,
                                                      int posledni_krok, std::string* log = nullptr);
