// Complete-or-nothing file output.
#include "reconstruction/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

using Krok = AtomickySoubor::Krok;

const char* jmeno_kroku(Krok krok) {
  switch (krok) {
    case Krok::otevreni: return "open";
    case Krok::zapis: return "write";
    case Krok::synchronizace: return "sync";
    case Krok::zavreni: return "close";
    case Krok::prejmenovani: return "rename";
    case Krok::cil: return "target";
    case Krok::zadny: break;
  }
  return "none";
}

// The process's umask; reading it means setting it, so it is set back at once.
mode_t soucasna_maska() {
  const mode_t maska = umask(0);
  umask(maska);
  return maska;
}

// --- Named temporary files, for the signal handler ---------------------------
//
// A slot is free (0), being filled (1) or holds a name on disk (2). Writers
// on several threads claim slots with compare-and-swap; the handler only
// reads names of slots in state 2 and unlinks them, which is
// async-signal-safe.
constexpr int pocet_mist = 16;
char jmena_mist[pocet_mist][PATH_MAX];
std::atomic<int> stav_mist[pocet_mist];

int zaber_misto(const std::string& jmeno) {
  if (jmeno.size() >= PATH_MAX) return -1;
  for (int i = 0; i < pocet_mist; i++) {
    int volno = 0;
    if (stav_mist[i].compare_exchange_strong(volno, 1)) {
      std::memcpy(jmena_mist[i], jmeno.c_str(), jmeno.size() + 1);
      stav_mist[i].store(2);
      return i;
    }
  }
  return -1;  // more writers at once than slots: that name is not cleaned up
}

void uvolni_misto(int i) {
  if (i >= 0) stav_mist[i].store(0);
}

extern "C" void pri_ukonceni(int signal) {
  for (int i = 0; i < pocet_mist; i++)
    if (stav_mist[i].load() == 2) unlink(jmena_mist[i]);
  std::signal(signal, SIG_DFL);
  raise(signal);
}

// --- Steps of one write --------------------------------------------------------

// Follows symbolic links from `cesta` to the file they name, which may not
// exist yet; a target that exists must be a regular file. False with the
// error code (EISDIR for a directory, EINVAL for another non-regular file)
// and the step.
bool najdi_cil(const std::string& cesta, std::string* cil, Krok* krok, int* kod) {
  std::string p = cesta;
  for (int i = 0; i < 40; i++) {
    struct stat info {};
    if (lstat(p.c_str(), &info) != 0) {
      if (errno == ENOENT) {
        *cil = p;
        return true;
      }
      *krok = Krok::otevreni;
      *kod = errno;
      return false;
    }
    if (!S_ISLNK(info.st_mode)) {
      if (!S_ISREG(info.st_mode)) {
        *krok = Krok::cil;
        *kod = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return false;
      }
      *cil = p;
      return true;
    }
    std::vector<char> odkaz(PATH_MAX + 1);
    const ssize_t n = readlink(p.c_str(), odkaz.data(), odkaz.size() - 1);
    if (n < 0) {
      *krok = Krok::otevreni;
      *kod = errno;
      return false;
    }
    const std::string kam(odkaz.data(), static_cast<std::size_t>(n));
    const std::size_t lomitko = p.rfind('/');
    p = (kam[0] == '/' || lomitko == std::string::npos) ? kam : p.substr(0, lomitko + 1) + kam;
  }
  *krok = Krok::otevreni;
  *kod = ELOOP;
  return false;
}

std::string adresar_souboru(const std::string& cesta) {
  const std::size_t lomitko = cesta.rfind('/');
  if (lomitko == std::string::npos) return ".";
  return lomitko == 0 ? "/" : cesta.substr(0, lomitko);
}

