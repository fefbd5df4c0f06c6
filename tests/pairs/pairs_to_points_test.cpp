// pairs_to_points run for real on pairs made by projecting known points
// through the compiled-in cameras, on pairs with a wrong row convention, on
// bad data.txt files, with its options, and after the real decoder on the
// turntable sample set (with and without --turn), judged by pairs_report.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tools/camera_projection.h"
#include "tools/pairs_report.h"

namespace {

const std::string program = PAIRS_TO_POINTS_PATH;

struct Par {
  int x1, y1, x2, y2;  // rows as data.txt counts them: from the top
};

struct Bod {
  float xyz[3];
  int pix[4];
  float mezera;
};

std::string data_txt(const std::vector<Par>& pary) {
  std::string s = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";
  for (const Par& p : pary)
    for (int v : {p.x1, p.y1, p.x2, p.y2}) s += std::to_string(v) + "\n";
  return s + "Q\n";
}

void zapis(const std::string& cesta, const std::string& text) {
  std::ofstream(cesta, std::ios::binary) << text;
}

// The vertices of a binary pairs.ply: x y z, x1 y1 x2 y2, quality.
std::vector<Bod> precti_ply(const std::string& cesta) {
  const std::string t = precti_soubor(cesta);
  const std::size_t konec = t.find("end_header\n");
  EXPECT_NE(konec, std::string::npos);
  EXPECT_NE(t.find("format binary_little_endian 1.0"), std::string::npos);
  std::vector<Bod> body;
  for (std::size_t i = konec + 11; i + 32 <= t.size(); i += 32) {
    Bod b{};
    std::memcpy(b.xyz, &t[i], 12);
    std::memcpy(b.pix, &t[i + 12], 16);
    std::memcpy(&b.mezera, &t[i + 28], 4);
    body.push_back(b);
  }
  return body;
}

// Points around the turntable centre of the sample scene, both cameras'
// pixels rounded to whole numbers.
struct Scena {
  std::vector<Bod3> pravda;
  std::vector<Par> pary;
};

Scena promitnute_body(bool otocit_radky) {
  const SestavaKamer s = vychozi_sestava();
  Scena sc;
  for (double x = -10; x <= 20; x += 3)
    for (double y = 125; y <= 150; y += 5)
      for (double z = -16; z <= 16; z += 4) {
        const Bod3 b{x, y, z};
        const PoziceVObraze a = promitni(s, 0, b), c = promitni(s, 1, b);
        Par p{static_cast<int>(std::lround(a.sloupec)), static_cast<int>(std::lround(a.radek)),
              static_cast<int>(std::lround(c.sloupec)), static_cast<int>(std::lround(c.radek))};
        if (!a.pred_kamerou || !c.pred_kamerou || p.x1 < 0 || p.x1 > 639 || p.x2 < 0 ||
            p.x2 > 639 || p.y1 < 0 || p.y1 > 479 || p.y2 < 0 || p.y2 > 479)
          continue;
        if (otocit_radky) {
          p.y1 = 479 - p.y1;
          p.y2 = 479 - p.y2;
        }
        sc.pravda.push_back(b);
        sc.pary.push_back(p);
      }
  return sc;
}

double vzdalenost(const float* a, Bod3 b) {
  return delka(Bod3{a[0], a[1], a[2]} - b);
}

std::string souhrn(std::size_t precteno, std::size_t zapsano, std::size_t vynechano) {
  return "pairs read: " + std::to_string(precteno) + ", points written: " +
         std::to_string(zapsano) + ", pairs dropped: " + std::to_string(vynechano) + "\n";
}

TEST(PairsToPoints, KnownPointsComeBack) {
  const Scena sc = promitnute_body(true);
  ASSERT_GT(sc.pary.size(), 500u);
  const std::string dir = novy_adresar("pairs_known");
  zapis(dir + "/data.txt", data_txt(sc.pary));
  const VysledekBehu beh = spust_program(program, dir);
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  EXPECT_EQ(beh.vystup, souhrn(sc.pary.size(), sc.pary.size(), 0));
  const std::vector<Bod> body = precti_ply(dir + "/pairs.ply");
  ASSERT_EQ(body.size(), sc.pary.size());
  const SestavaKamer s = vychozi_sestava();
  double nejvic = 0;
  for (std::size_t i = 0; i < body.size(); i++) {
    const Par& p = sc.pary[i];
    EXPECT_EQ(body[i].pix[0], p.x1);
    EXPECT_EQ(body[i].pix[3], p.y2);
    // The double model of the same rounded pixels (rows from the bottom):
    // the program computes in float, coordinates below 200, so it agrees
    // to a few float steps of the midpoint solve.
    const Bod3 model = trianguluj(s, p.x1, 479 - p.y1, p.x2, 479 - p.y2);
    EXPECT_LT(vzdalenost(body[i].xyz, model), 0.01) << i;
    // Rounding moves each ray by at most half a pixel, so the disparity is
    // off by at most one pixel: 0.135 * 150 / 225 = 0.09 units across at the
    // farthest points, which the 28.5-unit baseline turns into at most
    // 0.09 * 150 / 28.5 = 0.47 units of depth.
    nejvic = std::max(nejvic, vzdalenost(body[i].xyz, sc.pravda[i]));
    EXPECT_LT(body[i].mezera, 0.1f);
  }
  EXPECT_LT(nejvic, 0.5);
  std::printf("largest error %.4f over %zu points\n", nejvic, body.size());
}

TEST(PairsToPoints, RowsCountedFromTheBottomGiveWrongPointsOrDrops) {
  // Rows left as the triangulation counts them: away from the middle row
  // the rays miss each other (dropped) or meet far from the truth.
  const Scena sc = promitnute_body(false);
  const std::string dir = novy_adresar("pairs_flip");
  zapis(dir + "/data.txt", data_txt(sc.pary));
  const VysledekBehu beh = spust_program(program, dir);
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  const std::vector<Bod> body = precti_ply(dir + "/pairs.ply");
  std::size_t i = 0;
  int blizko = 0;
  for (const Bod& b : body) {
    while (sc.pary[i].x1 != b.pix[0] || sc.pary[i].y1 != b.pix[1] || sc.pary[i].x2 != b.pix[2] ||
           sc.pary[i].y2 != b.pix[3])
      ASSERT_LT(++i, sc.pary.size());
    const double od_stredu = std::abs(sc.pary[i].y1 - 239.5);
    if (od_stredu > 20 && vzdalenost(b.xyz, sc.pravda[i]) < 2.0) blizko++;
    i++;
  }
  EXPECT_EQ(blizko, 0);
  std::size_t mimo_stred = 0;
  for (const Par& p : sc.pary) mimo_stred += std::abs(p.y1 - 239.5) > 20;
  EXPECT_GT(mimo_stred, 300u);
  EXPECT_EQ(beh.vystup, souhrn(sc.pary.size(), body.size(), sc.pary.size() - body.size()));
}

TEST(PairsToPoints, MismatchedRowsAreDroppedAndCounted) {
  Scena sc = promitnute_body(true);
  sc.pary.resize(40);
  for (std::size_t i = 0; i < 40; i += 2) sc.pary[i].y2 = (sc.pary[i].y2 + 30) % 480;
  const std::string dir = novy_adresar("pairs_drop");
  zapis(dir + "/data.txt", data_txt(sc.pary));
  const VysledekBehu beh = spust_program(program, dir);
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  EXPECT_EQ(beh.vystup, souhrn(40, 20, 20));
  const std::vector<Bod> body = precti_ply(dir + "/pairs.ply");
  ASSERT_EQ(body.size(), 20u);
  for (std::size_t i = 0; i < 20; i++) EXPECT_EQ(body[i].pix[1], sc.pary[2 * i + 1].y1);
}

TEST(PairsToPoints, BadDataNamesTheLineAndWritesNothing) {
  const std::string dobry = data_txt({{100, 200, 110, 201}});
  std::string mnoho = dobry.substr(0, dobry.size() - 2);
  for (int i = 0; i < 10000; i++) mnoho += "1\n2\n3\n4\n";
  const struct {
    std::string text;
    std::string radek;
  } pripady[] = {
      {dobry.substr(0, dobry.size() - 2), "line 19:"},        // no "Q"
      {dobry.substr(0, 20), "line 6:"},                       // truncated header
      {"302\n391\n", "line 3:"},
      {std::string(dobry).replace(dobry.find("110"), 3, "1x0"), "line 17:"},
      {std::string(dobry).replace(dobry.find("110"), 3, "640"), "line 17:"},
      {std::string(dobry).replace(dobry.find("201"), 3, "480"), "line 18:"},
      {std::string(dobry).replace(dobry.find("M"), 1, "X"), "line 13:"},
      {dobry.substr(0, dobry.size() - 6) + "Q\n", "line 18:"},  // half a pair
      {mnoho + "Q\n", "line 40015:"},
  };
  for (const auto& p : pripady) {
    const std::string dir = novy_adresar("pairs_bad");
    zapis(dir + "/data.txt", p.text);
    const VysledekBehu beh = spust_program(program, dir);
    EXPECT_EQ(beh.kod, 1) << p.radek;
    EXPECT_EQ(beh.chyby.rfind("pairs_to_points: data.txt: " + p.radek, 0), 0u) << beh.chyby;
    EXPECT_EQ(std::count(beh.chyby.begin(), beh.chyby.end(), '\n'), 1) << beh.chyby;
    EXPECT_FALSE(existuje(dir + "/pairs.ply")) << p.radek;
    EXPECT_EQ(jmena_v_adresari(dir), std::vector<std::string>{"data.txt"});
  }
}

// Hostile data files: each is refused with one short, printable line that
// names the line and the problem (or the whole file), without a hang.
TEST(PairsToPoints, HostileDataGetsOneShortPrintableMessage) {
  const std::string dobry = data_txt({{100, 200, 110, 201}});
  std::string utf16 = "\xff\xfe";
  for (char z : dobry) utf16 += std::string{z, '\0'};
  std::string cr = dobry;
  for (char& z : cr)
    if (z == '\n') z = '\r';
  const struct {
    std::string text;  // empty: a special file made below
    std::string zprava;
  } pripady[] = {
      {std::string(dobry).replace(0, 3, std::string("312\0garbage", 11)),
       "data.txt: line 1: \"312\\x00garbage\" holds a NUL byte (a header number)"},
      {std::string(dobry).replace(dobry.find("M\n60"), 4, "M\n1000000000"),
       "data.txt: line 14: the angle 1000000000 lies outside -360 to 360 degrees"},
      {std::string(dobry).replace(dobry.find("M\n60"), 4, "M\n-361"),
       "data.txt: line 14: the angle -361 lies outside -360 to 360 degrees"},
      {std::string(dobry).replace(dobry.find("110"), 3, std::string(100000, '7')),
       "data.txt: line 17: \"" + std::string(40, '7') +
           "\"... (a line of 100000 bytes) is not a whole number (column of camera 2)"},
      {std::string(dobry).replace(dobry.find("110"), 3, "1\x01\xff\"\\"),
       "data.txt: line 17: \"1\\x01\\xff\\x22\\x5c\" is not a whole number (column of camera 2)"},
      {std::string(cr).replace(cr.find("110"), 3, "1x0"),
       "data.txt: line 17: \"1x0\" is not a whole number (column of camera 2)"},
      {utf16, "data.txt: is UTF-16 text; the pair file must be plain ASCII text"},
      {"", "data.txt: is a directory, not a pair file"},
      {"", "data.txt: is not a regular file (a FIFO, socket or device)"},
  };
  int specialni = 0;
  for (const auto& p : pripady) {
    const std::string dir = novy_adresar("pairs_hostile");
    if (!p.text.empty()) zapis(dir + "/data.txt", p.text);
    if (p.text.empty() && specialni++ == 0) {
      ASSERT_EQ(mkdir((dir + "/data.txt").c_str(), 0755), 0);
    } else if (p.text.empty()) {
      ASSERT_EQ(mkfifo((dir + "/data.txt").c_str(), 0644), 0);
    }
    const VysledekBehu beh = spust_program(program, dir, "", 60);
    EXPECT_FALSE(beh.vyprsel);
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby, "pairs_to_points: " + p.zprava + "\n");
    EXPECT_EQ(jmena_v_adresari(dir), std::vector<std::string>{"data.txt"});
  }
  // Lines ended by a lone CR are lines.
  const std::string dir = novy_adresar("pairs_cr");
  zapis(dir + "/data.txt", cr);
  const VysledekBehu beh = spust_program(program, dir);
  EXPECT_EQ(beh.kod, 0) << beh.chyby;
  EXPECT_NE(beh.vystup.find("pairs read: 1,"), std::string::npos) << beh.vystup;
}

