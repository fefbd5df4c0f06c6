// The diagnostic log.
#include "reconstruction/log_file.h"

#include <cstdarg>

#include "common/messages.h"

std::FILE* log1 = nullptr;

bool otevri_log() {
  log1 = std::fopen("logfile.txt", "w");
  if (log1 == nullptr) return false;
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
