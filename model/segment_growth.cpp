// Segment growth with per-point partner cursors and a grid of segments.
//
// Why the results equal those of the plain procedure:
// - The candidate of i is the first admissible partner in the order
//   (distance, index), which is what the plain scan in index order with
//   "strictly smaller" finds.
// - Admissibility only ever turns from yes to no (segments are only added,
//   and a segment that exists or crosses stays there), so partners a cursor
//   has passed never need a second look, and a partner already found
//   admissible against the first s segments only needs the segments from s
//   on.
// - Segments that share the end j with (i, j) are skipped by index, as in
//   the plain procedure.
// - The grid only skips segments that the crossing test cannot call
//   crossing: see okraj_dotazu. Which witness is found first does not
//   matter, so the witness last found in the partner's direction (and in
//   the neighbouring directions) and the recent witnesses of the point are
//   tried first, and the grid is walked from the point outwards.
// - Partners beyond the cursor may be rejected before the cursor reaches
//   them (they stay rejected), which lets a group of them be tested at once;
//   every test is the crossing test itself with its own arithmetic.
// - A step in which nothing can be added costs two cursor looks.
#include "model/segment_growth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_set>
#include <utility>

#include "model/partner_lists.h"
#include "model/segment_crossing.h"
#include "model/segment_grid.h"

namespace {

constexpr float zadna_vzdalenost = 65535.0f;
using krizeni::je_nula;

struct Partner {
  float d;
  int j;
};

struct Usecka {
  int a;
  int b;
  BodRoviny q, e;  // position of a and the vector from a to b, as the crossing test takes them
  float min_x, max_x, min_y, max_y;
};

// Segments that share an end point with (i, j) never cross it: decided by
// the indices, since the crossing test's float arithmetic can put the shared
// end at a parameter a rounding below 1 and call it a crossing.
inline bool dotyka_se(const Usecka& u, int bod) { return u.a == bod || u.b == bod; }

std::uint64_t klic_dvojice(int a, int b) {
  const auto m = static_cast<std::uint32_t>(std::min(a, b));
  const auto v = static_cast<std::uint32_t>(std::max(a, b));
  return (static_cast<std::uint64_t>(m) << 32) | v;
}

class RychlyRust {
  // Partners tested side by side.
  static constexpr int skupina = 4;

 public:
  explicit RychlyRust(const std::vector<BodRoviny>& body)
      : body_(body),
        n_(static_cast<int>(body.size())),
        partneri_(body),
        kurzor_(body.size(), 0),
        overeno_(body.size(), 0),
        svedci_(body.size(), prazdna_pamet()),
        svedci_smeru_(body.size(), prazdne_smery()),
        mrizka_(body) {
    if (bitova_tabulka())
      existujici_bity_.assign((static_cast<std::size_t>(n_) * n_ + 63) / 64, 0);
    for (const BodRoviny& b : body) {
      if (std::isfinite(b.x)) nejvetsi_souradnice_ = std::max(nejvetsi_souradnice_, std::fabs(static_cast<double>(b.x)));
      if (std::isfinite(b.y)) nejvetsi_souradnice_ = std::max(nejvetsi_souradnice_, std::fabs(static_cast<double>(b.y)));
    }
  }

  // The candidate of i for the current segment list: (65535, -1) when none.
  // The partners after the one under the cursor are taken a group at a
  // time: each is first tested against the witness of its direction, the
  // tests of a group side by side, and only those left are searched in full.
  Partner nejlepsi(int i) {
    const std::int32_t* seznam = partneri_.zacatek(i);
    const std::size_t delka = static_cast<std::size_t>(partneri_.konec(i) - seznam);
    std::size_t& kurzor = kurzor_[i];
    if (kurzor < delka && overeno_[i] > 0) {
      if (!ma_svedka(i, seznam[kurzor], overeno_[i])) return prijmi(i, seznam[kurzor]);
      kurzor++;
      overeno_[i] = 0;
    }
    while (kurzor < delka) {
      const int v_skupine = static_cast<int>(std::min<std::size_t>(skupina, delka - kurzor));
      const std::array<int, skupina> svedectvi = svedci_smeru_skupiny(i, seznam + kurzor, v_skupine);
      for (int k = 0; k < v_skupine; k++, kurzor++)
        if (svedectvi[k] != 1 && !ma_svedka(i, seznam[kurzor], 0, svedectvi[k] == 0)) return prijmi(i, seznam[kurzor]);
    }
    return {zadna_vzdalenost, -1};
  }

