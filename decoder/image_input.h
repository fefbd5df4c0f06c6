// Loading the decoder's input images as 8-bit grey. Safe to call from
// several threads at once.
//
// nacti_snimek succeeds only for a readable image of exactly 640 x 480
// pixels (of a larger one only a corner would be decoded); otherwise
// it leaves `obraz` empty, returns false and, when chyba is given, sets it to
// one line that names the file and the problem. A missing, unreadable, empty
// or oversized file, a directory, and a bitmap whose header gives no sensible
// size or whose uncompressed pixels cannot fit the file are refused before
// the image library sees them; the library's own messages and exceptions
// never reach the caller or standard error. Uncompressed 8- and 24-bit
// 640 x 480 bitmaps are read directly (bitmap_direct.h); the others go to the
// image library in the display module, and a module that cannot be loaded
// is reported like a bad file.
//
// An `obraz` that holds its memory alone, or memory its caller gave it
// (cv::Mat over a buffer), receives a 640 x 480 8-bit picture in that
// memory; memory it shares with another image is left to that image.
#pragma once

#include <opencv2/core.hpp>
#include <string>

bool nacti_snimek(const char* jmeno, cv::Mat& obraz, std::string* chyba);
