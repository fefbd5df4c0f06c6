// Test helper that runs a program with fork and exec.
#include "tests/support/program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

std::string precti_soubor(const std::string& cesta) {
  std::ifstream f(cesta, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool existuje(const std::string& cesta) {
  struct stat info {};
  return stat(cesta.c_str(), &info) == 0;
}

std::string novy_adresar(const std::string& predpona) {
  const char* tmp = std::getenv("TMPDIR");
  std::string vzor = std::string(tmp != nullptr ? tmp : "/tmp") + "/" + predpona + "-XXXXXX";
  std::vector<char> buf(vzor.begin(), vzor.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) return "";
  return std::string(buf.data());
}

std::vector<std::string> jmena_v_adresari(const std::string& adresar) {
  std::vector<std::string> jmena;
  std::error_code chyba;
  for (const auto& polozka : std::filesystem::directory_iterator(adresar, chyba))
    jmena.push_back(polozka.path().filename().string());
  std::sort(jmena.begin(), jmena.end());
  return jmena;
}

namespace {

constexpr uid_t nikdo = 65534;

VysledekBehu spust(const std::string& program, const std::string& adresar,
                   const std::string& vstup, int limit_sekund,
                   const std::vector<std::string>& prostredi, bool bez_prav,
                   const std::vector<std::string>& argumenty = {}) {
  VysledekBehu vysledek;
  const std::string soubor_vstupu = adresar + "/.stdin";
  const std::string soubor_vystupu = adresar + "/.stdout";
  const std::string soubor_chyb = adresar + "/.stderr";
  {
    std::ofstream f(soubor_vstupu, std::ios::binary);
    f << vstup;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(adresar.c_str()) != 0) _exit(126);
    const int in = open(soubor_vstupu.c_str(), O_RDONLY);
    const int out = open(soubor_vystupu.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(soubor_chyb.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setpgid(0, 0);
    for (const std::string& p : prostredi) putenv(const_cast<char*>(p.c_str()));
    if (bez_prav && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(nikdo) != 0 || setuid(nikdo) != 0))
      _exit(126);
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int stav = 0;
  const auto konec = std::chrono::steady_clock::now() + std::chrono::seconds(limit_sekund);
  while (true) {
    const pid_t hotovo = waitpid(pid, &stav, WNOHANG);
    if (hotovo == pid) break;
    if (std::chrono::steady_clock::now() > konec) {
      kill(-pid, SIGKILL);
      kill(pid, SIGKILL);
      waitpid(pid, &stav, 0);
      vysledek.vyprsel = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(stav)) vysledek.kod = WEXITSTATUS(stav);
  if (WIFSIGNALED(stav)) vysledek.kod = 128 + WTERMSIG(stav);
  vysledek.vystup = precti_soubor(soubor_vystupu);
  vysledek.chyby = precti_soubor(soubor_chyb);
  std::remove(soubor_vstupu.c_str());
  std::remove(soubor_vystupu.c_str());
  std::remove(soubor_chyb.c_str());
  return vysledek;
}

}  // namespace

VysledekBehu spust_program(const std::string& program, const std::string& adresar,
                           const std::string& vstup, int limit_sekund,
                           const std::vector<std::string>& prostredi,
                           const std::vector<std::string>& argumenty) {
  return spust(program, adresar, vstup, limit_sekund, prostredi, false, argumenty);
}

VysledekBehu spust_program_bez_prav(const std::string& program, const std::string& adresar,
                                    const std::vector<std::string>& prostredi) {
  return spust(program, adresar, "", 120, prostredi, true);
}

VysledekBehu spust_bez_displeje(const std::string& program, const std::string& adresar,
                                const std::string& vstup, int limit_sekund) {
  // A name without "=" removes the variable; SDL wants a private runtime
  // directory, which the test's own directory (mode 0700) is.
  return spust_program(program, adresar, vstup, limit_sekund,
                       {"DISPLAY", "SDL_VIDEODRIVER", "XDG_RUNTIME_DIR=" + adresar});
}

bool zastaveno_u_okna(const VysledekBehu& beh) {
  return !beh.vyprsel && beh.kod == 1 && beh.chyby.rfind("viewer_", 0) == 0 &&
         beh.chyby.find(": display: the video subsystem cannot be initialised") != std::string::npos &&
         beh.chyby.find('\n') == beh.chyby.size() - 1;
}
