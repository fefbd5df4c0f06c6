// The decoder program on the rendered sample set: its console counts and
// pairs against the generator's ground truth, bad input, running without a
// display, and the two windows under a virtual X server.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/support/xvfb_session.h"
#include "tools/decoder_report.h"

namespace {

const std::string vzorek = DECODER_SAMPLE_DIR;

std::vector<std::string> jmena_snimku() {
  std::vector<std::string> jmena;
  const char* vzory[] = {"03", "04", "11", "12", "81", "71", "61", "51", "41", "31",
                         "21", "82", "72", "62", "52", "42", "32", "22", "91"};
  for (const char* v : vzory)
    for (char kamera : {'1', '2'}) jmena.push_back(std::string("060") + v + kamera + ".bmp");
  return jmena;
}

// A working directory with links to the 38 sample images.
std::string pracovni_adresar() {
  const std::string adresar = novy_adresar("decoder-run");
  for (const std::string& j : jmena_snimku())
    if (symlink((vzorek + "/" + j).c_str(), (adresar + "/" + j).c_str()) != 0) return "";
  return adresar;
}

void zapis(const std::string& cesta, const std::string& obsah) {
  std::remove(cesta.c_str());
  std::FILE* f = std::fopen(cesta.c_str(), "wb");
  std::fwrite(obsah.data(), 1, obsah.size(), f);
  std::fclose(f);
}

VysledekBehu spust_bez_displeje(const std::string& adresar) {
  return spust_program(DECODER_PATH, adresar, "", 120, {"DISPLAY="});
}

struct Pocty {
  int nejednoznacne, konflikty, dobre;
};

// The three count lines of both cameras and the pair count from the console.
bool precti_vystup(const std::string& vystup, Pocty pocty[2], int* paru) {
  std::istringstream s(vystup);
  std::string radek;
  for (int i = 0; i < 2; ++i) {
    if (!std::getline(s, radek) || radek != "KAMERA " + std::to_string(i + 1)) return false;
    int* cile[3] = {&pocty[i].nejednoznacne, &pocty[i].konflikty, &pocty[i].dobre};
    const char* formaty[3] = {"vyrazeno pro nejednoznacny kod: %d", "vyrazeno pro konflikt kodu: %d",
                              "dobre body z celeho mereni: %d"};
    for (int j = 0; j < 3; ++j)
      if (!std::getline(s, radek) || std::sscanf(radek.c_str(), formaty[j], cile[j]) != 1)
        return false;
    if (!std::getline(s, radek) || radek != "---") return false;
  }
  return std::getline(s, radek) && std::sscanf(radek.c_str(), "KORESPONDUJE %d BODU", paru) == 1 &&
         !std::getline(s, radek);
}

TEST(SampleSet, CountsAndPairsAgreeWithTheGroundTruth) {
  const std::string adresar = pracovni_adresar();
  ASSERT_FALSE(adresar.empty());
  const VysledekBehu b = spust_bez_displeje(adresar);
  ASSERT_EQ(b.kod, 0) << b.chyby;
  Pocty pocty[2];
  int paru = 0;
  ASSERT_TRUE(precti_vystup(b.vystup, pocty, &paru)) << b.vystup;

  Pravda pravda;
  std::vector<ParBodu> pary;
  std::string chyba;
  ASSERT_TRUE(nacti_pravdu(vzorek + "/truth.txt", &pravda, &chyba)) << chyba;
  ASSERT_TRUE(nacti_data(adresar + "/data.txt", &pary, &chyba)) << chyba;
  EXPECT_EQ(static_cast<int>(pary.size()), paru);

  for (int i = 0; i < 2; ++i) {
    const SouhrnKamery& k = pravda.kamery[i];
    SCOPED_TRACE("camera " + std::to_string(i + 1));
    // Every code is read at most once per crossing the camera sees, so the
    // unique codes cannot outnumber those crossings; all but a few of the
    // well-lit crossings without a speck come through (the rest lie on depth
    // edges, the image border or the edge of dark patches).
    EXPECT_LE(pocty[i].dobre, k.videt);
    EXPECT_GE(pocty[i].dobre, 0.9 * (k.osvetleno - k.skvrn));
    // Each speck makes its crossing's code ambiguous; the other ambiguous
    // points come from depth edges and low contrast, a small share.
    EXPECT_GE(pocty[i].nejednoznacne, k.skvrn);
    EXPECT_GT(pocty[i].nejednoznacne, 0);
    EXPECT_LE(pocty[i].nejednoznacne, k.skvrn + 0.08 * k.videt);
    // Every crossing has its own code: a conflict needs a crossing split
    // into two blobs, which noise does rarely.
    EXPECT_LE(pocty[i].konflikty, 0.01 * k.videt);
  }

  int oba_osvetlene = 0;
  for (const KrizeniPravdy& k : pravda.krizeni)
    if (k.kontrast1 >= 20 && k.kontrast2 >= 20 && !k.skvrna) ++oba_osvetlene;
  EXPECT_LE(paru, static_cast<int>(pravda.krizeni.size()));
  EXPECT_GE(paru, 0.85 * oba_osvetlene);

  const Hodnoceni h = ohodnot(pary, pravda);
  EXPECT_GE(h.spravnych, 0.99 * h.paru) << h.chybnych << " wrong pairs";
  for (const ParBodu& p : pary) {
    const int i = krizeni_paru(p, pravda);
    if (i >= 0) {
      EXPECT_FALSE(pravda.krizeni[static_cast<std::size_t>(i)].skvrna);
    }
  }

  // The report tool prints the same figures.
  const std::string prikaz = std::string(DECODER_REPORT_PATH) + " " + adresar + "/data.txt " +
                             vzorek + "/truth.txt > " + adresar + "/report.txt";
  ASSERT_EQ(std::system(prikaz.c_str()), 0);
  std::ostringstream ocekavano;
  ocekavano << "pairs " << h.paru << "\ncorrect " << h.spravnych << "\nwrong " << h.chybnych
            << "\nmissed " << h.zmeskanych << " of " << h.krizeni
            << " crossings seen by both cameras\n";
  EXPECT_EQ(precti_soubor(adresar + "/report.txt"), ocekavano.str());
  std::filesystem::remove_all(adresar);
}

TEST(SampleSet, DataFileHasHeaderPairsAndQ) {
  const std::string adresar = pracovni_adresar();
  const VysledekBehu b = spust_bez_displeje(adresar);
  ASSERT_EQ(b.kod, 0) << b.chyby;
  const std::string data = precti_soubor(adresar + "/data.txt");
  EXPECT_EQ(data.rfind("302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n", 0),
            0u);
  int paru = 0;
  Pocty pocty[2];
  ASSERT_TRUE(precti_vystup(b.vystup, pocty, &paru));
  int radku = 0;
  for (char c : data) radku += c == '\n';
  EXPECT_EQ(radku, 14 + 4 * paru + 1);
  EXPECT_EQ(data.substr(data.size() - 2), "Q\n");
  EXPECT_NE(b.chyby.find("no display"), std::string::npos);
  std::filesystem::remove_all(adresar);
}

// --angle A reads the images "AAAPFC.bmp" and writes A into the pair file
// and the console; --output names the pair file. The same images as angle
// 120 give the default run's pairs and console, with only the angle
// changed; angles outside 0 to 359 are bad usage, and a missing image of
// the angle asked for is named.
TEST(SampleSet, AngleAndOutputDecodeAnotherAngleIntoAnotherFile) {
  const std::string adresar = pracovni_adresar();
  const VysledekBehu vychozi = spust_bez_displeje(adresar);
  ASSERT_EQ(vychozi.kod, 0) << vychozi.chyby;
  const std::string data = precti_soubor(adresar + "/data.txt");
  const std::string jine = novy_adresar("decoder-angle");
  for (const std::string& j : jmena_snimku())
    ASSERT_EQ(symlink((vzorek + "/" + j).c_str(), (jine + "/120" + j.substr(3)).c_str()), 0);
  const VysledekBehu b =
      spust_program(DECODER_PATH, jine, "", 120, {"DISPLAY="}, {"--no-window", "--angle", "120", "--output", "pairs120.txt"});
  ASSERT_EQ(b.kod, 0) << b.chyby;
  EXPECT_EQ(b.vystup, "turntable angle: 120\n" + vychozi.vystup);
  std::string ocekavana = data;
  ocekavana.replace(ocekavana.find("M\n60\n"), 5, "M\n120\n");
  EXPECT_EQ(precti_soubor(jine + "/pairs120.txt"), ocekavana);
  EXPECT_FALSE(existuje(jine + "/data.txt"));

  const VysledekBehu chybi = spust_program(DECODER_PATH, adresar, "", 120, {"DISPLAY="}, {"--no-window", "--angle", "7"});
  EXPECT_EQ(chybi.kod, 1);
  EXPECT_NE(chybi.chyby.find("007031.bmp"), std::string::npos) << chybi.chyby;
  EXPECT_EQ(precti_soubor(adresar + "/data.txt"), data);
  for (const char* spatny : {"360", "-1", "12x", "", "1e2", "0360"}) {
    const VysledekBehu u = spust_program(DECODER_PATH, adresar, "", 120, {"DISPLAY="}, {"--angle", spatny});
    EXPECT_EQ(u.kod, 2) << spatny;
    EXPECT_NE(u.chyby.find("--angle: "), std::string::npos) << u.chyby;
  }
  std::filesystem::remove_all(adresar);
  std::filesystem::remove_all(jine);
}

class BadInput : public testing::Test {
 protected:
  void SetUp() override {
    adresar_ = pracovni_adresar();
    ASSERT_FALSE(adresar_.empty());
    zapis(adresar_ + "/data.txt", "predchozi\n");
  }
  void TearDown() override { std::filesystem::remove_all(adresar_); }

