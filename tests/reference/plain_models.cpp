// Plain reference builders.
#include "tests/reference/plain_models.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

#include "model/instruction_pool.h"
#include "model/numeric_helpers.h"
#include "model/polar_model.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"

namespace {

struct Kandidat {
  float vzdalenost;
  int partner;
};

float vzdalenost(BodRoviny a, BodRoviny b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool krizi(BodRoviny P, BodRoviny D, BodRoviny Q, BodRoviny E) {
  const float p[2] = {P.x, P.y}, d[2] = {D.x, D.y}, q[2] = {Q.x, Q.y}, e[2] = {E.x, E.y};
  for (int poradi = 0; poradi < faktorial(2); poradi++) {
    const int row = poradi == 0 ? 0 : 1;
    const int col = 1 - row;
    if (porovnejfloat(d[row], 0, 0.0001f) == 0) continue;
    const float den = static_cast<float>(static_cast<double>(e[row]) * d[col] / d[row] - e[col]);
    if (porovnejfloat(den, 0, 0.0001f) == 0) continue;
    const float u = static_cast<float>((static_cast<double>(q[col]) - p[col] +
                                        static_cast<double>(d[col]) / d[row] * (static_cast<double>(p[row]) - q[row])) /
                                       den);
    const float t = static_cast<float>((static_cast<double>(q[row]) - p[row] + static_cast<double>(e[row]) * u) / d[row]);
    return 0 < u && u < 1 && 0 < t && t < 1;
  }
  return false;
}

bool pripustna(const std::vector<BodRoviny>& body, int i, int j) {
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    const int a = usecky_provizorni[s][0];
    const int b = usecky_provizorni[s][1];
    if (a == i) {
      if (b == j) return false;
    } else if (b == i) {
      if (a == j) return false;
    } else if (a != j && b != j) {  // a segment sharing the end j never blocks
      const BodRoviny D{body[j].x - body[i].x, body[j].y - body[i].y};
      const BodRoviny E{body[b].x - body[a].x, body[b].y - body[a].y};
      if (krizi(body[i], D, body[a], E)) return false;
    }
  }
  return true;
}

// Recomputes the candidate of i; true when an admissible partner was found.
bool prepocitej(const std::vector<BodRoviny>& body, std::vector<Kandidat>& kandidati, int i) {
  kandidati[i] = {65535, -1};
  bool nalezen = false;
  for (int j = 0; j < static_cast<int>(body.size()); j++) {
    if (j == i) continue;
    const float d = vzdalenost(body[i], body[j]);
    if (d < kandidati[i].vzdalenost && pripustna(body, i, j)) {
      kandidati[i] = {d, j};
      nalezen = true;
    }
  }
  return nalezen;
}

// Emits the triangles of the current segment list; returns the use counters.
std::vector<int> trojuhelniky(const std::vector<PolygonInstrukce*>& instrukce,
                              const std::function<void(int, Polygon3D*)>& obarvi) {
  std::vector<int> pouziti(static_cast<std::size_t>(usecky_proviz_pocet), 0);
  for (int p = 0; p < static_cast<int>(instrukce.size()); p++) {
    std::vector<std::pair<int, int>> incidentni;
    for (int s = 0; s < usecky_proviz_pocet; s++) {
      if (usecky_provizorni[s][0] == p) incidentni.push_back({s, usecky_provizorni[s][1]});
      else if (usecky_provizorni[s][1] == p) incidentni.push_back({s, usecky_provizorni[s][0]});
    }
    for (std::size_t j = 0; j < incidentni.size(); j++) {
      for (std::size_t k = j + 1; k < incidentni.size(); k++) {
        const int q = incidentni[j].second;
        const int r = incidentni[k].second;
        int nalezena = -1;
        for (int s = 0; s < usecky_proviz_pocet; s++) {
          if ((usecky_provizorni[s][0] == q && usecky_provizorni[s][1] == r) ||
              (usecky_provizorni[s][0] == r && usecky_provizorni[s][1] == q)) {
            nalezena = s;
            break;
          }
        }
        if (nalezena == -1) continue;
        pouziti[nalezena]++;
        pouziti[incidentni[j].first]++;
        pouziti[incidentni[k].first]++;
        Polygon3D* polygon = new Polygon3D(instrukce[p]);
        novyprvek2 = new PrvekSeznamu<PolygonInstrukce*>(instrukce[q]);
        polygon->instrukce.Pridej(novyprvek2);
        novyprvek2 = new PrvekSeznamu<PolygonInstrukce*>(instrukce[r]);
        polygon->instrukce.Pridej(novyprvek2);
        novyprvek = new PrvekSeznamu<Polygon3D*>(polygon);
        model1.Pridej(novyprvek);
        obarvi(p, polygon);
      }
    }
  }
  return pouziti;
}

int omezeny_pocet(int slot, int nejvice) {
  if (slot >= slotu_souradnic || body_pocty[slot] < 0) return 0;
  return body_pocty[slot] < nejvice ? body_pocty[slot] : nejvice;
}

template <class Zaznam>
void vynuluj_priznak(Zaznam& z) {
  if constexpr (konfigurace::prunik_s_priznakem) z.priznak = 0;
  else (void)z;
}

bool pridej_zaznam(const float a[3], const float b[3], bool s_priznakem, bool* ohlaseno) {
  if (pocetusecek3d >= kapacita_prunik) {
    if (!*ohlaseno) zapis_log("prunik is full (%d records): further segments are not recorded\n", kapacita_prunik);
    *ohlaseno = true;
    return false;
  }
  for (int c = 0; c < 3; c++) {
    prunik[pocetusecek3d].p[c] = a[c];
    prunik[pocetusecek3d].p[3 + c] = b[c];
  }
  if (s_priznakem) vynuluj_priznak(prunik[pocetusecek3d]);
  pocetusecek3d++;
  return true;
}

}  // namespace

