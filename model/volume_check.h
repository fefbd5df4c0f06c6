// Whether a triangle mesh bounds a volume, judged as a slicer or a Boolean
// operation judges it: closed, 2-manifold, consistently oriented with its
// normals pointing out, and no two triangles meeting other than along an
// edge or at a vertex they share.
//
// `vrcholy` are the vertices (any units); every corner of `trojuhelniky`
// must index them. On a 2-manifold mesh the check counts the pairs of
// triangles that cross (a degenerate triangle, of zero area, counts as
// crossing itself, as the mesh libraries count it); the test is exact. The mesh bounds a volume
// when it has triangles, every test passes, and the volume each closed piece
// encloses lies on the inner side of its triangles. `proc` then stays empty;
// otherwise it names the first test that failed, in the words of the
// console line ("no triangles", "not closed", "not 2-manifold", "N crossing triangle
// pairs", "oriented inwards").
#pragma once

#include <array>
#include <string>
#include <vector>

struct KontrolaObjemu {
  bool ohranicuje = false;
  int krizicich_paru = 0;
  std::string proc;
};

KontrolaObjemu zkontroluj_objem(const std::vector<std::array<double, 3>>& vrcholy,
                                const std::vector<std::array<int, 3>>& trojuhelniky);

// The report of a surface in one line, as the programs print it after
// "surface: ": "V vertices, T triangles, O open edges, N non-manifold edges,
// bounds a volume: yes", or "... bounds a volume: no (what failed)".
std::string radek_plochy(std::size_t vrcholu, const std::vector<std::array<int, 3>>& trojuhelniky,
                         const KontrolaObjemu& kontrola);