// A large file of short lines is read as a stream: its memory stays far
// below the file's size in lines, and the pair limit ends the reading.
TEST(PairsToPoints, ALargeFileIsReadAsAStream) {
  const std::string dir = novy_adresar("pairs_large");
  const std::string dobry = data_txt({});
  {
    std::ofstream f(dir + "/data.txt", std::ios::binary);
    f << dobry.substr(0, dobry.size() - 2);
    std::string cisla;
    for (int i = 0; i < (1 << 19); i++) cisla += "1\n";
    for (int i = 0; i < 50; i++) f << cisla;
  }
  // 256 MiB of data segment: plenty for a stream, too little for the file's
  // 26 million lines as strings. AddressSanitizer cannot map its shadow
  // memory under that limit, so the sanitizer build checks the message only.
#ifdef __SANITIZE_ADDRESS__
  const VysledekBehu beh = spust_program(program, dir);
#else
  const VysledekBehu beh =
      spust_program("/usr/bin/prlimit", dir, "", 120, {}, {"--data=268435456", program});
#endif
  EXPECT_EQ(beh.kod, 1);
  EXPECT_EQ(beh.chyby, "pairs_to_points: data.txt: line 40015: more than 10000 pairs\n");
}

int spust(const std::string& argumenty, const std::string& dir) {
  const int stav = std::system((program + " " + argumenty + " >" + dir + "/out 2>" + dir + "/err").c_str());
  return WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
}

