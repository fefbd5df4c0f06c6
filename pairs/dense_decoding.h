// Decoding the structured-light images of every turntable angle in a
// directory, several angles at a time.
//
// An angle's images are complete when all 19 of both cameras are there
// ("AAAPFC.bmp": the references 03 and 04, the grid patterns 11 and 12, the
// code patterns 81 ... 21 and 82 ... 22, and the preview 91). najdi_uhly
// lists the complete angles (0 to 359) in increasing order, and for every
// angle of which only some images are there, the names of the missing ones.
//
// dekoduj_uhly decodes the listed angles on `uloh` threads, each with a
// decoding context of its own (decoder/decoding.h), and returns one result
// per angle in the order given. A thread holds five pictures at a time (a
// camera's references and grid patterns, and one code image; see
// KontextDekodovani::nacti_a_identifikuj); an angle's result keeps only its pairs and, per pair, the grey
// value of camera 1's preview at its pixel, so the memory grows with the
// pairs, not with the angles. An image that is there but cannot be used
// gives that angle `chyba` (naming the file) and no pairs; the other angles
// are decoded all the same.
#pragma once

#include <string>
#include <vector>

#include "decoder/decoding.h"
#include "pairs/pair_file.h"

struct NeuplnyUhel {
  int uhel = 0;
  std::vector<std::string> chybi;  // the missing file names
};

struct UhlyAdresare {
  std::vector<int> uplne;
  std::vector<NeuplnyUhel> neuplne;
};

// False with a message naming the directory when it cannot be listed.
bool najdi_uhly(const std::string& adresar, UhlyAdresare* uhly, std::string* chyba);

struct DekodovanyUhel {
  int uhel = 0;
  std::string chyba;                  // empty on success
  SouhrnKodu kamery[2];               // the counts of both cameras
  std::vector<ParPixelu> pary;        // rows from the top, as in data.txt
  std::vector<unsigned char> sedi;    // camera 1's preview at each pair
};

std::vector<DekodovanyUhel> dekoduj_uhly(const std::string& adresar, const std::vector<int>& uhly,
                                         int uloh);