// "<cil>.XXXXXX" with six fresh letters.
std::string jedinecne_jmeno(const std::string& cil) {
  static std::atomic<unsigned> citac{0};
  timespec ted{};
  clock_gettime(CLOCK_REALTIME, &ted);
  unsigned long x = static_cast<unsigned long>(ted.tv_nsec) ^
                    (static_cast<unsigned long>(getpid()) << 20) ^ (citac.fetch_add(1) * 2654435761u);
  const char znaky[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string jmeno = cil + ".";
  for (int i = 0; i < 6; i++) {
    jmeno += znaky[x % 62];
    x = x / 62 + 0x9e3779b9u * (i + 1);
  }
  return jmeno;
}

// Writes all bytes, syncs and closes fd; on failure fd is closed too.
bool zapis_vse(int fd, const void* data, std::size_t velikost, Krok* krok, int* kod) {
  const char* p = static_cast<const char*>(data);
  while (velikost > 0) {
    const ssize_t n = write(fd, p, velikost);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *krok = Krok::zapis;
      *kod = n < 0 ? errno : EIO;
      close(fd);
      return false;
    }
    p += n;
    velikost -= static_cast<std::size_t>(n);
  }
  if (fsync(fd) != 0) {
    *krok = Krok::synchronizace;
    *kod = errno;
    close(fd);
    return false;
  }
  if (close(fd) != 0) {
    *krok = Krok::zavreni;
    *kod = errno;
    return false;
  }
  return true;
}

// Renames the named temporary file over the target, or removes it.
bool prejmenuj(const std::string& docasny, int misto, const std::string& cil, Krok* krok, int* kod) {
  const bool hotovo = std::rename(docasny.c_str(), cil.c_str()) == 0;
  if (!hotovo) {
    *krok = Krok::prejmenovani;
    *kod = errno;
    unlink(docasny.c_str());
  }
  uvolni_misto(misto);
  return hotovo;
}

// An unnamed file in the target's directory, named once its data are on
// disk. False with *nejde when the system cannot do this (the caller then
// uses a named temporary file); false without it on a real failure.
bool zapis_bez_jmena(const std::string& cil, const void* data, std::size_t velikost, bool* nejde,
                     Krok* krok, int* kod) {
#ifdef O_TMPFILE
  const int fd = open(adresar_souboru(cil).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    *nejde = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
    *krok = Krok::otevreni;
    *kod = errno;
    return false;
  }
  // Linking needs the descriptor's path under /proc; without it, no gain.
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (access(proc.c_str(), F_OK) != 0) {
    close(fd);
    *nejde = true;
    return false;
  }
  const int dup_fd = dup(fd);  // kept open across the close in zapis_vse
  if (dup_fd < 0) {
    *krok = Krok::otevreni;
    *kod = errno;
    close(fd);
    return false;
  }
  const bool zapsano = zapis_vse(fd, data, velikost, krok, kod);
  const std::string proc_dup = "/proc/self/fd/" + std::to_string(dup_fd);
  bool hotovo = false;
  for (int pokus = 0; zapsano && pokus < 100; pokus++) {
    const std::string docasny = jedinecne_jmeno(cil);
    if (linkat(AT_FDCWD, proc_dup.c_str(), AT_FDCWD, docasny.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      hotovo = prejmenuj(docasny, zaber_misto(docasny), cil, krok, kod);
      break;
    }
    if (errno != EEXIST) {
      *krok = Krok::prejmenovani;
      *kod = errno;
      break;
    }
  }
  close(dup_fd);
  return hotovo;
#else
  (void)cil, (void)data, (void)velikost, (void)krok, (void)kod;
  *nejde = true;
  return false;
#endif
}

// A temporary file under a unique name from the start.
bool zapis_se_jmenem(const std::string& cil, const void* data, std::size_t velikost, Krok* krok,
                     int* kod) {
  std::vector<char> vzor(cil.begin(), cil.end());
  for (char c : std::string(".XXXXXX")) vzor.push_back(c);
  vzor.push_back('\0');
  const int fd = mkstemp(vzor.data());
  if (fd < 0) {
    *krok = Krok::otevreni;
    *kod = errno;
    return false;
  }
  const std::string docasny = vzor.data();
  const int misto = zaber_misto(docasny);
  // mkstemp creates the file private; give it the permissions of a new file.
  if (fchmod(fd, 0666 & ~soucasna_maska()) != 0) {
    *krok = Krok::otevreni;
    *kod = errno;
    close(fd);
  } else if (zapis_vse(fd, data, velikost, krok, kod)) {
    return prejmenuj(docasny, misto, cil, krok, kod);
  }
  unlink(docasny.c_str());
  uvolni_misto(misto);
  return false;
}

bool zapis_soubor(const std::string& cesta, const void* data, std::size_t velikost, Krok* krok,
                  int* kod) {
  std::string cil;
  if (!najdi_cil(cesta, &cil, krok, kod)) return false;
  bool nejde = false;
  if (zapis_bez_jmena(cil, data, velikost, &nejde, krok, kod)) return true;
  return nejde && zapis_se_jmenem(cil, data, velikost, krok, kod);
}

std::string popis(const std::string& cesta, Krok krok, int kod) {
  if (krok == Krok::cil)
    return cesta + ": cannot be written (" +
           (kod == EISDIR ? "a directory stands there" : "not a regular file but a FIFO, socket or device") +
           "; it is left as it is)";
  return cesta + ": cannot be written (" + jmeno_kroku(krok) + ": " + std::strerror(kod) + ")";
}

}  // namespace

