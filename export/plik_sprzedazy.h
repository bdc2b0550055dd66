// The card sales file: its name, its path under "BRENVIK", and its lines.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "export/rekordy_sprzedazy.h"
#include "host/typy_hosta.h"

enum { ROZMIAR_NAZWY_PLIKU = 256, ROZMIAR_ZNACZNIKA_CZASU = 300 };

extern const char* const KATALOG_EKSPORTU;  // "BRENVIK"

// Export timestamp YYYY_MM_DD_HHMM from the host's date and time of day;
// midnight is written as 2400 of the new day. Returns bufor.
char* PodajZnacznikCzasu(char* bufor, size_t rozmiar);

// "%02d_%03d_%s.csv": cooperative, shop, timestamp.
void NazwaPlikuSprzedazy(char* nazwa, size_t rozmiar, int16_t idSpoldzielni, int16_t idSklepu, const char* znacznikCzasu);

// "BRENVIK\<name>", relative to the current directory.
void SciezkaPlikuSprzedazy(char* sciezka, size_t rozmiar, const char* nazwa);

// Host date text to the file's form, in place: "." -> "-", C/D/E -> 2/3/4
// (C6.12.05 -> 26-12-05, shown after "20").
void KonwertujDateParagonu(char* data);

// The card number: the first word after the first "Karta:" of the
// description, without the blanks around it, at most rozmiar - 1
// characters. False when the description has no "Karta:".
bool NumerKarty(const char* opisParagonu, char* karta, size_t rozmiar);

// The writes below are false when the host's formatted write failed
// (a negative result, as when the disk is full).

// First line: the cooperative number.
bool ZapiszNaglowekPliku(StrumienHosta strumien, int16_t idSpoldzielni);

// The receipt part of a line (without the item list and the line end);
// dataPliku is already converted.
bool ZapiszParagon(StrumienHosta strumien, const char* karta, const char* dataPliku, const Paragon& paragon,
                   double kwotaKarty, int16_t idSklepu);

bool ZakonczLinie(StrumienHosta strumien);
