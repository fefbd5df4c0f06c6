// Compile-time choices of the three reconstruction programs.
//
// Every source that touches a configuration-dependent table is compiled once
// per program with SCANNER_CONFIG set to one of the values below; nothing is
// chosen at run time. The program names: viewer_projection builds the
// projection model, viewer_calibration runs the stereo calibration instead of
// building a model, viewer_polar builds the polar model.
#pragma once

#define SCANNER_CONFIG_PROJECTION 1
#define SCANNER_CONFIG_CALIBRATION 2
#define SCANNER_CONFIG_POLAR 3

#ifndef SCANNER_CONFIG
#error "SCANNER_CONFIG must be defined by the build (1 projection, 2 calibration, 3 polar)"
#endif

namespace konfigurace {

constexpr int projekce = SCANNER_CONFIG_PROJECTION;
constexpr int kalibrace = SCANNER_CONFIG_CALIBRATION;
constexpr int polar = SCANNER_CONFIG_POLAR;
constexpr int aktualni = SCANNER_CONFIG;

static_assert(aktualni == projekce || aktualni == kalibrace || aktualni == polar,
              "unknown SCANNER_CONFIG");

constexpr bool je_projekce = aktualni == projekce;
constexpr bool je_kalibrace = aktualni == kalibrace;
constexpr bool je_polar = aktualni == polar;

// The program's name, which its messages start with.
constexpr const char* jmeno_programu =
    je_projekce ? "viewer_projection" : je_kalibrace ? "viewer_calibration" : "viewer_polar";

// Angle slots of body_data and adresy_bodu_global.
constexpr int slotu_dat = je_projekce ? 12 : 10;
// Entries per slot of body_data.
constexpr int bodu_dat_na_slot = je_projekce ? 500 : 65;
// Entries per slot of adresy_bodu_global.
constexpr int adres_na_slot = je_projekce ? 500 : 73;
// Entries per slot of body_souradnice (the same in every program).
constexpr int souradnic_na_slot = 73;
// Capacity of pole_bodu.
constexpr int kapacita_pole_bodu = je_projekce ? 4000 : 1000;
// body_pocty entries cleared at start-up (slot 9 is then set to 4).
constexpr int mazanych_poctu = je_projekce ? 12 : 9;
// prunik records carry a colour flag word only in viewer_projection.
constexpr bool prunik_s_priznakem = je_projekce;
// usecky_proviz_okraj exists only in viewer_projection.
constexpr bool ma_okraj_usecek = je_projekce;
// The scene drawing shows the calibration marks (calibration and polar).
constexpr bool kresli_kalibracni_znacky = !je_projekce;
// The scene drawing shows camera-to-look-point lines (projection, calibration).
constexpr bool kresli_pohledove_cary = !je_polar;

// Markers per angle slot that the whole pipeline can hold: a marker index
// must fit both body_data and body_souradnice.
constexpr int znacek_na_slot =
    bodu_dat_na_slot < souradnic_na_slot ? bodu_dat_na_slot : souradnic_na_slot;

}  // namespace konfigurace