  void pridej(int a, int b) {
    const BodRoviny pa = body_[a], pb = body_[b];
    Usecka u{a, b, pa, {pb.x - pa.x, pb.y - pa.y}, std::min(pa.x, pb.x), std::max(pa.x, pb.x),
             std::min(pa.y, pb.y), std::max(pa.y, pb.y)};
    nejdelsi_slozka_ = std::max({nejdelsi_slozka_, std::fabs(static_cast<double>(u.e.x)),
                                 std::fabs(static_cast<double>(u.e.y))});
    mrizka_.vloz(static_cast<int>(usecky_.size()), u.min_x, u.max_x, u.min_y, u.max_y);
    usecky_.push_back(u);
    razitka_.push_back(0);
    oznac_existujici(a, b);
  }

 private:
  // How far the crossing point the test computes can lie outside the boxes
  // of the two segments; negative when (i, j) with this D crosses nothing.
  //
  // With (r, c) the coordinate order the test uses, rho = |D[c] / D[r]|
  // (|D[r]| >= 0.0001), L the largest component of any segment vector and W
  // the largest coordinate: the point P + t D and the point Q + u E agree in
  // r up to the rounding of t (6e-8 |D[r]|) and in c up to the rounding of u
  // and of den (about 1.2e-7 |den| <= 1.2e-7 L (rho + 1)) plus the double
  // rounding of the numerators (about 1e-15 (W + L) (rho + 1)); the float
  // vectors D and E move the segment ends by at most 6e-8 of their length.
  // The margin below is about a hundred times that.
  double okraj_dotazu(BodRoviny d) const {
    const bool prvni = !je_nula(d.x);
    const bool druhe = !je_nula(d.y);
    if (!prvni && !druhe) return -1;
    const double ax = std::fabs(static_cast<double>(d.x));
    const double ay = std::fabs(static_cast<double>(d.y));
    double rho = 0;
    if (prvni) rho = std::max(rho, ay / ax);
    if (druhe) rho = std::max(rho, ax / ay);
    const double okraj = 1e-5 * (nejdelsi_slozka_ * (rho + 2) + std::max(ax, ay)) +
                         1e-12 * (nejvetsi_souradnice_ + nejdelsi_slozka_) * (rho + 1);
    if (!(okraj <= std::numeric_limits<double>::max())) return std::numeric_limits<double>::infinity();
    return okraj;
  }

  Partner prijmi(int i, std::int32_t zaznam) {
    overeno_[i] = static_cast<int>(usecky_.size());
    const int j = SeznamyPartneru::partner(zaznam);
    return {vzdalenost_v_rovine(body_[i], body_[j]), j};
  }

  // For each of the `pocet` partner entries z[k] of i, what the witness of
  // its direction says: 1 it makes (i, j) not admissible, 0 it does not,
  // -1 open (no witness, or the crossing test in the order (x, y) does not
  // decide).
  std::array<int, skupina> svedci_smeru_skupiny(int i, const std::int32_t* z, int pocet) const {
    std::array<int, skupina> svedectvi;
    svedectvi.fill(-1);
    const BodRoviny p = body_[i];
    for (int k = 0; k < pocet; k++) {
      const int index = svedci_smeru_[i][SeznamyPartneru::smer(z[k]) / 2];
      if (index < 0) continue;
      const int j = SeznamyPartneru::partner(z[k]);
      const BodRoviny d{body_[j].x - p.x, body_[j].y - p.y};
      const Usecka& u = usecky_[index];
      const int krizi = krizi_v_poradi_xy(priprav_krizeni(p, d), u.q, u.e);
      svedectvi[k] = dotyka_se(u, i) || dotyka_se(u, j) ? 0 : krizi;
    }
    return svedectvi;
  }

