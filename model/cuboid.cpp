// Cuboid primitive.
#include "model/cuboid.h"

#include "model/instruction_pool.h"

void kvadr(float x, float y, float z, float dx, float dy, float dz, unsigned short cervena,
           unsigned short zelena, unsigned short modra, Seznam<Polygon3D*>* seznam) {
  const float rohy[8][3] = {{x - dx, y - dy, z - dz}, {x + dx, y - dy, z - dz},
                            {x + dx, y + dy, z - dz}, {x - dx, y + dy, z - dz},
                            {x - dx, y - dy, z + dz}, {x + dx, y - dy, z + dz},
                            {x + dx, y + dy, z + dz}, {x - dx, y + dy, z + dz}};
  int sloty[8];
  if (!rezervuj_instrukce(8)) return;
  for (int c = 0; c < 8; c++) sloty[c] = nova_instrukce(rohy[c][0], rohy[c][1], rohy[c][2]);
  const int steny[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 4, 5, 1},
                           {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}};
  Polygon3D* polygony[6];
  for (int f = 0; f < 6; f++) {
    polygony[f] = new Polygon3D(instrukce_polygonu[sloty[steny[f][0]]]);
    for (int k = 1; k < 4; k++) pridej_instrukci(polygony[f], instrukce_polygonu[sloty[steny[f][k]]]);
  }
  for (Polygon3D* stena : polygony) {
    pridej_polygon(*seznam, stena);
    stena->cervena = cervena;
    stena->zelena = zelena;
    stena->modra = modra;
  }
}
