#include "export/ustawienia_eksportu.h"

#include <stdio.h>

#include "host/ustawienia.h"

const char* const SEKCJA_RAPORTU = "ustawieniaRaportu";
const char* const SEKCJA_TRANSMISJI = "ustawieniaTransmisji";
const char* const DOMYSLNY_HOST_FTP = "ftp.sklep.example";

void WczytajUstawieniaEksportu(UstawieniaEksportu* u) {
    u->idSklepu = CzytajLiczbeZDomyslna(SEKCJA_RAPORTU, "idSklepu", 1);
    u->idSpoldzielni = CzytajLiczbeZDomyslna(SEKCJA_RAPORTU, "idSpoldzielni", 1);
    CzytajTekstZDomyslna(SEKCJA_RAPORTU, "nazwaSklepu", u->nazwaSklepu, sizeof u->nazwaSklepu, "nazwasklepu");
    for (int i = 0; i < LICZBA_WYKLUCZONYCH_GRUP; ++i) {
        // The first key has no number: wykluczonaGrupa, wykluczonaGrupa2, ...
        char klucz[32];
        if (i == 0)
            snprintf(klucz, sizeof klucz, "wykluczonaGrupa");
        else
            snprintf(klucz, sizeof klucz, "wykluczonaGrupa%d", i + 1);
        u->wykluczoneGrupy[i] = CzytajLiczbeZDomyslna(SEKCJA_RAPORTU, klucz, -1);
    }

    CzytajTekstZDomyslna(SEKCJA_TRANSMISJI, "hostFTP", u->hostFTP, sizeof u->hostFTP, DOMYSLNY_HOST_FTP);
    CzytajTekstZDomyslna(SEKCJA_TRANSMISJI, "userFTP", u->userFTP, sizeof u->userFTP, "nazwauzytkownika");
    CzytajTekstZDomyslna(SEKCJA_TRANSMISJI, "passFTP", u->passFTP, sizeof u->passFTP, "kwintoru");
    CzytajTekstZDomyslna(SEKCJA_TRANSMISJI, "dirFTP", u->dirFTP, sizeof u->dirFTP, "katalogFTP");
    u->pasywnyFTP = CzytajLiczbeZDomyslna(SEKCJA_TRANSMISJI, "pasywnyFTP", 1);
    u->portFTP = CzytajLiczbeZDomyslna(SEKCJA_TRANSMISJI, "portFTP", 21);
}