  // Whether a segment from index `od` on makes (i, j) not admissible, j the
  // partner of the entry `zaznam`; smer_zkousen: the witness of its
  // direction is known not to.
  bool ma_svedka(int i, std::int32_t zaznam, int od, bool smer_zkousen = false) {
    const int pocet = static_cast<int>(usecky_.size());
    if (od >= pocet) return false;
    const int j = SeznamyPartneru::partner(zaznam);
    const BodRoviny d{body_[j].x - body_[i].x, body_[j].y - body_[i].y};
    const KrizeniUsecky k = priprav_krizeni(body_[i], d);
    if (pocet - od <= 64) return svedek_mezi_poslednimi(dotaz(i, j, d, k), od);
    if (existuje(i, j)) return true;
    const int jemne = SeznamyPartneru::smer(zaznam), s = jemne / 2;
    std::array<int, smeru>& svedci = svedci_smeru_[i];
    int& svedek_smeru = svedci[s];
    if (!smer_zkousen && muze_svedcit(svedek_smeru, i, j, k, od)) return true;
    // The neighbouring sector nearer to d first.
    const int blizsi = jemne % 2 == 1 ? (s + 1) % smeru : (s + smeru - 1) % smeru;
    const int vzdalenejsi = jemne % 2 == 1 ? (s + smeru - 1) % smeru : (s + 1) % smeru;
    bool nalezen = false;
    for (int vedle : {svedci[blizsi], svedci[vzdalenejsi]}) {
      if (vedle != svedek_smeru && muze_svedcit(vedle, i, j, k, od)) {
        svedek_smeru = vedle;
        nalezen = true;
        break;
      }
    }
    if (!nalezen) nalezen = svedek_z_pameti(i, j, k, od, svedek_smeru);
    if (!nalezen) {
      const Dotaz q = dotaz(i, j, d, k);
      nalezen = q.okraj >= 0 && svedek_v_mrizce(q, od, svedek_smeru);
    }
    // The witness lies between i and j, so it is a likely one for j in the
    // opposite direction too.
    int& opacny = svedci_smeru_[j][(s + smeru / 2) % smeru];
    if (nalezen) opacny = svedek_smeru;
    return nalezen;
  }

  // The candidate segment (i, j) of a witness search: its start p and
  // vector d, prepared for the crossing test, the margin okraj_dotazu(d)
  // and its box widened by that margin.
  struct Dotaz {
    int i, j;
    BodRoviny p, d;
    KrizeniUsecky k;
    double okraj;
    double min_x, max_x, min_y, max_y;
  };

  Dotaz dotaz(int i, int j, BodRoviny d, const KrizeniUsecky& krizeni) const {
    const BodRoviny p = body_[i], k = body_[j];
    const double okraj = okraj_dotazu(d);
    return {i,
            j,
            p,
            d,
            krizeni,
            okraj,
            std::min(p.x, k.x) - okraj,
            std::max(p.x, k.x) + okraj,
            std::min(p.y, k.y) - okraj,
            std::max(p.y, k.y) + okraj};
  }

  // Whether the box of u meets the widened box of the query: otherwise the
  // crossing test cannot call them crossing.
  static bool muze_krizit(const Dotaz& q, const Usecka& u) {
    return !(u.max_x < q.min_x || u.min_x > q.max_x || u.max_y < q.min_y || u.min_y > q.max_y);
  }

  // Whether segment `index` (-1: none) from `od` on makes (i, j) not admissible.
  bool muze_svedcit(int index, int i, int j, const KrizeniUsecky& krizeni, int od) const {
    if (index < od) return false;
    const Usecka& u = usecky_[index];
    return !dotyka_se(u, i) && !dotyka_se(u, j) && krizi(krizeni, u.q, u.e);
  }

  // The segment that blocked the last partner of i in the same direction
  // usually blocks this one too, and the few that blocked the last partners
  // of i are next (the partners come in order of distance); any witness
  // will do, so these are tried before the grid. A witness found here or
  // in the grid becomes the one of its direction.
  bool svedek_z_pameti(int i, int j, const KrizeniUsecky& krizeni, int od, int& svedek_smeru) {
    std::array<int, svedku_v_pameti>& pamet = svedci_[i];
    for (int k = 0; k < svedku_v_pameti; k++) {
      const int index = pamet[k];
      if (index == svedek_smeru || !muze_svedcit(index, i, j, krizeni, od)) continue;
      std::rotate(pamet.begin(), pamet.begin() + k, pamet.begin() + k + 1);
      svedek_smeru = index;
      return true;
    }
    return false;
  }

  // The few segments from `od` on, one by one: (i, j) itself blocks, the
  // other segments at i or j never do.
  bool svedek_mezi_poslednimi(const Dotaz& q, int od) const {
    const int pocet = static_cast<int>(usecky_.size());
    for (int s = od; s < pocet; s++) {
      const Usecka& u = usecky_[s];
      if (u.a == q.i) {
        if (u.b == q.j) return true;
        continue;
      }
      if (u.b == q.i) {
        if (u.a == q.j) return true;
        continue;
      }
      if (dotyka_se(u, q.j) || q.okraj < 0 || !muze_krizit(q, u)) continue;
      if (krizi(q.k, u.q, u.e)) return true;
    }
    return false;
  }

