// The drawing trace, kept for the first frame.
#include "viewer/drawing_trace.h"

#include <cstdarg>
#include <cstdio>

#include "viewer/viewer_tables.h"

bool stopa_kresleni = true;

void zapis_stopu(const char* format, ...) {
  std::FILE* const log1 = *tabulky_prohlizece().log;
  if (!stopa_kresleni || log1 == nullptr) return;
  va_list argumenty;
  va_start(argumenty, format);
  std::vfprintf(log1, format, argumenty);
  va_end(argumenty);
}

void ukonci_stopu_kresleni() {
  if (!stopa_kresleni) return;
  stopa_kresleni = false;
  std::FILE* const log1 = *tabulky_prohlizece().log;
  if (log1 != nullptr) std::fflush(log1);
}
