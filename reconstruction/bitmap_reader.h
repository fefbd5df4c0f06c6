// readBMP: the one image reader of the reconstruction programs.
//
// Accepts exactly what the marker and calibration images are: an uncompressed
// 24-bit Windows bitmap ("BM", information header of at least 40 bytes) of
// 640 x 480 pixels whose pixel data, at the offset the header gives, lies
// wholly inside the file. Returns a new[] array of 640 * 480 * 3 bytes, owned
// by the caller, three bytes per pixel in the order red, green, blue, rows in
// file order (row 0 is the first row stored), no padding. On any other input
// it returns null and, when chyba is given, sets it to one line that names
// the file and the problem; nothing is read past the data.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/image_size.h"

constexpr std::size_t bajtu_snimku =
    static_cast<std::size_t>(sirka_obrazu) * vyska_obrazu * 3;

char* readBMP(const char* path, std::string* chyba = nullptr);

// The same checks and conversion on a file already in memory; jmeno is the
// file name used in the message.
char* readBMP_z_pameti(const unsigned char* data, std::size_t velikost,
                       const char* jmeno, std::string* chyba = nullptr);

// readBMP into buffers the caller keeps for several images: the file is read
// into `obsah` (resized as needed) and the pixels written to `pixely`
// (bajtu_snimku bytes). Returns false with the same messages as readBMP;
// `pixely` may then hold part of an image.
bool readBMP_do(const char* path, std::vector<unsigned char>& obsah, char* pixely,
                std::string* chyba = nullptr);

// The same checks on a file read into `obsah`, without the conversion: the
// pixel data inside `obsah` as the file stores them (blue, green, red; rows
// in file order), or null with the same messages as readBMP.
const unsigned char* readBMP_v_souboru(const char* path, std::vector<unsigned char>& obsah,
                                       std::string* chyba = nullptr);
