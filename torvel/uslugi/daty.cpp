// Dates and texts: the host date text (C6.12.05), today and the time of
// day from the host's state, calendar arithmetic, bounded copy and trim.
#include <stdio.h>
#include <string.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

enum { ROK_OD = 1920, ROK_DO = 2259, ROZMIAR_FORMY_WYSWIETLANEJ = 28, DLUGOSC_DATY = 8 };

bool Przestepny(int rok) { return (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0; }

int DniMiesiaca(int rok, int miesiac) {
    static const int DNI[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return miesiac == 2 && Przestepny(rok) ? 29 : DNI[miesiac - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DzienKalendarza(int64_t rok, int miesiac, int dzien) {
    rok -= miesiac <= 2;
    const int64_t era = (rok >= 0 ? rok : rok - 399) / 400;
    const int64_t rokEry = rok - era * 400;
    const int64_t dzienRoku = (153 * (miesiac > 2 ? miesiac - 3 : miesiac + 9) + 2) / 5 + dzien - 1;
    const int64_t dzienEry = rokEry * 365 + rokEry / 4 - rokEry / 100 + dzienRoku;
    return era * 146097 + dzienEry - 719468;
}

void DataDnia(int64_t z, int64_t* rok, int* miesiac, int* dzien) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dzienEry = z - era * 146097;
    const int64_t rokEry = (dzienEry - dzienEry / 1460 + dzienEry / 36524 - dzienEry / 146096) / 365;
    const int64_t dzienRoku = dzienEry - (365 * rokEry + rokEry / 4 - rokEry / 100);
    const int64_t mp = (5 * dzienRoku + 2) / 153;
    *dzien = static_cast<int>(dzienRoku - (153 * mp + 2) / 5 + 1);
    *miesiac = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *rok = rokEry + era * 400 + (*miesiac <= 2);
}

bool Cyfra(char c) { return c >= '0' && c <= '9'; }

const char* Tekst(const char* t) { return t == nullptr ? "" : t; }

int Znak(int wartosc) { return wartosc < 0 ? -1 : wartosc > 0 ? 1 : 0; }

}  // namespace

std::string TekstDaty(int rok, int miesiac, int dzien) {
    if (rok < ROK_OD || rok > ROK_DO || miesiac < 1 || miesiac > 12 || dzien < 1 || dzien > DniMiesiaca(rok, miesiac))
        return std::string();
    char znakDekady = rok >= 2020 ? static_cast<char>('C' + (rok - 2020) / 10) : static_cast<char>('0' + (rok % 100) / 10);
    char tekst[32];  // room for any int the compiler cannot rule out
    snprintf(tekst, sizeof tekst, "%c%d.%02d.%02d", znakDekady, rok % 10, miesiac, dzien);
    return tekst;
}

namespace {

// The parser for texts of known length, so that the host's date functions
// need not copy their arguments into strings.
bool CzytajZnakiDaty(const char* tekst, size_t dlugosc, int* rok, int* miesiac, int* dzien) {
    if (dlugosc != DLUGOSC_DATY || tekst[2] != '.' || tekst[5] != '.') return false;
    for (int i : {1, 3, 4, 6, 7})
        if (!Cyfra(tekst[i])) return false;
    int r;
    if (tekst[0] >= 'C' && tekst[0] <= 'Z') {
        r = 2020 + (tekst[0] - 'C') * 10 + (tekst[1] - '0');
    } else if (Cyfra(tekst[0])) {
        int dwieCyfry = (tekst[0] - '0') * 10 + (tekst[1] - '0');
        r = dwieCyfry < 20 ? 2000 + dwieCyfry : 1900 + dwieCyfry;
    } else {
        return false;
    }
    int m = (tekst[3] - '0') * 10 + (tekst[4] - '0');
    int d = (tekst[6] - '0') * 10 + (tekst[7] - '0');
    if (m < 1 || m > 12 || d < 1 || d > DniMiesiaca(r, m)) return false;
    if (rok) *rok = r;
    if (miesiac) *miesiac = m;
    if (dzien) *dzien = d;
    return true;
}

}  // namespace

bool CzytajDate(const std::string& tekst, int* rok, int* miesiac, int* dzien) {
    return CzytajZnakiDaty(tekst.data(), tekst.size(), rok, miesiac, dzien);
}

namespace {

bool CzytajTekstDaty(const char* tekst, int* rok, int* miesiac, int* dzien) {
    if (tekst == nullptr) return false;
    size_t dlugosc = 0;  // up to one past a date's length is enough to tell
    while (dlugosc <= DLUGOSC_DATY && tekst[dlugosc] != '\0') ++dlugosc;
    return CzytajZnakiDaty(tekst, dlugosc, rok, miesiac, dzien);
}

// A host date text into a buffer of the host's date size (8 characters and NUL).
void WpiszDate(char* cel, const std::string& tekst) {
    size_t n = tekst.size() > static_cast<size_t>(DLUGOSC_DATY) ? static_cast<size_t>(DLUGOSC_DATY) : tekst.size();
    memmove(cel, tekst.data(), n);
    cel[n] = '\0';
}

}  // namespace

}  // namespace torvel

using torvel::json;
using torvel::T;

TORVEL_FUNKCJA(char*) Torvel30204(char* bufor) {
    const torvel::Stan& s = torvel::stan();
    if (bufor != nullptr) torvel::WpiszDate(bufor, torvel::TekstDaty(s.rok, s.miesiac, s.dzien));
    torvel::Zapisz(30204, json::array({bufor == nullptr ? json(nullptr) : json("buffer")}), T(bufor));
    return bufor;
}

TORVEL_FUNKCJA(char*) Torvel30308(char* bufor, int32_t format) {
    const torvel::Stan& s = torvel::stan();
    // Hours and minutes as two digits each, whatever the host's state holds.
    int godzina = s.godzina >= 0 && s.godzina < 24 ? s.godzina : 0, minuta = s.minuta >= 0 && s.minuta < 60 ? s.minuta : 0;
    if (bufor != nullptr) snprintf(bufor, 9, "%02d:%02d:00", godzina, minuta);
    torvel::Zapisz(30308, json::array({bufor == nullptr ? json(nullptr) : json("buffer"), format}), T(bufor));
    return bufor;
}

TORVEL_FUNKCJA(int32_t) Torvel31012(const char* zrodlo, char* cel, int32_t dni) {
    json argumenty = json::array({T(zrodlo), cel == nullptr ? json(nullptr) : json("buffer"), dni});
    int32_t wynik = -1;
    int rok, miesiac, dzien;
    if (cel != nullptr) {
        std::string przesunieta;
        if (torvel::CzytajTekstDaty(zrodlo, &rok, &miesiac, &dzien)) {
            int64_t r;
            torvel::DataDnia(torvel::DzienKalendarza(rok, miesiac, dzien) + dni, &r, &miesiac, &dzien);
            if (r >= torvel::ROK_OD && r <= torvel::ROK_DO) przesunieta = torvel::TekstDaty(static_cast<int>(r), miesiac, dzien);
        }
        if (!przesunieta.empty()) {
            wynik = 0;
        } else {
            przesunieta = torvel::Tekst(zrodlo);  // the destination never stays undefined
        }
        torvel::WpiszDate(cel, przesunieta);
    }
    torvel::Zapisz(31012, std::move(argumenty), {{"result", wynik}, {"date", T(cel)}});
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel30908(const char* a, const char* b) {
    int ra, ma, da, rb, mb, db;
    int32_t wynik;
    if (torvel::CzytajTekstDaty(a, &ra, &ma, &da) && torvel::CzytajTekstDaty(b, &rb, &mb, &db)) {
        // Valid dates order as (year, month, day) do.
        int roznica = ra != rb ? ra - rb : ma != mb ? ma - mb : da - db;
        wynik = torvel::Znak(roznica);
    } else {
        wynik = torvel::Znak(strcmp(torvel::Tekst(a), torvel::Tekst(b)));
    }
    if (torvel::SladAktywny()) torvel::Zapisz(30908, json::array({T(a), T(b)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(char*) Torvel32008(char* wynik, const char* data) {
    if (wynik != nullptr) {
        int rok, miesiac, dzien;
        if (torvel::CzytajTekstDaty(data, &rok, &miesiac, &dzien)) {
            snprintf(wynik, torvel::ROZMIAR_FORMY_WYSWIETLANEJ, "%02d.%02d.%04d", dzien, miesiac, rok);
        } else {
            snprintf(wynik, torvel::ROZMIAR_FORMY_WYSWIETLANEJ, "%s", torvel::Tekst(data));
        }
    }
    torvel::Zapisz(32008, json::array({wynik == nullptr ? json(nullptr) : json("buffer"), T(data)}), T(wynik));
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel30520(const char* data, int16_t* rok, int16_t* miesiac, int16_t* dzien, int32_t x) {
    int r = 0, m = 0, d = 0;
    int32_t wynik = torvel::CzytajTekstDaty(data, &r, &m, &d) ? 0 : -1;
    if (rok) *rok = static_cast<int16_t>(r);
    if (miesiac) *miesiac = static_cast<int16_t>(m);
    if (dzien) *dzien = static_cast<int16_t>(d);
    torvel::Zapisz(30520, json::array({T(data), rok != nullptr, miesiac != nullptr, dzien != nullptr, x}),
                   {{"result", wynik}, {"year", r}, {"month", m}, {"day", d}});
    return wynik;
}

TORVEL_FUNKCJA(char*) Torvel52161(char* cel, const char* zrodlo, int32_t n) {
    json argumenty;
    if (torvel::SladAktywny()) argumenty = json::array({cel == nullptr ? json(nullptr) : json("buffer"), T(zrodlo), n});
    if (cel != nullptr) {
        size_t najwyzej = n > 0 ? static_cast<size_t>(n) : 0;
        size_t dlugosc = 0;
        const char* z = torvel::Tekst(zrodlo);
        while (dlugosc < najwyzej && z[dlugosc] != '\0') ++dlugosc;
        memmove(cel, z, dlugosc);
        cel[dlugosc] = '\0';
    }
    if (torvel::SladAktywny()) torvel::Zapisz(52161, std::move(argumenty), T(cel));
    return cel;
}

TORVEL_FUNKCJA(char*) Torvel52133(char* tekst) {
    json argumenty;
    if (torvel::SladAktywny()) argumenty = json::array({T(tekst)});
    if (tekst != nullptr) {
        size_t poczatek = 0, koniec = strlen(tekst);
        while (poczatek < koniec && (tekst[poczatek] == ' ' || tekst[poczatek] == '\t')) ++poczatek;
        while (koniec > poczatek && (tekst[koniec - 1] == ' ' || tekst[koniec - 1] == '\t')) --koniec;
        memmove(tekst, tekst + poczatek, koniec - poczatek);
        tekst[koniec - poczatek] = '\0';
    }
    if (torvel::SladAktywny()) torvel::Zapisz(52133, std::move(argumenty), T(tekst));
    return tekst;
}
