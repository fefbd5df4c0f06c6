// PLY builder.
#include "common/ply_writer.h"

#include <cstdio>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "binary PLY output copies floats and ints as they lie in memory");

void PlyZapis::komentar(const std::string& text) { hlavicka_ += "comment " + text + "\n"; }

void PlyZapis::prvek(const std::string& jmeno, std::size_t pocet) {
  hlavicka_ += "element " + jmeno + " " + std::to_string(pocet) + "\n";
}

void PlyZapis::vlastnost(const char* typ, const std::string& jmeno) {
  hlavicka_ += std::string("property ") + typ + " " + jmeno + "\n";
}

void PlyZapis::seznam(const std::string& jmeno) {
  hlavicka_ += "property list uchar int " + jmeno + "\n";
}

void PlyZapis::oddelovac() {
  if (!zacatek_radku_) telo_ += ' ';
  zacatek_radku_ = false;
}

void PlyZapis::f32(float v) {
  if (ascii_) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    oddelovac();
    telo_ += text;
  } else {
    char bajty[4];
    std::memcpy(bajty, &v, 4);
    telo_.append(bajty, 4);
  }
}

void PlyZapis::u8(std::uint8_t v) {
  if (ascii_) {
    oddelovac();
    telo_ += std::to_string(v);
  } else {
    telo_ += static_cast<char>(v);
  }
}

void PlyZapis::i32(std::int32_t v) {
  if (ascii_) {
    oddelovac();
    telo_ += std::to_string(v);
  } else {
    char bajty[4];
    std::memcpy(bajty, &v, 4);
    telo_.append(bajty, 4);
  }
}

void PlyZapis::konec_radku() {
  if (ascii_) telo_ += '\n';
  zacatek_radku_ = true;
}

std::string PlyZapis::text() const {
  return std::string("ply\nformat ") + (ascii_ ? "ascii" : "binary_little_endian") + " 1.0\n" +
         hlavicka_ + "end_header\n" + telo_;
}
