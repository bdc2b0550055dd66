// Settings access: everything the module keeps in "brenvik.ini" goes
// through host function 41399.
#pragma once

#include <stddef.h>
#include <stdint.h>

extern const char* const PLIK_USTAWIEN;  // "brenvik.ini"

enum { TRYB_CZYTANIA_USTAWIEN = 8, TRYB_ZAPISU_USTAWIEN = 9 };

// The one forwarding operation over host function 41399: hands the further
// arguments on as a list and returns the host's result.
int32_t UstawieniaHosta(const char* plik, int32_t tryb, const char* sekcja, const char* klucz, const char* format, ...);

// Reads a "%d" key as 16 bits; when missing, uses and writes back the default.
int16_t CzytajLiczbeZDomyslna(const char* sekcja, const char* klucz, int16_t domyslna);

// Reads a "%s" key into cel (cut to rozmiar - 1 characters); when missing,
// uses and writes back the default. Returns cel.
char* CzytajTekstZDomyslna(const char* sekcja, const char* klucz, char* cel, size_t rozmiar, const char* domyslny);

// Reads a "%s" key into cel (cut to rozmiar - 1 characters) without a
// default; returns false when the key is missing (cel is then left empty).
bool CzytajTekst(const char* sekcja, const char* klucz, char* cel, size_t rozmiar);
