// The segment growth's partner lists.
#include "model/partner_lists.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr float zadna_vzdalenost = 65535.0f;

// Scratch space for the partners of one point: distances, sort keys (the
// bits of the distance, a float that is not negative and not NaN and whose
// bits therefore grow with its value, above the entry, whose order is that
// of the index), and the keys and levels between the two radix passes.
struct Pracovni {
  std::vector<float> d;
  std::vector<std::uint64_t> klice, mezi, serazene;
  std::vector<std::uint16_t> hladina, hladina_mezi;
  explicit Pracovni(std::size_t n)
      : d(n), klice(n), mezi(n), serazene(n), hladina(n), hladina_mezi(n) {}
};

// Sorts klice[0..m) into serazene. Each key gets a 16-bit level from the
// square of its distance (which spreads the partners of a point of a plane
// about evenly; the level never falls as the distance grows); two stable
// passes by the low and the high byte of the level put the keys in the
// order of their levels, with equal levels in input order. Insertion then
// orders keys of equal level by (distance, index); it rarely moves one, and
// when clustered distances make it move many, a comparison sort does it.
void serad(Pracovni& p, std::uint32_t m, float nejvetsi) {
  const double meritko = nejvetsi > 0 ? 65535.5 / (static_cast<double>(nejvetsi) * nejvetsi) : 0;
  std::uint32_t nizsi[257] = {}, vyssi[257] = {};
  for (std::uint32_t k = 0; k < m; k++) {
    const auto h = static_cast<std::uint16_t>(static_cast<double>(p.d[k]) * p.d[k] * meritko);
    p.hladina[k] = h;
    nizsi[(h & 255) + 1]++;
    vyssi[(h >> 8) + 1]++;
  }
  for (int b = 0; b < 256; b++) {
    nizsi[b + 1] += nizsi[b];
    vyssi[b + 1] += vyssi[b];
  }
  for (std::uint32_t k = 0; k < m; k++) {
    const std::uint32_t kam = nizsi[p.hladina[k] & 255]++;
    p.mezi[kam] = p.klice[k];
    p.hladina_mezi[kam] = p.hladina[k];
  }
  for (std::uint32_t k = 0; k < m; k++) p.serazene[vyssi[p.hladina_mezi[k] >> 8]++] = p.mezi[k];
  std::uint64_t* s = p.serazene.data();
  std::uint32_t posunu = 0;
  for (std::uint32_t k = 1; k < m; k++) {
    const std::uint64_t x = s[k];
    std::uint32_t q = k;
    for (; q > 0 && x < s[q - 1]; q--) s[q] = s[q - 1];
    s[q] = x;
    posunu += k - q;
    if (posunu > 8 * m) {
      std::sort(s, s + m);
      return;
    }
  }
}

// The sort key of point j seen from bod, and its distance.
inline std::uint64_t klic(const BodRoviny* body, int j, BodRoviny bod, float& d) {
  d = vzdalenost_v_rovine(bod, body[j]);
  std::uint32_t bity;
  std::memcpy(&bity, &d, sizeof bity);
  const auto zaznam = (static_cast<std::uint32_t>(j) << 6) |
                      static_cast<std::uint32_t>(smer_partnera({body[j].x - bod.x, body[j].y - bod.y}));
  return (static_cast<std::uint64_t>(bity) << 32) | zaznam;
}

