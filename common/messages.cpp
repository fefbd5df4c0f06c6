// The one place that writes messages to standard error.
#include "common/messages.h"

#include <cstdio>

namespace {
std::string jmeno_programu = "scanner";
}  // namespace

void nastav_jmeno_programu(const char* jmeno) { jmeno_programu = jmeno; }

std::string zprava(const std::string& predmet, const std::string& problem) { return predmet + ": " + problem; }

void ohlas(const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s: %s\n", jmeno_programu.c_str(), text.c_str());
  std::fflush(stderr);
}
