// Parsing "data.txt" line by line.
#include "pairs/pair_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/messages.h"

namespace {

// The lines of the text without their line ends ("\n" or "\r\n").
std::vector<std::string> radky(const std::string& text) {
  std::vector<std::string> vysledek;
  std::size_t zacatek = 0;
  while (zacatek < text.size()) {
    std::size_t konec = text.find('\n', zacatek);
    if (konec == std::string::npos) konec = text.size();
    std::string radek = text.substr(zacatek, konec - zacatek);
    if (!radek.empty() && radek.back() == '\r') radek.pop_back();
    vysledek.push_back(radek);
    zacatek = konec + 1;
  }
  return vysledek;
}

bool cele_cislo(const std::string& radek, int* hodnota) {
  if (radek.empty()) return false;
  char* konec = nullptr;
  errno = 0;
  const long v = std::strtol(radek.c_str(), &konec, 10);
  if (*konec != '\0' || errno != 0 || v < -1000000000L || v > 1000000000L) return false;
  *hodnota = static_cast<int>(v);
  return true;
}

class Cteni {
 public:
  Cteni(const std::string& text, const std::string& jmeno) : radky_(radky(text)), jmeno_(jmeno) {}

  bool konec() const { return i_ >= radky_.size(); }
  const std::string& dalsi() const { return radky_[i_]; }
  void posun() { ++i_; }

  bool chyba(const std::string& problem, std::string* text) const {
    *text = zprava(jmeno_, "line " + std::to_string(i_ + 1) + ": " + problem);
    return false;
  }

  // The next line as a whole number.
  bool cislo(const char* co, int* hodnota, std::string* text) {
    if (konec()) return chyba(std::string("the file ends where ") + co + " should be", text);
    if (!cele_cislo(dalsi(), hodnota))
      return chyba(std::string("\"") + dalsi() + "\" is not a whole number (" + co + ")", text);
    posun();
    return true;
  }

  bool pixel(int* hodnota, int mez, const char* co, std::string* text) {
    if (!cislo(co, hodnota, text)) return false;
    if (*hodnota < 0 || *hodnota >= mez) {
      --i_;
      return chyba(std::string(co) + " " + std::to_string(*hodnota) + " lies outside the 640 x 480 image", text);
    }
    return true;
  }

 private:
  std::vector<std::string> radky_;
  std::string jmeno_;
  std::size_t i_ = 0;
};

bool precti_par(Cteni& c, ParPixelu* p, std::string* chyba) {
  return c.pixel(&p->x1, sirka_obrazu, "column of camera 1", chyba) &&
         c.pixel(&p->y1, vyska_obrazu, "row of camera 1", chyba) &&
         c.pixel(&p->x2, sirka_obrazu, "column of camera 2", chyba) &&
         c.pixel(&p->y2, vyska_obrazu, "row of camera 2", chyba);
}

}  // namespace

bool precti_pary(const std::string& text, const std::string& jmeno, DataParu* data,
                 std::string* chyba) {
  Cteni c(text, jmeno);
  DataParu nova;
  int cislo = 0;
  for (int i = 0; i < 12; i++)
    if (!c.cislo("a header number", &cislo, chyba)) return false;
  if (c.konec()) return c.chyba("the file ends where \"M\" should be", chyba);
  if (c.dalsi() != "M") return c.chyba("\"M\" expected after the twelve header numbers", chyba);
  c.posun();
  if (!c.cislo("the angle", &nova.uhel, chyba)) return false;
  while (true) {
    if (c.konec()) return c.chyba("the file ends without \"Q\"", chyba);
    if (c.dalsi() == "Q") break;
    if (nova.pary.size() == static_cast<std::size_t>(max_paru))
      return c.chyba("more than " + std::to_string(max_paru) + " pairs", chyba);
    ParPixelu p{};
    if (!precti_par(c, &p, chyba)) return false;
    nova.pary.push_back(p);
  }
  c.posun();
  for (; !c.konec(); c.posun())
    if (!c.dalsi().empty()) return c.chyba("text after \"Q\"", chyba);
  *data = std::move(nova);
  return true;
}

bool nacti_pary(const std::string& cesta, const std::string& jmeno, DataParu* data,
                std::string* chyba) {
  std::ifstream f(cesta, std::ios::binary);
  if (!f) {
    *chyba = zprava(cesta, std::string("cannot be read (") + std::strerror(errno) + ")");
    return false;
  }
  std::ostringstream s;
  s << f.rdbuf();
  return precti_pary(s.str(), jmeno, data, chyba);
}
