// The decoder's display part: the image library's decoding of the image kinds
// the decoder does not read itself, and the two preview windows. It is built
// as a shared module ("decoder_display.so", beside the program) and loaded
// at run time only when one of these is needed, so that a run on plain
// bitmaps without a display never loads the image library's codecs nor the
// window library with their many shared libraries.
//
// Every function is looked up by the name in the string beside it.
#pragma once

#include <cstddef>
#include <opencv2/core.hpp>
#include <string>

extern "C" {

// Decodes n bytes as an 8-bit grey image with the library's own messages
// kept off standard error; the library's exceptions count as failure (an
// empty `obraz`).
using DekodujFn = void (*)(const unsigned char* data, std::size_t n, cv::Mat* obraz);
constexpr const char* jmeno_dekoduj = "dekoder_dekoduj";

// Whether an X display can be opened.
using DisplejFn = bool (*)();
constexpr const char* jmeno_displej = "dekoder_displej";

// Shows the two previews in the windows "kamera1" and "kamera2" and waits
// until Enter is pressed in either, both windows have been closed, or
// standard input is at its end (or closed); returns the last key code.
using UkazFn = int (*)(const cv::Mat* nahled1, const cv::Mat* nahled2);
constexpr const char* jmeno_ukaz = "dekoder_ukaz";
}

// The module's functions, loaded on first use; false with the loader's
// reason in `duvod` when the module cannot be loaded.
bool dekoduj_knihovnou(const unsigned char* data, std::size_t n, cv::Mat& obraz,
                       std::string* duvod);
bool displej_modulem(std::string* duvod);
bool ukaz_modulem(const cv::Mat& nahled1, const cv::Mat& nahled2, int* klavesa,
                  std::string* duvod);
