// The global instruction pool and the model list.
//
// instrukce_polygonu: 4000 slots; a null slot is free. Every instruction a
// builder makes is stored in the slot PolygonInstrukceAlok() returned for it,
// before the next slot is asked for. model1 is the list of polygons the
// viewer draws; novyprvek2 / novyprvek hold the instruction and polygon
// elements a builder made last.
#pragma once

#include <string>

#include "model/instruction_list.h"

constexpr int kapacita_instrukci = 4000;

extern PolygonInstrukce* instrukce_polygonu[kapacita_instrukci];
extern Seznam<Polygon3D*> model1;
extern PrvekSeznamu<PolygonInstrukce*>* novyprvek2;
extern PrvekSeznamu<Polygon3D*>* novyprvek;

// Sets all 4000 slots to null.
void init_ins();

// The lowest free slot. A full pool is never handed out: the result is then
// -1 and the pool remembers that it overflowed (pool_pretekl).
int PolygonInstrukceAlok();

// Number of free slots (for builders that check before they start).
int volnych_instrukci();

// Whether `pocet` slots are free. When they are not, the pool remembers that
// it overflowed, and the builder asking must build nothing more.
bool rezervuj_instrukce(int pocet);

// Whether a builder was refused slots since init_ins(); chyba (when not null)
// then says so in one message.
bool pool_pretekl(std::string* chyba);

// Protocol of every builder: a new point instruction in the lowest free slot;
// returns the slot, or -1 (nothing made) when the pool is full.
int nova_instrukce(float x, float y, float z);

// Appends `polygon` to `seznam` through a new element held in novyprvek.
void pridej_polygon(Seznam<Polygon3D*>& seznam, Polygon3D* polygon);

// Appends instruction `ins` to `polygon` through a new element held in
// novyprvek2.
void pridej_instrukci(Polygon3D* polygon, PolygonInstrukce* ins);

// Empties model1 and the pool and frees what they held: every polygon of
// model1 with its instruction elements, the model elements and every pooled
// instruction. The programs build one model and never call it; it is for
// tests and tools that build several models in one process. Every polygon of
// model1 must have been made with new and hold only pooled instructions.
void vyprazdni_model();