void rust_usecek_doslovne(const std::vector<BodRoviny>& body, const NastaveniRustu& nastaveni) {
  usecky_proviz_pocet = 0;
  const int n = static_cast<int>(body.size());
  std::vector<Kandidat> kandidati(static_cast<std::size_t>(n), Kandidat{65535, -1});
  int par_a = -1, par_b = -1;
  float par_delka = 65535;

  auto plny_pruchod = [&] {
    par_a = par_b = -1;
    par_delka = 65535;
    for (int i = 0; i < n; i++) {
      prepocitej(body, kandidati, i);
      if (kandidati[i].vzdalenost < par_delka) {
        par_a = i;
        par_b = kandidati[i].partner;
        par_delka = kandidati[i].vzdalenost;
      }
    }
  };

  plny_pruchod();
  if (nastaveni.po_uvodnim_pruchodu) nastaveni.po_uvodnim_pruchodu();
  for (int k = 0;; k++) {
    if (nastaveni.na_zacatku_kroku) nastaveni.na_zacatku_kroku(k);
    if (n != 0 && k % n == 0) plny_pruchod();
    const int a = par_a, b = par_b;
    par_delka = 65535;
    bool nalezen = false;
    if (a != -1) {
      if (prepocitej(body, kandidati, a)) nalezen = true;
      if (kandidati[a].vzdalenost < par_delka) {
        par_a = a;
        par_b = kandidati[a].partner;
        par_delka = kandidati[a].vzdalenost;
      }
      if (b != -1) {
        if (prepocitej(body, kandidati, b)) nalezen = true;
        if (kandidati[b].vzdalenost < par_delka) {
          par_a = b;
          par_b = kandidati[b].partner;
          par_delka = kandidati[b].vzdalenost;
        }
      }
    }
    if (usecky_proviz_pocet >= 4000) {
      zapis_log("prekrocen max usecek!!!\n");
      break;
    }
    if (nalezen && par_a != -1 && par_b != -1) {
      usecky_provizorni[usecky_proviz_pocet][0] = par_a;
      usecky_provizorni[usecky_proviz_pocet][1] = par_b;
      usecky_proviz_pocet++;
      if (nastaveni.po_pridani_usecky) nastaveni.po_pridani_usecky(usecky_proviz_pocet - 1, par_a, par_b);
    }
    if (nastaveni.na_konci_kroku) nastaveni.na_konci_kroku(k);
    if (k > nastaveni.posledni_krok) break;
  }
}

