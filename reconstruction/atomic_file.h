// Writing an output file so that it is either complete or not replaced.
//
// AtomickySoubor creates a temporary file with a unique name beside `cesta`
// ("<cesta>.XXXXXX", so two writers in one directory never share it, and the
// rename stays within one file system), gives the caller a stream to write
// to, and on dokonci flushes it, syncs it to the disk, closes it and renames
// it over `cesta`. Every failure, and every file abandoned before dokonci
// (zrus or the destructor), removes the temporary file and leaves an existing
// `cesta` as it was; selhani() then names the step that failed and errno_()
// its error code. The new file gets the permissions a plain fopen would give
// (0666 less the umask).
//
// zapis_atomicky writes `obsah` in one go; on failure chyba says what went
// wrong, naming the file: "<cesta>: cannot be written (<step>: <reason>)".
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

class AtomickySoubor {
 public:
  enum class Krok { zadny, otevreni, zapis, synchronizace, zavreni, prejmenovani };

  explicit AtomickySoubor(std::string cesta) : cesta_(std::move(cesta)) {}
  ~AtomickySoubor() { zrus(); }
  AtomickySoubor(const AtomickySoubor&) = delete;
  AtomickySoubor& operator=(const AtomickySoubor&) = delete;

  bool otevri();                 // creates the temporary file
  std::FILE* proud() const { return proud_; }  // null unless open
  bool zapis(const void* data, std::size_t velikost);  // fwrite to the stream
  bool dokonci();                // flush, fsync, close, rename
  void zrus();                   // close and remove the temporary file

  Krok selhani() const { return selhani_; }
  int kod_chyby() const { return kod_; }
  // "<cesta>: cannot be written (<step>: <reason>)" for the last failure.
  std::string popis_chyby() const;

 private:
  bool selhal(Krok krok);

  std::string cesta_;
  std::string docasny_;
  std::FILE* proud_ = nullptr;
  Krok selhani_ = Krok::zadny;
  int kod_ = 0;
};

bool zapis_atomicky(const std::string& cesta, const void* data, std::size_t velikost,
                    std::string* chyba);
bool zapis_atomicky(const std::string& cesta, const std::string& obsah, std::string* chyba);
