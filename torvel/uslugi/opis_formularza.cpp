#include "torvel/uslugi/opis_formularza.h"

#include <stdio.h>
#include <string.h>

#include "torvel/uslugi/torvel.h"

namespace torvel {

namespace {

enum { NAGLOWEK = 8, REKORD_PROSTY = 20, TEKST_POLA_DATY = 42, NAJWIEKSZY_OPIS = 0xFFFF };

uint16_t Slowo(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Slowo32(const uint8_t* p) { return Slowo(p) | (static_cast<uint32_t>(Slowo(p + 2)) << 16); }

// A NUL-terminated text starting at `od` that ends before `koniec`.
bool CzytajTekst(const uint8_t* opis, size_t od, size_t koniec, std::string* tekst, size_t* poTekscie) {
    for (size_t i = od; i < koniec; ++i) {
        if (opis[i] == 0) {
            tekst->assign(reinterpret_cast<const char*>(opis + od), i - od);
            *poTekscie = i + 1;
            return true;
        }
    }
    return false;
}

bool Blad(std::string* blad, const std::string& tekst) {
    *blad = tekst;
    return false;
}

bool DniWMiesiacu(int rok, int miesiac, int dzien) {
    static const int DNI[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (rok < 1900 || rok > 2099 || miesiac < 1 || miesiac > 12 || dzien < 1) return false;
    bool przestepny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    return dzien <= DNI[miesiac - 1] + (miesiac == 2 && przestepny ? 1 : 0);
}

// Identifier, key, column, row, width and height: the same run of words in
// every kind of record, from where the kind puts it.
void CzytajUklad(const uint8_t* p, Element* e) {
    e->identyfikator = Slowo(p);
    e->klawisz = Slowo(p + 4);
    e->kolumna = Slowo(p + 6);
    e->wiersz = Slowo(p + 8);
    e->szerokosc = Slowo(p + 10);
    e->wysokosc = Slowo(p + 12);
}

}  // namespace

bool CzytajOpis(const uint8_t* opis, int32_t numer, Formularz* f, std::string* blad) {
    uint32_t dalej = Slowo32(opis);
    if (dalej < NAGLOWEK - 4 || dalej > NAJWIEKSZY_OPIS) return Blad(blad, "długość opisu " + std::to_string(dalej));
    size_t koniec = dalej + 4;
    // The description is only read up to the length its header gives.
    if (Slowo(opis + 4) != koniec - NAGLOWEK) return Blad(blad, "druga długość nagłówka nie zgadza się z pierwszą");
    size_t liczbaElementow = Slowo(opis + 6);

    size_t pozycja = NAGLOWEK;
    size_t slot = 0;
    for (size_t n = 0; n <= liczbaElementow; ++n) {
        std::string gdzie = "rekord " + std::to_string(n) + " (bajt " + std::to_string(pozycja) + "): ";
        if (pozycja + 2 > koniec) return Blad(blad, gdzie + "poza opisem");
        Element e;
        e.typ = Slowo(opis + pozycja);
        if ((n == 0) != (e.typ == RAMKA)) return Blad(blad, gdzie + "ramka musi być pierwsza i jedyna");
        if (e.typ == RAMKA || e.typ == ETYKIETA || e.typ == PRZYCISK) {
            if (pozycja + REKORD_PROSTY > koniec) return Blad(blad, gdzie + "rekord poza opisem");
            const uint8_t* r = opis + pozycja;
            CzytajUklad(r + 2, &e);
            if (Slowo(r + 4) != 0 || Slowo32(r + 16) != 0) return Blad(blad, gdzie + "pola zarezerwowane nie są zerami");
            if (e.typ != PRZYCISK && e.klawisz != 0) return Blad(blad, gdzie + "klawisz poza przyciskiem");
            if (!CzytajTekst(opis, pozycja + REKORD_PROSTY, koniec, &e.tekst, &pozycja))
                return Blad(blad, gdzie + "tekst bez zakończenia");
        } else if (e.typ == POLE_DATY) {
            if (pozycja + TEKST_POLA_DATY + 1 > koniec) return Blad(blad, gdzie + "pole daty poza opisem");
            const uint8_t* r = opis + pozycja;
            if (Slowo(r + 2) != TEKST_POLA_DATY - 4) return Blad(blad, gdzie + "nieznany układ pola daty");
            CzytajUklad(r + 6, &e);
            size_t znaki = Slowo(r + 32);
            if (znaki < 1 || znaki > 32) return Blad(blad, gdzie + "długość tekstu pola " + std::to_string(znaki));
            e.slot = slot;
            e.rozmiarSlotu = znaki + 1;
            slot += e.rozmiarSlotu;
            if (!CzytajTekst(opis, pozycja + TEKST_POLA_DATY, koniec, &e.tekst, &pozycja))
                return Blad(blad, gdzie + "tekst bez zakończenia");
        } else {
            return Blad(blad, gdzie + "nieznany typ " + std::to_string(e.typ));
        }
        if (n == 0) {
            if (e.identyfikator != numer)
                return Blad(blad, "numer formularza " + std::to_string(e.identyfikator) + " zamiast " + std::to_string(numer));
            f->ramka = e;
            continue;
        }
        if (e.szerokosc < 1 || e.wysokosc < 1 || e.kolumna + e.szerokosc > f->ramka.szerokosc ||
            e.wiersz + e.wysokosc > f->ramka.wysokosc)
            return Blad(blad, gdzie + "element poza ramką");
        f->elementy.push_back(e);
    }
    if (pozycja != koniec) return Blad(blad, "rekordy kończą się na bajcie " + std::to_string(pozycja) + ", opis na " + std::to_string(koniec));
    f->rozmiarOpisu = koniec;
    return true;
}

std::string TekstSlotu(const char* dane, const Element& e) {
    const char* slot = dane + e.slot;
    return std::string(slot, strnlen(slot, e.rozmiarSlotu));
}

void WpiszDoSlotu(char* dane, const Element& e, const std::string& tekst) {
    snprintf(dane + e.slot, e.rozmiarSlotu, "%s", tekst.c_str());
}

std::string DataDoWyswietlenia(const std::string& tekst) {
    int rok = 0, miesiac = 0, dzien = 0;
    if (!torvel::CzytajDate(tekst, &rok, &miesiac, &dzien)) return tekst;
    char wynik[16];
    snprintf(wynik, sizeof wynik, "%02d.%02d.%04d", dzien, miesiac, rok);
    return wynik;
}

std::string NazwaKlawisza(const Element& przycisk) {
    size_t poczatek = przycisk.tekst.find('\x05');
    size_t koniec = przycisk.tekst.find('\x01', poczatek == std::string::npos ? 0 : poczatek);
    if (poczatek != std::string::npos && koniec != std::string::npos) return przycisk.tekst.substr(poczatek + 1, koniec - poczatek - 1);
    return przycisk.tekst;
}

bool DataUzytkownika(const std::string& wpis, std::string* tekstDaty, std::string* powod) {
    std::string tmp;
    if (powod == nullptr) powod = &tmp;
    size_t a = wpis.find_first_not_of(" \t\r");
    std::string w = a == std::string::npos ? std::string() : wpis.substr(a, wpis.find_last_not_of(" \t\r") - a + 1);
    int rok = 0, miesiac = 0, dzien = 0;
    char reszta = 0;
    // The points may be left out: 01122026.
    bool bezKropek = w.size() == 8 && w.find_first_not_of("0123456789") == std::string::npos;
    bool przeczytana = (bezKropek && sscanf(w.c_str(), "%2d%2d%4d", &dzien, &miesiac, &rok) == 3) ||
                       sscanf(w.c_str(), "%d.%d.%d %c", &dzien, &miesiac, &rok, &reszta) == 3 ||
                       sscanf(w.c_str(), "%d-%d-%d %c", &rok, &miesiac, &dzien, &reszta) == 3 ||
                       CzytajDate(w, &rok, &miesiac, &dzien);
    char tekst[80];
    if (!przeczytana) {
        *powod = "Wpisz datę jako DD.MM.RRRR";
        return false;
    }
    if (miesiac < 1 || miesiac > 12) {
        snprintf(tekst, sizeof tekst, "Nie ma miesiąca %d", miesiac);
    } else if (rok < 1900 || rok > 2099) {
        snprintf(tekst, sizeof tekst, "Rok %d poza zakresem 1900-2099", rok);
    } else if (!DniWMiesiacu(rok, miesiac, dzien)) {
        snprintf(tekst, sizeof tekst, "Miesiąc %02d.%04d nie ma dnia %d", miesiac, rok, dzien);
    } else {
        std::string tekstHosta = TekstDaty(rok, miesiac, dzien);
        if (!tekstHosta.empty()) {
            *tekstDaty = tekstHosta;
            return true;
        }
        snprintf(tekst, sizeof tekst, "Data poza zakresem dat hosta");
    }
    *powod = tekst;
    return false;
}

}  // namespace torvel
