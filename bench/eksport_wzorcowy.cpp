#include "bench/eksport_wzorcowy.h"

#include <stdio.h>
#include <string.h>

namespace pomiar {

namespace {

bool Wykluczona(int16_t grupa, const UstawieniaSklepu& u) {
    for (int16_t g : u.wykluczoneGrupy)
        if (g > 0 && g == grupa) return true;
    return false;
}

// The card number after "Karta:", without leading blanks, up to the next blank.
bool Karta(const std::string& opis, char* karta, size_t rozmiar) {
    const char* z = strstr(opis.c_str(), "Karta:");
    if (z == nullptr) return false;
    z += 6;
    while (*z == ' ' || *z == '\t') ++z;
    size_t n = 0;
    while (z[n] != '\0' && z[n] != ' ' && n + 1 < rozmiar) ++n;
    while (n > 0 && z[n - 1] == '\t') --n;
    memcpy(karta, z, n);
    karta[n] = '\0';
    return true;
}

}  // namespace

long EksportWzorcowy(const DaneSyntetyczne& dane, const UstawieniaSklepu& u, const char* dataOd, const char* dataDo,
                     const char* plik) {
    FILE* f = fopen(plik, "wb");
    if (f == nullptr) return -1;
    fprintf(f, "%02d\r\n", u.idSpoldzielni);
    long linie = 0;
    const torvel::RekordPozycji* pozycja = dane.pozycje.data();
    const torvel::RekordPozycji* koniecPozycji = pozycja + dane.pozycje.size();
    for (const torvel::RekordParagonu& p : dane.paragony) {
        // The receipt's items are the run that starts here.
        const torvel::RekordPozycji* pierwsza = pozycja;
        while (pozycja != koniecPozycji && pozycja->numerParagonu == p.numerParagonu) ++pozycja;
        const torvel::RekordPozycji* poOstatniej = pozycja;

        if (p.numerParagonu == 0 || p.stanParagonu > 0 || p.dataParagonu.empty()) continue;
        const char* data = p.dataParagonu.c_str();
        if ((dataOd[0] != '\0' && strcmp(dataOd, data) > 0) || (dataDo[0] != '\0' && strcmp(dataDo, data) < 0)) continue;
        char karta[50];
        if (!Karta(p.opisParagonu, karta, sizeof karta)) continue;

        bool jeden = (p.trybKwot & 1) != 0;
        double kwota = 0;
        for (const torvel::RekordPozycji* q = pierwsza; q != poOstatniej; ++q) {
            if (q->znacznikPozycji == 0 || q->ilosc == 0 || Wykluczona(q->grupa, u)) continue;
            kwota += jeden ? q->kwotaSumy1 : q->kwotaSumy0;
        }
        if (!(kwota > 0)) continue;

        char dataPliku[16];
        size_t n = 0;
        for (; data[n] != '\0' && n + 1 < sizeof dataPliku; ++n) {
            char c = data[n];
            dataPliku[n] = c == '.' ? '-' : c == 'C' ? '2' : c == 'D' ? '3' : c == 'E' ? '4' : c;
        }
        dataPliku[n] = '\0';
        fprintf(f, "%s;20%s %02d:%02d;%.2f;%.2f;%03d", karta, dataPliku, p.minutaParagonu / 60, p.minutaParagonu % 60,
                (p.kwota1 + p.kwota2) * 0.0001, kwota * 0.0001, u.idSklepu);
        for (const torvel::RekordPozycji* q = pierwsza; q != poOstatniej; ++q) {
            if (q->znacznikPozycji == 0 || q->ilosc <= 0) continue;
            const char* kod = q->kodPozycji.c_str();
            int cyfry = 0;
            while (cyfry < 17 && kod[cyfry] >= '0' && kod[cyfry] <= '9') ++cyfry;
            fprintf(f, "|%.*s;%.3f;%.2f", cyfry > 0 ? cyfry : 1, cyfry > 0 ? kod : "0", q->ilosc * 0.001,
                    (jeden ? q->kwotaWykazu1 : q->kwotaWykazu0) * 0.0001);
        }
        fputs("\r\n", f);
        ++linie;
    }
    return fclose(f) == 0 ? linie : -1;
}

}  // namespace pomiar