  // Runs the decoder and expects exit 1, a message naming `soubor`, and the
  // earlier data.txt unchanged with no temporary file left.
  void ocekavej_chybu(const std::string& soubor, const std::string& text_chyby) {
    const VysledekBehu b = spust_bez_displeje(adresar_);
    EXPECT_EQ(b.kod, 1);
    EXPECT_NE(b.chyby.find(soubor), std::string::npos) << b.chyby;
    EXPECT_NE(b.chyby.find(text_chyby), std::string::npos) << b.chyby;
    EXPECT_EQ(precti_soubor(adresar_ + "/data.txt"), "predchozi\n");
    EXPECT_EQ(souboru_data(), 1);
  }
  // Entries of the directory whose name starts with "data".
  int souboru_data() const {
    int n = 0;
    for (const std::string& jmeno : jmena_v_adresari(adresar_)) n += jmeno.rfind("data", 0) == 0;
    return n;
  }
  std::string adresar_;
};

TEST_F(BadInput, MissingCodeImageOfCamera2) {
  std::remove((adresar_ + "/060722.bmp").c_str());
  ocekavej_chybu("060722.bmp", "cannot be opened: No such file or directory");
}

TEST_F(BadInput, UnreadableGridImage) {
  zapis(adresar_ + "/060111.bmp", "BM this is not a bitmap");
  ocekavej_chybu("060111.bmp", "too short for a bitmap header");
  zapis(adresar_ + "/060111.bmp", "GIF89a this is not an image either");
  ocekavej_chybu("060111.bmp", "not a readable image");
}

TEST_F(BadInput, ReferenceSmallerThan640x480) {
  std::remove((adresar_ + "/060031.bmp").c_str());
  ASSERT_EQ(std::system(("convert -size 320x240 xc:gray '" + adresar_ + "/060031.bmp'").c_str()), 0);
  ocekavej_chybu("060031.bmp", "smaller than 640 x 480");
}

TEST_F(BadInput, MissingPreviewImage) {
  std::remove((adresar_ + "/060912.bmp").c_str());
  ocekavej_chybu("060912.bmp", "cannot be opened: No such file or directory");
}

TEST_F(BadInput, OutputCannotReplaceDataTxt) {
  // A directory named data.txt cannot be replaced by the finished file.
  std::remove((adresar_ + "/data.txt").c_str());
  ASSERT_EQ(mkdir((adresar_ + "/data.txt").c_str(), 0755), 0);
  const VysledekBehu b = spust_bez_displeje(adresar_);
  EXPECT_EQ(b.kod, 1);
  EXPECT_NE(b.chyby.find("data.txt: cannot replace the output file"), std::string::npos)
      << b.chyby;
  EXPECT_EQ(souboru_data(), 1);  // no temporary file left
}

// ---- Windows under a virtual X server ----

std::string spust_prikaz(const std::string& prikaz) {
  std::string vystup;
  std::FILE* p = popen(prikaz.c_str(), "r");
  if (p == nullptr) return vystup;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p) != nullptr) vystup += buf;
  pclose(p);
  return vystup;
}

