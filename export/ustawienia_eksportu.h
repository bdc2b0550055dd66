// The settings of one export run, read afresh at its start from sections
// "ustawieniaRaportu" and "ustawieniaTransmisji".
#pragma once

#include <stdint.h>

enum { LICZBA_WYKLUCZONYCH_GRUP = 15 };

struct UstawieniaEksportu {
    int16_t idSklepu;
    int16_t idSpoldzielni;
    char nazwaSklepu[100];
    int16_t wykluczoneGrupy[LICZBA_WYKLUCZONYCH_GRUP];  // > 0 takes part
    char hostFTP[300];
    char userFTP[100];
    char passFTP[100];
    char dirFTP[200];
    int16_t pasywnyFTP;
    int16_t portFTP;
};

extern const char* const SEKCJA_RAPORTU;     // "ustawieniaRaportu"
extern const char* const SEKCJA_TRANSMISJI;  // "ustawieniaTransmisji"
extern const char* const DOMYSLNY_HOST_FTP;

// The 18 report keys, then the 6 transmission keys, in this order; each
// missing key is written back with its default.
void WczytajUstawieniaEksportu(UstawieniaEksportu* ustawienia);
