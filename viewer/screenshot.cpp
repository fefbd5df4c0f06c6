// One frame as a PNG file, encoded by OpenCV's image codecs.
#include "viewer/screenshot.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <utility>
#include <vector>

#include "common/messages.h"
#include "reconstruction/atomic_file.h"
#include "reconstruction/scene_tables.h"
#include "viewer/window.h"

bool uloz_snimek_obrazovky(const std::string& cesta, std::string* chyba) {
  mouseMovement(540, 360);
  std::vector<unsigned char> rgb;
  display_a_precti(&rgb);
  // The codec takes blue, green, red.
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
  std::vector<unsigned char> png;
  try {
    if (!cv::imencode(".png", cv::Mat(yscr, xscr, CV_8UC3, rgb.data()), png)) png.clear();
  } catch (const cv::Exception&) {
    png.clear();
  }
  if (png.empty()) {
    if (chyba != nullptr) *chyba = zprava(cesta, "cannot be written (the PNG encoder failed)");
    return false;
  }
  return zapis_atomicky(cesta, std::string(png.begin(), png.end()), chyba);
}
