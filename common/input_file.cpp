// Regular input files only, opened without blocking.
#include "common/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/messages.h"

std::FILE* otevri_vstup(const std::string& cesta, const char* co, std::string* chyba,
                        long long* velikost) {
  const int fd = open(cesta.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    *chyba = zprava(cesta, std::string("cannot be opened: ") + std::strerror(errno));
    return nullptr;
  }
  struct stat info {};
  std::string problem;
  if (fstat(fd, &info) != 0)
    problem = std::string("cannot be examined: ") + std::strerror(errno);
  else if (S_ISDIR(info.st_mode))
    problem = std::string("is a directory, not ") + co;
  else if (!S_ISREG(info.st_mode))
    problem = "is not a regular file (a FIFO, socket or device)";
  // Reads of a regular file do not block anyway; the flag only kept the open
  // from waiting.
  else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    problem = std::string("cannot be opened: ") + std::strerror(errno);
  std::FILE* f = problem.empty() ? fdopen(fd, "rb") : nullptr;
  if (problem.empty() && f == nullptr) problem = std::string("cannot be opened: ") + std::strerror(errno);
  if (!problem.empty()) {
    close(fd);
    *chyba = zprava(cesta, problem);
    return nullptr;
  }
  if (velikost != nullptr) *velikost = static_cast<long long>(info.st_size);
  return f;
}

bool precti_vstup(const std::string& cesta, const char* co, std::size_t nejvic, std::string* obsah,
                  std::string* chyba) {
  std::FILE* f = otevri_vstup(cesta, co, chyba);
  if (f == nullptr) return false;
  std::string text;
  char blok[65536];
  std::size_t n = 0;
  // One byte past the limit tells a file at the limit from a larger one,
  // whatever the size the file system claims.
  while (text.size() <= nejvic && (n = std::fread(blok, 1, sizeof blok, f)) > 0)
    text.append(blok, n);
  const bool chyba_cteni = std::ferror(f) != 0;
  const int kod = errno;
  std::fclose(f);
  if (chyba_cteni) {
    *chyba = zprava(cesta, std::string("cannot be read: ") + std::strerror(kod));
    return false;
  }
  if (text.size() > nejvic) {
    *chyba = zprava(cesta, "the file is larger than the " + std::to_string(nejvic) +
                               " bytes this program reads");
    return false;
  }
  *obsah = std::move(text);
  return true;
}