TEST(PairsToPoints, Options) {
  const std::string dir = novy_adresar("pairs_options");
  const std::string data = novy_adresar("pairs_data");
  zapis(data + "/data.txt", data_txt(promitnute_body(true).pary));
  EXPECT_EQ(spust("--help", dir), 0);
  EXPECT_NE(precti_soubor(dir + "/out").find("Usage: pairs_to_points [OPTION]..."), std::string::npos);
  EXPECT_EQ(spust("--bogus", dir), 2);
  EXPECT_EQ(precti_soubor(dir + "/err").rfind("pairs_to_points: --bogus: unknown option", 0), 0u);
  EXPECT_EQ(spust("--dir", dir), 2);
  EXPECT_EQ(spust("--dir " + data, dir), 0);
  EXPECT_TRUE(existuje(data + "/pairs.ply"));
  const std::string ply = precti_soubor(data + "/pairs.ply");
  EXPECT_EQ(spust("--dir=" + data, dir), 0);
  EXPECT_EQ(precti_soubor(data + "/pairs.ply"), ply);
  EXPECT_EQ(spust("--dir " + dir + "/none", dir), 1);
  EXPECT_EQ(spust("--dir " + data + "/data.txt", dir), 1);
  EXPECT_EQ(precti_soubor(dir + "/err"),
            "pairs_to_points: " + data + "/data.txt: cannot be used as the directory: is not a directory\n");
}

