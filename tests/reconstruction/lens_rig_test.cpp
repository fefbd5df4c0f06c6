// Real lenses: a version 2 "rig.yml" (OpenCV's quantities) undoes the lens
// distortion in the triangulation, checked against OpenCV's own projection;
// calibrate_rig, run for real on rendered chessboard photographs, recovers
// the cameras; bad input is refused with one message and writes nothing.
#include <gtest/gtest.h>

#include <opencv2/calib3d.hpp>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "reconstruction/camera_rig.h"
#include "reconstruction/lens_distortion.h"
#include "reconstruction/rig_file.h"
#include "reconstruction/triangulation.h"
#include "tests/support/program_run.h"
#include "tools/bmp_writer.h"
#include "tools/chessboard_images.h"

namespace {

// Pixels (rows from the top, rounded as the marker scan rounds them) of
// point x in camera c by OpenCV's own projection.
cv::Point2d pixel(const RigKamer& rig, int c, const cv::Point3d& x) {
  const ObjektivRigu& o = rig.objektiv[c];
  std::vector<cv::Point2d> p;
  cv::projectPoints(std::vector<cv::Point3d>{x}, cv::Mat(3, 3, CV_64F, const_cast<double*>(o.otoceni)),
                    cv::Mat(3, 1, CV_64F, const_cast<double*>(o.posun)),
                    cv::Mat(3, 3, CV_64F, const_cast<double*>(o.matice)),
                    cv::Mat(1, 5, CV_64F, const_cast<double*>(o.zkresleni)), p);
  return p[0];
}

// RMS error of points triangulated by the reconstruction from whole pixels.
double chyba_triangulace(const RigKamer& pravda, const RigKamer& pouzity) {
  pouzij_rig(pouzity);
  double ctverce = 0;
  int pocet = 0;
  for (int i = 0; i < 200; i++) {
    const cv::Point3d x(30 + 150 * std::sin(i * 0.7), 110 * std::cos(i * 1.3), 500 + 80 * std::sin(i * 0.3));
    const cv::Point2d a = pixel(pravda, 0, x), b = pixel(pravda, 1, x);
    float bod[3], p1[3], p2[3], mezera = 0;
    const int v = pravda.vyska;
    if (!stred_paprsku(static_cast<int>(std::lround(a.x)), static_cast<int>(std::lround(radek_shora(a.y, v))),
                       static_cast<int>(std::lround(b.x)), static_cast<int>(std::lround(radek_shora(b.y, v))), bod,
                       &mezera, p1, p2))
      continue;
    ctverce += cv::norm(cv::Point3d(bod[0], bod[1], bod[2]) - x) * cv::norm(cv::Point3d(bod[0], bod[1], bod[2]) - x);
    pocet++;
  }
  pouzij_rig(vychozi_rig());
  return pocet == 200 ? std::sqrt(ctverce / pocet) : 1e9;
}

TEST(LensRig, Version2FilesRoundTripAndTheTriangulationUndoesTheDistortion) {
  const RigKamer pravda = rig_s_objektivy(-0.25);
  // The file reads back the same numbers, and OpenCV reads its matrices.
  const std::string text = text_rigu(pravda);
  RigKamer zpet;
  std::string chyba;
  ASSERT_TRUE(precti_rig(text, "rig.yml", &zpet, &chyba)) << chyba;
  EXPECT_EQ(zpet.verze, 2);
  for (int c = 0; c < 2; c++)
    for (int i = 0; i < 9; i++) EXPECT_EQ(zpet.objektiv[c].matice[i], pravda.objektiv[c].matice[i]);
  cv::FileStorage fs(text, cv::FileStorage::READ | cv::FileStorage::MEMORY);
  cv::Mat k, d;
  fs["camera2"]["camera_matrix"] >> k;
  fs["camera2"]["distortion"] >> d;
  EXPECT_EQ(k.at<double>(0, 0), 615);
  EXPECT_EQ(d.at<double>(0, 0), -0.25);
  // Whole pixels through the lens give points as good as whole pixels of
  // lenses without distortion do (rounding alone: about 1.5 units in depth
  // at 500 with these cameras); the same rig without its distortion is far
  // off.
  RigKamer bez = zpet;
  for (auto& o : bez.objektiv) std::fill(o.zkresleni, o.zkresleni + 5, 0.0);
  const double zaokrouhleni = chyba_triangulace(bez, bez);
  const double s_objektivem = chyba_triangulace(pravda, zpet);
  const double bez_objektivu = chyba_triangulace(pravda, bez);
  EXPECT_LT(s_objektivem, 1.2 * zaokrouhleni);
  EXPECT_GT(bez_objektivu, 2 * s_objektivem);
  std::printf("whole-pixel RMS: %.3f without distortion, %.3f through the lens, %.3f ignoring it\n", zaokrouhleni,
              s_objektivem, bez_objektivu);
  // Refusals name the field.
  std::string spatny = text;
  spatny.replace(spatny.find("image_size: [ 640, 480 ]"), 24, "image_size: [ 640 ]");
  EXPECT_FALSE(precti_rig(spatny, "rig.yml", &zpet, &chyba));
  EXPECT_EQ(chyba, "rig.yml: image_size: expected two positive whole numbers (width, height)");
}

// pairs_to_points with a version 2 rig: every sound pair rounded to whole
// pixels is kept, pairs whose rows disagree by 15 pixels (a wrong code)
// are dropped, and a rig made for other images is refused naming both
// sizes.
TEST(LensRig, PairsToPointsKeepsSoundPairsAndChecksTheImageSize) {
  const RigKamer pravda = rig_s_objektivy(-0.25);
  const std::string adresar = novy_adresar("lens-pairs");
  const std::string rig = text_rigu(pravda);
  ASSERT_TRUE(zapis_soubor(adresar + "/rig.yml", std::vector<unsigned char>(rig.begin(), rig.end())));
  std::string data = "302\n391\n123\n310\n556\n393\n377\n315\n497\n271\n387\n192\nM\n60\n";
  int zdravych = 0, spatnych = 0;
  for (int i = 0; i < 400; i++) {
    const cv::Point3d x(30 + 200 * std::sin(i * 0.7), 150 * std::cos(i * 1.3), 450 + 150 * std::sin(i * 0.3));
    const cv::Point2d a = pixel(pravda, 0, x), b = pixel(pravda, 1, x);
    const long p[4] = {std::lround(a.x), std::lround(a.y), std::lround(b.x), std::lround(b.y) + (i % 10 == 0 ? 15 : 0)};
    if (p[0] < 0 || p[0] > 639 || p[2] < 0 || p[2] > 639 || p[1] < 0 || p[1] > 479 || p[3] < 0 || p[3] > 479) continue;
    for (long v : p) data += std::to_string(v) + "\n";
    (i % 10 == 0 ? spatnych : zdravych)++;
  }
  ASSERT_GT(zdravych, 200);
  data += "Q\n";
  ASSERT_TRUE(zapis_soubor(adresar + "/data.txt", std::vector<unsigned char>(data.begin(), data.end())));
  const VysledekBehu beh = spust_program(PAIRS_TO_POINTS_PATH, adresar, "", 120);
  ASSERT_EQ(beh.kod, 0) << beh.chyby;
  EXPECT_NE(beh.vystup.find("points written: " + std::to_string(zdravych) + ", pairs dropped: " +
                            std::to_string(spatnych)),
            std::string::npos)
      << beh.vystup;

  RigKamer jiny = pravda;
  jiny.sirka = 1280;
  jiny.vyska = 960;
  const std::string text = text_rigu(jiny);
  ASSERT_TRUE(zapis_soubor(adresar + "/rig.yml", std::vector<unsigned char>(text.begin(), text.end())));
  const VysledekBehu odmitnuti = spust_program(PAIRS_TO_POINTS_PATH, adresar, "", 120);
  EXPECT_EQ(odmitnuti.kod, 1);
  EXPECT_NE(odmitnuti.chyby.find("rig.yml: image_size: 1280 x 960, but the images are 640 x 480"), std::string::npos)
      << odmitnuti.chyby;
}

std::string zapis_snimky(const SnimkySachovnice& s, const std::string& adresar, std::vector<std::string>* jmena) {
  for (std::size_t i = 0; i < s.snimky[0].size(); i++)
    for (int c = 0; c < 2; c++) {
      const std::string jmeno = "board" + std::to_string(i) + "_" + std::to_string(c + 1) + (i % 3 == 0 ? ".jpg" : ".png");
      EXPECT_TRUE(cv::imwrite(adresar + "/" + jmeno, s.snimky[c][i]));
      jmena->push_back(jmeno);
    }
  return adresar;
}

// The RMS of the turned points of viewer_polar against the scene's truth
// after the best rigid alignment (the rig's frame is camera 1's), as the
// accuracy report prints it; negative when a step fails.
double rms_rekonstrukce(const std::string& adresar, const std::string& rig) {
  if (!zapis_soubor(adresar + "/rig.yml", std::vector<unsigned char>(rig.begin(), rig.end()))) return -1;
  const VysledekBehu polar = spust_program(VIEWER_POLAR_PATH, adresar, "", 300, {}, {"--no-window"});
  if (polar.kod != 0) return -1;
  const VysledekBehu zprava = spust_program(ACCURACY_REPORT_PATH, "/", "", 300, {}, {adresar});
  const std::size_t kde = zprava.vystup.find("all, after the best rigid alignment");
  return kde == std::string::npos ? -1 : std::atof(zprava.vystup.c_str() + kde + 36);
}

// The sample with webcam-like lenses (k1 = -0.25) and 15 chessboard pairs,
// a third of them as JPEG, one as 16-bit PNG, one pair without a board
// and one whose board moved between its photographs: calibrate_rig recovers both cameras, the board measures back
// within 1 %, the report is drawn, and the markers reconstructed with the
// calibrated rig are as good as with the true one, while the same rig
// without its distortion is far off.
TEST(CalibrateRig, CalibratesTheLensSampleAsWellAsItsTrueRig) {
  const std::string adresar = novy_adresar("calibrate");
  const VysledekBehu vzorek =
      spust_program(MAKE_SAMPLE_SCENE_PATH, "/", "", 300, {}, {"--out", adresar, "--lens", "-0.25", "--chessboard", "15"});
  ASSERT_EQ(vzorek.kod, 0) << vzorek.chyby;
  const std::size_t kde_ctverce = vzorek.vystup.find("--square ");
  ASSERT_NE(kde_ctverce, std::string::npos) << vzorek.vystup;
  const std::string ctverec = vzorek.vystup.substr(kde_ctverce + 9, vzorek.vystup.find(' ', kde_ctverce + 9) - kde_ctverce - 9);
  std::vector<std::string> argumenty = {"--board", "9x6", "--square", ctverec, "--report", "report"};
  for (int i = 1; i <= 15; i++)
    for (int c = 1; c <= 2; c++) {
      char jmeno[32];
      std::snprintf(jmeno, sizeof jmeno, "chessboard_%02d_%d", i, c);
      const cv::Mat snimek = cv::imread(adresar + "/" + jmeno + ".png", cv::IMREAD_UNCHANGED);
      std::string soubor = std::string(jmeno) + ".png";
      if (i % 3 == 0) {
        soubor = std::string(jmeno) + ".jpg";
        ASSERT_TRUE(cv::imwrite(adresar + "/" + soubor, snimek));
      } else if (i == 7) {
        cv::Mat sestnact;
        snimek.convertTo(sestnact, CV_16U, 257.0);
        ASSERT_TRUE(cv::imwrite(adresar + "/" + soubor, sestnact));
      }
      argumenty.push_back(soubor);
    }
  ASSERT_TRUE(cv::imwrite(adresar + "/blank.png", cv::Mat(480, 640, CV_8U, cv::Scalar(128))));
  // A pair without a board, and a pair whose board moved between the two
  // photographs (each image fine on its own).
  argumenty.insert(argumenty.end(), {"blank.png", "chessboard_01_2.png", "chessboard_02_1.png", "chessboard_05_2.png"});
  const VysledekBehu beh = spust_program(CALIBRATE_RIG_PATH, adresar, "", 600, {}, argumenty);
  ASSERT_EQ(beh.kod, 0) << beh.chyby << beh.vystup;
  std::printf("%s", beh.vystup.c_str());
  EXPECT_NE(beh.chyby.find("blank.png, chessboard_01_2.png: no complete board"), std::string::npos) << beh.chyby;
  EXPECT_NE(beh.chyby.find("chessboard_02_1.png, chessboard_05_2.png: an error of"), std::string::npos) << beh.chyby;
  EXPECT_NE(beh.vystup.find("views: 15 pairs used"), std::string::npos);
  RigKamer rig, pravda;
  std::string chyba;
  ASSERT_TRUE(nacti_rig(adresar + "/rig.yml", &rig, &chyba)) << chyba;
  ASSERT_TRUE(nacti_rig(adresar + "/rig_truth.yml", &pravda, &chyba)) << chyba;
  // Each camera matrix within 0.5 %: the focal lengths within 0.5 % of
  // themselves, the principal point within 0.5 % of the focal length (the
  // optical axis within 0.3 degrees).
  for (int c = 0; c < 2; c++) {
    const double* k = rig.objektiv[c].matice;
    const double* p = pravda.objektiv[c].matice;
    for (int i : {0, 4}) EXPECT_NEAR(k[i], p[i], 0.005 * p[i]) << "camera " << c + 1 << ", entry " << i;
    for (int i : {2, 5}) EXPECT_NEAR(k[i], p[i], 0.005 * p[0]) << "camera " << c + 1 << ", entry " << i;
    EXPECT_NEAR(rig.objektiv[c].zkresleni[0], -0.25, 0.02);
  }
  // The board measured back: below 1 % RMS.
  const std::size_t kde = beh.vystup.find("RMS ", beh.vystup.find("board measured back"));
  ASSERT_NE(kde, std::string::npos);
  const double procent = std::atof(beh.vystup.c_str() + beh.vystup.find('(', kde) + 1);
  EXPECT_LT(procent, 1.0) << beh.vystup;
  EXPECT_TRUE(existuje(adresar + "/report/rms_per_view.png"));
  EXPECT_TRUE(existuje(adresar + "/report/view01_camera2.png"));

  const std::string kalibrovany = precti_soubor(adresar + "/rig.yml");
  RigKamer bez = pravda;
  for (auto& o : bez.objektiv) std::fill(o.zkresleni, o.zkresleni + 5, 0.0);
  const double s_kalibraci = rms_rekonstrukce(adresar, kalibrovany);
  const double s_pravdou = rms_rekonstrukce(adresar, precti_soubor(adresar + "/rig_truth.yml"));
  const double bez_zkresleni = rms_rekonstrukce(adresar, text_rigu(bez));
  std::printf("marker RMS: %.4f with the true rig, %.4f calibrated, %.4f without distortion\n", s_pravdou,
              s_kalibraci, bez_zkresleni);
  ASSERT_GT(s_pravdou, 0);
  EXPECT_GT(s_kalibraci, 0);
  EXPECT_LT(s_kalibraci, 1.2 * s_pravdou);
  EXPECT_GT(bez_zkresleni, 2 * s_pravdou);
}

TEST(CalibrateRig, BadInputIsRefusedWithOneMessageAndWritesNothing) {
  const RigKamer pravda = rig_s_objektivy(-0.25);
  const std::string adresar = novy_adresar("calibrate-bad");
  std::vector<std::string> jmena;
  zapis_snimky(vyfot_sachovnici(pravda, 4, cv::Size(9, 6), 25.0, 1.0, 5), adresar, &jmena);
  cv::imwrite(adresar + "/small.png", cv::Mat(100, 100, CV_8U, cv::Scalar(128)));
  cv::imwrite(adresar + "/blank.png", cv::Mat(480, 640, CV_8U, cv::Scalar(128)));
  std::FILE* f = std::fopen((adresar + "/broken.png").c_str(), "w");
  std::fputs("not an image", f);
  std::fclose(f);
  ASSERT_TRUE(zapis_soubor(adresar + "/rig.yml", {'k', 'e', 'e', 'p'}));
  const std::vector<std::string> deska = {"--board", "9x6", "--square", "25"};
  const auto s = [&](std::vector<std::string> a) {
    a.insert(a.begin(), deska.begin(), deska.end());
    return a;
  };
  std::vector<std::string> stejne;
  for (int i = 0; i < 5; i++) stejne.insert(stejne.end(), {jmena[0], jmena[1]});
  std::vector<std::string> prazdne;
  for (int i = 0; i < 5; i++) prazdne.insert(prazdne.end(), {"blank.png", "blank.png"});
  const struct {
    std::vector<std::string> argumenty;
    int kod;
    const char* zprava;
  } pripady[] = {
      {s({jmena[0], jmena[1], jmena[2]}), 1, "the images come in pairs"},
      {s({jmena[0], "broken.png"}), 1, "broken.png: cannot be read as an image"},
      {s({jmena[0], "small.png"}), 1, "small.png: 100 x 100 pixels"},
      {s(prazdne), 1, "at least 4 are needed"},
      {s(stejne), 1, "the same pose"},
      {{"--board", "9x", "--square", "25", jmena[0], jmena[1]}, 2, "--board: expected COLSxROWS"},
      {{"--board", "1x1", "--square", "25", jmena[0], jmena[1]}, 2, "--board: expected COLSxROWS"},
      {{"--board", "9x6", "--square", "0", jmena[0], jmena[1]}, 2, "--square: expected a positive number"},
      {{"--board", "9x6", "--square", "-3", jmena[0], jmena[1]}, 2, "--square: expected a positive number"},
  };
  for (const auto& p : pripady) {
    const VysledekBehu beh = spust_program(CALIBRATE_RIG_PATH, adresar, "", 300, {}, p.argumenty);
    EXPECT_EQ(beh.kod, p.kod) << p.zprava << "\n" << beh.chyby;
    EXPECT_NE(beh.chyby.find(p.zprava), std::string::npos) << beh.chyby;
    EXPECT_EQ(precti_soubor(adresar + "/rig.yml"), "keep");
  }
}

}  // namespace
