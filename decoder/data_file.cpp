// Writing "data.txt" through a temporary file.
#include "decoder/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "decoder/decoder_state.h"
#include "reconstruction/atomic_file.h"

const int hlavicka_dat[12] = {302, 391, 123, 310, 556, 393, 377, 315, 497, 271, 387, 192};

namespace {

std::unique_ptr<AtomickySoubor> vystup;  // the file being written, or null
std::string jmeno_dat = "data.txt";      // its name

std::FILE* proud_dat() { return vystup ? vystup->proud() : nullptr; }

}  // namespace

bool otevri_data(int uhel, std::string* chyba, const std::string& soubor) {
  jmeno_dat = soubor;
  vystup = std::make_unique<AtomickySoubor>(soubor);
  if (!vystup->otevri()) {
    if (chyba != nullptr) *chyba = vystup->popis_chyby();
    vystup.reset();
    return false;
  }
  std::FILE* f = proud_dat();
  for (int v : hlavicka_dat) std::fprintf(f, "%d\n", v);
  std::fprintf(f, "M\n");
  std::fprintf(f, "%d\n", uhel);
  return true;
}

void KorespondujiciUloz() {
  std::FILE* f = proud_dat();
  if (f == nullptr) return;
  for (int i = 0; i < kores_pocet; ++i) {
    std::fprintf(f, "%d\n", korespond[i].x1);
    std::fprintf(f, "%d\n", korespond[i].y1);
    std::fprintf(f, "%d\n", korespond[i].x2);
    std::fprintf(f, "%d\n", korespond[i].y2);
  }
  std::fprintf(f, "Q\n");
}

bool dokonci_data(std::string* chyba) {
  if (proud_dat() == nullptr) {
    if (chyba != nullptr) *chyba = jmeno_dat + ": the output file is not open";
    return false;
  }
  const bool hotovo = vystup->dokonci();
  if (!hotovo && chyba != nullptr) {
    const int kod = vystup->kod_chyby();
    if (vystup->selhani() == AtomickySoubor::Krok::prejmenovani)
      *chyba = jmeno_dat + ": cannot replace the output file: " + std::strerror(kod);
    else if (vystup->selhani() == AtomickySoubor::Krok::cil)
      *chyba = jmeno_dat + ": cannot replace the output file: " +
               (kod == EISDIR ? "it is a directory" : "it is not a regular file but a FIFO, socket or device") +
               "; it is left as it is";
    else if (vystup->selhani() == AtomickySoubor::Krok::otevreni)
      *chyba = jmeno_dat + ": cannot create the output file here: " + std::strerror(kod);
    else
      *chyba = vystup->popis_chyby();
  }
  vystup.reset();
  return hotovo;
}

const std::string& jmeno_souboru_dat() { return jmeno_dat; }

void zrus_data() { vystup.reset(); }