// The marker reconstruction's own RMS on the turntable scene: accuracy_report
// on build/sample/scene, "all positions, 253 markers", turned points against
// the ground truth (0.2136; its part from rounding to whole pixels alone is
// 0.150, and the pairs' pixels are whole numbers too).
constexpr double rms_znacek = 0.2136;

// The turntable set's images, marker images and truth in a fresh directory.
std::string kopie_sady() {
  const std::string dir = novy_adresar("pairs_sample");
  const std::string sada = PAIRS_SAMPLE_DIR;
  for (const std::string& jmeno : jmena_v_adresari(sada))
    if (jmeno.size() > 4 && (jmeno.rfind("060", 0) == 0 || jmeno.find("_k") == 3 ||
                             jmeno == "points.txt"))
      zapis(dir + "/" + jmeno, precti_soubor(sada + "/" + jmeno));
  return dir;
}

// pairs_to_points' console and pairs.ply in `dir` against the truth.
void over_body(const std::string& dir, const VysledekBehu& beh, bool spolecny) {
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  DataParu data;
  std::vector<BodParu> body;
  std::vector<BodPravdy> pravda;
  std::string chyba;
  ASSERT_TRUE(nacti_pary(dir + "/data.txt", "data.txt", &data, &chyba)) << chyba;
  ASSERT_TRUE(nacti_ply_paru(dir + "/pairs.ply", &body, &chyba)) << chyba;
  ASSERT_TRUE(nacti_body_pravdy(dir + "/points.txt", &pravda, &chyba)) << chyba;
  const HodnoceniBodu h = ohodnot_body(data.pary, body, pravda, spolecny);
  ASSERT_GT(h.paru, 900);
  // Every decoded pair is a point or counted as dropped.
  EXPECT_EQ(h.navic, 0);
  EXPECT_NE(beh.vystup.find(souhrn(data.pary.size(), body.size(), h.chybi)), std::string::npos)
      << beh.vystup;
  EXPECT_GE(h.do_meze, 0.95 * h.paru);
  EXPECT_LE(h.rms, rms_znacek);
  EXPECT_GE(h.nalezenych, 0.9 * h.krizeni);
  std::printf("%s frame: %d of %d pairs within %.1f, RMS %.4f, largest %.4f, %d of %d crossings\n",
              spolecny ? "common" : "camera", h.do_meze, h.paru, mez_chyby_bodu, h.rms, h.nejvic,
              h.nalezenych, h.krizeni);
}

