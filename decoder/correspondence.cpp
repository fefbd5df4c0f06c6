// Pairing by code and the two preview windows.
#include "decoder/correspondence.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <opencv2/highgui.hpp>
#include <string>

#include "common/messages.h"
#include "decoder/decoder_state.h"
#include "decoder/image_input.h"

void VycistiBody() {
  for (int i = 0; i < kapacita_bodu; ++i) {
    body_kam1[i].kod = -1;
    body_kam1[i].pocet = 0;
    body_kam2[i].kod = -1;
    body_kam2[i].pocet = 0;
  }
}

void KorespondujiciBody() {
  kores_pocet = 0;
  for (int i = 0; i < kapacita_bodu && body_kam1[i].kod != -1; ++i) {
    if (body_kam1[i].pocet != 1) continue;
    for (int j = 0; j < kapacita_bodu && body_kam2[j].kod != -1; ++j) {
      if (body_kam2[j].pocet == 1 && body_kam2[j].kod == body_kam1[i].kod &&
          kores_pocet < kapacita_bodu) {
        korespond[kores_pocet] =
            KorespondujiciPar{body_kam1[i].x, body_kam1[i].y, body_kam2[j].x, body_kam2[j].y};
        ++kores_pocet;
      }
    }
  }
  std::printf("KORESPONDUJE %d BODU\n", kores_pocet);
}

namespace {

bool nacti_nahledy(cv::Mat& nahled1, cv::Mat& nahled2, std::string* chyba) {
  text[3] = '9';
  text[4] = '1';
  text[5] = '1';
  if (!nacti_snimek_textu(nahled1, chyba)) return false;
  text[5] = '2';
  return nacti_snimek_textu(nahled2, chyba);
}

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

bool nahledy_citelne(std::string* chyba) {
  cv::Mat a, b;
  return nacti_nahledy(a, b, chyba);
}

bool okna_k_dispozici() {
  const char* displej = std::getenv("DISPLAY");
  if (displej == nullptr || *displej == '\0') return false;
  Display* spojeni = XOpenDisplay(nullptr);
  if (spojeni == nullptr) return false;
  XCloseDisplay(spojeni);
  return true;
}

bool je_enter(int kod_klavesy) { return kod_klavesy == 13 || kod_klavesy == 10; }

bool KorespondujiciUkaz(std::string* chyba) {
  cv::Mat nahled1, nahled2;
  if (!nacti_nahledy(nahled1, nahled2, chyba)) return false;
  for (int i = 0; i < kores_pocet; ++i) {
    const KorespondujiciPar& p = korespond[i];
    nahled1.ptr<unsigned char>(p.y1)[p.x1] = 0;
    nahled2.ptr<unsigned char>(p.y2)[p.x2] = 0;
  }
  if (!okna_k_dispozici()) {
    ohlas(zprava("kamera1, kamera2", "no display to show the windows on; data.txt is complete"));
    return true;
  }
  cv::imshow("kamera1", nahled1);
  cv::imshow("kamera2", nahled2);
  do {
    key = cv::waitKey(10) & 0xFF;
    // Closing both windows ends the wait as well; nothing else could.
    if (!okno_otevrene("kamera1") && !okno_otevrene("kamera2")) break;
    if (vstup_skoncil()) break;
  } while (!je_enter(key));
  return true;
}
