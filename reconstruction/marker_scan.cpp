// Marker scan and camera image rectangles.
#include "reconstruction/marker_scan.h"

#include "common/camera_numbers.h"
#include "common/messages.h"
#include "reconstruction/bitmap_reader.h"
#include "reconstruction/marker_finding.h"
#include "reconstruction/scene_tables.h"

const SnimekZnacek snimky_znacek[10] = {
    {"000_k1_A.bmp", 1, 0}, {"000_k2_A.bmp", 2, 0}, {"080_k1_A.bmp", 1, 1},
    {"080_k2_A.bmp", 2, 1}, {"160_k1_A.bmp", 1, 2}, {"160_k2_A.bmp", 2, 2},
    {"240_k1_A.bmp", 1, 3}, {"240_k2_A.bmp", 2, 3}, {"200_k1_A.bmp", 1, 4},
    {"200_k2_A.bmp", 2, 4}};

void vynuluj_pocty_znacek() {
  for (int i = 0; i < konfigurace::mazanych_poctu; i++) body_pocty[i] = 0;
  body_pocty[slot_referenci] = 4;
}

namespace {

void uloz_pixel(BodData& bod, int kamera, const PixelZnacky& pixel) {
  if (kamera == 1) {
    bod.x1 = pixel.sloupec;
    bod.y1 = pixel.radek;
  } else {
    bod.x2 = pixel.sloupec;
    bod.y2 = pixel.radek;
  }
}

// The markers the core finds, copied into body_data and body_pocty: each
// shown marker's last pixel into its slot, reference marks into slot 9, and
// the highest number of camera 1's image into the slot's count.
bool skenuj(const unsigned char* pixely, bool cervena_prvni, const char* soubor, int kamera, int slot,
            std::string* chyba, NalezZnacek* nalez) {
  const int kapacita = konfigurace::znacek_na_slot;
  ZnackySnimku znacky;
  if (!najdi_znacky(pixely, cervena_prvni, slot == 1, kapacita, soubor, &znacky, chyba)) return false;
  for (int i = 0; i < kapacita; i++) {
    if (znacky.znacky[i].je()) uloz_pixel(body_data[slot][i], kamera, znacky.znacky[i]);
    if (znacky.reference[i].je()) uloz_pixel(body_data[slot_referenci][i], kamera, znacky.reference[i]);
  }
  if (kamera == 1 && body_pocty[slot] < znacky.nejvyssi) body_pocty[slot] = znacky.nejvyssi;
  if (nalez != nullptr) {
    nalez->znacky.assign(static_cast<std::size_t>(kapacita), false);
    nalez->reference.assign(static_cast<std::size_t>(kapacita), false);
    for (int i = 0; i < kapacita; i++) {
      nalez->znacky[i] = znacky.znacky[i].je();
      nalez->reference[i] = znacky.reference[i].je();
    }
    nalez->varovani = std::move(znacky.varovani);
  }
  return true;
}

}  // namespace

bool skenuj_znacky(const unsigned char* pixely, const char* soubor, int kamera, int slot,
                   std::string* chyba, NalezZnacek* nalez) {
  return skenuj(pixely, true, soubor, kamera, slot, chyba, nalez);
}

bool skenuj_znacky_souboru(const unsigned char* pixely, const char* soubor, int kamera, int slot,
                           std::string* chyba, NalezZnacek* nalez) {
  return skenuj(pixely, false, soubor, kamera, slot, chyba, nalez);
}

