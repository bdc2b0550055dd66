#include "commands/znaczniki_kas.h"

#include <stdio.h>

#include "host/ustawienia.h"

void WczytajZnacznikiKas(int16_t znaczniki[LICZBA_KAS]) {
    for (int kasa = 1; kasa <= LICZBA_KAS; ++kasa) {
        char klucz[16];
        snprintf(klucz, sizeof klucz, "Kasa%02d", kasa);
        znaczniki[kasa - 1] = CzytajLiczbeZDomyslna("odczytParagonowZKas", klucz, 1);
    }
}
