// A small PLY builder: header elements and rows, in ASCII or binary
// little-endian, assembled in memory.
//
// Declare every element with its properties first (prvek, vlastnost,
// seznam), then write the rows in the same order with the typed appenders;
// text() gives the whole file. Floats are written so that they read back
// bit-identical: raw in binary, nine significant digits in ASCII.
#pragma once

#include <cstdint>
#include <string>

class PlyZapis {
 public:
  explicit PlyZapis(bool ascii) : ascii_(ascii) {}

  void komentar(const std::string& text);
  void prvek(const std::string& jmeno, std::size_t pocet);
  void vlastnost(const char* typ, const std::string& jmeno);  // "float", "uchar", "int"
  void seznam(const std::string& jmeno);                       // list uchar int

  void f32(float v);
  void u8(std::uint8_t v);
  void i32(std::int32_t v);
  void konec_radku();

  std::string text() const;

 private:
  void oddelovac();
  bool ascii_;
  bool zacatek_radku_ = true;
  std::string hlavicka_;
  std::string telo_;
};
