// The segment growth's partner lists.
#include "model/partner_lists.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr float zadna_vzdalenost = 65535.0f;
// Bins per partner, and the most partners a bin may hold for the sort by
// insertion to stay cheap.
constexpr std::uint32_t prihradek_na_partnera = 2;
constexpr std::uint32_t nejvice_v_prihradce = 32;

// Scratch space for the partners of one point: distances, sort keys (the
// bits of the distance, a float that is not negative and not NaN and whose
// bits therefore grow with its value, above the entry, whose order is that
// of the index), the bins.
struct Pracovni {
  std::vector<float> d;
  std::vector<std::uint64_t> klice, serazene;
  std::vector<std::uint32_t> prihradky, prihradka;
  explicit Pracovni(std::size_t n)
      : d(n), klice(n), serazene(n), prihradky(prihradek_na_partnera * n), prihradka(n) {}
};

// Sorts klice[0..m) into serazene: distributed into bins by the square of
// the distance (which spreads the partners of a point of a plane about
// evenly; the bin never falls as the distance grows), then put in order by
// insertion, which only moves keys within their bin. When a bin holds too
// many keys (clustered distances) a comparison sort does it instead.
void serad(Pracovni& p, std::uint32_t m) {
  float nejvetsi = 0;
  for (std::uint32_t k = 0; k < m; k++) nejvetsi = std::max(nejvetsi, p.d[k]);
  const std::uint32_t prihradek = prihradek_na_partnera * m;
  const double meritko = nejvetsi > 0 ? (prihradek - 0.5) / (static_cast<double>(nejvetsi) * nejvetsi) : 0;
  std::fill(p.prihradky.begin(), p.prihradky.begin() + prihradek, 0);
  std::uint32_t nejplnejsi = 0;
  for (std::uint32_t k = 0; k < m; k++) {
    const auto b = static_cast<std::uint32_t>(static_cast<double>(p.d[k]) * p.d[k] * meritko);
    p.prihradka[k] = b;
    nejplnejsi = std::max(nejplnejsi, ++p.prihradky[b]);
  }
  if (nejplnejsi > nejvice_v_prihradce) {
    std::copy(p.klice.begin(), p.klice.begin() + m, p.serazene.begin());
    std::sort(p.serazene.begin(), p.serazene.begin() + m);
    return;
  }
  std::uint32_t soucet = 0;
  for (std::uint32_t k = 0; k < prihradek; k++) soucet += std::exchange(p.prihradky[k], soucet);
  for (std::uint32_t k = 0; k < m; k++) p.serazene[p.prihradky[p.prihradka[k]]++] = p.klice[k];
  std::uint64_t* s = p.serazene.data();
  for (std::uint32_t k = 1; k < m; k++) {
    const std::uint64_t x = s[k];
    std::uint32_t q = k;
    for (; q > 0 && x < s[q - 1]; q--) s[q] = s[q - 1];
    s[q] = x;
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
  if (body.size() >= (std::size_t{1} << 25)) throw std::length_error("partner lists: too many points");
  meze_.assign(body.size() + 1, 0);
  if (n == 0) return;
  // At most n - 1 partners each; the unused end is cut off at the end.
  partneri_.resize(body.size() * (body.size() - 1));
  Pracovni p(body.size());
  for (int i = 0; i < n; i++) {
    zmer(body.data(), n, body[i], p.d.data(), p.klice.data());
    // Kept in place (m counts them): the partners.
    std::uint32_t m = 0;
    for (int j = 0; j < n; j++) {
      const float d = p.d[j];
      p.d[m] = d;
      p.klice[m] = p.klice[j];
      m += (d < zadna_vzdalenost) & (j != i);
    }
    if (m > 0) serad(p, m);
    const std::size_t od = meze_[i];
    for (std::uint32_t k = 0; k < m; k++) partneri_[od + k] = static_cast<std::int32_t>(p.serazene[k]);
    meze_[i + 1] = od + m;
  }
  partneri_.resize(meze_[body.size()]);
}
