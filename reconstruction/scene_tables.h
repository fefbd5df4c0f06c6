// The global scene tables shared by every stage of a reconstruction program.
//
// Start-up fills the marker tables, triangulation turns them into 3D points,
// a model builder turns the points into polygons and segments, and the viewer
// reads everything every frame. Sizes follow the program's configuration
// (configuration.h). Angle slots 0..4 are the five turntable positions in the
// order "000", "080", "160", "240", "200"; slot 9 holds the turntable
// reference marks. Marker n is stored at index n - 1 of its slot, reference
// mark with green value g at index 255 - g of slot 9. Coordinates are
// single-precision world units in the frame of camera 1.
#pragma once

#include "reconstruction/scene_records.h"

// Configuration values (initialised data).
extern float yrot;
extern float yrot2;
extern float speed;
extern int xscr;
extern int yscr;
extern int uhly[9];
extern float stereo_kamera[2][3];
extern float stereo_lok[2][3];
extern float policko;
extern float policko2;
extern float x_px;
extern float y_px;
extern int b_indexy[6];

// Marker and point tables.
extern BodData body_data[konfigurace::slotu_dat][konfigurace::bodu_dat_na_slot];
extern int body_pocty[pocet_poctu];
// The number of markers of `slot` that a loop over a table of `kapacita`
// entries per slot may visit: body_pocty[slot], at least 0 and at most
// kapacita. The one home of that rule; every loop over a slot's markers
// outside the scan takes its bound from here.
int pocet_znacek(int slot, int kapacita);
extern float body_souradnice[slotu_souradnic][konfigurace::souradnic_na_slot][3];
extern float stereo_body[2][4][3];
extern float vektor80[2];
extern float rotace_smerovy[2][3];
extern float rotace_normalovy[4];
extern float osa_rotace[2][3];
extern float body_relativ[16][3];

// Markers the two cameras do not agree on (seen by one camera only, or by
// neither though a higher number is shown): the marker scan sets the flag,
// and such a marker keeps its place in the tables but is not triangulated
// and enters no model and no export. All false before main.
extern bool znacka_vynechana[slotu_souradnic][konfigurace::souradnic_na_slot];
inline bool znacka_platna(int slot, int i) { return !znacka_vynechana[slot][i]; }

// Polygon model tables that depend on the configuration.
extern int adresy_bodu_global[konfigurace::slotu_dat][konfigurace::adres_na_slot];
extern std::int32_t usecky_provizorni[kapacita_usecek][2];
extern int usecky_proviz_pocet;
extern char usecky_proviz_okraj[konfigurace::ma_okraj_usecek ? kapacita_usecek : 1];
extern ZaznamUsecky prunik[kapacita_prunik];
extern int pocetusecek3d;
extern float pole_bodu[konfigurace::kapacita_pole_bodu][3];
extern int bodu_celkem;
extern float teziste[3];

// Sets every table that start-up and the builders fill back to its state
// before main (zeros, body_relativ recomputed). Configuration values keep
// whatever they hold. For tests that run several pipelines in one process.
void vynuluj_tabulky_sceny();
