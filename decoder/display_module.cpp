// The display module: the image library's decoding and the preview windows.
#include "decoder/display_module.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <opencv2/highgui.hpp>
#include <opencv2/imgcodecs.hpp>

#include "decoder/correspondence.h"

namespace {

bool okno_otevrene(const char* jmeno) {
  return cv::getWindowProperty(jmeno, cv::WND_PROP_VISIBLE) > 0;
}

// Whether standard input is at its end or closed. Input that waits there is
// read and dropped, so that its end can be seen; it never blocks.
bool vstup_skoncil() {
  pollfd p{0, POLLIN, 0};
  while (poll(&p, 1, 0) > 0) {
    if (p.revents & POLLNVAL) return true;
    char bajty[256];
    const ssize_t n = read(0, bajty, sizeof bajty);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) return true;
    if (n < 0) return false;
  }
  return false;
}

}  // namespace

extern "C" {

// Decodes with the library's own messages kept off standard error: it
// prints some problems there itself, and the program reports each bad file
// in one line of its own.
__attribute__((visibility("default"))) void dekoder_dekoduj(const unsigned char* data,
                                                            std::size_t n, cv::Mat* obraz) {
  std::fflush(stderr);
  const int puvodni = dup(2);
  const int nikam = open("/dev/null", O_WRONLY);
  if (puvodni >= 0 && nikam >= 0) dup2(nikam, 2);
  obraz->release();
  try {
    const cv::Mat bajty(1, static_cast<int>(n), CV_8UC1, const_cast<unsigned char*>(data));
    *obraz = cv::imdecode(bajty, cv::IMREAD_GRAYSCALE);
  } catch (const cv::Exception&) {
    obraz->release();
  }
  std::fflush(stderr);
  if (puvodni >= 0 && nikam >= 0) dup2(puvodni, 2);
  if (nikam >= 0) close(nikam);
  if (puvodni >= 0) close(puvodni);
}

__attribute__((visibility("default"))) bool dekoder_displej() {
  Display* spojeni = XOpenDisplay(nullptr);
  if (spojeni == nullptr) return false;
  XCloseDisplay(spojeni);
  return true;
}

__attribute__((visibility("default"))) int dekoder_ukaz(const cv::Mat* nahled1,
                                                        const cv::Mat* nahled2) {
  cv::imshow("kamera1", *nahled1);
  cv::imshow("kamera2", *nahled2);
  int klavesa = 0;
  do {
    klavesa = cv::waitKey(10) & 0xFF;
    // Closing both windows ends the wait as well; nothing else could.
    if (!okno_otevrene("kamera1") && !okno_otevrene("kamera2")) break;
    if (vstup_skoncil()) break;
  } while (!je_enter(klavesa));
  return klavesa;
}
}
