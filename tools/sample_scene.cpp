// Building the sample scene.
#include "tools/sample_scene.h"

#include <algorithm>
#include <cmath>

#include "common/geometry.h"
#include "tools/ground_truth.h"

const int uhly_poloh[pocet_poloh] = {-80, 0, 80, 160, 120};
const char* const jmena_snimku[pocet_poloh][2] = {{"000_k1_A.bmp", "000_k2_A.bmp"},
                                                   {"080_k1_A.bmp", "080_k2_A.bmp"},
                                                   {"160_k1_A.bmp", "160_k2_A.bmp"},
                                                   {"240_k1_A.bmp", "240_k2_A.bmp"},
                                                   {"200_k1_A.bmp", "200_k2_A.bmp"}};

namespace {

// The turntable centre: where the central rays of the two cameras cross,
// 16 units below them, so that the 32 units tall vase fills the view.
const Bod3 stred_tocny{4.6, 135.8, -16.0};
constexpr double polomer_tocny = 22.0;
constexpr double polomer_referenci = 17.0;
// Nominal places of reference marks 255, 254, 253, 252 on their circle
// (degrees from e1 towards e2): on the side that faces the cameras, where
// the vase hides none of them.
const double mista_referenci[4] = {200.0, 245.0, 335.0, 290.0};
// How far a reference mark may move along its circle to the place whose
// nearest pixels triangulate closest to it.
constexpr double rozsah_hledani = 0.12;  // radians
// A marker is used when its surface faces both projection centres at less
// than about 75 degrees, so that the dot is not seen edge-on.
constexpr double nejmensi_kosinus = 0.25;
// Dots keep this far from the image border (pixels).
constexpr double okraj_px = 4.0;

Bod3 otoc_smer(Bod3 v, Bod3 osa, double uhel) { return otoc(v, Osa{Bod3{}, osa}, uhel); }

bool uvnitr_obrazu(PoziceVObraze p) {
  return p.pred_kamerou && p.sloupec >= okraj_px && p.sloupec <= 639 - okraj_px &&
         p.radek >= okraj_px && p.radek <= 479 - okraj_px;
}

double vzdalenost_px(PoziceVObraze a, PoziceVObraze b) {
  return std::hypot(a.sloupec - b.sloupec, a.radek - b.radek);
}

// How far the triangulation of the pixels nearest to a point's true image
// positions lands from the point.
double chyba_po_zaokrouhleni(const SestavaKamer& s, Bod3 x) {
  const PoziceVObraze a = promitni(s, 0, x), b = promitni(s, 1, x);
  return delka(trianguluj(s, std::round(a.sloupec), std::round(a.radek), std::round(b.sloupec),
                          std::round(b.radek)) - x);
}

// Camera k's projection centre relative to the vase in its home pose
// (turntable-local coordinates) when slot s is photographed: the turn that
// takes the common frame to the photographed pose is -uhel_polohy(slot), so
// the camera is turned by +uhel_polohy(slot) instead.
Bod3 oko_v_objektu(const Scena& sc, int k, int slot) {
  return do_mistni(sc.tocna, otoc(projekcni_stred(sc.sestava, k), sc.osa, uhel_polohy(slot)));
}

void umisti_reference(Scena& sc) {
  const SoustavaTocny& t = sc.tocna;
  sc.polomer_referenci = polomer_referenci;
  for (int i = 0; i < 4; i++) {
    const double nominal = radiany(mista_referenci[i]);
    double nejlepsi_uhel = nominal;
    if (sc.nastaveni.presne_reference) {
      double nejlepsi = 1e9;
      for (int j = -1200; j <= 1200; j++) {
        const double phi = nominal + rozsah_hledani * j / 1200.0;
        const Bod3 x = do_sveta(t, {polomer_referenci * std::cos(phi),
                                    polomer_referenci * std::sin(phi), 0.0});
        const double o = chyba_po_zaokrouhleni(sc.sestava, x);
        if (o < nejlepsi) {
          nejlepsi = o;
          nejlepsi_uhel = phi;
        }
      }
    }
    ReferencniZnacka& r = sc.reference[i];
    r.zelena = 255 - i;
    r.poloha = do_sveta(t, {polomer_referenci * std::cos(nejlepsi_uhel),
                            polomer_referenci * std::sin(nejlepsi_uhel), 0.0});
    for (int k = 0; k < 2; k++) {
      r.pozice[k] = promitni(sc.sestava, k, r.poloha);
      r.pixel[k] = nejblizsi_pixel(r.pozice[k]);
    }
  }
  // The reconstruction's axis direction: the sign of (R2 - R0) x (R2 - R1).
  const Osa z_referenci =
      osa_z_referenci(sc.reference[0].poloha, sc.reference[1].poloha, sc.reference[2].poloha);
  const double znamenko = skalar(z_referenci.smer, t.nahoru) < 0 ? -1.0 : 1.0;
  sc.osa = Osa{t.stred, znamenko * t.nahoru};
}

struct Kandidat {
  int bod;
  double kosinus;  // the smaller of the two facing cosines
  Bod3 poloha;
  PoziceVObraze pozice[2];
};

void vyber_znacky(Scena& sc, int slot) {
  const double uhel = uhel_polohy(slot);
  std::vector<Kandidat> kandidati;
  for (int b = 0; b < static_cast<int>(sc.body_objektu.size()); b++) {
    Kandidat kd{b, 1.0, otoc(sc.body_objektu[b], sc.osa, -uhel), {}};
    const Bod3 normala = otoc_smer(sc.normaly_objektu[b], sc.osa.smer, -uhel);
    bool videt = true;
    for (int k = 0; k < 2 && videt; k++) {
      const Bod3 ke_kamere = projekcni_stred(sc.sestava, k) - kd.poloha;
      kd.kosinus = std::min(kd.kosinus, skalar(normala, ke_kamere) / delka(ke_kamere));
      kd.pozice[k] = promitni(sc.sestava, k, kd.poloha);
      videt = kd.kosinus >= nejmensi_kosinus && uvnitr_obrazu(kd.pozice[k]) &&
              !zakryto_vazou(oko_v_objektu(sc, k, slot), do_mistni(sc.tocna, sc.body_objektu[b]));
    }
    if (videt) kandidati.push_back(kd);
  }
  // Best-facing first; a dot too close to one already taken (or to a
  // reference mark in slot 1) is left out, so that no two dots touch.
  std::stable_sort(kandidati.begin(), kandidati.end(),
                   [](const Kandidat& a, const Kandidat& b) { return a.kosinus > b.kosinus; });
  std::vector<Kandidat> vybrane;
  for (const Kandidat& kd : kandidati) {
    if (static_cast<int>(vybrane.size()) == nejvic_znacek) break;
    bool volno = true;
    for (int k = 0; k < 2; k++) {
      for (const Kandidat& v : vybrane)
        volno = volno && vzdalenost_px(kd.pozice[k], v.pozice[k]) >= odstup_znacek_px;
      if (slot == 1)
        for (const ReferencniZnacka& r : sc.reference)
          volno = volno && vzdalenost_px(kd.pozice[k], r.pozice[k]) >= odstup_znacek_px;
    }
    if (volno) vybrane.push_back(kd);
  }
  std::sort(vybrane.begin(), vybrane.end(),
            [](const Kandidat& a, const Kandidat& b) { return a.bod < b.bod; });
  int cislo = 1;
  for (const Kandidat& kd : vybrane) {
    ZnackaPolohy z;
    z.cislo = cislo++;
    z.bod_objektu = kd.bod;
    z.pravda = sc.body_objektu[kd.bod];
    z.poloha = kd.poloha;
    z.pozice[0] = kd.pozice[0];
    z.pozice[1] = kd.pozice[1];
    sc.znacky[slot].push_back(z);
  }
}

std::uint8_t jas_povrchu(Bod3 normala, Bod3 ke_kamere) {
  const double svetlo = std::max(0.0, skalar(normala, jednotkovy(ke_kamere)));
  return static_cast<std::uint8_t>(std::lround(50.0 + 170.0 * svetlo));
}

// The photographed pose as an affine map of turntable-local coordinates.
struct Poloha {
  Bod3 pocatek, x, y, z;
  Bod3 operator()(Bod3 m) const { return pocatek + m.x * x + m.y * y + m.z * z; }
};

Poloha poloha_slotu(const Scena& sc, int slot) {
  const double uhel = -uhel_polohy(slot);
  auto f = [&](Bod3 m) { return otoc(do_sveta(sc.tocna, m), sc.osa, uhel); };
  const Bod3 o = f({0, 0, 0});
  return {o, f({1, 0, 0}) - o, f({0, 1, 0}) - o, f({0, 0, 1}) - o};
}

// A grey shaded vase and the blue turntable disc, hidden surfaces removed by
// the depth buffer.
void namaluj_pozadi(const Scena& sc, int slot, int k, Platno& platno) {
  const Poloha poloha = poloha_slotu(sc, slot);
  const Bod3 oko = projekcni_stred(sc.sestava, k);
  const Bod3 oko_mistni = oko_v_objektu(sc, k, slot);
  constexpr double krok = 0.05;
  pro_vzorky_vazy(krok, [&](const BodPovrchu& b) {
    const Bod3 ke_kamere = oko_mistni - b.poloha;
    if (skalar(ke_kamere, b.normala) <= 0) return;
    const Bod3 svet = poloha(b.poloha);
    platno.bod(promitni(sc.sestava, k, svet), delka(oko - svet), jas_povrchu(b.normala, ke_kamere));
  });
  for (double r = 0.0; r <= polomer_tocny; r += krok) {
    const int kroku = std::max(1, static_cast<int>(dve_pi_programu * r / krok));
    for (int i = 0; i < kroku; i++) {
      const double phi = dve_pi_programu * i / kroku;
      const Bod3 svet = poloha({r * std::cos(phi), r * std::sin(phi), 0.0});
      platno.tocna(promitni(sc.sestava, k, svet), delka(oko - svet));
    }
  }
}

void namaluj_polohu(Scena& sc, int slot, Nahoda& nahoda) {
  for (int k = 0; k < 2; k++) {
    Platno platno;
    if (sc.nastaveni.pozadi) namaluj_pozadi(sc, slot, k, platno);
    for (ZnackaPolohy& z : sc.znacky[slot]) {
      // Drawn in every style, so that the object does not depend on it.
      const double polomer = nahoda.rovnomerne(nejmensi_polomer_skvrny, nejvetsi_polomer_skvrny);
      z.pixel[k] = namaluj_znacku(platno.obraz, z.pozice[k], sc.nastaveni.styl, polomer,
                                  static_cast<std::uint8_t>(z.cislo), 0, 0);
    }
    if (slot == 1)
      for (const ReferencniZnacka& r : sc.reference)
        namaluj_znacku(platno.obraz, r.pozice[k], StylZnacky::pixel, 0.0, 0,
                       static_cast<std::uint8_t>(r.zelena), 0);
    sc.snimky[slot][k] = std::move(platno.obraz);
  }
}

// Places the 16 marks by the calibration object's pose and paints them into
// both calibration images.
void namaluj_kalibraci(Scena& sc, Nahoda& nahoda) {
  Bod3 mistni[16];
  polohy_kalibracnich_znacek(mistni);
  for (int i = 0; i < 16; i++) {
    KalibracniZnacka& z = sc.kalibracni[i];
    z.cislo = i + 1;
    z.mistni = mistni[i];
    const double* r0 = sc.otoceni_kalibrace[0];
    const double* r1 = sc.otoceni_kalibrace[1];
    const double* r2 = sc.otoceni_kalibrace[2];
    const Bod3 m = mistni[i];
    z.poloha = sc.posun_kalibrace + Bod3{r0[0] * m.x + r0[1] * m.y + r0[2] * m.z,
                                         r1[0] * m.x + r1[1] * m.y + r1[2] * m.z,
                                         r2[0] * m.x + r2[1] * m.y + r2[2] * m.z};
  }
  for (int k = 0; k < 2; k++) {
    Obraz obraz;
    for (KalibracniZnacka& z : sc.kalibracni) {
      const double polomer = nahoda.rovnomerne(nejmensi_polomer_skvrny, nejvetsi_polomer_skvrny);
      z.pozice[k] = promitni(sc.sestava, k, z.poloha);
      z.pixel[k] = namaluj_znacku(obraz, z.pozice[k], sc.nastaveni.styl, polomer,
                                  static_cast<std::uint8_t>(z.cislo), 0, 0);
    }
    sc.kalibrace[k] = std::move(obraz);
  }
}

// The calibration object as a person puts it on the turntable: standing on
// its edge (the shared column of marks 0, 1, 2 upright, one unit above the
// turntable and a little off its centre), the open corner between its two
// faces turned towards the cameras and then 12 degrees aside, so that both
// faces are seen by both cameras at a slant.
void umisti_kalibraci_na_tocnu(Scena& sc, Nahoda& nahoda) {
  const double r2 = std::sqrt(2.0);
  const double stac = 12.0 * pi_programu / 180.0;
  const double cs = std::cos(stac), sn = std::sin(stac);
  // Columns: world images of local x, y, z before the turn about z.
  const double osy[3][3] = {{1 / r2, 0, -1 / r2}, {-1 / r2, 0, -1 / r2}, {0, 1, 0}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) sc.otoceni_kalibrace[i][j] = osy[i][j];
  for (int j = 0; j < 3; j++) {
    const double x = osy[0][j], y = osy[1][j];
    sc.otoceni_kalibrace[0][j] = cs * x - sn * y;
    sc.otoceni_kalibrace[1][j] = sn * x + cs * y;
  }
  sc.posun_kalibrace = sc.tocna.stred + Bod3{-2.0, -3.0, 0.0} + 1.0 * sc.tocna.nahoru;
  namaluj_kalibraci(sc, nahoda);
}

// The calibration is solved from marks 1, 9 and 15 (indices 0, 8, 14) as if
// they lay on a camera's image plane, 225 units from its projection centre.
// So the object stands there: the plane of those three marks faces the
// cameras (its normal, local (1, -1, 1), turned towards -y and 4 degrees
// towards camera 2, between the two viewing directions), local z as upright
// as that allows, and the three marks centred between the two look points.
void umisti_kalibraci(Scena& sc, Nahoda& nahoda) {
  const double r3 = std::sqrt(3.0), r6 = std::sqrt(6.0), r2 = std::sqrt(2.0);
  // Local frame: n = (1,-1,1)/r3, a = (-1,1,2)/r6 (local z made
  // perpendicular to n), b = n x a = (-1,-1,0)/r2.
  const double mistni_osy[3][3] = {{1 / r3, -1 / r3, 1 / r3},
                                   {-1 / r6, 1 / r6, 2 / r6},
                                   {-1 / r2, -1 / r2, 0}};
  const double stac = radiany(4.0);
  // World images of n, a, b: n faces the cameras, a is vertical.
  const double svetove_osy[3][3] = {{std::sin(stac), -std::cos(stac), 0},
                                    {0, 0, 1},
                                    {-std::cos(stac), -std::sin(stac), 0}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      sc.otoceni_kalibrace[i][j] = 0;
      for (int k = 0; k < 3; k++) sc.otoceni_kalibrace[i][j] += svetove_osy[k][i] * mistni_osy[k][j];
    }
  const double p = 5.69f;
  const Bod3 teziste_mistni{2 * p / 3, 4 * p / 3, 2 * p / 3};
  const Bod3 cil{-1.4, 223.0, 0.15};
  const double* q0 = sc.otoceni_kalibrace[0];
  const double* q1 = sc.otoceni_kalibrace[1];
  const double* q2 = sc.otoceni_kalibrace[2];
  const Bod3 teziste_svet{
      q0[0] * teziste_mistni.x + q0[1] * teziste_mistni.y + q0[2] * teziste_mistni.z,
      q1[0] * teziste_mistni.x + q1[1] * teziste_mistni.y + q1[2] * teziste_mistni.z,
      q2[0] * teziste_mistni.x + q2[1] * teziste_mistni.y + q2[2] * teziste_mistni.z};
  sc.posun_kalibrace = Bod3{cil.x - teziste_svet.x, cil.y - teziste_svet.y, cil.z - teziste_svet.z};
  namaluj_kalibraci(sc, nahoda);
}

}  // namespace

