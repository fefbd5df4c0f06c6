// The diagnostic log.
#include "reconstruction/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "common/messages.h"

std::FILE* log1 = nullptr;

bool otevri_log(std::string* problem) {
  // Opened without blocking and emptied only once it is known to be a
  // regular file: a FIFO or a device of that name is left alone.
  const int fd = open("logfile.txt", O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  struct stat info {};
  std::string duvod;
  if (fd < 0)
    duvod = std::string("cannot be created in the working directory (") + std::strerror(errno) + ")";
  else if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    duvod = "is not a regular file (a FIFO, socket or device)";
  else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 || ftruncate(fd, 0) != 0 ||
           (log1 = fdopen(fd, "w")) == nullptr)
    duvod = std::string("cannot be written (") + std::strerror(errno) + ")";
  if (!duvod.empty()) {
    if (fd >= 0) close(fd);
    if (problem != nullptr) *problem = zprava("logfile.txt", duvod);
    return false;
  }
  std::fprintf(log1, "spusteno\n");
  return true;
}

void zavri_log() {
  if (log1 != nullptr) {
    std::fclose(log1);
    log1 = nullptr;
  }
}

void zapis_log(const char* format, ...) {
  if (log1 == nullptr) return;
  va_list argumenty;
  va_start(argumenty, format);
  std::vfprintf(log1, format, argumenty);
  va_end(argumenty);
}

void varuj(const std::string& text, const std::string& dodatek) {
  ohlas(text + dodatek);
  zapis_log("warning: %s\n", text.c_str());
}
