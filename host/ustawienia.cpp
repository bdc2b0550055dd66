#include "host/ustawienia.h"

#include <stdarg.h>
#include <string.h>

#include "host/funkcje_hosta.h"

const char* const PLIK_USTAWIEN = "brenvik.ini";

int32_t UstawieniaHosta(const char* plik, int32_t tryb, const char* sekcja, const char* klucz, const char* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    int32_t wynik = H41399()(plik, tryb, sekcja, klucz, format, argumenty);
    va_end(argumenty);
    return wynik;
}

namespace {

// Only the low 16 bits of a read's result tell whether the key was found.
bool Znaleziono(int32_t wynik) { return static_cast<int16_t>(wynik) == 0; }

void KopiujOgraniczenie(char* cel, size_t rozmiar, const char* zrodlo) {
    if (rozmiar == 0) return;
    size_t dlugosc = strnlen(zrodlo, rozmiar - 1);
    memcpy(cel, zrodlo, dlugosc);
    cel[dlugosc] = '\0';
}

// The host stores a whole "%s" value (up to its own limit) wherever it is
// told; reading into storage of that limit and copying from there keeps
// every smaller destination intact.
bool CzytajTekstOgraniczony(const char* sekcja, const char* klucz, char* cel, size_t rozmiar) {
    char odczyt[MAKS_TEKST_USTAWIENIA + 1];
    odczyt[0] = '\0';
    odczyt[MAKS_TEKST_USTAWIENIA] = '\0';
    bool znaleziony = Znaleziono(UstawieniaHosta(PLIK_USTAWIEN, TRYB_CZYTANIA_USTAWIEN, sekcja, klucz, "%s", odczyt));
    odczyt[MAKS_TEKST_USTAWIENIA] = '\0';
    if (znaleziony) KopiujOgraniczenie(cel, rozmiar, odczyt);
    return znaleziony;
}

}  // namespace

int16_t CzytajLiczbeZDomyslna(const char* sekcja, const char* klucz, int16_t domyslna) {
    int16_t wartosc = 0;
    int32_t wynik = UstawieniaHosta(PLIK_USTAWIEN, TRYB_CZYTANIA_USTAWIEN, sekcja, klucz, "%d", &wartosc);
    if (!Znaleziono(wynik)) {
        wartosc = domyslna;
        UstawieniaHosta(PLIK_USTAWIEN, TRYB_ZAPISU_USTAWIEN, sekcja, klucz, "%d", static_cast<int32_t>(domyslna));
    }
    return wartosc;
}

char* CzytajTekstZDomyslna(const char* sekcja, const char* klucz, char* cel, size_t rozmiar, const char* domyslny) {
    if (!CzytajTekstOgraniczony(sekcja, klucz, cel, rozmiar)) {
        KopiujOgraniczenie(cel, rozmiar, domyslny);
        UstawieniaHosta(PLIK_USTAWIEN, TRYB_ZAPISU_USTAWIEN, sekcja, klucz, "%s", domyslny);
    }
    return cel;
}

bool CzytajTekst(const char* sekcja, const char* klucz, char* cel, size_t rozmiar) {
    if (CzytajTekstOgraniczony(sekcja, klucz, cel, rozmiar)) return true;
    if (rozmiar > 0) cel[0] = '\0';
    return false;
}
