// Drawing the surface.
#include "viewer/surface_drawing.h"

#include <cmath>

#include "model/surface_mesh.h"
#include "viewer/graphics_calls.h"
#include "viewer/viewer_tables.h"

namespace {

// Unit direction from the surface's centroid towards the cameras.
void smer_svetla(const Plocha& p, double l[3]) {
  double stred[3] = {0, 0, 0};
  for (const auto& v : p.vrcholy)
    for (int j = 0; j < 3; j++) stred[j] += v[j] / static_cast<double>(p.vrcholy.size());
  const float(*stereo_kamera)[3] = tabulky_prohlizece().stereo_kamera;
  for (int j = 0; j < 3; j++) l[j] = 0.5 * (stereo_kamera[0][j] + stereo_kamera[1][j]) - stred[j];
  const double d = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
  for (int j = 0; j < 3; j++) l[j] = d > 0 ? l[j] / d : 0.0;
}

}  // namespace

void kresli_plochu() {
  const Plocha& p = *tabulky_prohlizece().plocha_skenu;
  if (p.trojuhelniky.empty()) return;
  double l[3];
  smer_svetla(p, l);
  grafika.begin(GL_TRIANGLES);
  for (const auto& t : p.trojuhelniky)
    for (int i : t) {
      const auto& n = p.normaly[static_cast<std::size_t>(i)];
      const double osvetleni = std::fmax(0.0, n[0] * l[0] + n[1] * l[1] + n[2] * l[2]);
      const float jas = static_cast<float>(0.25 + 0.75 * osvetleni);
      grafika.color3f(0.75f * jas, 0.8f * jas, 1.0f * jas);
      const auto& v = p.vrcholy[static_cast<std::size_t>(i)];
      grafika.vertex3f(v[0], v[1], v[2]);
    }
  grafika.end();
}
