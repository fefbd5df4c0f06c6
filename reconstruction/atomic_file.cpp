// Complete-or-nothing file output.
#include "reconstruction/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* jmeno_kroku(AtomickySoubor::Krok krok) {
  switch (krok) {
    case AtomickySoubor::Krok::otevreni: return "open";
    case AtomickySoubor::Krok::zapis: return "write";
    case AtomickySoubor::Krok::synchronizace: return "sync";
    case AtomickySoubor::Krok::zavreni: return "close";
    case AtomickySoubor::Krok::prejmenovani: return "rename";
    case AtomickySoubor::Krok::zadny: break;
  }
  return "none";
}

// The process's umask; reading it means setting it, so it is set back at once.
mode_t soucasna_maska() {
  const mode_t maska = umask(0);
  umask(maska);
  return maska;
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
  std::vector<char> vzor(cesta_.begin(), cesta_.end());
  for (char c : std::string(".XXXXXX")) vzor.push_back(c);
  vzor.push_back('\0');
  const int fd = mkstemp(vzor.data());
  if (fd < 0) return selhal(Krok::otevreni);
  docasny_ = vzor.data();
  // mkstemp creates the file private; give it the permissions of a new file.
  if (fchmod(fd, 0666 & ~soucasna_maska()) != 0 || (proud_ = fdopen(fd, "wb")) == nullptr) {
    const int kod = errno;
    close(fd);
    errno = kod;
    return selhal(Krok::otevreni);
  }
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
  if (std::fflush(proud_) != 0 || std::ferror(proud_) != 0) return selhal(Krok::zapis);
  if (fsync(fileno(proud_)) != 0) return selhal(Krok::synchronizace);
  std::FILE* f = proud_;
  proud_ = nullptr;
  if (std::fclose(f) != 0) return selhal(Krok::zavreni);
  if (std::rename(docasny_.c_str(), cesta_.c_str()) != 0) return selhal(Krok::prejmenovani);
  docasny_.clear();
  return true;
}

void AtomickySoubor::zrus() {
  if (proud_ != nullptr) std::fclose(proud_);
  proud_ = nullptr;
  if (!docasny_.empty()) std::remove(docasny_.c_str());
  docasny_.clear();
}

std::string AtomickySoubor::popis_chyby() const {
  return cesta_ + ": cannot be written (" + jmeno_kroku(selhani_) + ": " +
         std::strerror(kod_) + ")";
}

bool zapis_atomicky(const std::string& cesta, const void* data, std::size_t velikost,
                    std::string* chyba) {
  AtomickySoubor soubor(cesta);
  const bool v_poradku = soubor.otevri() && soubor.zapis(data, velikost) && soubor.dokonci();
  if (!v_poradku && chyba != nullptr) *chyba = soubor.popis_chyby();
  return v_poradku;
}

bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba) {
  return zapis_atomicky(cesta, obsah.data(), obsah.size(), chyba);
}
