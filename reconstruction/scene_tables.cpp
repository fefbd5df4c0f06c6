// Definitions of the scene tables and their initialisation before main.
#include "reconstruction/scene_tables.h"

#include <cstring>

float yrot = 180.5f;
float yrot2 = 1.0f;
float speed = 1.0f;
int xscr = 800;
int yscr = 600;
int uhly[9] = {-80, 0, 80, 160, 120, -80, -80, -80, -80};
float stereo_kamera[2][3] = {{0.0f, 0.0f, 0.0f}, {28.5f, 0.0f, 0.3f}};
float stereo_lok[2][3] = {{7.65f, 224.775f, 0.0f}, {-10.425f, 221.4f, 0.3f}};
float policko = 5.69f;
float policko2 = 1.5f;
float x_px = 0.135f;
float y_px = 0.149f;
int b_indexy[6] = {0, 8, 14, 2, 6, 12};

BodData body_data[konfigurace::slotu_dat][konfigurace::bodu_dat_na_slot];
int body_pocty[pocet_poctu];

int pocet_znacek(int slot, int kapacita) {
  const int n = body_pocty[slot];
  return n < 0 ? 0 : (n > kapacita ? kapacita : n);
}
float body_souradnice[slotu_souradnic][konfigurace::souradnic_na_slot][3];
float stereo_body[2][4][3];
float vektor80[2];
float rotace_smerovy[2][3];
float rotace_normalovy[4];
float osa_rotace[2][3];
float body_relativ[16][3];
bool znacka_vynechana[slotu_souradnic][konfigurace::souradnic_na_slot];

int adresy_bodu_global[konfigurace::slotu_dat][konfigurace::adres_na_slot];
std::int32_t usecky_provizorni[kapacita_usecek][2];
int usecky_proviz_pocet;
char usecky_proviz_okraj[konfigurace::ma_okraj_usecek ? kapacita_usecek : 1];
ZaznamUsecky prunik[kapacita_prunik];
int pocetusecek3d;
float pole_bodu[konfigurace::kapacita_pole_bodu][3];
int bodu_celkem;
float teziste[3];

namespace {

// The calibration object: two 3 x 3 grids of spacing p on two perpendicular
// faces sharing the column of marks 0, 1, 2, and mark 15 off the grid.
void spocti_body_relativ() {
  const float p = policko;
  const float p2 = policko + policko;
  const float q = p2 + policko2;
  const float poloha[16][3] = {
      {0, 0, 0},  {0, p, 0},  {0, p2, 0},  {p, 0, 0},  {p, p, 0},  {p, p2, 0},
      {p2, 0, 0}, {p2, p, 0}, {p2, p2, 0}, {0, 0, p},  {0, p, p},  {0, p2, p},
      {0, 0, p2}, {0, p, p2}, {0, p2, p2}, {0, q, q}};
  std::memcpy(body_relativ, poloha, sizeof body_relativ);
}

struct StatickaInicializace {
  StatickaInicializace() { spocti_body_relativ(); }
} staticka_inicializace;

}  // namespace

void vynuluj_tabulky_sceny() {
  std::memset(body_data, 0, sizeof body_data);
  std::memset(body_pocty, 0, sizeof body_pocty);
  std::memset(body_souradnice, 0, sizeof body_souradnice);
  std::memset(stereo_body, 0, sizeof stereo_body);
  std::memset(vektor80, 0, sizeof vektor80);
  std::memset(rotace_smerovy, 0, sizeof rotace_smerovy);
  std::memset(rotace_normalovy, 0, sizeof rotace_normalovy);
  std::memset(osa_rotace, 0, sizeof osa_rotace);
  std::memset(znacka_vynechana, 0, sizeof znacka_vynechana);
  std::memset(adresy_bodu_global, 0, sizeof adresy_bodu_global);
  std::memset(usecky_provizorni, 0, sizeof usecky_provizorni);
  usecky_proviz_pocet = 0;
  std::memset(usecky_proviz_okraj, 0, sizeof usecky_proviz_okraj);
  std::memset(prunik, 0, sizeof prunik);
  pocetusecek3d = 0;
  std::memset(pole_bodu, 0, sizeof pole_bodu);
  bodu_celkem = 0;
  std::memset(teziste, 0, sizeof teziste);
  spocti_body_relativ();
}