TEST(PairsToPointsSample, DecodedTurntableSetLiesOnTheTruthInBothFrames) {
  const std::string dir = kopie_sady();
  const VysledekBehu dekoder = spust_program(DECODER_PATH, dir, "", 120, {}, {"--no-window"});
  ASSERT_EQ(dekoder.kod, 0) << dekoder.chyby;
  over_body(dir, spust_program(program, dir), false);
  const std::string v_kamerach = precti_soubor(dir + "/pairs.ply");
  const VysledekBehu otoceno = spust_program(program, dir, "", 120, {}, {"--turn"});
  over_body(dir, otoceno, true);
  EXPECT_EQ(otoceno.vystup.rfind("points turned into the common frame of the marker scan "
                                 "(turntable angle 60)\n", 0), 0u) << otoceno.vystup;
  // The camera frame's file again after a turned run: --turn leaves nothing behind.
  ASSERT_EQ(spust_program(program, dir).kod, 0);
  EXPECT_EQ(precti_soubor(dir + "/pairs.ply"), v_kamerach);

  // Without the marker images (or with one missing) it says why and writes nothing.
  for (const char* chybi : {"000_k1_A.bmp", "080_k2_A.bmp"}) {
    const std::string bez = novy_adresar("pairs_no_markers");
    for (const std::string& jmeno : jmena_v_adresari(dir))
      if (jmeno.find("_k") == 3 && jmeno != chybi)
        zapis(bez + "/" + jmeno, precti_soubor(dir + "/" + jmeno));
    zapis(bez + "/data.txt", precti_soubor(dir + "/data.txt"));
    const VysledekBehu beh = spust_program(program, bez, "", 120, {}, {"--turn"});
    EXPECT_EQ(beh.kod, 1);
    EXPECT_EQ(beh.chyby, std::string("pairs_to_points: --turn: cannot turn the points into the "
                                     "common frame: ") + chybi +
                             ": cannot be opened: No such file or directory\n");
    EXPECT_FALSE(existuje(bez + "/pairs.ply"));
  }
}

}  // namespace
