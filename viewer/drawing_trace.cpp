// The drawing trace, kept for the first frame.
#include "viewer/drawing_trace.h"

#include <cstdarg>

#include "viewer/viewer_tables.h"

void zapis_stopu(std::FILE* stopa, const char* format, ...) {
  if (stopa == nullptr) return;
  va_list argumenty;
  va_start(argumenty, format);
  std::vfprintf(stopa, format, argumenty);
  va_end(argumenty);
}

namespace {

// The log (null while none is open).
std::FILE* stopa_do_logu() { return *tabulky_prohlizece().log; }

}  // namespace

std::FILE* stopa_snimku(const StavProhlizece& stav) { return stav.stopa_kresleni ? stopa_do_logu() : nullptr; }

void ukonci_stopu_kresleni(StavProhlizece& stav) {
  if (!stav.stopa_kresleni) return;
  stav.stopa_kresleni = false;
  std::FILE* const log1 = stopa_do_logu();
  if (log1 != nullptr) std::fflush(log1);
}
