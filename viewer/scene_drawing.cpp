// Scene drawing.
#include "viewer/scene_drawing.h"

#include "reconstruction/configuration.h"
#include "reconstruction/scene_records.h"
#include "viewer/camera.h"
#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/polygon_outline.h"
#include "viewer/surface_drawing.h"
#include "viewer/viewer_tables.h"

namespace {

void vrchol(const float* p) { grafika.vertex3f(p[0], p[1], p[2]); }

void kresli_kameru(int c) {
  const TabulkyProhlizece& t = tabulky_prohlizece();
  grafika.color3f(1, 0, 0);
  grafika.begin(GL_LINE_LOOP);
  for (int k = 0; k < 4; k++) vrchol(t.stereo_body[c][k]);
  grafika.end();
  grafika.begin(GL_LINES);
  for (int k = 0; k < 4; k++) {
    vrchol(t.stereo_kamera[c]);
    vrchol(t.stereo_body[c][k]);
  }
  grafika.end();
  if constexpr (konfigurace::kresli_pohledove_cary) {
    grafika.color3f(1, 0, 1);
    grafika.begin(GL_LINES);
    vrchol(t.stereo_kamera[c]);
    vrchol(t.stereo_lok[c]);
    grafika.end();
  }
}

// Segment colour in viewer_projection: magenta for flag 0, yellow otherwise.
[[maybe_unused]] void barva_usecky(const ZaznamUseckySPriznakem& u) {
  if (u.priznak == 0)
    grafika.color3f(1, 0, 1);
  else
    grafika.color3f(1, 1, 0);
}
[[maybe_unused]] void barva_usecky(const ZaznamUseckyBezPriznaku&) {}

void kresli_usecky() {
  if constexpr (!konfigurace::prunik_s_priznakem) grafika.color3f(1, 0, 1);
  const TabulkyProhlizece& t = tabulky_prohlizece();
  const int n = *t.pocetusecek3d;
  const int pocet = n < 0 ? 0 : (n > kapacita_prunik ? kapacita_prunik : n);
  for (int s = 0; s < pocet; s++) {
    barva_usecky(t.prunik[s]);
    grafika.begin(GL_LINES);
    vrchol(&t.prunik[s].p[0]);
    vrchol(&t.prunik[s].p[3]);
    grafika.end();
  }
}

void kresli_model(std::FILE* stopa) {
  for (PrvekSeznamu<Polygon3D*>* e = tabulky_prohlizece().model1->Prvni(); e != nullptr; e = e->dalsi) {
    Polygon3D* p = e->hodnota;
    grafika.color3ub(static_cast<GLubyte>(p->cervena & 0xFF), static_cast<GLubyte>(p->zelena & 0xFF),
                     static_cast<GLubyte>(p->modra & 0xFF));
    Zobraz(p, stopa);
    grafika.color3f(0, 0, 0);
    Obrys(p, stopa);
  }
}

void kresli_kalibracni_znacky() {
  static const int spojnice[11][2] = {{0, 2},  {3, 5},  {6, 8},  {9, 11}, {12, 14}, {0, 6},
                                      {1, 7},  {2, 8},  {0, 12}, {1, 13}, {2, 14}};
  grafika.color3f(0.5f, 0.5f, 0);
  const float(*body_relativ)[3] = tabulky_prohlizece().body_relativ;
  grafika.begin(GL_LINES);
  for (const int* s : spojnice) {
    vrchol(body_relativ[s[0]]);
    vrchol(body_relativ[s[1]]);
  }
  grafika.end();
  grafika.color3f(1, 1, 0);
  for (int k = 0; k < 16; k++) nakreslibod(body_relativ[k], 0.2f);
}

}  // namespace

void nakreslibod(const float* p, float size) {
  grafika.begin(GL_LINES);
  grafika.vertex3f(p[0] - size, p[1], p[2]);
  grafika.vertex3f(p[0] + size, p[1], p[2]);
  grafika.vertex3f(p[0], p[1] - size, p[2]);
  grafika.vertex3f(p[0], p[1] + size, p[2]);
  grafika.vertex3f(p[0], p[1], p[2] - size);
  grafika.vertex3f(p[0], p[1], p[2] + size);
  grafika.end();
}

void ZobrazPolygony(List<Polygon3D*> seznam) {
  const TabulkyProhlizece& t = tabulky_prohlizece();
  t.zapis_log("COUNTITEM:%d\n", t.pocet_polygonu(seznam));
  if (t.pocet_polygonu(seznam) > 0)
    for (PrvekSeznamu<Polygon3D*>* e = seznam.getvalfirst(); e != nullptr; e = e->dalsi)
      Zobraz(e->hodnota);
  t.zapis_log("vsechny zobrazeny\n");
}

void display3D(const StavProhlizece& stav) {
  grafika.matrix_mode(GL_MODELVIEW);
  grafika.viewport(0, 0, *tabulky_prohlizece().xscr, *tabulky_prohlizece().yscr);
  grafika.enable(GL_DEPTH_TEST);
  movefunc3D();
  pohled3D(stav.ma_soustavu_pohledu ? stav.matice_pohledu : nullptr);
  kresli_kameru(0);
  kresli_kameru(1);
  if (stav.zobrazena_plocha) {
    kresli_plochu();
  } else {
    kresli_model(stopa_snimku(stav));
    kresli_usecky();
  }
  if constexpr (konfigurace::kresli_kalibracni_znacky) kresli_kalibracni_znacky();
}

void display3D() { display3D(stav_bez_behu()); }