namespace {

// "7, 12 and 30" from marker indices.
std::string seznam_cisel(const std::vector<int>& cisla) {
  std::string text;
  for (std::size_t k = 0; k < cisla.size(); k++) {
    if (k > 0) text += k + 1 == cisla.size() ? " and " : ", ";
    text += std::to_string(cisla[k]);
  }
  return text;
}

// The warning of an image that lacks markers the other image of its position
// shows; empty when it lacks none.
std::string chybejici_znacky(const char* soubor, const char* druhy, const std::vector<int>& chybi,
                             int ukazuje_druhy) {
  if (chybi.empty()) return "";
  if (static_cast<int>(chybi.size()) == ukazuje_druhy)
    return zprava(soubor, "shows none of the " + std::to_string(ukazuje_druhy) + " markers that " + druhy +
                              " shows; they are left out");
  return zprava(soubor, std::string(chybi.size() > 1 ? "lacks markers " : "lacks marker ") +
                            seznam_cisel(chybi) + " that " + druhy + " shows; " +
                            (chybi.size() > 1 ? "they are" : "it is") + " left out");
}

// Compares the two images of one position: flags the markers only one of
// them shows (or neither, below the highest number of camera 1) and warns
// once per image; a reference mark in one "080" image only is an error.
bool porovnej_kamery(int slot, const SnimekZnacek& s1, const NalezZnacek& n1, const SnimekZnacek& s2,
                     const NalezZnacek& n2, std::string* chyba, std::vector<std::string>* varovani) {
  const int kapacita = konfigurace::znacek_na_slot;
  std::vector<int> chybi[2];
  int ukazuje[2] = {0, 0};
  for (int i = 0; i < kapacita; i++) {
    const bool v1 = n1.znacky[i], v2 = n2.znacky[i];
    ukazuje[0] += v1;
    ukazuje[1] += v2;
    if (v1 && !v2) chybi[1].push_back(i + 1);
    if (v2 && !v1) chybi[0].push_back(i + 1);
    znacka_vynechana[slot][i] = !(v1 && v2);
  }
  if (varovani != nullptr) {
    const std::string w1 = chybejici_znacky(s1.soubor, s2.soubor, chybi[0], ukazuje[1]);
    const std::string w2 = chybejici_znacky(s2.soubor, s1.soubor, chybi[1], ukazuje[0]);
    if (!w1.empty()) varovani->push_back(w1);
    if (!w2.empty()) varovani->push_back(w2);
  }
  if (slot != 1) return true;
  for (int k = 0; k < 2; k++) {
    const NalezZnacek& tento = k == 0 ? n1 : n2;
    const NalezZnacek& druhy = k == 0 ? n2 : n1;
    std::vector<int> chybi_reference;
    for (int i = 0; i < pocet_znacek(slot_referenci, kapacita); i++)
      if (druhy.reference[i] && !tento.reference[i]) chybi_reference.push_back(255 - i);
    if (chybi_reference.empty()) continue;
    if (chyba != nullptr)
      *chyba = zprava((k == 0 ? s1 : s2).soubor,
                      std::string(chybi_reference.size() > 1 ? "the reference marks with green values "
                                                             : "the reference mark with green value ") +
                          seznam_cisel(chybi_reference) + " that " + (k == 0 ? s2 : s1).soubor +
                          " shows " + (chybi_reference.size() > 1 ? "are" : "is") +
                          " missing; the turntable axis needs each mark in both images");
    return false;
  }
  return true;
}

}  // namespace

bool nacti_snimky_znacek(std::string* chyba, std::vector<std::string>* varovani) {
  NalezZnacek nalezy[2];
  // One file buffer serves all ten images (a fresh one per image costs a
  // page fault per 4 KiB), and the scan reads the pixels where the file
  // has them, in its own channel order.
  std::vector<unsigned char> obsah;
  for (int k = 0; k < 10; k++) {
    const SnimekZnacek& snimek = snimky_znacek[k];
    const unsigned char* pixely = readBMP_v_souboru(snimek.soubor, obsah, chyba);
    if (pixely == nullptr) return false;
    NalezZnacek& nalez = nalezy[index_kamery(snimek.kamera)];
    nalez = NalezZnacek{};
    if (!skenuj_znacky_souboru(pixely, snimek.soubor, snimek.kamera, snimek.slot, chyba, &nalez))
      return false;
    if (varovani != nullptr) varovani->insert(varovani->end(), nalez.varovani.begin(), nalez.varovani.end());
    // The images come in pairs: camera 1, then camera 2 of the same position.
    if (snimek.kamera == 2 &&
        !porovnej_kamery(snimek.slot, snimky_znacek[k - 1], nalezy[0], snimek, nalezy[1], chyba, varovani))
      return false;
  }
  return true;
}

void nastav_obdelniky_kamer() {
  const float smer[2][2] = {{-0.999f, 0.034f}, {-0.984f, -0.173f}};
  const double w = 48.63;
  const double h = 35.95;
  for (int c = 0; c < 2; c++) {
    vektor80[0] = smer[c][0];
    vektor80[1] = smer[c][1];
    const float* l = stereo_lok[c];
    const double hx = vektor80[0];
    const double hy = vektor80[1];
    const double rohy[4][3] = {{l[0] + hx * w, l[1] + hy * w, l[2] + h},
                               {l[0] + hx * w, l[1] + hy * w, l[2] - h},
                               {l[0] - hx * w, l[1] - hy * w, l[2] - h},
                               {l[0] - hx * w, l[1] - hy * w, l[2] + h}};
    for (int k = 0; k < 4; k++)
      for (int j = 0; j < 3; j++) stereo_body[c][k][j] = static_cast<float>(rohy[k][j]);
  }
}
