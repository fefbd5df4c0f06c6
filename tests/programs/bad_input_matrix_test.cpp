// The bad-input matrix: every program run for real on a sample scene in which
// one input file is replaced by a generated bad file. A refused file gives
// exit status 1, one line on standard error naming the file, no time-out and
// no signal, and leaves the output files of an earlier run as they were, with
// no temporary file left behind.
//
// The decoder reads its images through the image library, which decodes more
// bitmap kinds than the reconstruction programs take: 8-bit palette, 16- and
// 32-bit, RLE8-compressed and top-down bitmaps are proper decoder inputs. For
// those the matrix checks the opposite: the decoder reads the variant of the
// sample image and writes the same "data.txt" as from the original (16-bit
// keeps only 5 bits per channel, so there only a complete file is checked).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <opencv2/imgcodecs.hpp>
#include <set>
#include <string>
#include <vector>

#include "reconstruction/marker_scan.h"
#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"

namespace {

using Bajty = std::vector<std::uint8_t>;

// --- Bitmap files of every kind, from one grey 640 x 480 image --------------

void u16(Bajty& b, std::size_t i, std::uint16_t v) {
  b[i] = v & 0xff;
  b[i + 1] = v >> 8;
}
void u32(Bajty& b, std::size_t i, std::uint32_t v) {
  for (int k = 0; k < 4; k++) b[i + k] = (v >> (8 * k)) & 0xff;
}

// Header and palette of a bitmap with the given fields; `data` follows at the
// offset the header gives (posun, or right after header and palette).
Bajty bitmapa(std::int32_t sirka, std::int32_t vyska, std::uint16_t bitu, std::uint32_t komprese,
              const Bajty& data, bool paleta = false, std::int64_t posun = -1) {
  Bajty b(54, 0);
  if (paleta)
    for (int i = 0; i < 256; i++) b.insert(b.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
  b[0] = 'B';
  b[1] = 'M';
  u32(b, 2, static_cast<std::uint32_t>(b.size() + data.size()));
  u32(b, 10, static_cast<std::uint32_t>(posun >= 0 ? posun : static_cast<std::int64_t>(b.size())));
  u32(b, 14, 40);
  u32(b, 18, static_cast<std::uint32_t>(sirka));
  u32(b, 22, static_cast<std::uint32_t>(vyska));
  u16(b, 26, 1);
  u16(b, 28, bitu);
  u32(b, 30, komprese);
  u32(b, 34, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// The rows of a grey image, bottom-up unless shora_dolu, `bajtu` bytes per
// pixel (1: the grey value, 2: 5-5-5, 3 or 4: blue, green, red, [0]).
Bajty radky(const cv::Mat& sede, int bajtu, bool shora_dolu = false) {
  Bajty d;
  for (int i = 0; i < 480; i++) {
    const unsigned char* r = sede.ptr<unsigned char>(shora_dolu ? i : 479 - i);
    for (int c = 0; c < 640; c++) {
      const std::uint8_t v = r[c];
      if (bajtu == 1) d.push_back(v);
      if (bajtu == 2) {
        const std::uint16_t p = static_cast<std::uint16_t>((v >> 3) * 0x421);
        d.insert(d.end(), {std::uint8_t(p & 0xff), std::uint8_t(p >> 8)});
      }
      if (bajtu >= 3) d.insert(d.end(), {v, v, v});
      if (bajtu == 4) d.push_back(0);
    }
  }
  return d;
}

// RLE8: every row as runs of equal values (at most 255 each), end of line,
// end of bitmap.
Bajty rle8(const cv::Mat& sede) {
  Bajty d;
  for (int i = 479; i >= 0; i--) {
    const unsigned char* r = sede.ptr<unsigned char>(i);
    for (int c = 0; c < 640;) {
      int n = 1;
      while (c + n < 640 && n < 255 && r[c + n] == r[c]) n++;
      d.insert(d.end(), {std::uint8_t(n), r[c]});
      c += n;
    }
    d.insert(d.end(), {0, 0});
  }
  d.insert(d.end(), {0, 1});
  return d;
}

enum class Druh { soubor, adresar, bez_prava_cteni };

struct Pripad {
  std::string jmeno;
  Druh druh = Druh::soubor;
  Bajty obsah;
  bool dekoder_cte = false;       // a proper decoder input
  bool dekoder_presne = false;    // ...which must decode exactly like the original
};

std::vector<Pripad> pripady(const cv::Mat& sede) {
  const Bajty bgr = radky(sede, 3);
  const Bajty dobry = bitmapa(640, 480, 24, 0, bgr);
  std::vector<Pripad> p;
  p.push_back({"empty", Druh::soubor, {}});
  p.push_back({"truncated header", Druh::soubor, Bajty(dobry.begin(), dobry.begin() + 30)});
  p.push_back({"truncated pixels", Druh::soubor,
               Bajty(dobry.begin(), dobry.begin() + 54 + bgr.size() / 2)});
  p.push_back({"8-bit", Druh::soubor, bitmapa(640, 480, 8, 0, radky(sede, 1), true), true, true});
  p.push_back({"16-bit", Druh::soubor, bitmapa(640, 480, 16, 0, radky(sede, 2)), true, false});
  p.push_back({"32-bit", Druh::soubor, bitmapa(640, 480, 32, 0, radky(sede, 4)), true, true});
  p.push_back({"12-bit (no such depth)", Druh::soubor, bitmapa(640, 480, 12, 0, bgr)});
  p.push_back({"RLE8-compressed", Druh::soubor, bitmapa(640, 480, 8, 1, rle8(sede), true), true,
               true});
  p.push_back({"JPEG-compressed (not JPEG data)", Druh::soubor, bitmapa(640, 480, 24, 4, bgr)});
  p.push_back({"huge width and height", Druh::soubor, bitmapa(100000, 100000, 24, 0, Bajty(4096, 7))});
  p.push_back({"large width and height, little data", Druh::soubor,
               bitmapa(30000, 30000, 24, 0, Bajty(4096, 7))});
  p.push_back({"negative height (top-down)", Druh::soubor,
               bitmapa(640, -480, 24, 0, radky(sede, 3, true)), true, true});
  p.push_back({"zero size", Druh::soubor, bitmapa(0, 0, 24, 0, {})});
  p.push_back({"pixel offset past the end", Druh::soubor,
               bitmapa(640, 480, 24, 0, bgr, false, 54 + static_cast<std::int64_t>(bgr.size()) + 100)});
  p.push_back({"a directory", Druh::adresar, {}});
  p.push_back({"no read permission", Druh::bez_prava_cteni, dobry});
  return p;
}

// --- The programs and their scenes ----------------------------------------

struct Program {
  const char* cesta;
  const char* nazev;
  const char* vadny_soubor;  // the input replaced by the bad file
  std::vector<std::string> vystupy;
};

const std::string predchozi = "an earlier run's output\n";

std::set<std::string> obsah_adresare(const std::string& adresar) {
  std::set<std::string> jmena;
  DIR* d = opendir(adresar.c_str());
  if (d == nullptr) return jmena;
  while (dirent* e = readdir(d))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
      jmena.insert(e->d_name);
  closedir(d);
  return jmena;
}

// The sample inputs as links in a new directory that the unprivileged user
// may enter and write to, the earlier outputs, and the bad file.
std::string priprav(const std::string& vzorek, const std::vector<std::string>& soubory,
                    const Program& program, const Pripad& pripad) {
  const std::string adresar = novy_adresar("matrix");
  EXPECT_EQ(chmod(adresar.c_str(), 0777), 0);
  for (const std::string& s : soubory)
    if (s != program.vadny_soubor) {
      EXPECT_EQ(symlink((vzorek + "/" + s).c_str(), (adresar + "/" + s).c_str()), 0) << s;
    }
  for (const std::string& v : program.vystupy)
    EXPECT_TRUE(zapis_soubor(adresar + "/" + v, Bajty(predchozi.begin(), predchozi.end())));
  if (*program.vadny_soubor == '\0') return adresar;
  const std::string vadny = adresar + "/" + program.vadny_soubor;
  if (pripad.druh == Druh::adresar) {
    EXPECT_EQ(mkdir(vadny.c_str(), 0755), 0);
  } else {
    EXPECT_TRUE(zapis_soubor(vadny, pripad.obsah));
    if (pripad.druh == Druh::bez_prava_cteni) {
      EXPECT_EQ(chmod(vadny.c_str(), 0), 0);
    }
  }
  return adresar;
}

VysledekBehu spust(const Program& program, const std::string& adresar, const Pripad& pripad) {
  // The decoder finds no display and ends after writing "data.txt"; the
  // viewers end before their window in every refused case.
  const std::vector<std::string> prostredi = {"DISPLAY=", "SDL_VIDEODRIVER",
                                              "XDG_RUNTIME_DIR=" + adresar};
  if (pripad.druh == Druh::bez_prava_cteni)
    return spust_program_bez_prav(program.cesta, adresar, prostredi);
  return spust_program(program.cesta, adresar, "\n", 300, prostredi);
}

void ocekavej_odmitnuti(const Program& program, const Pripad& pripad, const std::string& adresar,
                        const std::set<std::string>& pred, const VysledekBehu& beh) {
  SCOPED_TRACE(std::string(program.nazev) + ", " + pripad.jmeno);
  EXPECT_FALSE(beh.vyprsel);
  EXPECT_EQ(beh.kod, 1) << beh.chyby;
  EXPECT_NE(beh.chyby.find(program.vadny_soubor), std::string::npos) << beh.chyby;
  ASSERT_FALSE(beh.chyby.empty());
  EXPECT_EQ(beh.chyby.find('\n'), beh.chyby.size() - 1) << beh.chyby;
  if (pripad.druh == Druh::bez_prava_cteni) {
    EXPECT_NE(beh.chyby.find("Permission denied"), std::string::npos) << beh.chyby;
  }
  for (const std::string& v : program.vystupy)
    EXPECT_EQ(precti_soubor(adresar + "/" + v), predchozi) << v;
  // Nothing new but the log: no temporary output left behind.
  std::set<std::string> po = obsah_adresare(adresar);
  po.erase("logfile.txt");
  EXPECT_EQ(po, pred);
}

const std::vector<std::string> snimky_sceny = [] {
  std::vector<std::string> s;
  for (const SnimekZnacek& z : snimky_znacek) s.push_back(z.soubor);
  s.push_back("kalib1.bmp");
  s.push_back("kalib2.bmp");
  return s;
}();

std::vector<std::string> snimky_dekoderu() {
  std::vector<std::string> s;
  for (char kamera : {'1', '2'})
    for (const char* v : {"03", "04", "11", "12", "81", "71", "61", "51", "41", "31", "21", "82",
                          "72", "62", "52", "42", "32", "22", "91"})
      s.push_back(std::string("060") + v + kamera + ".bmp");
  return s;
}

TEST(BadInputMatrix, ReconstructionProgramsRefuseEveryBadFile) {
  const Program programy[] = {
      {VIEWER_POLAR_PATH, "viewer_polar", "000_k1_A.bmp", {"model.ply", "points.ply"}},
      {VIEWER_PROJECTION_PATH, "viewer_projection", "240_k2_A.bmp", {"model.ply", "points.ply"}},
      {VIEWER_CALIBRATION_PATH, "viewer_calibration", "kalib2.bmp", {"cameras.ply", "points.ply"}},
  };
  const cv::Mat sede = cv::imread(std::string(SAMPLE_SCENE_DIR) + "/kalib2.bmp", cv::IMREAD_GRAYSCALE);
  ASSERT_FALSE(sede.empty());
  int odmitnuto = 0;
  for (const Program& program : programy) {
    for (const Pripad& pripad : pripady(sede)) {
      const std::string adresar = priprav(SAMPLE_SCENE_DIR, snimky_sceny, program, pripad);
      const std::set<std::string> pred = obsah_adresare(adresar);
      const VysledekBehu beh = spust(program, adresar, pripad);
      ocekavej_odmitnuti(program, pripad, adresar, pred, beh);
      if (!HasFailure()) odmitnuto++;
    }
  }
  EXPECT_EQ(odmitnuto, 3 * 16);
}

TEST(BadInputMatrix, DecoderRefusesBadFilesAndReadsEveryProperBitmapKind) {
  const Program decoder{DECODER_PATH, "decoder", "060121.bmp", {"data.txt"}};
  const std::string vzorek = DECODER_SAMPLE_DIR;
  const std::vector<std::string> soubory = snimky_dekoderu();

  // The data file of the untouched sample set.
  Pripad original{"original", Druh::soubor, {}};
  const std::string adresar0 = priprav(vzorek, soubory, {decoder.cesta, "decoder", "", {}}, original);
  const VysledekBehu beh0 = spust(decoder, adresar0, original);
  ASSERT_EQ(beh0.kod, 0) << beh0.chyby;
  const std::string data0 = precti_soubor(adresar0 + "/data.txt");
  ASSERT_GT(data0.size(), 100u);

  const cv::Mat sede = cv::imread(vzorek + "/" + decoder.vadny_soubor, cv::IMREAD_GRAYSCALE);
  ASSERT_EQ(sede.cols, 640);
  ASSERT_EQ(sede.rows, 480);
  int zvladnuto = 0;
  const std::vector<Pripad> vsechny = pripady(sede);
  for (const Pripad& pripad : vsechny) {
    const std::string adresar = priprav(vzorek, soubory, decoder, pripad);
    const std::set<std::string> pred = obsah_adresare(adresar);
    const VysledekBehu beh = spust(decoder, adresar, pripad);
    if (!pripad.dekoder_cte) {
      ocekavej_odmitnuti(decoder, pripad, adresar, pred, beh);
    } else {
      SCOPED_TRACE(pripad.jmeno);
      EXPECT_FALSE(beh.vyprsel);
      EXPECT_EQ(beh.kod, 0) << beh.chyby;
      const std::string data = precti_soubor(adresar + "/data.txt");
      if (pripad.dekoder_presne) {
        EXPECT_EQ(data, data0);
      }
      EXPECT_GE(data.size(), 4u);
      EXPECT_EQ(data.substr(data.size() - 2), "Q\n");
      EXPECT_EQ(obsah_adresare(adresar), pred);
    }
    if (!HasFailure()) zvladnuto++;
  }
  EXPECT_EQ(zvladnuto, static_cast<int>(vsechny.size()));
}

// --- Special files at the paths of "rig.yml", "data.txt" and the outputs --

enum class Zvlastni { adresar, fifo, odkaz_na_nuly, odkaz_nikam, spatny_rig };

// Puts the special file at `cesta`.
void vytvor(Zvlastni druh, const std::string& cesta) {
  switch (druh) {
    case Zvlastni::adresar: EXPECT_EQ(mkdir(cesta.c_str(), 0755), 0); break;
    case Zvlastni::fifo: EXPECT_EQ(mkfifo(cesta.c_str(), 0644), 0); break;
    case Zvlastni::odkaz_na_nuly: EXPECT_EQ(symlink("/dev/zero", cesta.c_str()), 0); break;
    case Zvlastni::odkaz_nikam: EXPECT_EQ(symlink("chybi.yml", cesta.c_str()), 0); break;
    case Zvlastni::spatny_rig: {
      const std::string t = "version: 3\n";
      EXPECT_TRUE(zapis_soubor(cesta, Bajty(t.begin(), t.end())));
      break;
    }
  }
}

const std::string data_txt = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n100\n200\n110\n201\nQ\n";

TEST(BadInputMatrix, SpecialFilesAtInputAndOutputPathsAreRefusedAndLeftAsTheyAre) {
  const std::string fifo_vystup =
      "cannot be written (not a regular file but a FIFO, socket or device; it is left as it is)";
  const struct {
    const char* program;
    const char* soubor;  // the special file
    Zvlastni druh;
    std::string zprava;  // the one line on standard error, after "program: "
  } pripady[] = {
      {VIEWER_POLAR_PATH, "rig.yml", Zvlastni::adresar, "rig.yml: is a directory, not a camera set-up file"},
      {VIEWER_POLAR_PATH, "rig.yml", Zvlastni::fifo, "rig.yml: is not a regular file (a FIFO, socket or device)"},
      {VIEWER_PROJECTION_PATH, "rig.yml", Zvlastni::odkaz_na_nuly, "rig.yml: is not a regular file (a FIFO, socket or device)"},
      {VIEWER_CALIBRATION_PATH, "rig.yml", Zvlastni::odkaz_nikam, "rig.yml: is a symbolic link to a file that does not exist"},
      {VIEWER_POLAR_PATH, "rig.yml", Zvlastni::spatny_rig, "rig.yml: version: unknown version 3, this program reads versions 1 and 2"},
      {PAIRS_TO_POINTS_PATH, "rig.yml", Zvlastni::fifo, "rig.yml: is not a regular file (a FIFO, socket or device)"},
      {PAIRS_TO_POINTS_PATH, "data.txt", Zvlastni::fifo, "data.txt: is not a regular file (a FIFO, socket or device)"},
      {PAIRS_TO_POINTS_PATH, "pairs.ply", Zvlastni::fifo, "pairs.ply: " + fifo_vystup},
      {VIEWER_POLAR_PATH, "points.ply", Zvlastni::fifo, "points.ply: " + fifo_vystup},
      {DECODER_PATH, "data.txt", Zvlastni::fifo,
       "data.txt: cannot replace the output file: it is not a regular file but a FIFO, socket or device; "
       "it is left as it is"},
  };
  for (const auto& p : pripady) {
    const std::string program = p.program;
    const std::string nazev = program.substr(program.rfind('/') + 1);
    SCOPED_TRACE(nazev + ", " + p.soubor);
    const bool dekoder = program == DECODER_PATH;
    const bool pary = program == PAIRS_TO_POINTS_PATH;
    const Program prog{p.program, "", "", {}};
    const std::string adresar = dekoder ? priprav(DECODER_SAMPLE_DIR, snimky_dekoderu(), prog, {})
                                        : priprav(SAMPLE_SCENE_DIR, snimky_sceny, prog, {});
    if (pary && std::string(p.soubor) != "data.txt") {
      EXPECT_TRUE(zapis_soubor(adresar + "/data.txt", Bajty(data_txt.begin(), data_txt.end())));
    }
    const std::string log = "an earlier log\n";
    EXPECT_TRUE(zapis_soubor(adresar + "/logfile.txt", Bajty(log.begin(), log.end())));
    vytvor(p.druh, adresar + "/" + p.soubor);
    struct stat pred {};
    EXPECT_EQ(lstat((adresar + "/" + p.soubor).c_str(), &pred), 0);
    const std::vector<std::string> jmena = jmena_v_adresari(adresar);
    const VysledekBehu beh = spust_program(program, adresar, "", 120,
                                           {"DISPLAY=", "SDL_VIDEODRIVER", "XDG_RUNTIME_DIR=" + adresar},
                                           {"--no-window"});
    EXPECT_FALSE(beh.vyprsel);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby, nazev + ": " + p.zprava + "\n");
    struct stat po {};
    EXPECT_EQ(lstat((adresar + "/" + p.soubor).c_str(), &po), 0);
    EXPECT_EQ(po.st_mode, pred.st_mode);
    // No temporary file left; the outputs that could be written are.
    for (const std::string& j : jmena_v_adresari(adresar)) {
      EXPECT_EQ(j.find(".ply."), std::string::npos) << j;
      EXPECT_EQ(j.find(".txt."), std::string::npos) << j;
    }
    // A run that ends with an error says so in its log too.
    if (!pary && !dekoder && std::string(p.soubor) == "rig.yml") {
      EXPECT_EQ(precti_soubor(adresar + "/logfile.txt"), "spusteno\nerror: " + p.zprava + "\n");
    }
  }
}

// A symbolic link at an output path: the file it names is written, the link
// stays. A file size limit makes the write fail with a message, not a signal.
TEST(BadInputMatrix, OutputsFollowSymbolicLinksAndReportAFileSizeLimit) {
  const std::string adresar = novy_adresar("links");
  EXPECT_TRUE(zapis_soubor(adresar + "/data.txt", Bajty(data_txt.begin(), data_txt.end())));
  ASSERT_EQ(mkdir((adresar + "/jinde").c_str(), 0755), 0);
  ASSERT_EQ(symlink("jinde/vysledek.ply", (adresar + "/pairs.ply").c_str()), 0);
  VysledekBehu beh = spust_program(PAIRS_TO_POINTS_PATH, adresar);
  EXPECT_EQ(beh.kod, 0) << beh.chyby;
  struct stat info {};
  ASSERT_EQ(lstat((adresar + "/pairs.ply").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_NE(precti_soubor(adresar + "/jinde/vysledek.ply").find("end_header"), std::string::npos);
  EXPECT_EQ(jmena_v_adresari(adresar + "/jinde"), std::vector<std::string>{"vysledek.ply"});

  const std::string stary = precti_soubor(adresar + "/jinde/vysledek.ply");
  beh = spust_program("/usr/bin/prlimit", adresar, "", 120, {}, {"--fsize=100", PAIRS_TO_POINTS_PATH});
  EXPECT_EQ(beh.kod, 1);
  EXPECT_EQ(beh.chyby, "pairs_to_points: pairs.ply: cannot be written (write: File too large)\n");
  EXPECT_EQ(precti_soubor(adresar + "/jinde/vysledek.ply"), stary);
  EXPECT_EQ(jmena_v_adresari(adresar + "/jinde"), std::vector<std::string>{"vysledek.ply"});
}

}  // namespace
