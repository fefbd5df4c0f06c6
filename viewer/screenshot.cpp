// One frame as a PNG file, encoded by libpng's simplified interface.
#include "viewer/screenshot.h"

#include <png.h>

#include <vector>

#include "common/messages.h"
#include "viewer/camera.h"
#include "viewer/viewer_tables.h"
#include "viewer/window.h"

namespace {

// The PNG file of xscr x yscr RGB pixels, rows from the top; empty on failure.
std::string png_soubor(const std::vector<unsigned char>& rgb) {
  png_image obraz{};
  obraz.version = PNG_IMAGE_VERSION;
  obraz.width = static_cast<png_uint_32>(*tabulky_prohlizece().xscr);
  obraz.height = static_cast<png_uint_32>(*tabulky_prohlizece().yscr);
  obraz.format = PNG_FORMAT_RGB;
  png_alloc_size_t velikost = 0;
  if (!png_image_write_to_memory(&obraz, nullptr, &velikost, 0, rgb.data(), 0, nullptr)) return "";
  std::string png(velikost, '\0');
  if (!png_image_write_to_memory(&obraz, png.data(), &velikost, 0, rgb.data(), 0, nullptr)) return "";
  png.resize(velikost);
  return png;
}

}  // namespace

void natoc_pro_snimek(const double* cil) {
  if (cil == nullptr) {
    // The pointer's move as with a mouse that is taken: in a window it is
    // free at the start, and its move would leave the view unturned.
    mouseMovement(StavProhlizece(), 540, 360);
  } else {
    const double smer[3] = {cil[0] - pozice[0], cil[1] - pozice[1], cil[2] - pozice[2]};
    uhly_pohledu(smer, tabulky_prohlizece().yrot, &zrot);
  }
}

bool uloz_snimek_obrazovky(StavProhlizece& stav, const std::string& cesta, std::string* chyba,
                           const double* cil) {
  natoc_pro_snimek(cil);
  std::vector<unsigned char> rgb;
  display_a_precti(stav, &rgb);
  const std::string png = png_soubor(rgb);
  if (png.empty()) {
    if (chyba != nullptr) *chyba = zprava(cesta, "cannot be written (the PNG encoder failed)");
    return false;
  }
  return tabulky_prohlizece().zapis_soubor(cesta, png, chyba);
}
