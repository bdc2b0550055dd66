#include "export/plik_sprzedazy.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "host/funkcje_hosta.h"

const char* const KATALOG_EKSPORTU = "BRENVIK";

namespace {

enum { ROZMIAR_DATY_HOSTA = 16, ROZMIAR_CZASU_HOSTA = 64, MAKS_ZNAKOW_CZASU = 10 };
enum { MINUT_W_DOBIE = 24 * 60 };

// Hours and minutes of the host's time text (two digits, a separator, two digits).
int MinutyOdPolnocy() {
    char czas[ROZMIAR_CZASU_HOSTA] = {};
    H30308()(czas, 2);
    czas[ROZMIAR_CZASU_HOSTA - 1] = '\0';
    char kopia[MAKS_ZNAKOW_CZASU + 1] = {};
    H52161()(kopia, czas, MAKS_ZNAKOW_CZASU);
    kopia[2] = '\0';
    kopia[5] = '\0';
    return 60 * atoi(kopia) + atoi(kopia + 3);
}

}  // namespace

char* PodajZnacznikCzasu(char* bufor, size_t rozmiar) {
    if (rozmiar == 0) return bufor;
    char dzis[ROZMIAR_DATY_HOSTA] = {};
    H30204()(dzis);
    dzis[ROZMIAR_DATY_HOSTA - 1] = '\0';
    int16_t rok = 0, miesiac = 0, dzien = 0;
    H30520()(dzis, &rok, &miesiac, &dzien, 0);

    int minuty = MinutyOdPolnocy();
    if (minuty == 0) minuty = MINUT_W_DOBIE;  // midnight closes the day: 2400

    snprintf(bufor, rozmiar, "%04d_%02d_%02d_%02d%02d", rok, miesiac, dzien, minuty / 60, minuty % 60);
    for (char* p = bufor; *p != '\0'; ++p)
        if (*p == '.' || *p == ':') *p = '_';
    return bufor;
}

void NazwaPlikuSprzedazy(char* nazwa, size_t rozmiar, int16_t idSpoldzielni, int16_t idSklepu, const char* znacznikCzasu) {
    snprintf(nazwa, rozmiar, "%02d_%03d_%s.csv", idSpoldzielni, idSklepu, znacznikCzasu);
}

void SciezkaPlikuSprzedazy(char* sciezka, size_t rozmiar, const char* nazwa) {
    snprintf(sciezka, rozmiar, "%s\\%s", KATALOG_EKSPORTU, nazwa);
}

void KonwertujDateParagonu(char* data) {
    for (char* p = data; *p != '\0'; ++p) {
        switch (*p) {
            case '.': *p = '-'; break;
            case 'C': *p = '2'; break;
            case 'D': *p = '3'; break;
            case 'E': *p = '4'; break;
            default: break;
        }
    }
}

bool NumerKarty(const char* opisParagonu, char* karta, size_t rozmiar) {
    static const char ZNACZNIK_KARTY[] = "Karta:";
    const char* znacznik = strstr(opisParagonu, ZNACZNIK_KARTY);
    if (znacznik == nullptr || rozmiar == 0) return false;
    // Blanks before the number are skipped first, so that the cut to the
    // buffer applies to the number itself, however many blanks precede it.
    const char* numer = znacznik + (sizeof ZNACZNIK_KARTY - 1);
    while (*numer == ' ' || *numer == '\t') ++numer;
    size_t dlugosc = strnlen(numer, rozmiar - 1);
    memcpy(karta, numer, dlugosc);
    karta[dlugosc] = '\0';
    H52133()(karta);
    karta[strcspn(karta, " \t")] = '\0';
    return true;
}

bool ZapiszNaglowekPliku(StrumienHosta strumien, int16_t idSpoldzielni) {
    return H52541()(strumien, "%02d\n", idSpoldzielni) >= 0;
}

bool ZapiszParagon(StrumienHosta strumien, const char* karta, const char* dataPliku, const Paragon& paragon,
                   double kwotaKarty, int16_t idSklepu) {
    int minuta = paragon.minutaParagonu;
    return H52541()(strumien, "%s;20%s %02d:%02d;%.2f;%.2f;%03d", karta, dataPliku, minuta / 60, minuta % 60,
                    (paragon.kwota1 + paragon.kwota2) * 0.0001, kwotaKarty * 0.0001, idSklepu) >= 0;
}

bool ZakonczLinie(StrumienHosta strumien) { return H52541()(strumien, "\n") >= 0; }