double uhel_polohy(int slot) { return uhel_otoceni_slotu(uhly_poloh[slot]); }

Bod3 poloha_pri_snimku(const Scena& scena, Bod3 pravda, int slot) {
  return otoc(pravda, scena.osa, -uhel_polohy(slot));
}

void polohy_kalibracnich_znacek(Bod3 v[16]) {
  const float p = 5.69f;
  const float p2 = p + p;
  const float q = p2 + 1.5f;
  const float poloha[16][3] = {
      {0, 0, 0},  {0, p, 0},  {0, p2, 0},  {p, 0, 0},  {p, p, 0},  {p, p2, 0},
      {p2, 0, 0}, {p2, p, 0}, {p2, p2, 0}, {0, 0, p},  {0, p, p},  {0, p2, p},
      {0, 0, p2}, {0, p, p2}, {0, p2, p2}, {0, q, q}};
  for (int i = 0; i < 16; i++) v[i] = {poloha[i][0], poloha[i][1], poloha[i][2]};
}

SoustavaTocny soustava_tocny(Bod3 stred, double naklon) {
  SoustavaTocny t;
  t.stred = stred;
  t.e1 = {1, 0, 0};
  t.e2 = {0, std::cos(naklon), std::sin(naklon)};
  t.nahoru = {0, -std::sin(naklon), std::cos(naklon)};
  return t;
}

