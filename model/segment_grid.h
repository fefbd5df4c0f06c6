// The segment growth's grid: a uniform grid of cells over the finite plane
// positions of the points, each cell listing the segments whose bounding
// box reaches into it, with a stamp per cell for the walk of one query.
//
// The cell of a coordinate is a non-decreasing function of it (coordinates
// outside the positions' box fall into the border cells), so a segment box
// and a query box that share a point share a cell. NaN and infinite
// positions are left out of the box; with no finite position the grid is a
// single cell. At most 4096 cells per axis; their number is about the
// number of finite points.
#pragma once

#include <cstdint>
#include <vector>

#include "model/segment_growth.h"

class Mrizka {
 public:
  explicit Mrizka(const std::vector<BodRoviny>& body);

  int sloupec(double x) const { return bunka(x, x0_, kx_, gx_); }
  int radek(double y) const { return bunka(y, y0_, ky_, gy_); }

  // Lists segment `index` in every cell its box [min_x, max_x] x [min_y, max_y] reaches.
  void vloz(int index, double min_x, double max_x, double min_y, double max_y);

  // The segments listed in the cell of column s and row r.
  const std::vector<int>& obsah(int s, int r) const {
    return bunky_[static_cast<std::size_t>(r) * gx_ + s];
  }

  // Marks the cell for query `razitko`; false when it already was.
  bool navstiv(int s, int r, std::uint32_t razitko) {
    std::uint32_t& z = razitka_[static_cast<std::size_t>(r) * gx_ + s];
    if (z == razitko) return false;
    z = razitko;
    return true;
  }

  // Clears every cell's stamp (when the stamps start again from 1).
  void smaz_razitka();

  // The smaller side of a cell, over the axes the grid divides; 0 when it
  // divides none.
  double nejmensi_bunka() const;

 private:
  static int bunka(double x, double x0, double k, int pocet) {
    const double f = (x - x0) * k;
    if (!(f > 0)) return 0;
    if (f >= pocet) return pocet - 1;
    return static_cast<int>(f);
  }

  double x0_, y0_, kx_, ky_;
  int gx_, gy_;
  std::vector<std::vector<int>> bunky_;
  std::vector<std::uint32_t> razitka_;
};
