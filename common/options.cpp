// Option parsing, --help, --version and --dir for every program.
#include "common/options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/messages.h"

#ifndef SCANNER_VERSION
#error "SCANNER_VERSION must be defined by the build (the project's version)"
#endif

namespace {

struct Volba {
  const char* jmeno;
  const char* hodnota;  // the value's name in --help; nullptr: takes none
  bool jen_prohlizec;
  const char* popis;
  bool jen_otaceni = false;  // only for a program that turns points (--turn)
  bool jen_otocene = false;  // only for a viewer or a program that turns points
  bool jen_dekoder = false;  // only for the decoder
  bool jen_husty = false;    // only for the whole-object scan (dense_scan)
  bool i_husty = false;      // a viewer's option that dense_scan takes too
};

const Volba volby_programu[] = {
    {"--dir", "DIR", false,
     "read the inputs from DIR and write the outputs there, as if started\n"
     "in DIR"},
    {"--no-window", nullptr, false,
     "batch mode: write every output file, then exit without waiting for\n"
     "Enter, without a window and without needing a display"},
    {"--windowed", nullptr, true,
     "show an 800 x 600 window instead of the full screen; the mouse turns\n"
     "the view once you click into the window, until the window loses focus"},
    {"--screenshot", "FILE", true,
     "draw one frame turned to face the model, save it as PNG in FILE\n"
     "(inside DIR with --dir when relative) and exit without waiting for\n"
     "Enter (needs a display; not with --no-window)",
     false, false, false, false, true},
    {"--turn", nullptr, false,
     "also turn the points into the common frame of the marker scan, with the\n"
     "turntable axis found from the reference marks of the ten marker images\n"
     "in the same directory and the angle in data.txt; without those images\n"
     "(or without an axis) it says why and writes nothing",
     true},
    {"--upright", nullptr, false,
     "write the output files in the turntable frame: origin at the turntable\n"
     "centre, z up along its axis, x towards camera 1, so that mesh viewers\n"
     "show the object standing (pairs_to_points: with --turn)",
     false, true},
    {"--angle", "A", false,
     "decode the images of turntable angle A (AAAPFC.bmp, A in three digits,\n"
     "0 to 359) instead of 60, and write A into the pair file and the console",
     false, false, true},
    {"--output", "FILE", false,
     "write the pairs to FILE (inside DIR with --dir when relative) instead of\n"
     "data.txt",
     false, false, true},
    {"--jobs", "N", false,
     "decode N turntable angles at a time, on N threads (default: one per\n"
     "processor core)",
     false, false, false, true},
    {"--no-surface", nullptr, false,
     "write the points only, without dense_surface.ply",
     false, false, false, true},
    {"--help", nullptr, false, "print this help and exit"},
    {"--version", nullptr, false, "print the program's name and version and exit"},
};

// Which kind of program parses: the flags of PopisProgramu.
struct DruhProgramu {
  bool prohlizec, otaceni, dekoder, husty;
};

bool patri_programu(const Volba& v, const DruhProgramu& d) {
  return (d.prohlizec || !v.jen_prohlizec || (d.husty && v.i_husty)) &&
         (d.otaceni || !v.jen_otaceni) && (d.prohlizec || d.otaceni || !v.jen_otocene) &&
         (d.dekoder || !v.jen_dekoder) && (d.husty || !v.jen_husty);
}

const Volba* najdi_volbu(const std::string& jmeno, const DruhProgramu& d) {
  for (const Volba& v : volby_programu)
    if (jmeno == v.jmeno && patri_programu(v, d)) return &v;
  return nullptr;
}

bool chyba_pouziti(std::string* chyba, const std::string& predmet, const std::string& problem) {
  if (chyba != nullptr) *chyba = zprava(predmet, problem);
  return false;
}

// Stores the option's value; false with the problem of a value it cannot take.
bool nastav(const Volba& v, const std::string& hodnota, Volby* volby, std::string* chyba) {
  const std::string jmeno = v.jmeno;
  if (jmeno == "--help") volby->napoveda = true;
  if (jmeno == "--version") volby->verze = true;
  if (jmeno == "--no-window") volby->bez_okna = true;
  if (jmeno == "--windowed") volby->v_okne = true;
  if (jmeno == "--dir") volby->adresar = hodnota;
  if (jmeno == "--screenshot") volby->snimek = hodnota;
  if (jmeno == "--turn") volby->otocit = true;
  if (jmeno == "--upright") volby->vzpriment = true;
  if (jmeno == "--output") volby->vystup = hodnota;
  if (jmeno == "--no-surface") volby->bez_plochy = true;
  if (jmeno == "--jobs") {
    int n = 0;
    std::size_t i = 0;
    for (; i < hodnota.size() && i < 4 && hodnota[i] >= '0' && hodnota[i] <= '9'; i++) n = 10 * n + (hodnota[i] - '0');
    if (i == 0 || i != hodnota.size() || n < 1 || n > 256)
      return chyba_pouziti(chyba, "--jobs", "expected a whole number of threads from 1 to 256");
    volby->uloh = n;
  }
  if (jmeno == "--angle") {
    int uhel = 0;
    std::size_t i = 0;
    for (; i < hodnota.size() && i < 4 && hodnota[i] >= '0' && hodnota[i] <= '9'; i++) uhel = 10 * uhel + (hodnota[i] - '0');
    if (i == 0 || i != hodnota.size() || uhel > 359)
      return chyba_pouziti(chyba, "--angle", "expected a whole number of degrees from 0 to 359");
    volby->uhel = uhel;
  }
  return true;
}

// One argument at argv[*i] that starts with "--"; a separate value moves *i on.
bool rozeber_volbu(int argc, const char* const* argv, int* i, const DruhProgramu& druh,
                   Volby* volby, std::string* chyba) {
  const std::string argument = argv[*i];
  const std::size_t rovnitko = argument.find('=');
  const std::string jmeno = argument.substr(0, rovnitko);
  const Volba* v = najdi_volbu(jmeno, druh);
  if (v == nullptr) return chyba_pouziti(chyba, jmeno, "unknown option");
  std::string hodnota;
  if (v->hodnota == nullptr) {
    if (rovnitko != std::string::npos) return chyba_pouziti(chyba, jmeno, "takes no value");
  } else if (rovnitko != std::string::npos) {
    hodnota = argument.substr(rovnitko + 1);
  } else if (*i + 1 < argc) {
    hodnota = argv[++*i];
  }
  if (v->hodnota != nullptr && hodnota.empty())
    return chyba_pouziti(chyba, jmeno, std::string("needs a value (") + v->jmeno + " " + v->hodnota + ")");
  return nastav(*v, hodnota, volby, chyba);
}

std::string odsad(const char* text, const char* odsazeni) {
  std::string vysledek = odsazeni;
  for (const char* c = text; *c != '\0'; c++) {
    vysledek += *c;
    if (*c == '\n' && c[1] != '\0') vysledek += odsazeni;
  }
  return vysledek + "\n";
}

int vstup_do_adresare(const std::string& adresar) {
  struct stat info {};
  if (stat(adresar.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
    ohlas(zprava(adresar, "cannot be used as the directory: is not a directory"));
    return 1;
  }
  if (access(adresar.c_str(), R_OK | X_OK) != 0 || chdir(adresar.c_str()) != 0) {
    ohlas(zprava(adresar, std::string("cannot be used as the directory: ") + std::strerror(errno)));
    return 1;
  }
  return -1;
}

}  // namespace

bool rozeber_volby(int argc, const char* const* argv, bool prohlizec, Volby* volby,
                   std::string* chyba, bool otaceni, bool dekoder, bool husty) {
  const DruhProgramu druh{prohlizec, otaceni, dekoder, husty};
  bool konec_voleb = false;
  for (int i = 1; i < argc; i++) {
    const std::string argument = argv[i];
    if (!konec_voleb && argument == "--") {
      konec_voleb = true;
    } else if (!konec_voleb && argument.rfind("--", 0) == 0) {
      if (!rozeber_volbu(argc, argv, &i, druh, volby, chyba)) return false;
    } else if (!konec_voleb && argument.size() > 1 && argument[0] == '-') {
      return chyba_pouziti(chyba, argument, "unknown option");
    } else {
      return chyba_pouziti(chyba, argument, "unexpected argument (the program takes no file names)");
    }
  }
  if (volby->bez_okna && !volby->snimek.empty())
    return chyba_pouziti(chyba, "--screenshot", "needs a window, so it cannot go with --no-window");
  if (husty && volby->bez_plochy && !volby->snimek.empty())
    return chyba_pouziti(chyba, "--screenshot", "draws the surface, so it cannot go with --no-surface");
  if (volby->vzpriment && otaceni && !volby->otocit)
    return chyba_pouziti(chyba, "--upright", "needs --turn: only turned points have the turntable frame");
  return true;
}

std::string text_napovedy(const PopisProgramu& popis) {
  std::string t = std::string("Usage: ") + popis.jmeno + " [OPTION]...\n" + popis.ucel + "\n\nOptions:\n";
  for (const Volba& v : volby_programu) {
    if (!patri_programu(v, {popis.prohlizec, popis.otaceni, popis.dekoder, popis.husty})) continue;
    t += std::string("  ") + v.jmeno + (v.hodnota != nullptr ? std::string(" ") + v.hodnota : "") + "\n";
    t += odsad(v.popis, "      ");
  }
  t += "A value may also follow its option after \"=\" (--dir=DIR); \"--\" ends the options.\n";
  t += "\nReads (in the working directory, or in DIR):\n" + odsad(popis.cte, "  ");
  t += "Writes (there too):\n" + odsad(popis.zapisuje, "  ");
  t += "\nExit status:\n"
       "  0  success\n"
       "  1  bad input, an output that cannot be written, or a window that cannot\n"
       "     be opened (one message on standard error names the file or the cause)\n"
       "  2  bad usage (an unknown option, a missing value or a stray argument)\n";
  return t;
}

std::string text_verze(const char* jmeno) { return std::string(jmeno) + " " + SCANNER_VERSION + "\n"; }

int zpracuj_volby(int argc, const char* const* argv, const PopisProgramu& popis, Volby* volby) {
  std::string chyba;
  if (!rozeber_volby(argc, argv, popis.prohlizec, volby, &chyba, popis.otaceni, popis.dekoder,
                     popis.husty)) {
    ohlas(chyba + "; try '" + popis.jmeno + " --help'");
    return 2;
  }
  if (volby->napoveda || volby->verze) {
    std::fputs(volby->napoveda ? text_napovedy(popis).c_str() : text_verze(popis.jmeno).c_str(), stdout);
    return 0;
  }
  if (!volby->adresar.empty()) return vstup_do_adresare(volby->adresar);
  return -1;
}
