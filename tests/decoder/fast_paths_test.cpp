// The decoder's fast paths against their plain twins, result for result: the
// direct bitmap reader against the image library's grey decoding, the
// one-pass grid map and the code reading of raw images against the border
// maps, grid map and tri-state images, on random image sets and on the fuzz
// seeds and kept inputs, and the table pairing against comparing every pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <opencv2/imgcodecs.hpp>
#include <random>
#include <string>
#include <vector>

#include "decoder/bitmap_direct.h"
#include "decoder/code_identification.h"
#include "decoder/code_reading.h"
#include "decoder/correspondence.h"
#include "decoder/decoder_state.h"
#include "decoder/grid_points.h"
#include "decoder/image_primitives.h"
#include "tests/reference/plain_pairing.h"

namespace {

using Bajty = std::vector<unsigned char>;

void pis32(Bajty& b, std::size_t i, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b[i + k] = static_cast<unsigned char>(v >> (8 * k));
}

// An uncompressed bitmap of 8 bits (palette given) or 24 bits from the
// stored rows of a 3-channel image (blue, green, red), bottom-up unless
// shora_dolu. `barev` goes into the palette-count field.
Bajty bitmapa(const cv::Mat& bgr, int bitu, const Bajty& paleta, bool shora_dolu,
              std::uint32_t barev = 0) {
  const int w = bgr.cols, h = bgr.rows;
  const std::size_t radek = (static_cast<std::size_t>(w) * bitu / 8 + 3) / 4 * 4;
  const std::size_t posun = 54 + paleta.size();
  Bajty b(posun + radek * static_cast<std::size_t>(h), 0);
  std::copy(paleta.begin(), paleta.end(), b.begin() + 54);
  b[0] = 'B';
  b[1] = 'M';
  pis32(b, 10, static_cast<std::uint32_t>(posun));
  pis32(b, 14, 40);
  pis32(b, 18, static_cast<std::uint32_t>(w));
  pis32(b, 22, static_cast<std::uint32_t>(shora_dolu ? -h : h));
  b[26] = 1;
  b[28] = static_cast<unsigned char>(bitu);
  pis32(b, 46, barev);
  for (int i = 0; i < h; ++i) {
    const cv::Vec3b* r = bgr.ptr<cv::Vec3b>(shora_dolu ? i : h - 1 - i);
    unsigned char* z = &b[posun + radek * static_cast<std::size_t>(i)];
    for (int c = 0; c < w; ++c)
      if (bitu == 8)
        z[c] = r[c][0];  // the index is the blue byte
      else
        std::memcpy(z + 3 * c, &r[c][0], 3);
  }
  pis32(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

cv::Mat nahodny_bgr(std::mt19937& g, int w = 640, int h = 480) {
  cv::Mat m(h, w, CV_8UC3);
  cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(256));
  for (int r = 0; r < h; ++r)  // whole runs too, as in real pictures
    for (int c = 0; c < w; c += 40) m.at<cv::Vec3b>(r, c) = m.at<cv::Vec3b>(r, (c + g() % 7) % w);
  return m;
}

TEST(DirectBitmap, EqualsTheLibraryOnEightAndTwentyFourBitKindsAndLeavesTheRest) {
  std::mt19937 g(7);
  cv::theRNG().state = 7;
  Bajty seda(1024), barevna(1024);
  for (int i = 0; i < 256; ++i) {
    for (int k = 0; k < 3; ++k) seda[4 * i + k] = static_cast<unsigned char>(i);
    for (int k = 0; k < 3; ++k) barevna[4 * i + k] = static_cast<unsigned char>(g());
  }
  const cv::Mat bgr = nahodny_bgr(g);
  const Bajty druhy[] = {bitmapa(bgr, 24, {}, false), bitmapa(bgr, 24, {}, true),
                         bitmapa(bgr, 8, seda, false), bitmapa(bgr, 8, barevna, true, 256)};
  for (const Bajty& soubor : druhy) {
    cv::Mat primo;
    ASSERT_TRUE(cti_bitmapu_primo(soubor.data(), soubor.size(), primo));
    const cv::Mat knihovna = cv::imdecode(soubor, cv::IMREAD_GRAYSCALE);
    ASSERT_EQ(knihovna.size(), primo.size());
    EXPECT_EQ(cv::countNonZero(knihovna != primo), 0);
  }
  // Other kinds are left to the library.
  cv::Mat m;
  const Bajty jine[] = {bitmapa(nahodny_bgr(g, 320, 240), 24, {}, false),
                        bitmapa(bgr, 8, barevna, false, 16), bitmapa(bgr, 32, {}, false),
                        Bajty(druhy[0].begin(), druhy[0].end() - 1), Bajty{'B', 'M'}};
  for (const Bajty& soubor : jine) EXPECT_FALSE(cti_bitmapu_primo(soubor.data(), soubor.size(), m));
  Bajty rle = druhy[2];
  rle[30] = 1;
  EXPECT_FALSE(cti_bitmapu_primo(rle.data(), rle.size(), m));
}

// ---- Identification -------------------------------------------------------

struct Vysledek {
  std::vector<std::int32_t> vstup, vystup;
  std::string konzole;
  std::vector<KodovanyBod> body;
};

Vysledek zachyt(const std::string& konzole) {
  Vysledek v;
  v.vstup.assign(vstuppom, vstuppom + 640 * 480);
  v.vystup.assign(vystuppom2, vystuppom2 + 640 * 480);
  v.konzole = konzole;
  v.body.assign(body_kam1, body_kam1 + kapacita_bodu);
  return v;
}

// The plain stages on the 18 images of one camera (refs, grids, codes).
Vysledek po_staru(const std::vector<cv::Mat>& s) {
  VycistiBody();
  cv::Mat h1, h2;
  hranicni_mapa(s[1], s[0], s[2], h1);
  hranicni_mapa(s[1], s[0], s[3], h2);
  mapa_mrizky(h1, h2, vstuppom, vystuppom2);
  const std::vector<std::int32_t> vstup(vstuppom, vstuppom + 640 * 480);
  redukce_blobu(nullptr, vystuppom2);
  std::vector<cv::Mat> kody;
  for (std::size_t k = 4; k < s.size(); ++k) {
    kody.push_back(s[k].clone());
    cernabila(s[1], s[0], kody.back(), kody.back());
  }
  SouhrnKodu souhrn;
  const std::vector<KodovanyBod> seznam = seznam_kodu(cti_kody(kody, vystuppom2), &souhrn);
  testing::internal::CaptureStdout();
  uloz_kody(1, seznam, souhrn);
  Vysledek v = zachyt(testing::internal::GetCapturedStdout());
  v.vstup = vstup;
  return v;
}

Vysledek nove(const std::vector<cv::Mat>& s) {
  VycistiBody();
  const std::vector<cv::Mat> kody(s.begin() + 4, s.end());
  mapa_mrizky_primo(s[1], s[0], s[2], s[3], vstuppom, vystuppom2);
  const std::vector<std::int32_t> vstup(vstuppom, vstuppom + 640 * 480);
  testing::internal::CaptureStdout();
  identifikuj_snimky(1, s[0], s[1], s[2], s[3], kody);
  Vysledek v = zachyt(testing::internal::GetCapturedStdout());
  v.vstup = vstup;
  return v;
}

void porovnej(const std::vector<cv::Mat>& snimky) {
  const Vysledek a = po_staru(snimky), b = nove(snimky);
  EXPECT_EQ(a.vstup, b.vstup);
  EXPECT_EQ(a.vystup, b.vystup);
  EXPECT_EQ(a.konzole, b.konzole);
  ASSERT_EQ(a.body.size(), b.body.size());
  for (std::size_t i = 0; i < a.body.size(); ++i) {
    EXPECT_EQ(std::memcmp(&a.body[i], &b.body[i], sizeof(KodovanyBod)), 0) << "record " << i;
    if (a.body[i].kod == -1) break;
  }
  EXPECT_NE(a.konzole.find("dobre body"), std::string::npos);
}

// Random stripes across random references with patches of low contrast:
// the grid patterns cross in many blobs of every shape, and the code images
// give clear, ambiguous and low-contrast neighbourhoods.
std::vector<cv::Mat> nahodna_sada(unsigned seme) {
  std::mt19937 g(seme);
  auto pruhy = [&](bool svisle, int sirka) {
    cv::Mat m(480, 640, CV_8UC1);
    for (int r = 0; r < 480; ++r)
      for (int c = 0; c < 640; ++c)
        m.at<unsigned char>(r, c) =
            static_cast<unsigned char>(((svisle ? c : r) / sirka) % 2 ? 180 + g() % 60 : g() % 90);
    return m;
  };
  std::vector<cv::Mat> s;
  cv::Mat tma(480, 640, CV_8UC1), svetlo(480, 640, CV_8UC1);
  cv::randu(tma, 0, 60);
  cv::randu(svetlo, 150, 256);
  svetlo(cv::Rect(static_cast<int>(g() % 500), static_cast<int>(g() % 300), 120, 150)).setTo(30);
  s.push_back(tma);
  s.push_back(svetlo);
  s.push_back(pruhy(true, 3 + static_cast<int>(g() % 6)));
  s.push_back(pruhy(false, 3 + static_cast<int>(g() % 6)));
  for (int k = 0; k < bitu_kodu; ++k) s.push_back(pruhy(g() % 2 == 0, 4 + static_cast<int>(g() % 40)));
  return s;
}

TEST(FastIdentification, EqualsThePlainStagesOnRandomSets) {
  for (unsigned seme : {1u, 2u, 3u}) {
    SCOPED_TRACE(seme);
    porovnej(nahodna_sada(seme));
  }
}

// The fuzz target's inputs: the bytes are the 18 images' pixels, repeated.
TEST(FastIdentification, EqualsThePlainStagesOnTheFuzzSeedsAndKeptInputs) {
  int souboru = 0;
  for (const char* adresar : {FUZZ_SEED_DECODER_DIR, FUZZ_REGRESSION_DECODER_DIR}) {
    for (const auto& e : std::filesystem::directory_iterator(adresar)) {
      SCOPED_TRACE(e.path().string());
      std::ifstream f(e.path(), std::ios::binary);
      const Bajty d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
      if (d.empty()) continue;
      std::vector<cv::Mat> s(18);
      std::size_t i = 0;
      for (cv::Mat& m : s) {
        m.create(480, 640, CV_8UC1);
        for (int r = 0; r < 480; ++r)
          for (int c = 0; c < 640; ++c) m.at<unsigned char>(r, c) = d[i++ % d.size()];
      }
      const Vysledek a = po_staru(s), b = nove(s);
      EXPECT_EQ(a.vystup, b.vystup);
      EXPECT_EQ(a.vstup, b.vstup);
      EXPECT_EQ(a.konzole, b.konzole);
      ++souboru;
    }
  }
  EXPECT_GE(souboru, 4);
}

// ---- Pairing ---------------------------------------------------------------

TEST(TablePairing, EqualsComparingEveryPair) {
  std::mt19937 g(3);
  for (int pokus = 0; pokus < 40; ++pokus) {
    SCOPED_TRACE(pokus);
    VycistiBody();
    const int n1 = static_cast<int>(g() % 3000), n2 = static_cast<int>(g() % 3000);
    // Few codes, so that some repeat; now and then one out of range.
    const int kodu = pokus % 2 ? 16384 : 500;
    for (int i = 0; i < n1; ++i)
      body_kam1[i] = KodovanyBod{static_cast<int>(g() % kodu), 1 + static_cast<int>(g() % 5 == 0), i, 1};
    for (int j = 0; j < n2; ++j)
      body_kam2[j] = KodovanyBod{static_cast<int>(g() % kodu), 1 + static_cast<int>(g() % 5 == 0), j, 2};
    if (pokus % 10 == 3) body_kam2[n2 / 2].kod = 20000;
    testing::internal::CaptureStdout();
    KorespondujiciBody();
    const std::string vystup = testing::internal::GetCapturedStdout();
    const std::vector<KorespondujiciPar> rychle(korespond, korespond + kores_pocet);
    EXPECT_EQ(vystup, "KORESPONDUJE " + std::to_string(kores_pocet) + " BODU\n");
    KorespondujiciBodyPostupne();
    ASSERT_EQ(static_cast<std::size_t>(kores_pocet), rychle.size());
    EXPECT_EQ(std::memcmp(rychle.data(), korespond, rychle.size() * sizeof(KorespondujiciPar)), 0);
  }
}

}  // namespace