  // The cells are visited along the segment from i towards j, piece by
  // piece (each piece at most one cell long, its box widened by the
  // margin), so that the segments near i, the likely witnesses, come
  // first. The pieces' boxes cover the segment widened by the margin,
  // which holds every crossing point the test can find.
  bool svedek_v_mrizce(const Dotaz& q, int od, int& svedek_smeru) {
    if (++razitko_ == 0) novy_cyklus_razitek();
    const BodRoviny p = q.p, konec = body_[q.j];
    const double sx = static_cast<double>(konec.x) - p.x;
    const double sy = static_cast<double>(konec.y) - p.y;
    const double bunka = mrizka_.nejmensi_bunka();
    double kusu = 1;
    if (bunka > 0) kusu = std::min(std::ceil(std::max(std::fabs(sx), std::fabs(sy)) / bunka), 4096.0);
    if (!(kusu >= 1)) kusu = 1;
    const int pocet_kusu = static_cast<int>(kusu);
    const double okraj = q.okraj;
    double x0 = p.x, y0 = p.y;
    for (int k = 1; k <= pocet_kusu; k++) {
      const double x1 = k == pocet_kusu ? static_cast<double>(konec.x) : p.x + sx * k / pocet_kusu;
      const double y1 = k == pocet_kusu ? static_cast<double>(konec.y) : p.y + sy * k / pocet_kusu;
      const int s0 = mrizka_.sloupec(std::min(x0, x1) - okraj), s1 = mrizka_.sloupec(std::max(x0, x1) + okraj);
      const int r0 = mrizka_.radek(std::min(y0, y1) - okraj), r1 = mrizka_.radek(std::max(y0, y1) + okraj);
      x0 = x1;
      y0 = y1;
      if (svedek_v_bunkach(q, od, s0, s1, r0, r1, svedek_smeru)) return true;
    }
    return false;
  }

  // The segments from `od` on listed in the cells of columns s0..s1 and
  // rows r0..r1 that this query has not visited yet, each tried once.
  bool svedek_v_bunkach(const Dotaz& q, int od, int s0, int s1, int r0, int r1, int& svedek_smeru) {
    for (int r = r0; r <= r1; r++) {
      for (int s = s0; s <= s1; s++) {
        if (!mrizka_.navstiv(s, r, razitko_)) continue;
        for (int index : mrizka_.obsah(s, r)) {
          if (index < od || razitka_[index] == razitko_) continue;
          razitka_[index] = razitko_;
          const Usecka& u = usecky_[index];
          if (dotyka_se(u, q.i) || dotyka_se(u, q.j) || !muze_krizit(q, u)) continue;
          if (krizi(q.k, u.q, u.e)) {
            zapamatuj_svedka(q.i, index);
            svedek_smeru = index;
            return true;
          }
        }
      }
    }
    return false;
  }

  // Existing pairs: a bit per ordered pair while that stays small, else a
  // hash set of unordered pairs.
  bool bitova_tabulka() const { return n_ <= 8192; }
  void oznac_existujici(int a, int b) {
    if (bitova_tabulka()) {
      for (const auto& [x, y] : {std::pair<int, int>{a, b}, std::pair<int, int>{b, a}}) {
        const std::size_t bit = static_cast<std::size_t>(x) * n_ + y;
        existujici_bity_[bit / 64] |= std::uint64_t{1} << (bit % 64);
      }
    } else {
      existujici_.insert(klic_dvojice(a, b));
    }
  }
  bool existuje(int a, int b) const {
    if (!bitova_tabulka()) return existujici_.count(klic_dvojice(a, b)) != 0;
    const std::size_t bit = static_cast<std::size_t>(a) * n_ + b;
    return (existujici_bity_[bit / 64] >> (bit % 64)) & 1;
  }

  // After 2^32 queries the stamps start again from clean tables.
  void novy_cyklus_razitek() {
    std::fill(razitka_.begin(), razitka_.end(), 0);
    mrizka_.smaz_razitka();
    razitko_ = 1;
  }

  void zapamatuj_svedka(int i, int index) {
    std::array<int, svedku_v_pameti>& pamet = svedci_[i];
    for (int k = svedku_v_pameti - 1; k > 0; k--) pamet[k] = pamet[k - 1];
    pamet[0] = index;
  }

