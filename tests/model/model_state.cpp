// Test helpers for the model builders.
#include "tests/model/model_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

#include "model/instruction_pool.h"
#include "model/segment_table.h"
#include "reconstruction/log_file.h"
#include "reconstruction/scene_tables.h"
#include "tests/reference/plain_models.h"

namespace {

std::uint32_t bity(float x) {
  std::uint32_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

template <class T>
void pridej_bity(std::vector<std::uint32_t>& cil, const T& objekt) {
  const std::size_t slov = sizeof(T) / 4;
  const std::size_t zacatek = cil.size();
  cil.resize(zacatek + slov);
  std::memcpy(&cil[zacatek], &objekt, slov * 4);
}

std::string precti_log() {
  std::fflush(log1);
  std::rewind(log1);
  std::string text;
  int c;
  while ((c = std::fgetc(log1)) != EOF) text += static_cast<char>(c);
  return text;
}

}  // namespace

StavModelu spust_builder(const std::function<void()>& builder, const std::function<void()>& priprava) {
  vyprazdni_model();
  std::memset(usecky_provizorni, 0, sizeof usecky_provizorni);
  usecky_proviz_pocet = 0;
  std::memset(usecky_proviz_okraj, 1, sizeof usecky_proviz_okraj);
  std::memset(prunik, 0, sizeof prunik);
  pocetusecek3d = 0;
  std::memset(adresy_bodu_global, 0, sizeof adresy_bodu_global);
  if (priprava) priprava();

  std::FILE* puvodni_log = log1;
  log1 = std::tmpfile();
  testing::internal::CaptureStdout();
  builder();
  std::fflush(stdout);
  StavModelu stav;
  stav.vystup = testing::internal::GetCapturedStdout();
  stav.log = precti_log();
  std::fclose(log1);
  log1 = puvodni_log;

  for (int s = 0; s < usecky_proviz_pocet; s++)
    stav.usecky.push_back({usecky_provizorni[s][0], usecky_provizorni[s][1]});
  std::map<const PolygonInstrukce*, int> slot_instrukce;
  for (int k = 0; k < kapacita_instrukci; k++) {
    if (instrukce_polygonu[k] == nullptr) continue;
    slot_instrukce[instrukce_polygonu[k]] = k;
    stav.pool_bity.push_back(static_cast<std::uint32_t>(k));
    stav.pool_bity.push_back(bity(instrukce_polygonu[k]->x));
    stav.pool_bity.push_back(bity(instrukce_polygonu[k]->y));
    stav.pool_bity.push_back(bity(instrukce_polygonu[k]->z));
  }
  for (auto* e = model1.Prvni(); e != nullptr; e = e->dalsi) {
    PolygonStavu p{{}, e->hodnota->cervena, e->hodnota->zelena, e->hodnota->modra};
    for (auto* i = e->hodnota->instrukce.Prvni(); i != nullptr; i = i->dalsi) {
      const auto nalez = slot_instrukce.find(i->hodnota);
      p.sloty.push_back(nalez == slot_instrukce.end() ? -1 : nalez->second);
    }
    stav.polygony.push_back(p);
  }
  stav.pocetusecek3d = pocetusecek3d;
  for (int r = 0; r < pocetusecek3d && r < kapacita_prunik; r++) pridej_bity(stav.prunik_bity, prunik[r]);
  pridej_bity(stav.ostatni_bity, teziste);
  stav.ostatni_bity.push_back(static_cast<std::uint32_t>(bodu_celkem));
  for (int i = 0; i < bodu_celkem; i++) pridej_bity(stav.ostatni_bity, pole_bodu[i]);
  pridej_bity(stav.ostatni_bity, adresy_bodu_global);
  if (konfigurace::ma_okraj_usecek)
    for (int s = 0; s < usecky_proviz_pocet; s++)
      stav.ostatni_bity.push_back(static_cast<unsigned char>(usecky_proviz_okraj[s]));
  return stav;
}

std::string rozdil(const StavModelu& a, const StavModelu& b) {
  std::ostringstream o;
  if (a.usecky.size() != b.usecky.size()) {
    o << "segment count " << a.usecky.size() << " vs " << b.usecky.size() << "; ";
  }
  for (std::size_t s = 0; s < a.usecky.size() && s < b.usecky.size(); s++) {
    if (a.usecky[s] != b.usecky[s]) {
      o << "segment " << s << ": (" << a.usecky[s][0] << "," << a.usecky[s][1] << ") vs (" << b.usecky[s][0] << ","
        << b.usecky[s][1] << "); ";
      break;
    }
  }
  if (a.polygony.size() != b.polygony.size())
    o << "polygon count " << a.polygony.size() << " vs " << b.polygony.size() << "; ";
  for (std::size_t p = 0; p < a.polygony.size() && p < b.polygony.size(); p++) {
    if (!(a.polygony[p] == b.polygony[p])) {
      o << "polygon " << p << " differs; ";
      break;
    }
  }
  if (a.pocetusecek3d != b.pocetusecek3d) o << "pocetusecek3d " << a.pocetusecek3d << " vs " << b.pocetusecek3d << "; ";
  if (a.prunik_bity != b.prunik_bity) o << "prunik records differ; ";
  if (a.pool_bity != b.pool_bity) o << "instruction pool differs; ";
  if (a.ostatni_bity != b.ostatni_bity) o << "teziste/pole_bodu/adresy/okraj differ; ";
  if (a.vystup != b.vystup) o << "console output differs; ";
  if (a.log != b.log) o << "log differs: [" << a.log << "] vs [" << b.log << "]; ";
  return o.str();
}

std::vector<std::array<std::int32_t, 2>> usecky_rustu(bool rychle, const std::vector<BodRoviny>& body,
                                                      int posledni_krok, std::string* log) {
  std::FILE* puvodni_log = log1;
  log1 = std::tmpfile();
  NastaveniRustu nastaveni;
  nastaveni.posledni_krok = posledni_krok;
  if (rychle) usecky_do_tabulky(rust_usecek(body, nastaveni));
  else rust_usecek_doslovne(body, nastaveni);
  if (log != nullptr) *log = precti_log();
  std::fclose(log1);
  log1 = puvodni_log;
  std::vector<std::array<std::int32_t, 2>> usecky;
  for (int s = 0; s < usecky_proviz_pocet; s++) usecky.push_back({usecky_provizorni[s][0], usecky_provizorni[s][1]});
  return usecky;
}
