// Polygons as lists of drawing instructions, and the list templates.
//
// PolygonInstrukce: three floats. Its kind is derived, never stored: x a
// number -> bod (a vertex); x NaN and y < 1 -> konec (end of a contour);
// x NaN and y >= 1 or NaN -> oblouk (the next two instructions are the end
// point and a middle point of a circular arc).
// Polygon3D: 16-bit colour components (the viewer uses the low 8 bits; they
// start at 0, black, until a builder sets them) and a never-empty instruction
// list.
// Seznam<T>: singly linked list with a tail pointer; elements are made with
// new by the builders and never freed, lists never own them.
// List<T>: a read-only view of a chain through its first element.
#pragma once

#include <cstdint>

class PolygonInstrukce {
 public:
  enum Typ { bod = 0, konec = 1, oblouk = 2 };

  PolygonInstrukce(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  int TypInstrukce() const {
    if (x == x) return bod;
    if (1 > y) return konec;
    return oblouk;
  }

  float x;
  float y;
  float z;
};

template <class T>
struct PrvekSeznamu {
  explicit PrvekSeznamu(T h) : hodnota(h), rezerva(0), dalsi(nullptr) {}
  T hodnota;
  std::uint32_t rezerva;
  PrvekSeznamu<T>* dalsi;
};

template <class T>
class Seznam {
 public:
  Seznam() : prvni(nullptr), posledni(nullptr) {}

  PrvekSeznamu<T>* Prvni() const { return prvni; }

  void Pridej(PrvekSeznamu<T>* e) {
    if (prvni == nullptr) {
      prvni = posledni = e;
    } else {
      posledni->dalsi = e;
      posledni = e;
    }
  }

  PrvekSeznamu<T>* prvni;
  PrvekSeznamu<T>* posledni;
};

class Polygon3D {
 public:
  explicit Polygon3D(PolygonInstrukce* prvni_instrukce) {
    instrukce.Pridej(new PrvekSeznamu<PolygonInstrukce*>(prvni_instrukce));
  }

  std::uint16_t cervena = 0;
  std::uint16_t zelena = 0;
  std::uint16_t modra = 0;
  Seznam<PolygonInstrukce*> instrukce;
};

template <class T>
class List {
 public:
  explicit List(PrvekSeznamu<T>* prvni_prvek) : prvni(prvni_prvek) {}

  PrvekSeznamu<T>* getvalfirst() const { return prvni; }

  // Number of elements of the chain; writes "checkB1".."checkB4" to the log.
  int countitem() const;

  PrvekSeznamu<T>* prvni;
};

// The one instantiation the system uses, defined in instruction_pool.cpp.
extern template class List<Polygon3D*>;
