// The instruction walk of the filled and outlined polygon drawing.
#include "viewer/polygon_walk.h"

#include <cmath>
#include <limits>

#include "model/numeric_helpers.h"
#include "viewer/arc.h"
#include "viewer/drawing_trace.h"
#include "viewer/graphics_calls.h"
#include "viewer/polygon_fill.h"
#include "viewer/tessellator_vertices.h"

namespace {

constexpr float tolerance = 0.00001f;

class Chodec {
 public:
  Chodec(Kresba kresba, std::FILE* stopa) : kresba_(kresba), stopa_(stopa) {}

  void projdi(Polygon3D* polygon) {
    zacni();
    PrvekSeznamu<PolygonInstrukce*>* e = polygon->instrukce.Prvni();
    if (kresba_ == Kresba::obrys && e != nullptr) zapis_stopu(stopa_, "zac\n");
    while (e != nullptr) {
      PolygonInstrukce* ins = e->hodnota;
      switch (ins->TypInstrukce()) {
        case PolygonInstrukce::bod:
          bod(*ins);
          break;
        case PolygonInstrukce::konec:
          if (kresba_ == Kresba::obrys) zapis_stopu(stopa_, "konec\n");
          dalsi_obrys();
          break;
        default: {
          if (kresba_ == Kresba::obrys) zapis_stopu(stopa_, "oblouk\n");
          PrvekSeznamu<PolygonInstrukce*>* konec_oblouku = e->dalsi;
          PrvekSeznamu<PolygonInstrukce*>* stred_oblouku =
              konec_oblouku != nullptr ? konec_oblouku->dalsi : nullptr;
          if (stred_oblouku == nullptr) {
            zapis_stopu(stopa_, "neuplny oblouk\n");
            e = nullptr;
            continue;
          }
          oblouk(*konec_oblouku->hodnota, *stred_oblouku->hodnota);
          e = stred_oblouku;
          break;
        }
      }
      e = e->dalsi;
    }
    skonci();
    zapis_stopu(stopa_, "vertexu:%d\n", n_);
    if (vynechano_ > 0) zapis_stopu(stopa_, "vynechanych vertexu:%d\n", vynechano_);
    if (neciselnych_ > 0) zapis_stopu(stopa_, "vynechanych neciselnych vertexu:%d\n", neciselnych_);
  }

 private:
  void zacni() {
    if (kresba_ == Kresba::obrys) {
      zapis_stopu(stopa_, "zobrazeni...\n");
      grafika.begin(GL_LINE_LOOP);
    } else {
      grafika.tess_begin_polygon(tobj, &nove_vrcholy_);
      grafika.tess_begin_contour(tobj);
    }
  }

  void dalsi_obrys() {
    if (kresba_ == Kresba::obrys) {
      grafika.end();
      grafika.begin(GL_LINE_LOOP);
    } else {
      grafika.tess_end_contour(tobj);
      grafika.tess_begin_contour(tobj);
    }
  }

  void skonci() {
    if (kresba_ == Kresba::obrys) {
      grafika.end();
    } else {
      grafika.tess_end_contour(tobj);
      grafika.tess_end_polygon(tobj);
    }
  }

  void vrchol(double x, double y, double z) {
    // The tessellator fails on coordinates that are not numbers (it crashes
    // inside GLU); such a vertex cannot be drawn anyway.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
      neciselnych_++;
      return;
    }
    if (n_ >= kapacita_vrcholu) {
      vynechano_++;
      return;
    }
    double* v = zasoba_[n_];
    v[0] = x;
    v[1] = y;
    v[2] = z;
    if (kresba_ == Kresba::obrys)
      grafika.vertex3d(v[0], v[1], v[2]);
    else
      predej_teselatoru(tobj, v);
    n_++;
  }

  void bod(const PolygonInstrukce& p) {
    if (kresba_ == Kresba::obrys) zapis_stopu(stopa_, "bod\n");
    const bool duplikat = porovnejfloat(static_cast<float>(predchozi_[0]), p.x, tolerance) == 0 &&
                          porovnejfloat(static_cast<float>(predchozi_[1]), p.y, tolerance) == 0 &&
                          porovnejfloat(static_cast<float>(predchozi_[2]), p.z, tolerance) == 0;
    if (!duplikat) vrchol(p.x, p.y, p.z);
    predchozi_[0] = p.x;
    predchozi_[1] = p.y;
    predchozi_[2] = p.z;
  }

  void oblouk(const PolygonInstrukce& E, const PolygonInstrukce& H) {
    const float a[3] = {static_cast<float>(predchozi_[0]), static_cast<float>(predchozi_[1]),
                        static_cast<float>(predchozi_[2])};
    const float e[3] = {E.x, E.y, E.z};
    const float h[3] = {H.x, H.y, H.z};
    const bool bez_zacatku = std::isnan(predchozi_[0]);
    const bool konecne = std::isfinite(a[0]) && std::isfinite(a[1]) && std::isfinite(a[2]) &&
                         std::isfinite(e[0]) && std::isfinite(e[1]) && std::isfinite(e[2]) &&
                         std::isfinite(h[0]) && std::isfinite(h[1]) && std::isfinite(h[2]);
    double body[vrcholu_oblouku][3];
    if (!bez_zacatku && konecne && vrcholy_oblouku(a, e, h, body, stopa_)) {
      for (const double* v : body) vrchol(v[0], v[1], v[2]);
      for (int k = 0; k < 3; k++) predchozi_[k] = body[vrcholu_oblouku - 1][k];
      return;
    }
    // No circle (no start point, points in line or coinciding, values that
    // are not finite): a straight edge to the end point, if it is a point.
    zapis_stopu(stopa_, "oblouk bez kruznice\n");
    if (E.TypInstrukce() == PolygonInstrukce::bod) {
      vrchol(E.x, E.y, E.z);
      predchozi_[0] = E.x;
      predchozi_[1] = E.y;
      predchozi_[2] = E.z;
    }
  }

  Kresba kresba_;
  std::FILE* stopa_;
  double zasoba_[kapacita_vrcholu][3] = {};
  // Vertices the tessellator creates where edges cross; freed with the walk.
  NoveVrcholy nove_vrcholy_;
  int n_ = 0;
  int vynechano_ = 0;
  int neciselnych_ = 0;
  double predchozi_[3] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::quiet_NaN(), 10000.0};
};

}  // namespace

void projdi_polygon(Polygon3D* polygon, Kresba kresba, std::FILE* stopa) {
  Chodec chodec(kresba, stopa);
  chodec.projdi(polygon);
}
