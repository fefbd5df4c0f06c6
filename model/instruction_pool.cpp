// The instruction pool, the model list and List::countitem.
#include "model/instruction_pool.h"

#include <set>

#include "common/messages.h"
#include "reconstruction/log_file.h"

PolygonInstrukce* instrukce_polygonu[kapacita_instrukci];
Seznam<Polygon3D*> model1;
PrvekSeznamu<PolygonInstrukce*>* novyprvek2;
PrvekSeznamu<Polygon3D*>* novyprvek;

namespace {
bool preteceni = false;
}  // namespace

void init_ins() {
  for (PolygonInstrukce*& slot : instrukce_polygonu) slot = nullptr;
  preteceni = false;
}

int PolygonInstrukceAlok() {
  for (int i = 0; i < kapacita_instrukci; i++)
    if (instrukce_polygonu[i] == nullptr) return i;
  preteceni = true;
  return -1;
}

bool rezervuj_instrukce(int pocet) {
  if (volnych_instrukci() >= pocet) return true;
  preteceni = true;
  return false;
}

bool pool_pretekl(std::string* chyba) {
  if (preteceni && chyba != nullptr)
    *chyba = zprava("instruction pool", "full (" + std::to_string(kapacita_instrukci) +
                                            " instructions); the model is too large");
  return preteceni;
}

int volnych_instrukci() {
  int volnych = 0;
  for (PolygonInstrukce* slot : instrukce_polygonu)
    if (slot == nullptr) volnych++;
  return volnych;
}

int nova_instrukce(float x, float y, float z) {
  const int k = PolygonInstrukceAlok();
  if (k < 0) return k;
  instrukce_polygonu[k] = new PolygonInstrukce(x, y, z);
  return k;
}

void pridej_polygon(Seznam<Polygon3D*>& seznam, Polygon3D* polygon) {
  novyprvek = new PrvekSeznamu<Polygon3D*>(polygon);
  seznam.Pridej(novyprvek);
}

void pridej_instrukci(Polygon3D* polygon, PolygonInstrukce* ins) {
  novyprvek2 = new PrvekSeznamu<PolygonInstrukce*>(ins);
  polygon->instrukce.Pridej(novyprvek2);
}

void vyprazdni_model() {
  // Each polygon is freed once with its instruction elements, then every
  // model element; the instructions are freed through their pool slots (a
  // polygon's instructions all live in the pool, shared between polygons).
  std::set<Polygon3D*> polygony;
  for (PrvekSeznamu<Polygon3D*>* e = model1.Prvni(); e != nullptr;) {
    PrvekSeznamu<Polygon3D*>* dalsi = e->dalsi;
    polygony.insert(e->hodnota);
    delete e;
    e = dalsi;
  }
  for (Polygon3D* p : polygony) {
    for (PrvekSeznamu<PolygonInstrukce*>* i = p->instrukce.Prvni(); i != nullptr;) {
      PrvekSeznamu<PolygonInstrukce*>* dalsi = i->dalsi;
      delete i;
      i = dalsi;
    }
    delete p;
  }
  model1.prvni = model1.posledni = nullptr;
  novyprvek = nullptr;
  novyprvek2 = nullptr;
  for (PolygonInstrukce*& slot : instrukce_polygonu) {
    delete slot;
    slot = nullptr;
  }
}

template <class T>
int List<T>::countitem() const {
  zapis_log("checkB1\n");
  zapis_log("checkB2\n");
  int pocet = 0;
  for (PrvekSeznamu<T>* e = getvalfirst(); e != nullptr; e = e->dalsi) {
    pocet++;
    zapis_log("checkB3\n");
  }
  zapis_log("checkB4\n");
  return pocet;
}

template class List<Polygon3D*>;