// Distances and sort keys of all n points seen from bod, into d and klice.
// Four points at a time where SSE2 is there: every lane does the very
// operations of klic (IEEE, the same rounding), so the values are the same.
void zmer(const BodRoviny* body, int n, BodRoviny bod, float* d, std::uint64_t* klice) {
  int j = 0;
#ifdef __SSE2__
  const __m128 px = _mm_set1_ps(bod.x), py = _mm_set1_ps(bod.y);
  const __m128d pxd = _mm_set1_pd(bod.x), pyd = _mm_set1_pd(bod.y);
  const __m128 nula = _mm_setzero_ps(), znamenko = _mm_set1_ps(-0.0f);
  for (; j + 4 <= n; j += 4) {
    const __m128 a = _mm_loadu_ps(&body[j].x), b = _mm_loadu_ps(&body[j + 2].x);
    const __m128 x = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    const __m128 y = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    // vzdalenost_v_rovine: differences, squares and root in double.
    const __m128d dx01 = _mm_sub_pd(pxd, _mm_cvtps_pd(x)), dx23 = _mm_sub_pd(pxd, _mm_cvtps_pd(_mm_movehl_ps(x, x)));
    const __m128d dy01 = _mm_sub_pd(pyd, _mm_cvtps_pd(y)), dy23 = _mm_sub_pd(pyd, _mm_cvtps_pd(_mm_movehl_ps(y, y)));
    const __m128d s01 = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx01, dx01), _mm_mul_pd(dy01, dy01)));
    const __m128d s23 = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx23, dx23), _mm_mul_pd(dy23, dy23)));
    const __m128 vzdalenost = _mm_movelh_ps(_mm_cvtpd_ps(s01), _mm_cvtpd_ps(s23));
    _mm_storeu_ps(d + j, vzdalenost);
    // smer_partnera of the float differences.
    const __m128 fx = _mm_sub_ps(x, px), fy = _mm_sub_ps(y, py);
    const __m128 ax = _mm_andnot_ps(znamenko, fx), ay = _mm_andnot_ps(znamenko, fy);
    const __m128 podil = _mm_div_ps(ay, _mm_add_ps(ax, ay));
    const __m128 kladny = _mm_and_ps(_mm_cmpgt_ps(podil, nula), podil);
    const __m128i v = _mm_cvttps_epi32(_mm_mul_ps(kladny, _mm_set1_ps(15.999f)));
    const __m128i zx = _mm_castps_si128(_mm_cmplt_ps(fx, nula)), zy = _mm_castps_si128(_mm_cmplt_ps(fy, nula));
    const __m128i liche = _mm_xor_si128(zx, zy);
    const __m128i kvadrant = _mm_or_si128(_mm_and_si128(zy, _mm_set1_epi32(2)), _mm_and_si128(liche, _mm_set1_epi32(1)));
    const __m128i sektor = _mm_or_si128(_mm_slli_epi32(kvadrant, 4), _mm_xor_si128(v, _mm_and_si128(liche, _mm_set1_epi32(15))));
    const __m128i index = _mm_add_epi32(_mm_set1_epi32(j), _mm_setr_epi32(0, 1, 2, 3));
    const __m128i zaznam = _mm_or_si128(_mm_slli_epi32(index, 6), sektor);
    const __m128i bity = _mm_castps_si128(vzdalenost);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(klice + j), _mm_unpacklo_epi32(zaznam, bity));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(klice + j + 2), _mm_unpackhi_epi32(zaznam, bity));
  }
#endif
  for (; j < n; j++) klice[j] = klic(body, j, bod, d[j]);
}

}  // namespace

SeznamyPartneru::SeznamyPartneru(const std::vector<BodRoviny>& body) {
  const int n = static_cast<int>(body.size());
  // An entry keeps the index above 6 bits of sector in 31 bits.
  meze_.assign(body.size() + 1, 0);
  if (n == 0 || body.size() > max_bodu_partneru) return;
  // At most n - 1 partners each; the unused end is cut off at the end.
  partneri_.resize(body.size() * (body.size() - 1));
  Pracovni p(body.size());
  for (int i = 0; i < n; i++) {
    zmer(body.data(), n, body[i], p.d.data(), p.klice.data());
    // Kept in place (m counts them): the partners.
    std::uint32_t m = 0;
    float nejvetsi = 0;
    for (int j = 0; j < n; j++) {
      const float d = p.d[j];
      p.d[m] = d;
      p.klice[m] = p.klice[j];
      const bool partner = (d < zadna_vzdalenost) & (j != i);
      nejvetsi = std::max(nejvetsi, partner ? d : 0.0f);
      m += partner;
    }
    if (m > 0) serad(p, m, nejvetsi);
    const std::size_t od = meze_[i];
    for (std::uint32_t k = 0; k < m; k++) partneri_[od + k] = static_cast<std::int32_t>(p.serazene[k]);
    meze_[i + 1] = od + m;
  }
  partneri_.resize(meze_[body.size()]);
}
