// The command-line options of the five programs, parsed GNU style.
//
// Every program takes --help, --version, --dir DIR and --no-window; the
// viewers also take --windowed and --screenshot FILE, pairs_to_points --turn,
// and both --upright (pairs_to_points only with --turn); the decoder takes
// --angle A (a whole number from 0 to 359) and --output FILE; dense_scan
// --jobs N (1 to 256), --no-surface and --screenshot FILE. A value follows its
// option as the next argument or after "=" (--dir=DIR); "--" ends the
// options. No program takes operands, so any argument that is not an option
// (also one after "--") is bad usage, as is an unknown option, a missing or
// empty value, a value given to an option that takes none, and --screenshot
// together with --no-window, and (dense_scan) --screenshot together with
// --no-surface. With no arguments the result is the default
// Volby and the program runs exactly as without this parser.
#pragma once

#include <string>

struct Volby {
  bool napoveda = false;  // --help
  bool verze = false;     // --version
  bool bez_okna = false;  // --no-window: batch mode
  bool v_okne = false;    // --windowed (viewers)
  std::string adresar;    // --dir; empty: the working directory
  std::string snimek;     // --screenshot (viewers); empty: none
  bool otocit = false;    // --turn (pairs_to_points)
  bool vzpriment = false; // --upright (viewers, pairs_to_points): files in the turntable frame
  int uhel = -1;          // --angle (decoder); -1: not given
  std::string vystup;     // --output (decoder); empty: not given
  int uloh = 0;           // --jobs (dense_scan); 0: not given
  bool bez_plochy = false; // --no-surface (dense_scan)
};

// What --help says about one program.
struct PopisProgramu {
  const char* jmeno;     // the program's name
  const char* ucel;      // what it does, one or more lines
  const char* cte;       // the files it reads, one or more lines
  const char* zapisuje;  // the files it writes, one or more lines
  bool prohlizec;        // also takes --windowed and --screenshot
  bool otaceni = false;  // also takes --turn
  bool dekoder = false;  // also takes --angle and --output
  bool husty = false;    // dense_scan: --jobs, --no-surface, --screenshot
};

// Fills *volby from argv[1..argc-1]. Bad usage returns false with
// "subject: problem" in *chyba, the subject being the argument at fault.
// `otaceni`: the program also takes --turn; `dekoder`: --angle and --output.
bool rozeber_volby(int argc, const char* const* argv, bool prohlizec, Volby* volby,
                   std::string* chyba, bool otaceni = false, bool dekoder = false,
                   bool husty = false);

// The text --help prints: usage, options, files, exit statuses.
std::string text_napovedy(const PopisProgramu& popis);

// The line --version prints: "program version".
std::string text_verze(const char* jmeno);

// What every main does first: parses the options, prints --help or
// --version on standard output, reports bad usage (with a hint to use
// --help) or a --dir that cannot be entered in one message, and enters the
// --dir directory. Reads and writes no file. Returns -1 when the program is
// to run with *volby, otherwise the exit status to end with: 0 after --help
// or --version, 2 on bad usage, 1 when DIR cannot be used.
int zpracuj_volby(int argc, const char* const* argv, const PopisProgramu& popis, Volby* volby);