void postav_polar_model_doslovne() {
  std::printf("Vytvari se polarni model...\n");
  std::printf("Vypocet teziste...\n");
  teziste[0] = teziste[1] = teziste[2] = 0;
  bodu_celkem = 0;
  for (int slot = 0; slot <= 4; slot++) {
    for (int i = 0; i < omezeny_pocet(slot, 73); i++) {
      if (!znacka_platna(slot, i)) continue;
      pole_bodu[bodu_celkem][0] = body_souradnice[slot][i][0];
      pole_bodu[bodu_celkem][1] = body_souradnice[slot][i][1];
      pole_bodu[bodu_celkem][2] = body_souradnice[slot][i][2];
      bodu_celkem++;
    }
  }
  for (int i = 0; i < bodu_celkem; i++) {
    teziste[0] = static_cast<float>(teziste[0] + static_cast<double>(pole_bodu[i][0]) / bodu_celkem);
    teziste[1] = static_cast<float>(teziste[1] + static_cast<double>(pole_bodu[i][1]) / bodu_celkem);
    teziste[2] = static_cast<float>(teziste[2] + static_cast<double>(pole_bodu[i][2]) / bodu_celkem);
  }
  std::printf("OK\n");
  std::printf("Vypocet polarnich souradnic...\n");
  std::vector<BodRoviny> uhly;
  for (int i = 0; i < bodu_celkem; i++) {
    const double dx = static_cast<double>(pole_bodu[i][0]) - teziste[0];
    const double dy = static_cast<double>(pole_bodu[i][1]) - teziste[1];
    const double dz = static_cast<double>(pole_bodu[i][2]) - teziste[2];
    const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
    uhly.push_back({static_cast<float>(std::acos(dz / r)), static_cast<float>(std::atan2(dy, dx))});
  }
  std::printf("OK\n");
  usecky_proviz_pocet = 0;
  std::printf("Vytvareni 3D bodu...\n");
  std::vector<PolygonInstrukce*> instrukce;
  for (int i = 0; i < bodu_celkem; i++) {
    const int k = PolygonInstrukceAlok();
    instrukce_polygonu[k] = new PolygonInstrukce(pole_bodu[i][0], pole_bodu[i][1], pole_bodu[i][2]);
    instrukce.push_back(instrukce_polygonu[k]);
  }
  std::printf("OK\n");
  std::printf("Vytvareni polarnich usecek...\n");
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 10000;
  nastaveni.na_zacatku_kroku = [](int k) {
    if (k % 100 == 0) std::printf("krok %d z 10000\n", k);
  };
  rust_usecek_doslovne(uhly, nastaveni);
  std::printf("OK\n");
  std::printf("Vytvareni polygonu...\n");
  const std::vector<int> pouziti = trojuhelniky(instrukce, [&](int p, Polygon3D* polygon) {
    polygon->cervena = slozka_barvy_z_uhlu(uhly[p].x);
    polygon->zelena = slozka_barvy_z_uhlu(uhly[p].y);
    polygon->modra = 64;
  });
  std::printf("OK\n");
  bool ohlaseno = false;
  for (int s = 0; s < usecky_proviz_pocet; s++) {
    if (pouziti[s] == 0 &&
        !pridej_zaznam(pole_bodu[usecky_provizorni[s][0]], pole_bodu[usecky_provizorni[s][1]], false, &ohlaseno))
      break;
  }
}

