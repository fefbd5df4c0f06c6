// Combine vertices and the coordinates the tessellator is given.
#include "viewer/tessellator_vertices.h"

#include <cmath>

#include "viewer/graphics_calls.h"

double* NoveVrcholy::pridej(const GLdouble souradnice[3]) {
  vrcholy_.push_front({souradnice[0], souradnice[1], souradnice[2]});
  return vrcholy_.front().data();
}

void combineCallback(GLdouble souradnice[3], void* data[4], GLfloat /*vahy*/[4], void** vysledek,
                     void* nove_vrcholy) {
  const double* prvni = static_cast<const double*>(data[0]);
  if (prvni != nullptr && prvni[0] == souradnice[0] && prvni[1] == souradnice[1] &&
      prvni[2] == souradnice[2]) {
    *vysledek = data[0];
    return;
  }
  if (nove_vrcholy == nullptr) return;
  *vysledek = static_cast<NoveVrcholy*>(nove_vrcholy)->pridej(souradnice);
}

void predej_teselatoru(GLUtesselator* tess, double* v) {
  const double puvodni[3] = {v[0], v[1], v[2]};
  for (int k = 0; k < 3; k++)
    if (std::fabs(v[k]) < nejmensi_souradnice_teselatoru) v[k] = 0.0;
  grafika.tess_vertex(tess, v, v);
  for (int k = 0; k < 3; k++) v[k] = puvodni[k];
}