bool AtomickySoubor::selhal(Krok krok) {
  kod_ = errno;
  selhani_ = krok;
  zrus();
  return false;
}

bool AtomickySoubor::otevri() {
  zrus();
  selhani_ = Krok::zadny;
  proud_ = open_memstream(&obsah_, &delka_);
  if (proud_ == nullptr) return selhal(Krok::otevreni);
  return true;
}

bool AtomickySoubor::zapis(const void* data, std::size_t velikost) {
  if (proud_ == nullptr) return false;
  // An empty buffer may have no data pointer, which fwrite must not get.
  if (velikost == 0 || std::fwrite(data, 1, velikost, proud_) == velikost) return true;
  return selhal(Krok::zapis);
}

bool AtomickySoubor::dokonci() {
  if (proud_ == nullptr) {
    if (selhani_ == Krok::zadny) {
      errno = EBADF;
      return selhal(Krok::otevreni);
    }
    return false;
  }
  const bool v_pameti = std::ferror(proud_) == 0;
  std::FILE* f = proud_;
  proud_ = nullptr;
  if (std::fclose(f) != 0 || !v_pameti) return selhal(Krok::zapis);
  Krok krok = Krok::zadny;
  int kod = 0;
  const bool hotovo = zapis_soubor(cesta_, obsah_, delka_, &krok, &kod);
  zrus();
  if (!hotovo) {
    selhani_ = krok;
    kod_ = kod;
  }
  return hotovo;
}

void AtomickySoubor::zrus() {
  if (proud_ != nullptr) std::fclose(proud_);
  proud_ = nullptr;
  std::free(obsah_);
  obsah_ = nullptr;
  delka_ = 0;
}

std::string AtomickySoubor::popis_chyby() const { return popis(cesta_, selhani_, kod_); }

bool zapis_atomicky(const std::string& cesta, const void* data, std::size_t velikost,
                    std::string* chyba) {
  Krok krok = Krok::zadny;
  int kod = 0;
  if (zapis_soubor(cesta, data, velikost, &krok, &kod)) return true;
  if (chyba != nullptr) *chyba = popis(cesta, krok, kod);
  return false;
}

bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba) {
  return zapis_atomicky(cesta, obsah.data(), obsah.size(), chyba);
}

void chran_vystupy() {
  std::signal(SIGXFSZ, SIG_IGN);
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction stary {};
    sigaction(signal, nullptr, &stary);
    if (stary.sa_handler == SIG_IGN) continue;  // started to ignore it: keep that
    struct sigaction novy {};
    novy.sa_handler = pri_ukonceni;
    sigemptyset(&novy.sa_mask);
    sigaction(signal, &novy, nullptr);
  }
}
