// Parsing "data.txt" line by line.
#include "pairs/pair_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <memory>

#include "common/input_file.h"
#include "common/messages.h"

namespace {

// Bytes one at a time, from a text in memory or from an open file.
class Zdroj {
 public:
  explicit Zdroj(const std::string& text) : text_(&text) {}
  explicit Zdroj(std::FILE* soubor) : soubor_(soubor) {}
  int znak() {
    if (soubor_ != nullptr) return getc_unlocked(soubor_);
    return i_ < text_->size() ? static_cast<unsigned char>((*text_)[i_++]) : EOF;
  }
  int nahled() {
    if (soubor_ == nullptr) return i_ < text_->size() ? static_cast<unsigned char>((*text_)[i_]) : EOF;
    const int z = getc_unlocked(soubor_);
    if (z != EOF) ungetc(z, soubor_);
    return z;
  }

 private:
  const std::string* text_ = nullptr;
  std::size_t i_ = 0;
  std::FILE* soubor_ = nullptr;
};

// No line of a proper file comes near this; longer lines keep only their
// start, enough to quote them.
constexpr std::size_t drzena_delka = 64;
// A quoted line is cut once its quote (escapes included) is this long.
constexpr std::size_t citovana_delka = 40;

bool cele_cislo(const std::string& radek, int* hodnota) {
  if (radek.empty() || radek.size() > 16) return false;
  char* konec = nullptr;
  errno = 0;
  const long v = std::strtol(radek.c_str(), &konec, 10);
  if (*konec != '\0' || errno != 0 || v < -1000000000L || v > 1000000000L) return false;
  *hodnota = static_cast<int>(v);
  return true;
}

// The lines of the file one by one, without their line ends ("\n", "\r\n"
// or a lone "\r"); only the start of a long line is kept.
class Cteni {
 public:
  Cteni(Zdroj& zdroj, const std::string& jmeno) : zdroj_(zdroj), jmeno_(jmeno) { nacti(); }

  bool konec() const { return konec_; }
  const std::string& dalsi() const { return radek_; }
  // The line is exactly `text`.
  bool je(const char* text) const { return !dlouhy() && !nul_ && radek_ == text; }
  void posun() { nacti(); }

  bool chyba(const std::string& problem, std::string* text) const {
    *text = zprava(jmeno_, "line " + std::to_string(cislo_) + ": " + problem);
    return false;
  }

  // The line as a message quotes it: about 40 characters, what is not
  // printable ASCII escaped as \xNN.
  std::string citace() const {
    static const char hex[] = "0123456789abcdef";
    std::string c = "\"";
    std::size_t i = 0;
    for (; i < radek_.size() && c.size() <= citovana_delka; i++) {
      const unsigned char z = static_cast<unsigned char>(radek_[i]);
      if (z >= 0x20 && z < 0x7f && z != '"' && z != '\\') {
        c += static_cast<char>(z);
      } else {
        c += "\\x";
        c += hex[z >> 4];
        c += hex[z & 15];
      }
    }
    c += "\"";
    if (i < delka_) c += "... (a line of " + std::to_string(delka_) + " bytes)";
    return c;
  }

  // The next line as a whole number.
  bool cislo(const char* co, int* hodnota, std::string* text) {
    if (konec()) return chyba(std::string("the file ends where ") + co + " should be", text);
    if (nul_) return chyba(citace() + " holds a NUL byte (" + co + ")", text);
    if (dlouhy() || !cele_cislo(dalsi(), hodnota))
      return chyba(citace() + " is not a whole number (" + co + ")", text);
    return true;
  }

  bool pixel(int* hodnota, int mez, const char* co, std::string* text) {
    if (!cislo(co, hodnota, text)) return false;
    if (*hodnota < 0 || *hodnota >= mez)
      return chyba(std::string(co) + " " + std::to_string(*hodnota) + " lies outside the 640 x 480 image", text);
    posun();
    return true;
  }

 private:
  bool dlouhy() const { return delka_ > drzena_delka; }

  void nacti() {
    radek_.clear();
    delka_ = 0;
    nul_ = false;
    // At the end, the number is that of the line that is missing.
    cislo_++;
    int z = zdroj_.znak();
    if (z == EOF) {
      konec_ = true;
      return;
    }
    for (; z != EOF && z != '\n' && z != '\r'; z = zdroj_.znak()) {
      if (z == '\0') nul_ = true;
      if (delka_++ < drzena_delka) radek_ += static_cast<char>(z);
    }
    if (z == '\r' && zdroj_.nahled() == '\n') zdroj_.znak();
  }

