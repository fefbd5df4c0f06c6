// Writing "data.txt" through a temporary file.
#include "decoder/data_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "decoder/decoder_state.h"

std::FILE* uloz_data = nullptr;
const int hlavicka_dat[12] = {302, 391, 123, 310, 556, 393, 377, 315, 497, 271, 387, 192};

namespace {

const char* const jmeno_dat = "data.txt";
std::string docasne_jmeno;

}  // namespace

bool otevri_data(int uhel, std::string* chyba) {
  char vzor[] = "data.txt.XXXXXX";
  const int fd = mkstemp(vzor);
  if (fd < 0) {
    if (chyba != nullptr)
      *chyba = std::string("data.txt: cannot create the output file here: ") +
               std::strerror(errno);
    return false;
  }
  // mkstemp creates the file private; give it the usual permissions.
  const mode_t maska = umask(0);
  umask(maska);
  fchmod(fd, 0666 & ~maska);
  docasne_jmeno = vzor;
  uloz_data = fdopen(fd, "w");
  if (uloz_data == nullptr) {
    close(fd);
    std::remove(docasne_jmeno.c_str());
    if (chyba != nullptr) *chyba = "data.txt: cannot write the output file";
    return false;
  }
  for (int v : hlavicka_dat) std::fprintf(uloz_data, "%d\n", v);
  std::fprintf(uloz_data, "M\n");
  std::fprintf(uloz_data, "%d\n", uhel);
  return true;
}

void KorespondujiciUloz() {
  if (uloz_data == nullptr) return;
  for (int i = 0; i < kores_pocet; ++i) {
    std::fprintf(uloz_data, "%d\n", korespond[i].x1);
    std::fprintf(uloz_data, "%d\n", korespond[i].y1);
    std::fprintf(uloz_data, "%d\n", korespond[i].x2);
    std::fprintf(uloz_data, "%d\n", korespond[i].y2);
  }
  std::fprintf(uloz_data, "Q\n");
}

bool dokonci_data(std::string* chyba) {
  if (uloz_data == nullptr) {
    if (chyba != nullptr) *chyba = "data.txt: the output file is not open";
    return false;
  }
  const bool zapsano = std::ferror(uloz_data) == 0;
  const bool zavreno = std::fclose(uloz_data) == 0;
  uloz_data = nullptr;
  if (!zapsano || !zavreno) {
    std::remove(docasne_jmeno.c_str());
    if (chyba != nullptr) *chyba = "data.txt: writing the output file failed";
    return false;
  }
  if (std::rename(docasne_jmeno.c_str(), jmeno_dat) != 0) {
    const int e = errno;
    std::remove(docasne_jmeno.c_str());
    if (chyba != nullptr)
      *chyba = std::string("data.txt: cannot replace the output file: ") + std::strerror(e);
    return false;
  }
  docasne_jmeno.clear();
  return true;
}

void zrus_data() {
  if (uloz_data != nullptr) {
    std::fclose(uloz_data);
    uloz_data = nullptr;
  }
  if (!docasne_jmeno.empty()) std::remove(docasne_jmeno.c_str());
  docasne_jmeno.clear();
}
