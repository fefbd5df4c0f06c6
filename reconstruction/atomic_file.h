// Writing an output file so that it is either complete or not replaced.
//
// zapis_atomicky writes `obsah` to `cesta` only once the whole content is in
// hand: it follows symbolic links at `cesta` to the file they name (the link
// stays, the file it names is replaced), refuses a target that is not a
// regular file (directory, FIFO, socket, device: left as it is), writes the
// content into a new file beside that target, syncs it to the disk and
// renames it over the target. On Linux the new file is made without a name
// (O_TMPFILE) and gets one ("<target>.XXXXXX", unique, so two writers in one
// directory never share it) only after its data are synced, just before the
// rename; where the file system lacks unnamed files it is made under that
// unique name at once. Every failure removes the new file and leaves an
// existing target as it was; on failure chyba says what went wrong, naming
// the file: "<cesta>: cannot be written (<step>: <reason>)", or for a
// refused target "<cesta>: cannot be written (a directory stands there; it
// is left as it is)" or "(not a regular file but a FIFO, socket or device;
// it is left as it is)". The new file
// gets the permissions a plain fopen would give (0666 less the umask).
//
// AtomickySoubor is the same for content written piece by piece: otevri
// gives a stream into memory, dokonci writes it out as zapis_atomicky does;
// nothing exists on disk before dokonci, so a file abandoned before it (zrus,
// the destructor, a killed process) leaves no trace. selhani() names the
// step that failed and kod_chyby() its error code.
//
// chran_vystupy, called once at the start of a program, ignores SIGXFSZ (a
// file size limit then makes the write fail with EFBIG, which the writers
// report and clean up after) and on SIGINT and SIGTERM removes the named
// temporary file of a write in progress before the signal ends the process
// as usual.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

class AtomickySoubor {
 public:
  enum class Krok { zadny, otevreni, zapis, synchronizace, zavreni, prejmenovani, cil };

  explicit AtomickySoubor(std::string cesta) : cesta_(std::move(cesta)) {}
  ~AtomickySoubor() { zrus(); }
  AtomickySoubor(const AtomickySoubor&) = delete;
  AtomickySoubor& operator=(const AtomickySoubor&) = delete;

  bool otevri();                 // starts the content (in memory)
  std::FILE* proud() const { return proud_; }  // null unless open
  bool zapis(const void* data, std::size_t velikost);  // fwrite to the stream
  bool dokonci();                // writes the file: sync, rename
  void zrus();                   // drops the content

  Krok selhani() const { return selhani_; }
  int kod_chyby() const { return kod_; }
  // "<cesta>: cannot be written (<step>: <reason>)" for the last failure.
  std::string popis_chyby() const;

 private:
  bool selhal(Krok krok);

  std::string cesta_;
  std::FILE* proud_ = nullptr;
  char* obsah_ = nullptr;  // the memory stream's buffer
  std::size_t delka_ = 0;
  Krok selhani_ = Krok::zadny;
  int kod_ = 0;
};

bool zapis_atomicky(const std::string& cesta, const void* data, std::size_t velikost,
                    std::string* chyba);
bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba);

void chran_vystupy();
