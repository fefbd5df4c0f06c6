// Xvfb sessions for the window tests.
#include "tests/support/xvfb_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/program_run.h"

void pockej_sekund(double sekund) {
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<long>(sekund * 1000)));
}

long velikost_souboru(const std::string& cesta) {
  struct stat info {};
  if (stat(cesta.c_str(), &info) != 0) return -1;
  return static_cast<long>(info.st_size);
}

XvfbDisplej::XvfbDisplej(const std::string& obrazovka) {
  // Xvfb picks a display number that no other server holds and writes it to
  // the pipe once clients can connect (-displayfd): no race with the other
  // tests starting servers at the same moment. -noreset: by default the
  // server resets when its last client leaves, and a program connecting
  // during that reset (right after an xdotool or xdpyinfo call) is refused.
  int roura[2];
  if (pipe(roura) != 0) return;
  const pid_t pid = fork();
  if (pid < 0) {
    close(roura[0]);
    close(roura[1]);
    return;
  }
  if (pid == 0) {
    close(roura[0]);
    const int nic = open("/dev/null", O_RDWR);
    dup2(nic, 0);
    dup2(nic, 1);
    dup2(nic, 2);
    const std::string fd = std::to_string(roura[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", obrazovka.c_str(), "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(roura[1]);
  // Up to 30 s: a loaded machine (the sanitizer suite) starts servers slowly.
  std::string cislo;
  char znak;
  const auto konec = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < konec) {
    pollfd cekani{roura[0], POLLIN, 0};
    if (poll(&cekani, 1, 100) <= 0) continue;
    const ssize_t n = read(roura[0], &znak, 1);
    if (n <= 0 || znak == '\n') break;
    cislo += znak;
  }
  close(roura[0]);
  pid_ = pid;
  if (!cislo.empty() && cislo.find_first_not_of("0123456789") == std::string::npos) jmeno_ = ":" + cislo;
}

XvfbDisplej::~XvfbDisplej() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

std::string XvfbDisplej::prikaz(const std::string& prikaz) const {
  const std::string cely = "DISPLAY=" + jmeno_ + " " + prikaz + " 2>/dev/null";
  std::FILE* p = popen(cely.c_str(), "r");
  if (p == nullptr) return "";
  std::string vystup;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) vystup.append(buf, n);
  pclose(p);
  return vystup;
}

int Snimek::pocet(unsigned char r, unsigned char g, unsigned char b) const {
  int n = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    if (rgb[i] == r && rgb[i + 1] == g && rgb[i + 2] == b) n++;
  return n;
}

std::vector<int> Snimek::ohraniceni(const std::vector<std::vector<int>>& barvy) const {
  std::vector<int> o = {-1, -1, -1, -1};
  for (int y = 0; y < vyska; y++)
    for (int x = 0; x < sirka; x++) {
      const unsigned char* p = pixel(x, y);
      for (const std::vector<int>& b : barvy)
        if (p[0] == b[0] && p[1] == b[1] && p[2] == b[2]) {
          if (o[0] < 0 || x < o[0]) o[0] = x;
          if (o[1] < 0 || y < o[1]) o[1] = y;
          if (x > o[2]) o[2] = x;
          if (y > o[3]) o[3] = y;
        }
    }
  return o;
}

int Snimek::rozdil(const Snimek& jiny) const {
  if (jiny.sirka != sirka || jiny.vyska != vyska) return sirka * vyska;
  int n = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    if (rgb[i] != jiny.rgb[i] || rgb[i + 1] != jiny.rgb[i + 1] || rgb[i + 2] != jiny.rgb[i + 2])
      n++;
  return n;
}

Snimek vyfot(const XvfbDisplej& displej, const std::string& cesta) {
  Snimek s;
  std::remove(cesta.c_str());
  displej.prikaz("import -window root -depth 8 ppm:'" + cesta + "'");
  std::ifstream f(cesta, std::ios::binary);
  std::string magie;
  int maximum = 0;
  if (!(f >> magie >> s.sirka >> s.vyska >> maximum) || magie != "P6" || maximum != 255) return {};
  f.get();
  s.rgb.resize(static_cast<size_t>(s.sirka) * s.vyska * 3);
  if (!f.read(reinterpret_cast<char*>(s.rgb.data()), static_cast<std::streamsize>(s.rgb.size())))
    return {};
  return s;
}

BeziciProgram::BeziciProgram(const std::string& program, const std::vector<std::string>& argumenty,
                             const std::string& adresar, const std::string& displej,
                             const std::string& vstup, const std::vector<std::string>& prostredi,
                             bool vstup_otevreny)
    : adresar_(adresar) {
  {
    std::ofstream f(adresar + "/.stdin", std::ios::binary);
    f << vstup;
  }
  int roura[2] = {-1, -1};
  if (vstup_otevreny && pipe(roura) != 0) roura[0] = roura[1] = -1;
  pid_ = fork();
  if (pid_ == 0) {
    if (chdir(adresar.c_str()) != 0) _exit(126);
    if (roura[1] >= 0) close(roura[1]);
    const int in = roura[0] >= 0 ? roura[0] : open(".stdin", O_RDONLY);
    const int out = open(".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setpgid(0, 0);
    unsetenv("SDL12COMPAT_OPENGL_SCALING");
    unsetenv("SDL_VIDEODRIVER");
    setenv("DISPLAY", displej.c_str(), 1);
    for (const std::string& p : prostredi) putenv(strdup(p.c_str()));
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  if (roura[0] >= 0) {
    close(roura[0]);
    // A program that never reads its input gets what fitted in the pipe.
    const ssize_t zapsano = vstup.empty() ? 0 : write(roura[1], vstup.data(), vstup.size());
    (void)zapsano;
    zapis_vstupu_ = roura[1];
  }
}

BeziciProgram::~BeziciProgram() {
  if (pid_ > 0 && kod_ < 0) {
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (zapis_vstupu_ >= 0) close(zapis_vstupu_);
}

int BeziciProgram::pockej(double sekund) {
  if (kod_ >= 0) return kod_;
  const auto konec = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(static_cast<long>(sekund * 1000));
  while (true) {
    int stav = 0;
    if (waitpid(pid_, &stav, WNOHANG) == pid_) {
      if (WIFEXITED(stav)) kod_ = WEXITSTATUS(stav);
      if (WIFSIGNALED(stav)) kod_ = 128 + WTERMSIG(stav);
      return kod_;
    }
    if (std::chrono::steady_clock::now() > konec) return -1;
    pockej_sekund(0.02);
  }
}

std::string BeziciProgram::vystup() const { return precti_soubor(adresar_ + "/.stdout"); }
std::string BeziciProgram::chyby() const { return precti_soubor(adresar_ + "/.stderr"); }

std::string najdi_okno(const XvfbDisplej& displej, pid_t pid, double sekund) {
  for (double t = 0; t < sekund; t += 0.1) {
    std::istringstream s(displej.prikaz("xdotool search --pid " + std::to_string(pid)));
    std::string okno;
    if (s >> okno) return okno;
    pockej_sekund(0.1);
  }
  return "";
}

bool poloha_okna(const XvfbDisplej& displej, const std::string& okno, int* x, int* y) {
  std::istringstream s(displej.prikaz("xwininfo -id " + okno));
  std::string radek;
  bool mam_x = false, mam_y = false;
  while (std::getline(s, radek)) {
    if (radek.find("Absolute upper-left X:") != std::string::npos)
      mam_x = std::sscanf(radek.c_str() + radek.find(':') + 1, "%d", x) == 1;
    if (radek.find("Absolute upper-left Y:") != std::string::npos)
      mam_y = std::sscanf(radek.c_str() + radek.find(':') + 1, "%d", y) == 1;
  }
  return mam_x && mam_y;
}