  Zdroj& zdroj_;
  std::string jmeno_;
  std::string radek_;
  std::size_t delka_ = 0;
  bool nul_ = false;
  bool konec_ = false;
  std::size_t cislo_ = 0;
};

// The first bytes of UTF-16 text: a byte order mark, or an ASCII digit
// beside a zero byte.
bool je_utf16(int a, int b) {
  return (a == 0xff && b == 0xfe) || (a == 0xfe && b == 0xff) || (a != 0 && b == 0) || (a == 0 && b != 0);
}

bool precti_par(Cteni& c, ParPixelu* p, std::string* chyba) {
  return c.pixel(&p->x1, sirka_obrazu, "column of camera 1", chyba) &&
         c.pixel(&p->y1, vyska_obrazu, "row of camera 1", chyba) &&
         c.pixel(&p->x2, sirka_obrazu, "column of camera 2", chyba) &&
         c.pixel(&p->y2, vyska_obrazu, "row of camera 2", chyba);
}

bool precti_zdroj(Zdroj& zdroj, const std::string& jmeno, DataParu* data, std::string* chyba) {
  Cteni c(zdroj, jmeno);
  DataParu nova;
  int cislo = 0;
  for (int i = 0; i < 12; i++) {
    if (!c.cislo("a header number", &cislo, chyba)) return false;
    c.posun();
  }
  if (c.konec()) return c.chyba("the file ends where \"M\" should be", chyba);
  if (!c.je("M")) return c.chyba("\"M\" expected after the twelve header numbers", chyba);
  c.posun();
  if (!c.cislo("the angle", &nova.uhel, chyba)) return false;
  if (nova.uhel < -360 || nova.uhel > 360)
    return c.chyba("the angle " + std::to_string(nova.uhel) + " lies outside -360 to 360 degrees", chyba);
  c.posun();
  while (true) {
    if (c.konec()) return c.chyba("the file ends without \"Q\"", chyba);
    if (c.je("Q")) break;
    if (nova.pary.size() == static_cast<std::size_t>(max_paru))
      return c.chyba("more than " + std::to_string(max_paru) + " pairs", chyba);
    ParPixelu p{};
    if (!precti_par(c, &p, chyba)) return false;
    nova.pary.push_back(p);
  }
  c.posun();
  for (; !c.konec(); c.posun())
    if (!c.je("")) return c.chyba("text after \"Q\"", chyba);
  *data = std::move(nova);
  return true;
}

bool odmitni_utf16(int a, int b, const std::string& jmeno, std::string* chyba) {
  if (!je_utf16(a, b)) return true;
  *chyba = zprava(jmeno, "is UTF-16 text; the pair file must be plain ASCII text");
  return false;
}

}  // namespace

bool precti_pary(const std::string& text, const std::string& jmeno, DataParu* data,
                 std::string* chyba) {
  if (text.size() >= 2 && !odmitni_utf16(static_cast<unsigned char>(text[0]),
                                         static_cast<unsigned char>(text[1]), jmeno, chyba))
    return false;
  Zdroj zdroj(text);
  return precti_zdroj(zdroj, jmeno, data, chyba);
}

bool nacti_pary(const std::string& cesta, const std::string& jmeno, DataParu* data,
                std::string* chyba) {
  std::string problem;
  std::FILE* f = otevri_vstup(cesta, "a pair file", &problem);
  if (f == nullptr) {
    // The message names the file as the caller does.
    *chyba = jmeno + problem.substr(cesta.size());
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> zavrit(f, std::fclose);
  const int a = getc_unlocked(f);
  const int b = a == EOF ? EOF : getc_unlocked(f);
  if (b != EOF && !odmitni_utf16(a, b, jmeno, chyba)) return false;
  std::rewind(f);
  Zdroj zdroj(f);
  const bool precteno = precti_zdroj(zdroj, jmeno, data, chyba);
  if (std::ferror(f) != 0) {
    *chyba = zprava(jmeno, std::string("cannot be read (") + std::strerror(errno) + ")");
    return false;
  }
  return precteno;
}