class VirtualDisplay : public testing::Test {
 protected:
  void SetUp() override {
    xvfb_ = std::make_unique<XvfbDisplej>("1024x768x24");
    displej_ = xvfb_->jmeno();
    ASSERT_FALSE(displej_.empty()) << "Xvfb did not start";
  }
  std::string x(const std::string& prikaz) {
    return spust_prikaz("DISPLAY=" + displej_ + " " + prikaz + " 2>/dev/null");
  }
  // Waits for a window whose name is exactly `jmeno`; returns its id.
  std::string cekej_na_okno(const std::string& jmeno) {
    for (int i = 0; i < 300; ++i) {
      std::string id = x("xdotool search --onlyvisible --name '^" + jmeno + "$'");
      if (!id.empty()) return id.substr(0, id.find('\n'));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
  }
  void uloz_snimek_obrazovky(const std::string& nazev) {
    x("import -window root '" + std::string(TESTS_LOG_DIR) + "/" + nazev + ".png'");
  }
  std::unique_ptr<XvfbDisplej> xvfb_;
  std::string displej_;
};

TEST_F(VirtualDisplay, BothWindowsAppearAndEnterEndsTheProgram) {
  const std::string adresar = pracovni_adresar();
  ASSERT_FALSE(adresar.empty());
  // Standard input stays open with nothing to read, as in a terminal.
  BeziciProgram beh(DECODER_PATH, {}, adresar, displej_, "", {}, true);
  auto skoncil = [&] { return beh.pockej(0) >= 0; };
  const std::string okno1 = cekej_na_okno("kamera1");
  const std::string okno2 = cekej_na_okno("kamera2");
  EXPECT_FALSE(okno1.empty());
  EXPECT_FALSE(okno2.empty());
  // data.txt is complete before the windows are shown.
  EXPECT_EQ(precti_soubor(adresar + "/data.txt").substr(precti_soubor(adresar + "/data.txt").size() - 2),
            "Q\n");
  EXPECT_NE(x("xwininfo -name kamera1").find("Map State: IsViewable"), std::string::npos);
  EXPECT_NE(x("xwininfo -name kamera2").find("Map State: IsViewable"), std::string::npos);
  if (HasFailure()) uloz_snimek_obrazovky("decoder_windows");

  // Another key keeps the windows open.
  if (!okno1.empty()) {
    x("xdotool windowfocus --sync " + okno1);
    x("xdotool key a");
  }
  // Watched for 0.7 s: nothing to wait for, the program must simply go on.
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_FALSE(skoncil());

  if (!okno2.empty()) {
    x("xdotool windowfocus --sync " + okno2);
  }
  for (int i = 0; i < 100 && !skoncil(); ++i) {
    if (i % 20 == 0) x("xdotool key Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!skoncil()) uloz_snimek_obrazovky("decoder_enter");
  EXPECT_TRUE(skoncil()) << "Enter did not end the program";
  EXPECT_EQ(beh.pockej(0), 0) << beh.chyby();
  std::filesystem::remove_all(adresar);
}

TEST_F(VirtualDisplay, StandardInputAtItsEndEndsTheWaitAsClosingTheWindows) {
  const std::string adresar = pracovni_adresar();
  ASSERT_FALSE(adresar.empty());
  BeziciProgram beh(DECODER_PATH, {}, adresar, displej_, "", {"XDG_RUNTIME_DIR=" + adresar});
  EXPECT_EQ(beh.pockej(60), 0) << beh.chyby();
  EXPECT_EQ(beh.chyby(), "");
  EXPECT_EQ(precti_soubor(adresar + "/data.txt").substr(precti_soubor(adresar + "/data.txt").size() - 2), "Q\n");
  std::filesystem::remove_all(adresar);
}

}  // namespace