SoustavaTocny soustava_tocny_z_pravdy(const PravdaSceny& pravda) {
  // The axis direction is the turntable's up direction or its opposite;
  // up has a positive world z for any tilt the generator makes.
  const Bod3 s = pravda.osa.smer;
  const double znamenko = s.z < 0 ? -1.0 : 1.0;
  return soustava_tocny(pravda.osa.bod, std::atan2(-znamenko * s.y, znamenko * s.z));
}

Scena vytvor_scenu(const NastaveniSceny& nastaveni) {
  Scena sc;
  sc.nastaveni = nastaveni;
  sc.sestava = nastaveni.sestava ? *nastaveni.sestava : vychozi_sestava();
  sc.tocna = soustava_tocny(stred_tocny, radiany(nastaveni.naklon_stupnu));

  Nahoda nahoda(nastaveni.seed);
  umisti_reference(sc);
  for (const BodPovrchu& b : znacky_vazy(nahoda)) {
    sc.body_objektu.push_back(do_sveta(sc.tocna, b.poloha));
    sc.normaly_objektu.push_back(smer_do_sveta(sc.tocna, b.normala));
  }
  for (int slot = 0; slot < pocet_poloh; slot++) vyber_znacky(sc, slot);
  for (int slot = 0; slot < pocet_poloh; slot++) namaluj_polohu(sc, slot, nahoda);
  if (nastaveni.sestava)
    umisti_kalibraci_na_tocnu(sc, nahoda);
  else
    umisti_kalibraci(sc, nahoda);
  return sc;
}

