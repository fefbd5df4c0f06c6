// The structured-light sample on the turntable: the vase of the marker
// sample scene standing on its turntable, turned to a turntable angle, seen
// through the compiled-in camera set-up of the reconstruction and lit by the
// projector of decoder_sample_scene.h's patterns from between the cameras,
// a little above them.
//
// Camera i's picture position (u, v), v counted from the top row of the
// picture, is the reconstruction's pixel (u, 479 - v): the reconstruction
// counts rows from the first row stored in the bitmap, the bottom one. The
// vase stands as it does when a position with angle `uhel_stupne` is
// photographed in the marker scene: turned by -(uhel_stupne * pi / 180 + pi)
// about the scene's true axis, so that the reconstruction's turn takes its
// points to the common frame. Nothing but the vase is in the scene.
#pragma once

#include "tools/decoder_sample_scene.h"
#include "tools/sample_scene.h"

// The turntable angle of the turntable set (the decoder's file names "060").
constexpr int uhel_sady_tocny = 60;

class ScenaTocnySvetla : public vzorek::ScenaSvetla {
 public:
  ScenaTocnySvetla(const Scena& scena, int uhel_stupne);
  bool paprsek(const vzorek::Vektor& stred, const vzorek::Vektor& smer,
               vzorek::Zasah* zasah) const override;
  vzorek::Vektor stred_kamery(int i) const override;
  vzorek::Vektor smer_pixelu(int i, double u, double v) const override;
  bool promitni(int i, const vzorek::Vektor& bod, double* u, double* v) const override;
  vzorek::Kamera projektor() const override { return projektor_; }

  // A world point where it stood when photographed, in the common frame.
  Bod3 do_spolecne(Bod3 svet) const;
  // The inverse: where a common-frame point stands when photographed.
  Bod3 ze_spolecne(Bod3 spolecny) const;

 private:
  SestavaKamer sestava_;
  SoustavaTocny tocna_;
  Osa osa_;
  double uhel_;
  vzorek::Kamera projektor_;
};
