// Real windows under Xvfb for the tests: a private X server, programs
// started in the background on it, xdotool input, and root-window
// screenshots read as RGB pixels.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

class XvfbDisplej {
 public:
  // Starts Xvfb with one screen of the given geometry (e.g. "1024x768x24")
  // on a display number the server picks itself; jmeno() is empty on failure.
  explicit XvfbDisplej(const std::string& obrazovka);
  ~XvfbDisplej();
  XvfbDisplej(const XvfbDisplej&) = delete;
  XvfbDisplej& operator=(const XvfbDisplej&) = delete;

  const std::string& jmeno() const { return jmeno_; }

  // Runs a shell command with DISPLAY set to this server; its standard
  // output (stderr discarded).
  std::string prikaz(const std::string& prikaz) const;

 private:
  pid_t pid_ = -1;
  std::string jmeno_;
};

struct Snimek {
  int sirka = 0;
  int vyska = 0;
  std::vector<unsigned char> rgb;

  bool platny() const { return sirka > 0 && vyska > 0; }
  const unsigned char* pixel(int x, int y) const { return &rgb[(static_cast<size_t>(y) * sirka + x) * 3]; }
  int pocet(unsigned char r, unsigned char g, unsigned char b) const;
  // Bounding box of the pixels of one of the colours: x0, y0, x1, y1 (all
  // -1 when there is none).
  std::vector<int> ohraniceni(const std::vector<std::vector<int>>& barvy) const;
  // Pixels that differ from the other picture of the same size.
  int rozdil(const Snimek& jiny) const;
};

// A screenshot of the whole screen, kept as a PPM file at `cesta`.
Snimek vyfot(const XvfbDisplej& displej, const std::string& cesta);

// Screenshots every 0.1 s until two in a row are the same picture and it
// differs from `predchozi` in more than `zmena` pixels (with an invalid
// `predchozi`, any settled picture will do); waits at most `sekund`. The
// last screenshot, kept at `cesta`; after the time limit it is the last one
// taken, for the caller's checks to fail on.
Snimek ustaleny_snimek(const XvfbDisplej& displej, const std::string& cesta,
                       const Snimek& predchozi, int zmena, double sekund);

class BeziciProgram {
 public:
  // Starts `program` with `argumenty` in `adresar` on the display, with
  // `vstup` on standard input; stdout and stderr go to files in `adresar`.
  // `prostredi` holds extra NAME=value settings. Standard input ends after
  // `vstup`, unless `vstup_otevreny`: then it is a pipe that stays open, with
  // nothing more to read, until the program ends.
  BeziciProgram(const std::string& program, const std::vector<std::string>& argumenty,
                const std::string& adresar, const std::string& displej, const std::string& vstup,
                const std::vector<std::string>& prostredi = {}, bool vstup_otevreny = false);
  ~BeziciProgram();

  pid_t pid() const { return pid_; }
  // Waits for the end at most `sekund`; the exit status, 128 + signal, or
  // -1 when it still runs.
  int pockej(double sekund);
  std::string vystup() const;
  std::string chyby() const;

 private:
  pid_t pid_ = -1;
  int kod_ = -1;
  int zapis_vstupu_ = -1;  // the parent's end of an open standard input
  std::string adresar_;
};

// The id of the program's window (xdotool search --pid), waiting at most
// `sekund`; empty when none appears.
std::string najdi_okno(const XvfbDisplej& displej, pid_t pid, double sekund);

// Absolute position of the window's top-left corner.
bool poloha_okna(const XvfbDisplej& displej, const std::string& okno, int* x, int* y);

// Waits until the window is mapped and the screen's picture has settled
// (screenshots kept at `cesta`), at most `sekund`; false when the window
// never became viewable.
bool pockej_na_okno(const XvfbDisplej& displej, const std::string& okno,
                    const std::string& cesta, double sekund);

// Checks `podminka` every 0.05 s until it holds, at most `sekund`; whether it held.
bool pockej_na(const std::function<bool()>& podminka, double sekund);

long velikost_souboru(const std::string& cesta);
// A fixed wait: only for the time a key is held, or for watching that
// nothing happens during a stated time.
void pockej_sekund(double sekund);

// A test suite that shares one Xvfb display of 1024 x 768, started once for
// the suite; each test fails at once when the server did not start.
class TestySXvfb : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { displej_ = new XvfbDisplej("1024x768x24"); }
  static void TearDownTestSuite() {
    delete displej_;
    displej_ = nullptr;
  }
  void SetUp() override { ASSERT_FALSE(displej_->jmeno().empty()) << "Xvfb cannot be started"; }
  inline static XvfbDisplej* displej_ = nullptr;
};
