// The host's own state as the module sees it: compatibility answers, the
// batch flag, the enabling switch, the option word, the host state, the
// menu command and the till readings. Every answer comes from stan().
#include <stdio.h>
#include <string.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace {

const uint32_t DATA_NIECZYTELNA = 0x7FFFFFFFu;

// A build date text as the compiler writes it ("May 15 2023", "May  5 2023")
// as YYYYMMDD; 0 when it is not one.
uint32_t NumerDatyKompilacji(const char* tekst) {
    static const char* const MIESIACE[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char miesiac[4] = {};
    int dzien = 0, rok = 0;
    char reszta = 0;
    if (sscanf(tekst, "%3s %d %d %c", miesiac, &dzien, &rok, &reszta) != 3) return 0;
    for (int m = 0; m < 12; ++m) {
        if (strcmp(miesiac, MIESIACE[m]) == 0 && dzien >= 1 && dzien <= 31 && rok >= 1900 && rok <= 9999)
            return static_cast<uint32_t>(rok * 10000 + (m + 1) * 100 + dzien);
    }
    return 0;
}

}  // namespace

using torvel::json;
using torvel::stan;
using torvel::T;
using torvel::Zapisz;

// The host callback: (1, 1) asks for the required features the host lacks;
// (1, -1) opens the load-failure report.
TORVEL_FUNKCJA(int32_t) TorvelFunkcjaZwrotna(int32_t a, int32_t b) {
    int32_t wynik = (a == 1 && b == 1) ? stan().zgodnosc.brakujaceCechy : 0;
    Zapisz(30006, json::array({a, b}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel30018(UchwytModuluHosta modul, char* bufor, int32_t rozmiar) {
    const torvel::OdpowiedziZgodnosci& z = stan().zgodnosc;
    if (bufor != nullptr && rozmiar > 0 && z.sprzeciw != 0)
        snprintf(bufor, static_cast<size_t>(rozmiar), "%s", z.tekstSprzeciwu.c_str());
    Zapisz(30018, json::array({modul != nullptr, bufor == nullptr ? json(nullptr) : T(bufor), rozmiar}), z.sprzeciw);
    return z.sprzeciw;
}

TORVEL_FUNKCJA(uint32_t) Torvel52006(const char* dataKompilacji) {
    const torvel::OdpowiedziZgodnosci& z = stan().zgodnosc;
    uint32_t wynik;
    if (dataKompilacji == nullptr) {
        wynik = z.numerDatyHosta;
    } else if (z.numerDatyModuluUstawiony) {
        wynik = z.numerDatyModulu;
    } else {
        wynik = NumerDatyKompilacji(dataKompilacji);
        if (wynik == 0) wynik = DATA_NIECZYTELNA;
    }
    Zapisz(52006, json::array({T(dataKompilacji)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel51594(void) {
    int32_t wynik = stan().zgodnosc.wersjaInterfejsu;
    Zapisz(51594, json::array(), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t*) Torvel37974(void) {
    Zapisz(37974, json::array(), stan().flagaWsadowa);
    return &stan().flagaWsadowa;
}

TORVEL_FUNKCJA(int16_t*) Torvel52267(void) {
    Zapisz(52267, json::array(), stan().przelacznikAutomatu);
    return &stan().przelacznikAutomatu;
}

TORVEL_FUNKCJA(uint16_t) Torvel32300(void) {
    Zapisz(32300, json::array(), stan().slowoOpcji);
    return stan().slowoOpcji;
}

TORVEL_FUNKCJA(int32_t) Torvel32408(uint16_t maska, int32_t ustaw) {
    uint16_t& slowo = stan().slowoOpcji;
    if (ustaw != 0)
        slowo = static_cast<uint16_t>(slowo | maska);
    else
        slowo = static_cast<uint16_t>(slowo & ~maska);
    Zapisz(32408, json::array({maska, ustaw}), slowo);
    return slowo;
}

TORVEL_FUNKCJA(int32_t) Torvel24235(int32_t nowyStan) {
    int32_t poprzedni = stan().stanHosta;
    stan().stanHosta = nowyStan;
    Zapisz(24235, json::array({nowyStan}), poprzedni);
    return poprzedni;
}

TORVEL_FUNKCJA(int32_t) Torvel52172(int32_t wartosc) {
    Zapisz(52172, json::array({wartosc}), 0);
    return 0;
}

TORVEL_FUNKCJA(int32_t) Torvel51539(int16_t* znacznikiKas, int32_t liczba) {
    // The host has ten tills; it never reads past them.
    json znaczniki = nullptr;
    if (znacznikiKas != nullptr) {
        znaczniki = json::array();
        for (int32_t i = 0; i < liczba && i < 10; ++i) znaczniki.push_back(znacznikiKas[i]);
    }
    stan().flagaPrzyOdczycieKas = stan().flagaWsadowa;
    Zapisz(51539, json::array({znaczniki, liczba}), 0);
    return 0;
}

TORVEL_FUNKCJA(int32_t) Torvel51636(int32_t zrodlo, int32_t opcje) {
    stan().flagaPrzyOdczycieSprzedazy = stan().flagaWsadowa;
    Zapisz(51636, json::array({zrodlo, opcje}), 0);
    return 0;
}

TORVEL_FUNKCJA(int32_t) Torvel52081(const RekordPolecenia* rekord) {
    json opis = nullptr;
    if (rekord != nullptr)
        opis = json::array({rekord->kodPolecenia, T(rekord->tytul), rekord->identyfikator, rekord->obsluga != nullptr,
                            rekord->zarezerwowane});
    stan().polecenie = rekord;
    Zapisz(52081, json::array({opis}), 0);
    return 0;
}

TORVEL_FUNKCJA(int32_t) Torvel52082(int32_t identyfikator) {
    const RekordPolecenia* polecenie = stan().polecenie;
    if (polecenie != nullptr && static_cast<int32_t>(polecenie->identyfikator) == identyfikator) stan().polecenie = nullptr;
    Zapisz(52082, json::array({identyfikator}), 0);
    return 0;
}
