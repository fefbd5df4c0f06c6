// The vase under the projector, through the reconstruction's cameras.
#include "tools/turntable_light_scene.h"

#include <cmath>

namespace {

constexpr double albedo_vazy = 0.7;

Bod3 bod(const vzorek::Vektor& v) { return {v.x, v.y, v.z}; }
vzorek::Vektor vektor(Bod3 b) { return {b.x, b.y, b.z}; }

// A pinhole projector at `stred` looking at `cil`, rows growing downwards
// (against world z). Focal length 2800 projector pixels: the 1024 x 768
// pattern covers about 50 x 37 units at the turntable, a grid cell about
// 0.8 units, some nine camera pixels.
vzorek::Kamera projektor_sceny(Bod3 stred, Bod3 cil) {
  vzorek::Kamera k{};
  const Bod3 vpred = jednotkovy(cil - stred);
  const Bod3 vpravo = jednotkovy(vektorove(vpred, Bod3{0, 0, 1}));
  k.stred = vektor(stred);
  k.vpred = vektor(vpred);
  k.vpravo = vektor(vpravo);
  k.dolu = vektor(vektorove(vpred, vpravo));
  k.f = 2800.0;
  k.cx = vzorek::sirka_projektoru / 2.0;
  k.cy = vzorek::vyska_projektoru / 2.0;
  return k;
}

}  // namespace

ScenaTocnySvetla::ScenaTocnySvetla(const Scena& scena, int uhel_stupne)
    : sestava_(scena.sestava),
      tocna_(scena.tocna),
      osa_(scena.osa),
      uhel_(uhel_otoceni_slotu(uhel_stupne)),
      projektor_(projektor_sceny({14.25, 0.0, 6.0},
                                 scena.tocna.stred + (vyska_vazy / 2) * scena.tocna.nahoru)) {}

Bod3 ScenaTocnySvetla::do_spolecne(Bod3 svet) const { return otoc(svet, osa_, uhel_); }

Bod3 ScenaTocnySvetla::ze_spolecne(Bod3 spolecny) const { return otoc(spolecny, osa_, -uhel_); }

bool ScenaTocnySvetla::paprsek(const vzorek::Vektor& stred, const vzorek::Vektor& smer,
                               vzorek::Zasah* zasah) const {
  const Bod3 o = bod(stred), d = bod(smer);
  const Bod3 oko = do_mistni(tocna_, do_spolecne(o));
  const Bod3 kam = do_mistni(tocna_, do_spolecne(o + d)) - oko;
  double t = 0;
  Bod3 normala;
  if (!zasah_vazy(oko, kam, &t, &normala)) return false;
  const Bod3 n = otoc(smer_do_sveta(tocna_, normala), Osa{Bod3{}, osa_.smer}, -uhel_);
  zasah->t = t;
  zasah->bod = vektor(o + t * d);
  zasah->normala = vektor(skalar(n, d) > 0 ? -1.0 * n : n);
  zasah->albedo = albedo_vazy;
  return true;
}

vzorek::Vektor ScenaTocnySvetla::stred_kamery(int i) const {
  return vektor(projekcni_stred(sestava_, i));
}

vzorek::Vektor ScenaTocnySvetla::smer_pixelu(int i, double u, double v) const {
  const Bod3 p = bod_roviny(sestava_, i, u, 479.0 - v);
  return vektor(jednotkovy(p - projekcni_stred(sestava_, i)));
}

bool ScenaTocnySvetla::promitni(int i, const vzorek::Vektor& b, double* u, double* v) const {
  const PoziceVObraze p = ::promitni(sestava_, i, bod(b));
  *u = p.sloupec;
  *v = 479.0 - p.radek;
  return p.pred_kamerou;
}