  static constexpr int svedku_v_pameti = 8;
  // The witnesses are kept per pair of the 64 sectors of smer_partnera;
  // the half of the pair a direction falls in tells the nearer neighbouring
  // pair.
  static constexpr int smeru = 32;
  static std::array<int, smeru> prazdne_smery() {
    std::array<int, smeru> svedci;
    svedci.fill(-1);
    return svedci;
  }
  static std::array<int, svedku_v_pameti> prazdna_pamet() {
    std::array<int, svedku_v_pameti> pamet;
    pamet.fill(-1);
    return pamet;
  }

  const std::vector<BodRoviny>& body_;
  const int n_;
  const SeznamyPartneru partneri_;
  std::vector<std::size_t> kurzor_;
  // The partner under the cursor has no witness among the first overeno_[i] segments.
  std::vector<int> overeno_;
  // Per point: recent crossing witnesses, most recent first (-1: none).
  std::vector<std::array<int, svedku_v_pameti>> svedci_;
  // Per point and direction sector (smer): the last witness found (-1: none).
  std::vector<std::array<int, smeru>> svedci_smeru_;
  Mrizka mrizka_;
  std::vector<Usecka> usecky_;
  std::vector<std::uint32_t> razitka_;
  std::uint32_t razitko_ = 0;
  std::unordered_set<std::uint64_t> existujici_;
  std::vector<std::uint64_t> existujici_bity_;
  double nejdelsi_slozka_ = 0;
  double nejvetsi_souradnice_ = 0;
};

struct Dvojice {
  int a;
  int b;
  float d;
};

}  // namespace

bool usecky_se_krizi(BodRoviny P, BodRoviny D, BodRoviny Q, BodRoviny E) {
  return krizi(priprav_krizeni(P, D), Q, E);
}

VysledekRustu rust_usecek(const std::vector<BodRoviny>& body, const NastaveniRustu& nastaveni) {
  VysledekRustu vysledek;
  if (body.size() > max_bodu_partneru) {
    vysledek.chyba = "segment growth: " + std::to_string(body.size()) + " points, more than the " +
                     std::to_string(max_bodu_partneru) + " it can number; no segment is grown";
    return vysledek;
  }
  const int n = static_cast<int>(body.size());
  RychlyRust rust(body);
  Dvojice aktualni{-1, -1, zadna_vzdalenost};

  auto plny_pruchod = [&] {
    aktualni = {-1, -1, zadna_vzdalenost};
    for (int i = 0; i < n; i++) {
      const Partner p = rust.nejlepsi(i);
      if (p.d < aktualni.d) aktualni = {i, p.j, p.d};
    }
  };

  plny_pruchod();
  if (nastaveni.po_uvodnim_pruchodu) nastaveni.po_uvodnim_pruchodu();
  for (int k = 0;; k++) {
    if (nastaveni.na_zacatku_kroku) nastaveni.na_zacatku_kroku(k);
    if (n > 0 && k % n == 0) plny_pruchod();
    const int a = aktualni.a;
    const int b = aktualni.b;
    aktualni.d = zadna_vzdalenost;
    bool nalezen = false;
    if (a != -1) {
      const Partner pa = rust.nejlepsi(a);
      if (pa.j != -1) nalezen = true;
      if (pa.d < aktualni.d) aktualni = {a, pa.j, pa.d};
      if (b != -1) {
        const Partner pb = rust.nejlepsi(b);
        if (pb.j != -1) nalezen = true;
        if (pb.d < aktualni.d) aktualni = {b, pb.j, pb.d};
      }
    }
    if (static_cast<int>(vysledek.usecky.size()) >= nastaveni.max_usecek) {
      vysledek.na_limitu = true;
      break;
    }
    if (nalezen && aktualni.a != -1 && aktualni.b != -1) {
      rust.pridej(aktualni.a, aktualni.b);
      vysledek.usecky.push_back({aktualni.a, aktualni.b});
      if (nastaveni.po_pridani_usecky)
        nastaveni.po_pridani_usecky(static_cast<int>(vysledek.usecky.size()) - 1, aktualni.a, aktualni.b);
    }
    if (nastaveni.na_konci_kroku) nastaveni.na_konci_kroku(k);
    if (k > nastaveni.posledni_krok) break;
  }
  return vysledek;
}
