// Points that measure one mark from several turntable positions.
//
// A mark seen from two or three positions is triangulated once from each,
// and the results lie a fraction of a unit apart: far closer than the marks
// lie to each other. A surface through all of them folds at that small
// scale, and a hole next to such a fold cannot be closed without crossing it.
//
// `body[i]` is a point, `polohy[i]` the turntable position that measured it
// (any integers; the same length as body). The points nearest to a point
// are its repeats when they stand out as a tight cluster: the k nearest
// (k at most one fewer than the number of positions) all come from other
// positions than it and each other, and the next nearest point is at least
// `mezera` times as far as the k-th. The smallest such k counts. Clusters
// are joined closest pair first, and a group never takes two points of one
// position. Points spread evenly, whatever their positions, have no such
// gap and stay apart. Returns for each point the index of the point that
// stands for its group: the member with the least sum of squared distances
// to the others (the first such on a tie), so that the surface keeps a
// measured point, the most central one. A point alone stands for itself.
// Points are compared in pairs: O(n^2) for n points.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

constexpr double mezera = 4.0;

std::vector<std::size_t> zastupci_dvojniku(const std::vector<std::array<double, 3>>& body,
                                           const std::vector<int>& polohy);
