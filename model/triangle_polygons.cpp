// Triangles of the segment graph into model1.
#include "model/triangle_polygons.h"

#include "model/instruction_pool.h"

void trojuhelniky_do_modelu(const std::vector<PolygonInstrukce*>& instrukce,
                            const std::vector<TrojuhelnikGrafu>& trojuhelniky,
                            const std::function<void(int, Polygon3D*)>& obarvi) {
  for (const TrojuhelnikGrafu& t : trojuhelniky) {
    auto* polygon = new Polygon3D(instrukce[t.p]);
    pridej_instrukci(polygon, instrukce[t.q]);
    pridej_instrukci(polygon, instrukce[t.r]);
    pridej_polygon(model1, polygon);
    obarvi(t.p, polygon);
  }
}

void vytvor_trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                         const std::vector<UseckaGrafu>& usecky,
                         const std::function<void(int, Polygon3D*)>& obarvi) {
  trojuhelniky_do_modelu(instrukce, trojuhelniky_grafu(usecky, instrukce.size()).trojuhelniky, obarvi);
}
