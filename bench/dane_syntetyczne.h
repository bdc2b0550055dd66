// A synthetic shop for measurements: N receipts of one year with their
// items, generated from a seed, always the same for the same seed.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "torvel/uslugi/torvel.h"

namespace pomiar {

enum { LICZBA_GRUP = 15 };

// What the generated shop's settings file holds and the reference export uses.
struct UstawieniaSklepu {
    int16_t idSpoldzielni = 7;
    int16_t idSklepu = 15;
    int16_t wykluczoneGrupy[LICZBA_GRUP] = {3, 17, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// The year the receipts are spread over, as host date texts.
extern const char* const POCZATEK_ROKU;  // C6.01.01
extern const char* const KONIEC_ROKU;    // C6.12.31

// Receipts numbered 1..N in date order; the items of each receipt follow
// one another in the item table, in receipt order.
struct DaneSyntetyczne {
    std::vector<torvel::RekordParagonu> paragony;
    std::vector<torvel::RekordPozycji> pozycje;
};

DaneSyntetyczne GenerujDane(size_t liczbaParagonow, uint64_t ziarno);

}  // namespace pomiar
