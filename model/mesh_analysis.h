// How mesh tools judge a polygon mesh: edge, orientation and component
// counts of faces given as vertex indices, and the signed volume.
//
// Edges are the distinct unordered pairs of consecutive corners of the
// faces; a corner repeated in a row (a degenerate face) makes no edge. An
// edge in one face is open, in more than two non-manifold; it is
// inconsistently oriented when two of its faces run along it in the same
// direction. Components are the groups of faces joined through shared
// edges. The mesh is closed when it has faces and every edge is in exactly
// two. Indices must be valid for the caller's vertex table; the functions
// read nothing else.
#pragma once

#include <array>
#include <vector>

struct RozborSite {
  int sten = 0;
  int trojuhelniku = 0;
  int hran = 0;
  int nemanifoldnich = 0;
  int otevrenych = 0;
  int nekonzistentnich = 0;
  int komponent = 0;
  bool uzavrena = false;
};

RozborSite rozbor_site(const std::vector<std::vector<int>>& steny);

// Component number (0, 1, ...) of every face, in order of first appearance;
// *pocet receives the number of components when not null.
std::vector<int> komponenty_sten(const std::vector<std::vector<int>>& steny, int* pocet = nullptr);

// Signed volume enclosed by the faces (fans from their first corner),
// measured from `stred`: positive when the faces run counter-clockwise seen
// from outside. Only the faces whose index in `vyber` is true count; an
// empty `vyber` takes all.
double objem_site(const std::vector<std::array<double, 3>>& vrcholy,
                  const std::vector<std::vector<int>>& steny, const std::array<double, 3>& stred,
                  const std::vector<bool>& vyber = {});
