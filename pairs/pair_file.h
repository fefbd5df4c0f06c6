// Reading the decoder's pair file "data.txt": twelve header numbers, "M",
// the turntable angle, four numbers per pair (column and row in camera 1,
// column and row in camera 2; rows counted from the top row of the picture)
// and "Q", one item per line.
//
// precti_pary accepts at most max_paru pairs, every pixel inside the
// 640 x 480 image, and nothing but empty lines after "Q". Anything else
// (a truncated file, no "Q", a line that is not a whole number, a pixel
// outside the image, too many pairs) gives false and a message
// "<jmeno>: line N: problem" naming the first bad line.
#pragma once

#include <string>
#include <vector>

struct ParPixelu {
  int x1, y1, x2, y2;
};

struct DataParu {
  int uhel = 0;
  std::vector<ParPixelu> pary;
};

constexpr int max_paru = 10000;
constexpr int sirka_obrazu = 640;
constexpr int vyska_obrazu = 480;

// Parses the text of a pair file; `jmeno` names it in messages.
bool precti_pary(const std::string& text, const std::string& jmeno, DataParu* data,
                 std::string* chyba);

// Reads the file at `cesta` and parses it; a file that cannot be read gives
// false and "<cesta>: cannot be read (reason)".
bool nacti_pary(const std::string& cesta, const std::string& jmeno, DataParu* data,
                std::string* chyba);