bool zapis_scenu(const Scena& sc, const std::string& adresar, std::string* chyba) {
  const std::string predpona = adresar.empty() ? std::string() : adresar + "/";
  for (int slot = 0; slot < pocet_poloh; slot++)
    for (int k = 0; k < 2; k++) {
      const std::string cesta = predpona + jmena_snimku[slot][k];
      if (!zapis_bmp(cesta, sc.snimky[slot][k])) {
        if (chyba != nullptr) *chyba = cesta + ": cannot be written";
        return false;
      }
    }
  for (int k = 0; k < 2; k++) {
    const std::string cesta = predpona + (k == 0 ? "kalib1.bmp" : "kalib2.bmp");
    if (!zapis_bmp(cesta, sc.kalibrace[k])) {
      if (chyba != nullptr) *chyba = cesta + ": cannot be written";
      return false;
    }
  }
  // With lenses the truth is a version 2 file, in camera 1's frame.
  if (sc.nastaveni.sestava &&
      !zapis_rig(predpona + soubor_pravdy_rigu,
                 ma_zkresleni(sc.sestava)
                     ? rig_objektivu_ze_sestavy(sc.sestava, "units of the sample scene (camera 1's frame)")
                     : rig_ze_sestavy(sc.sestava, "units of the sample scene (world frame)"),
                 chyba))
    return false;
  const std::string text = text_pravdy(sc);
  const std::string cesta = predpona + "ground_truth.txt";
  if (!zapis_soubor(cesta, std::vector<std::uint8_t>(text.begin(), text.end()))) {
    if (chyba != nullptr) *chyba = cesta + ": cannot be written";
    return false;
  }
  return true;
}
