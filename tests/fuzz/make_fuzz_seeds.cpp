// make_fuzz_seeds SCENE_DIR DECODER_DIR OUT_DIR: the seed corpora of the fuzz
// targets, taken from the sample scenes.
//   OUT_DIR/bitmap_markers: the ten marker image files of the scene;
//   OUT_DIR/calibration: "kalib1.bmp" and "kalib2.bmp";
//   OUT_DIR/decoder_identification: per camera the 18 images of the
//     identification as grey pixels, in the order the target reads them;
//   OUT_DIR/polygon_walk: the first polygons of the polar model built from
//     the scene, and three small lists with contours and arcs;
//   OUT_DIR/rig_file: the compiled-in camera set-up as "rig.yml", with and
//     without its "%YAML:1.0" first line, and a version 2 file;
//   OUT_DIR/pair_file: a "data.txt" as the decoder writes it, with line
//     ends "\n" and "\r\n".
#include <unistd.h>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "model/instruction_list.h"
#include "model/instruction_pool.h"
#include "model/polar_model.h"
#include "reconstruction/camera_rig.h"
#include "reconstruction/marker_scan.h"
#include "reconstruction/rig_file.h"
#include "reconstruction/triangulation.h"

namespace fs = std::filesystem;

namespace {

bool zapis(const fs::path& cesta, const void* data, std::size_t velikost) {
  std::FILE* f = std::fopen(cesta.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(data, 1, velikost, f) == velikost;
  return std::fclose(f) == 0 && ok;
}

bool zapis_instrukce(const fs::path& cesta, const std::vector<float>& xyz) {
  return zapis(cesta, xyz.data(), xyz.size() * sizeof(float));
}

bool semena_decoderu(const fs::path& adresar, const fs::path& cil) {
  for (char kamera : {'1', '2'}) {
    // Reference 03 and 04, grid patterns 11 and 12, code bits 0..13.
    std::vector<std::string> vzory = {"03", "04", "11", "12"};
    for (int k = 0; k < 14; ++k)
      vzory.push_back(std::string(1, static_cast<char>('8' - k % 7)) + (k < 7 ? '1' : '2'));
    std::vector<unsigned char> bajty;
    for (const std::string& v : vzory) {
      const fs::path soubor = adresar / ("060" + v + kamera + ".bmp");
      const cv::Mat obraz = cv::imread(soubor.string(), cv::IMREAD_GRAYSCALE);
      if (obraz.empty() || obraz.cols < 640 || obraz.rows < 480) {
        std::fprintf(stderr, "%s: cannot be read\n", soubor.c_str());
        return false;
      }
      for (int r = 0; r < 480; ++r)
        bajty.insert(bajty.end(), obraz.ptr<unsigned char>(r), obraz.ptr<unsigned char>(r) + 640);
    }
    if (!zapis(cil / (std::string("camera") + kamera), bajty.data(), bajty.size())) return false;
  }
  return true;
}

bool semena_polygonu(const fs::path& scena, const fs::path& cil) {
  const fs::path puvodni = fs::current_path();
  fs::current_path(scena);
  init_ins();
  vynuluj_pocty_znacek();
  std::string chyba;
  if (!nacti_snimky_znacek(&chyba)) {
    std::fprintf(stderr, "%s\n", chyba.c_str());
    return false;
  }
  nastav_obdelniky_kamer();
  prepocet_bodu(true);
  postav_polar_model();
  fs::current_path(puvodni);

  int n = 0;
  for (PrvekSeznamu<Polygon3D*>* p = model1.Prvni(); p != nullptr && n < 8; p = p->dalsi, ++n) {
    std::vector<float> xyz;
    for (PrvekSeznamu<PolygonInstrukce*>* e = p->hodnota->instrukce.Prvni(); e != nullptr;
         e = e->dalsi)
      xyz.insert(xyz.end(), {e->hodnota->x, e->hodnota->y, e->hodnota->z});
    if (!zapis_instrukce(cil / ("model_" + std::to_string(n)), xyz)) return false;
  }
  if (n == 0) {
    std::fprintf(stderr, "the polar model of %s holds no polygon\n", scena.c_str());
    return false;
  }
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // A square with a square hole (two contours).
  const bool ctverce = zapis_instrukce(
      cil / "contours", {0, 0, 0, 10, 0, 0, 10, 10, 0, 0, 10, 0, nan, 0, 0, 2, 2, 0, 8, 2, 0, 8,
                         8, 0, 2, 8, 0});
  // A half disc: a diameter, then an arc back through the top.
  const bool oblouk = zapis_instrukce(
      cil / "arc", {-5, 0, 1, 5, 0, 1, nan, 1, 0, -5, 0, 1, 0, 5, 1});
  // An arc whose three points are in line, and one left without its points.
  const bool vadne = zapis_instrukce(
      cil / "bad_arcs", {0, 0, 0, nan, 1, 0, 2, 0, 0, 1, 0, 0, 3, 3, 3, nan, 2, 0, 4, 4, 4});
  return ctverce && oblouk && vadne;
}

bool kopiruj(const fs::path& z, const fs::path& do_) {
  std::error_code ec;
  fs::copy_file(z, do_, fs::copy_options::overwrite_existing, ec);
  if (ec) std::fprintf(stderr, "%s: %s\n", z.c_str(), ec.message().c_str());
  return !ec;
}

bool semena_textu(const fs::path& vystup) {
  const std::string rig = text_rigu(vychozi_rig());
  std::string data = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";
  for (int i = 0; i < 20; i++)
    data += std::to_string(100 + 7 * i) + "\n" + std::to_string(200 + 3 * i) + "\n" +
            std::to_string(110 + 7 * i) + "\n" + std::to_string(201 + 3 * i) + "\n";
  data += "Q\n";
  std::string crlf;
  for (char z : data) crlf += z == '\n' ? std::string("\r\n") : std::string(1, z);
  const std::string bez = rig.substr(rig.find('\n') + 1);
  // A version 2 file: two webcams 100 apart with barrel distortion.
  RigKamer objektivy;
  objektivy.verze = verze_rigu_objektivu;
  objektivy.jednotka = "mm";
  objektivy.sirka = 640;
  objektivy.vyska = 480;
  for (int k = 0; k < 2; k++) {
    ObjektivRigu& o = objektivy.objektiv[k];
    const double m[9] = {620, 0, 320, 0, 620, 240, 0, 0, 1}, r[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::copy(m, m + 9, o.matice);
    std::copy(r, r + 9, o.otoceni);
    o.zkresleni[0] = -0.25;
    o.posun[0] = k == 0 ? 0.0 : -100.0;
  }
  const std::string rig2 = text_rigu(objektivy);
  return zapis(vystup / "rig_file" / "rig.yml", rig.data(), rig.size()) &&
         zapis(vystup / "rig_file" / "version2.yml", rig2.data(), rig2.size()) &&
         zapis(vystup / "rig_file" / "without_header.yml", bez.data(), bez.size()) &&
         zapis(vystup / "pair_file" / "data.txt", data.data(), data.size()) &&
         zapis(vystup / "pair_file" / "crlf.txt", crlf.data(), crlf.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_fuzz_seeds SCENE_DIR DECODER_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path scena = fs::absolute(argv[1]);
  const fs::path decoder = fs::absolute(argv[2]);
  const fs::path vystup = fs::absolute(argv[3]);
  for (const char* t : {"bitmap_markers", "calibration", "decoder_identification", "polygon_walk",
                        "rig_file", "pair_file"})
    fs::create_directories(vystup / t);

  bool ok = true;
  for (const SnimekZnacek& s : snimky_znacek)
    ok = ok && kopiruj(scena / s.soubor, vystup / "bitmap_markers" / s.soubor);
  for (const char* k : {"kalib1.bmp", "kalib2.bmp"})
    ok = ok && kopiruj(scena / k, vystup / "calibration" / k);
  ok = ok && semena_decoderu(decoder, vystup / "decoder_identification");
  ok = ok && semena_polygonu(scena, vystup / "polygon_walk");
  ok = ok && semena_textu(vystup);
  if (!ok) return 1;
  std::printf("fuzz seeds written to %s\n", vystup.c_str());
  return 0;
}
