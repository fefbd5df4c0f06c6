// Instruction kinds, the list protocol and the instruction pool.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "model/cuboid.h"
#include "model/instruction_pool.h"
#include "reconstruction/log_file.h"

namespace {

std::string obsah_logu() {
  std::fflush(log1);
  std::rewind(log1);
  std::string text;
  int c;
  while ((c = std::fgetc(log1)) != EOF) text += static_cast<char>(c);
  return text;
}

TEST(PolygonInstrukce, KindIsDerivedFromNanAndY) {
  const float nan_f = std::nanf("");
  EXPECT_EQ(PolygonInstrukce(0, 0, 0).TypInstrukce(), PolygonInstrukce::bod);
  EXPECT_EQ(PolygonInstrukce(nan_f, 0.5f, 0).TypInstrukce(), PolygonInstrukce::konec);
  EXPECT_EQ(PolygonInstrukce(nan_f, 1, 0).TypInstrukce(), PolygonInstrukce::oblouk);
  EXPECT_EQ(PolygonInstrukce(nan_f, nan_f, 0).TypInstrukce(), PolygonInstrukce::oblouk);
  EXPECT_EQ(PolygonInstrukce(5, nan_f, nan_f).TypInstrukce(), PolygonInstrukce::bod);
}

TEST(Seznam, AppendKeepsHeadTailAndLinks) {
  Seznam<Polygon3D*> seznam;
  EXPECT_EQ(seznam.Prvni(), nullptr);
  PrvekSeznamu<Polygon3D*> prvek_a(nullptr);
  auto* a = &prvek_a;
  EXPECT_EQ(a->rezerva, 0u);
  seznam.Pridej(a);
  EXPECT_EQ(seznam.prvni, a);
  EXPECT_EQ(seznam.posledni, a);
  PrvekSeznamu<Polygon3D*> prvek_b(nullptr);
  auto* b = &prvek_b;
  seznam.Pridej(b);
  EXPECT_EQ(seznam.prvni, a);
  EXPECT_EQ(a->dalsi, b);
  EXPECT_EQ(seznam.posledni, b);
  EXPECT_EQ(b->dalsi, nullptr);
}

TEST(Polygon3D, BuilderProtocolSharesInstructionsThroughThePool) {
  init_ins();
  EXPECT_EQ(PolygonInstrukceAlok(), 0);
  EXPECT_EQ(PolygonInstrukceAlok(), 0);  // not marked until filled
  const int k0 = nova_instrukce(1, 2, 3);
  const int k1 = nova_instrukce(4, 5, 6);
  EXPECT_EQ(k0, 0);
  EXPECT_EQ(k1, 1);
  auto* polygon = new Polygon3D(instrukce_polygonu[k0]);
  pridej_instrukci(polygon, instrukce_polygonu[k1]);
  EXPECT_EQ(novyprvek2->hodnota, instrukce_polygonu[k1]);
  auto* druhy = new Polygon3D(instrukce_polygonu[k1]);
  EXPECT_EQ(polygon->instrukce.posledni->hodnota, druhy->instrukce.prvni->hodnota);
  EXPECT_EQ(polygon->instrukce.Prvni()->hodnota->x, 1.0f);

  Seznam<Polygon3D*> seznam;
  pridej_polygon(seznam, polygon);
  pridej_polygon(seznam, druhy);
  EXPECT_EQ(novyprvek->hodnota, druhy);
  EXPECT_EQ(seznam.Prvni()->hodnota, polygon);

  // A freed-up gap is handed out before higher slots.
  PolygonInstrukce* const i0 = instrukce_polygonu[0];
  PolygonInstrukce* const i1 = instrukce_polygonu[1];
  instrukce_polygonu[0] = nullptr;
  EXPECT_EQ(PolygonInstrukceAlok(), 0);
  init_ins();
  EXPECT_EQ(volnych_instrukci(), kapacita_instrukci);

  for (PrvekSeznamu<Polygon3D*>* e = seznam.Prvni(); e != nullptr;) {
    PrvekSeznamu<Polygon3D*>* dalsi = e->dalsi;
    for (PrvekSeznamu<PolygonInstrukce*>* i = e->hodnota->instrukce.Prvni(); i != nullptr;) {
      PrvekSeznamu<PolygonInstrukce*>* dalsi_i = i->dalsi;
      delete i;
      i = dalsi_i;
    }
    delete e->hodnota;
    delete e;
    e = dalsi;
  }
  delete i0;
  delete i1;
}

TEST(List, CountitemCountsAndLogs) {
  log1 = std::tmpfile();
  ASSERT_NE(log1, nullptr);
  List<Polygon3D*> prazdny(nullptr);
  EXPECT_EQ(prazdny.countitem(), 0);
  EXPECT_EQ(obsah_logu(), "checkB1\ncheckB2\ncheckB4\n");

  Seznam<Polygon3D*> seznam;
  PrvekSeznamu<Polygon3D*> prvky[2] = {PrvekSeznamu<Polygon3D*>(nullptr),
                                       PrvekSeznamu<Polygon3D*>(nullptr)};
  seznam.Pridej(&prvky[0]);
  seznam.Pridej(&prvky[1]);
  std::fclose(log1);
  log1 = std::tmpfile();
  EXPECT_EQ(List<Polygon3D*>(seznam.Prvni()).countitem(), 2);
  EXPECT_EQ(obsah_logu(), "checkB1\ncheckB2\ncheckB3\ncheckB3\ncheckB4\n");
  zavri_log();
}

TEST(InstructionPool, AFullPoolHandsOutNoSlotAndBuildersStopWithAMessage) {
  init_ins();
  for (int i = 0; i < kapacita_instrukci; i++) nova_instrukce(0, 0, static_cast<float>(i));
  EXPECT_EQ(volnych_instrukci(), 0);
  std::string chyba;
  EXPECT_FALSE(pool_pretekl(&chyba));
  EXPECT_EQ(PolygonInstrukceAlok(), -1);
  EXPECT_EQ(nova_instrukce(1, 2, 3), -1);
  EXPECT_TRUE(pool_pretekl(&chyba));
  EXPECT_EQ(chyba, "instruction pool: full (4000 instructions); the model is too large");
  vyprazdni_model();

  // A builder that needs more slots than are free makes nothing at all.
  init_ins();
  for (int i = 0; i < kapacita_instrukci - 7; i++) nova_instrukce(0, 0, static_cast<float>(i));
  kvadr(0, 0, 0, 1, 1, 1, 255, 0, 0, &model1);
  EXPECT_EQ(model1.Prvni(), nullptr);
  EXPECT_EQ(volnych_instrukci(), 7);
  EXPECT_TRUE(pool_pretekl(nullptr));
  vyprazdni_model();
  init_ins();
  EXPECT_FALSE(pool_pretekl(nullptr));
}

}  // namespace