void projection_model3D_doslovne() {
  const float* A = osa_rotace[0];
  const float* B = osa_rotace[1];
  const double oa[3] = {0.0 - A[0], 0.0 - A[1], 0.0 - A[2]};
  const double ob[3] = {0.0 - B[0], 0.0 - B[1], 0.0 - B[2]};
  float n[3] = {static_cast<float>(oa[1] * ob[2] - oa[2] * ob[1]), static_cast<float>(oa[2] * ob[0] - oa[0] * ob[2]),
                static_cast<float>(oa[0] * ob[1] - oa[1] * ob[0])};
  if (porovnejfloat(n[0], 0, 0.0001f) == 0 && porovnejfloat(n[1], 0, 0.0001f) == 0 &&
      porovnejfloat(n[2], 0, 0.0001f) == 0) {
    zapis_log("projection model: turntable axis in line with the origin, no model built\n");
    return;
  }
  double delka = std::sqrt(static_cast<double>(n[0]) * n[0] + static_cast<double>(n[1]) * n[1] +
                           static_cast<double>(n[2]) * n[2]);
  if (delka != 0)
    for (float& c : n) c = static_cast<float>(c / delka);

  const int slotu = konfigurace::slotu_dat;
  const int nejvice = konfigurace::souradnic_na_slot < konfigurace::adres_na_slot ? konfigurace::souradnic_na_slot
                                                                                   : konfigurace::adres_na_slot;
  for (int slot = 0; slot < slotu; slot++) {
    for (int i = 0; i < omezeny_pocet(slot, nejvice); i++) {
      if (!znacka_platna(slot, i)) continue;
      const int k = PolygonInstrukceAlok();
      instrukce_polygonu[k] =
          new PolygonInstrukce(body_souradnice[slot][i][0], body_souradnice[slot][i][1], body_souradnice[slot][i][2]);
      adresy_bodu_global[slot][i] = k;
    }
  }

  float w[3], u[3], v[3];
  delka = std::sqrt(0.1 * 0.1 + 0.1 * 0.1 + 0.1 * 0.1);
  w[0] = static_cast<float>(0.1 / delka);
  w[1] = static_cast<float>(0.1 / delka);
  w[2] = static_cast<float>(-0.1 / delka);
  double x[3] = {static_cast<double>(n[1]) * w[2] - static_cast<double>(n[2]) * w[1],
                 static_cast<double>(n[2]) * w[0] - static_cast<double>(n[0]) * w[2],
                 static_cast<double>(n[0]) * w[1] - static_cast<double>(n[1]) * w[0]};
  delka = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
  for (int c = 0; c < 3; c++) u[c] = static_cast<float>(delka != 0 ? x[c] / delka : x[c]);
  x[0] = static_cast<double>(n[1]) * u[2] - static_cast<double>(n[2]) * u[1];
  x[1] = static_cast<double>(n[2]) * u[0] - static_cast<double>(n[0]) * u[2];
  x[2] = static_cast<double>(n[0]) * u[1] - static_cast<double>(n[1]) * u[0];
  delka = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
  for (int c = 0; c < 3; c++) v[c] = static_cast<float>(delka != 0 ? x[c] / delka : x[c]);

  const double tn = static_cast<double>(teziste[0]) * n[0] + static_cast<double>(teziste[1]) * n[1] +
                    static_cast<double>(teziste[2]) * n[2];
  float pocatky[2][3];
  for (int c = 0; c < 3; c++) {
    pocatky[0][c] = static_cast<float>(teziste[c] + (-50 - tn) * n[c]);
    pocatky[1][c] = static_cast<float>(teziste[c] + (50 - tn) * n[c]);
  }

  std::vector<std::pair<int, int>> seznamy[2];
  std::vector<BodRoviny> roviny[2];
  const int poradi[6][2] = {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
  for (int slot = 0; slot < slotu; slot++) {
    for (int i = 0; i < omezeny_pocet(slot, nejvice); i++) {
      if (!znacka_platna(slot, i)) continue;
      const PolygonInstrukce* ins = instrukce_polygonu[adresy_bodu_global[slot][i]];
      const float p[3] = {ins->x, ins->y, ins->z};
      const double np =
          static_cast<double>(n[0]) * p[0] + static_cast<double>(n[1]) * p[1] + static_cast<double>(n[2]) * p[2];
      const int h = np > 0 ? 0 : 1;
      float pc[3], d[3];
      for (int c = 0; c < 3; c++) {
        pc[c] = static_cast<float>(p[c] + ((h == 0 ? -50 : 50) - np) * n[c]);
        d[c] = static_cast<float>(static_cast<double>(pc[c]) - pocatky[h][c]);
      }
      BodRoviny ab{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()};
      for (const auto& rc : poradi) {
        const int r = rc[0], c = rc[1];
        if (porovnejfloat(v[c], 0, 0.0001f) == 0) continue;
        const float M = static_cast<float>(u[r] - static_cast<double>(u[c]) * v[r] / v[c]);
        if (porovnejfloat(M, 0, 0.0001f) == 0) continue;
        ab.x = static_cast<float>((d[r] - static_cast<double>(d[c]) * v[r] / v[c]) / M);
        ab.y = static_cast<float>((d[c] - static_cast<double>(u[c]) * ab.x) / v[c]);
        break;
      }
      roviny[h].push_back(ab);
      seznamy[h].push_back({slot, i});
    }
  }
  std::printf("OK1\n");

  bool ohlaseno = false;
  for (int h = 0; h < 2; h++) {
    usecky_proviz_pocet = 0;
    NastaveniRustu nastaveni;
    nastaveni.posledni_krok = 4000;
    nastaveni.po_uvodnim_pruchodu = [] {
      zapis_log("TADY TADY TADY\n");
      std::printf("OK2\n");
    };
    nastaveni.na_konci_kroku = [](int k) {
      if (k % 100 == 0) std::printf("krok %d...\n", k);
    };
    nastaveni.po_pridani_usecky = [&](int s, int, int) {
      if constexpr (konfigurace::ma_okraj_usecek) usecky_proviz_okraj[s] = 0;
      float konce[2][3];
      for (int e = 0; e < 2; e++) {
        const BodRoviny ab = roviny[h][usecky_provizorni[s][e]];
        for (int c = 0; c < 3; c++)
          konce[e][c] = static_cast<float>(static_cast<double>(ab.x) * u[c] + static_cast<double>(ab.y) * v[c] +
                                           pocatky[h][c]);
      }
      pridej_zaznam(konce[0], konce[1], true, &ohlaseno);
    };
    rust_usecek_doslovne(roviny[h], nastaveni);
    std::printf("OK3\n");
    std::vector<PolygonInstrukce*> instrukce;
    for (const auto& bod : seznamy[h]) instrukce.push_back(instrukce_polygonu[adresy_bodu_global[bod.first][bod.second]]);
    trojuhelniky(instrukce, [](int, Polygon3D* polygon) {
      polygon->cervena = polygon->zelena = polygon->modra = 128;
    });
  }
}

void model3D_doslovne(int profil, int typ) {
  usecky_proviz_pocet = 0;
  const int n = body_pocty[profil];
  std::vector<PolygonInstrukce*> instrukce;
  std::vector<BodRoviny> pixely;
  for (int i = 0; i < n; i++) {
    if (!znacka_platna(profil, i)) continue;
    const int k = PolygonInstrukceAlok();
    instrukce_polygonu[k] =
        new PolygonInstrukce(body_souradnice[profil][i][0], body_souradnice[profil][i][1], body_souradnice[profil][i][2]);
    adresy_bodu_global[profil][i] = k;
    instrukce.push_back(instrukce_polygonu[k]);
    pixely.push_back({static_cast<float>(body_data[profil][i].x1), static_cast<float>(body_data[profil][i].y1)});
  }
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = 1000;
  nastaveni.po_uvodnim_pruchodu = [] { zapis_log("TADY TADY TADY\n"); };
  rust_usecek_doslovne(pixely, nastaveni);
  trojuhelniky(instrukce, [&](int, Polygon3D* polygon) {
    if (typ == 0) { polygon->cervena = 0; polygon->zelena = 0; polygon->modra = 255; }
    if (typ == 1) { polygon->cervena = 1; polygon->zelena = 255; polygon->modra = 255; }
    if (typ == 2) { polygon->cervena = 2; polygon->zelena = 255; polygon->modra = 0; }
    if (typ == 3) { polygon->cervena = 3; polygon->zelena = 128; polygon->modra = 255; }
    if (typ == 4) { polygon->cervena = 4; polygon->zelena = 255; polygon->modra = 128; }
    if (typ == 5) { polygon->cervena = 5; polygon->zelena = 255; polygon->modra = 0; }
  });
}
