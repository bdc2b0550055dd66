// The items of one receipt in Tspr_dok: its card amount without the
// excluded goods groups, and its item list for the export line.
#pragma once

#include <stdint.h>

#include "export/rekordy_sprzedazy.h"
#include "export/ustawienia_eksportu.h"
#include "host/typy_hosta.h"

// Card amount in units of 1/10000: the summed amounts of the items that are
// marked, have a non-zero quantity and belong to no excluded group (> 0).
// 0 when the item table is not available (after an error box); then
// *brakTabeliPozycji, when given, is set.
double ZliczKwoteParagonuBezGrupy(const Paragon& paragon, const int16_t wykluczoneGrupy[LICZBA_WYKLUCZONYCH_GRUP],
                                  bool* brakTabeliPozycji = nullptr);

// Writes "|code;quantity;amount" for every marked item with a positive
// quantity, excluded groups included. False when a write failed (it stops
// there); a missing item table is no write failure, but sets
// *brakTabeliPozycji when given.
bool PodajPozycjeParagonuBezGrupy(StrumienHosta strumien, const Paragon& paragon, bool* brakTabeliPozycji = nullptr);

// The leading decimal digits of an item code, "0" when there are none;
// kod is cut in place.
const char* KodDoWykazu(char* kod);
