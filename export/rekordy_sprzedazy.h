// The host's sales records as the export reads them: table numbers, field
// offsets of Tspr and Tspr_dok (packed, little-endian) and readers that copy
// each field out of the record buffer without reaching past its bytes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "host/typy_hosta.h"

enum {
    TABELA_TSPR = 44,
    TABELA_TSPR_DOK = 45,
    INDEKS_PARAGONOW = 24,         // Tspr, key value 0
    INDEKS_POZYCJI_PARAGONU = 68,  // Tspr_dok, key value numerParagonu
};

namespace tspr {
enum : size_t {
    ROZMIAR = 1469,
    TRYB_KWOT = 219,
    DATA_PARAGONU = 230,
    DLUGOSC_DATY = 9,
    KWOTA1 = 239,
    KWOTA2 = 247,
    OPIS_PARAGONU = 436,
    MINUTA_PARAGONU = 544,
    DLUGOSC_OPISU = MINUTA_PARAGONU - OPIS_PARAGONU,  // the text ends where the minute begins
    STAN_PARAGONU = 1429,
    NUMER_PARAGONU = 1465,
};
}  // namespace tspr

namespace tspr_dok {
enum : size_t {
    ROZMIAR = 515,
    KOD_POZYCJI = 123,
    DLUGOSC_KODU = 17,
    ILOSC = 140,
    KWOTA_WYKAZU0 = 150,
    KWOTA_SUMY0 = 158,
    KWOTA_SUMY1 = 176,
    KWOTA_WYKAZU1 = 192,
    GRUPA = 214,
    ZNACZNIK_POZYCJI = 511,
};
}  // namespace tspr_dok

// A receipt header copied out of the current Tspr record. Texts are always
// terminated here, whether or not the host terminated them.
struct Paragon {
    uint8_t trybKwot;
    char dataParagonu[tspr::DLUGOSC_DATY + 1];
    double kwota1;
    double kwota2;
    char opisParagonu[tspr::DLUGOSC_OPISU + 1];
    int16_t minutaParagonu;
    int16_t stanParagonu;
    int32_t numerParagonu;
};

// An item copied out of the current Tspr_dok record.
struct PozycjaParagonu {
    char kodPozycji[tspr_dok::DLUGOSC_KODU + 1];
    int32_t ilosc;
    double kwotaWykazu0;
    double kwotaSumy0;
    double kwotaSumy1;
    double kwotaWykazu1;
    int16_t grupa;
    int16_t znacznikPozycji;
};

// The record buffer and the number of its bytes that may be read: the
// smaller of the size the handle reports and the size the layout expects.
struct WidokRekordu {
    const uint8_t* dane;
    size_t rozmiar;
};
WidokRekordu WidokBiezacegoRekordu(const UchwytTabeli* tabela, size_t oczekiwanyRozmiar);

// A field that lies (partly) outside the readable bytes reads as 0 / empty.
Paragon CzytajParagon(WidokRekordu rekord);
PozycjaParagonu CzytajPozycje(WidokRekordu rekord);
