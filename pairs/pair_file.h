// Reading the decoder's pair file "data.txt": twelve header numbers, "M",
// the turntable angle, four numbers per pair (column and row in camera 1,
// column and row in camera 2; rows counted from the top row of the picture)
// and "Q", one item per line.
//
// Lines end with "\n", "\r\n" or a lone "\r". precti_pary accepts at most
// max_paru pairs, an angle from -360 to 360, every pixel inside the
// 640 x 480 image, and nothing but empty lines after "Q". Anything else
// (a truncated file, no "Q", a line that is not a whole number or holds a
// NUL byte, a pixel outside the image, too many pairs) gives false and a
// message "<jmeno>: line N: problem" naming the first bad line; a quoted
// line is cut at 40 characters, with bytes that are not printable ASCII
// escaped (\xNN). UTF-16 text is refused as such.
#pragma once

#include <string>
#include <vector>

#include "common/image_size.h"

struct ParPixelu {
  int x1, y1, x2, y2;
};

struct DataParu {
  int uhel = 0;
  std::vector<ParPixelu> pary;
};

constexpr int max_paru = 10000;

// Parses the text of a pair file; `jmeno` names it in messages.
bool precti_pary(const std::string& text, const std::string& jmeno, DataParu* data,
                 std::string* chyba);

// Reads the file at `cesta` as a stream and parses it, stopping at the
// first bad line; what is not a regular file, or cannot be opened or read,
// gives false and "<jmeno>: problem (reason)".
bool nacti_pary(const std::string& cesta, const std::string& jmeno, DataParu* data,
                std::string* chyba);
