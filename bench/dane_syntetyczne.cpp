#include "bench/dane_syntetyczne.h"

#include <stdio.h>

#include <string>

namespace pomiar {

const char* const POCZATEK_ROKU = "C6.01.01";
const char* const KONIEC_ROKU = "C6.12.31";

namespace {

// splitmix64: small, fast and the same on every platform and library.
class Losowanie {
public:
    explicit Losowanie(uint64_t ziarno) : stan_(ziarno) {}
    uint64_t Nastepna() {
        uint64_t z = (stan_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [od, do_].
    int64_t Zakres(int64_t od, int64_t do_) { return od + static_cast<int64_t>(Nastepna() % static_cast<uint64_t>(do_ - od + 1)); }
    // True in procent out of 100 draws.
    bool Procent(int procent) { return Zakres(0, 99) < procent; }

private:
    uint64_t stan_;
};

const int DNI_MIESIECY[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Host date text of the dzien-th day (0-based) of 2026.
std::string DataDniaRoku(int dzien) {
    int miesiac = 0;
    while (dzien >= DNI_MIESIECY[miesiac]) dzien -= DNI_MIESIECY[miesiac++];
    char tekst[32];
    snprintf(tekst, sizeof tekst, "C6.%02d.%02d", miesiac + 1, dzien + 1);
    return tekst;
}

std::string Cyfry(Losowanie& los, int ile) {
    std::string wynik;
    for (int i = 0; i < ile; ++i) wynik += static_cast<char>('0' + los.Zakres(0, 9));
    return wynik;
}

// Most descriptions carry a card in the usual form; some in the forms a
// cashier also types; the rest have none or a look-alike that does not count.
std::string Opis(Losowanie& los) {
    int rodzaj = static_cast<int>(los.Zakres(0, 99));
    std::string karta = "4400" + Cyfry(los, static_cast<int>(los.Zakres(3, 9)));
    if (rodzaj < 50) return "Karta: " + karta;
    if (rodzaj < 56) return "Karta:" + karta;
    if (rodzaj < 60) return "Rabat 5% Karta:  " + karta + " x";
    if (rodzaj < 63) return "karta: " + karta;  // lower case: no card
    if (rodzaj < 80) return "Gotowka";
    if (rodzaj < 90) return "Platnosc karta";
    return std::string();
}

std::string KodPozycji(Losowanie& los) {
    int rodzaj = static_cast<int>(los.Zakres(0, 99));
    if (rodzaj < 90) return "590" + Cyfry(los, 10);
    if (rodzaj < 95) return Cyfry(los, 4) + "AB" + Cyfry(los, 2);
    if (rodzaj < 98) return "X" + Cyfry(los, 5);
    return Cyfry(los, static_cast<int>(los.Zakres(1, 6)));
}

void DodajPozycje(Losowanie& los, torvel::RekordParagonu& paragon, std::vector<torvel::RekordPozycji>& pozycje) {
    int liczba = static_cast<int>(los.Zakres(1, 5));
    double suma = 0;
    for (int i = 0; i < liczba; ++i) {
        torvel::RekordPozycji p;
        p.numerParagonu = paragon.numerParagonu;
        p.kodPozycji = KodPozycji(los);
        p.ilosc = static_cast<int32_t>(los.Procent(70) ? 1000 * los.Zakres(1, 4) : los.Zakres(1, 3000));
        if (los.Procent(3)) p.ilosc = -p.ilosc;  // a return
        if (los.Procent(1)) p.ilosc = 0;
        p.grupa = static_cast<int16_t>(los.Zakres(1, 20));
        p.znacznikPozycji = los.Procent(2) ? 0 : 1;
        double cena = 100.0 * static_cast<double>(los.Zakres(50, 20000));  // 1/10000 per unit
        double wartosc = cena * p.ilosc / 1000.0;
        p.kwotaSumy0 = wartosc;
        p.kwotaWykazu0 = wartosc;
        p.kwotaSumy1 = wartosc * 0.92;
        p.kwotaWykazu1 = wartosc * 0.92;
        suma += (paragon.trybKwot & 1) ? p.kwotaSumy1 : p.kwotaSumy0;
        pozycje.push_back(std::move(p));
    }
    paragon.kwota1 = suma;
    paragon.kwota2 = los.Procent(10) ? 5000 : 0;  // a deposit
}

}  // namespace

DaneSyntetyczne GenerujDane(size_t liczbaParagonow, uint64_t ziarno) {
    Losowanie los(ziarno);
    DaneSyntetyczne dane;
    dane.paragony.reserve(liczbaParagonow);
    dane.pozycje.reserve(liczbaParagonow * 3);
    std::string data;
    int dzienDaty = -1;
    for (size_t i = 0; i < liczbaParagonow; ++i) {
        int dzien = static_cast<int>(i * 365 / liczbaParagonow);
        if (dzien != dzienDaty) {
            data = DataDniaRoku(dzien);
            dzienDaty = dzien;
        }
        torvel::RekordParagonu p;
        p.numerParagonu = static_cast<int32_t>(i + 1);
        p.dataParagonu = data;
        p.minutaParagonu = static_cast<int16_t>(los.Zakres(7 * 60, 21 * 60));
        p.stanParagonu = los.Procent(2) ? 1 : 0;  // cancelled
        p.trybKwot = los.Procent(10) ? 1 : 0;
        p.opisParagonu = Opis(los);
        DodajPozycje(los, p, dane.pozycje);
        dane.paragony.push_back(std::move(p));
    }
    return dane;
}

}  // namespace pomiar
