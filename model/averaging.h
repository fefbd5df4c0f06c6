// zprumeruj_modely: merges points of two angle slots that mark the same spot.
//
// Every point of slot profil1 (in index order) that has a not yet merged
// point of slot profil2 closer than 1 world unit is paired with the nearest
// such point (lowest index on a tie); both become their midpoint in
// body_souradnice. Slots outside the table are ignored.
#pragma once

void zprumeruj_modely(int profil1, int profil2);
