// The modal form service (52026): the module hands over a form description
// and a data block; the host validates the description, lets the date
// fields edit consecutive slots of the block, and returns the identifier of
// the button that closed the form. Answers come from stan() (formularzOd,
// formularzDo, formularzPrzycisk) or, in an interactive run, from the user.
#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <iostream>
#include <string>
#include <vector>

#include "torvel/funkcje_torvel.h"
#include "torvel/wewnetrzne.h"

namespace {

enum : uint16_t { RAMKA = 0xFFFF, PRZYCISK = 0, ETYKIETA = 3, POLE_DATY = 5 };
enum { NAGLOWEK = 8, REKORD_PROSTY = 20, TEKST_POLA_DATY = 42, NAJWIEKSZY_OPIS = 0xFFFF };

struct Element {
    uint16_t typ = 0;
    uint16_t identyfikator = 0;
    uint16_t klawisz = 0;
    int kolumna = 0, wiersz = 0, szerokosc = 0, wysokosc = 0;
    std::string tekst;   // Mazovia
    size_t slot = 0;     // date field: offset of its slot in the data block
    size_t rozmiarSlotu = 0;
};

struct Formularz {
    size_t rozmiarOpisu = 0;
    Element ramka;
    std::vector<Element> elementy;
};

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
            e.identyfikator = Slowo(r + 2);
            e.klawisz = Slowo(r + 6);
            e.kolumna = Slowo(r + 8);
            e.wiersz = Slowo(r + 10);
            e.szerokosc = Slowo(r + 12);
            e.wysokosc = Slowo(r + 14);
            if (Slowo(r + 4) != 0 || Slowo32(r + 16) != 0) return Blad(blad, gdzie + "pola zarezerwowane nie są zerami");
            if (e.typ != PRZYCISK && e.klawisz != 0) return Blad(blad, gdzie + "klawisz poza przyciskiem");
            if (!CzytajTekst(opis, pozycja + REKORD_PROSTY, koniec, &e.tekst, &pozycja))
                return Blad(blad, gdzie + "tekst bez zakończenia");
        } else if (e.typ == POLE_DATY) {
            if (pozycja + TEKST_POLA_DATY + 1 > koniec) return Blad(blad, gdzie + "pole daty poza opisem");
            const uint8_t* r = opis + pozycja;
            if (Slowo(r + 2) != TEKST_POLA_DATY - 4) return Blad(blad, gdzie + "nieznany układ pola daty");
            e.identyfikator = Slowo(r + 6);
            e.klawisz = Slowo(r + 10);
            e.kolumna = Slowo(r + 12);
            e.wiersz = Slowo(r + 14);
            e.szerokosc = Slowo(r + 16);
            e.wysokosc = Slowo(r + 18);
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

// The key name a button's caption emphasises (0x05 ... 0x01), or the caption.
std::string NazwaKlawisza(const Element& przycisk) {
    size_t poczatek = przycisk.tekst.find('\x05');
    size_t koniec = przycisk.tekst.find('\x01', poczatek == std::string::npos ? 0 : poczatek);
    if (poczatek != std::string::npos && koniec != std::string::npos) return przycisk.tekst.substr(poczatek + 1, koniec - poczatek - 1);
    return przycisk.tekst;
}

// The form as text lines in Mazovia, the date fields showing the block.
std::string Rysunek(const Formularz& f, const char* dane) {
    std::vector<std::string> wiersze(static_cast<size_t>(f.ramka.wysokosc), std::string(static_cast<size_t>(f.ramka.szerokosc), ' '));
    for (const Element& e : f.elementy) {
        std::string tekst = e.typ == POLE_DATY ? "[" + DataDoWyswietlenia(TekstSlotu(dane, e)) + "]" : e.tekst;
        if (tekst.size() > static_cast<size_t>(e.szerokosc)) tekst.resize(static_cast<size_t>(e.szerokosc));
        wiersze[static_cast<size_t>(e.wiersz)].replace(static_cast<size_t>(e.kolumna), tekst.size(), tekst);
    }
    std::string ramka = "+" + std::string(static_cast<size_t>(f.ramka.szerokosc), '-') + "+\n";
    std::string wynik = ramka;
    for (const std::string& w : wiersze) wynik += "|" + w + "|\n";
    return wynik + ramka;
}

bool DniWMiesiacu(int rok, int miesiac, int dzien) {
    static const int DNI[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (rok < 1900 || rok > 2099 || miesiac < 1 || miesiac > 12 || dzien < 1) return false;
    bool przestepny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    return dzien <= DNI[miesiac - 1] + (miesiac == 2 && przestepny ? 1 : 0);
}

// What a user types into a date field: DD.MM.YYYY, YYYY-MM-DD or a host date text.
bool DataUzytkownika(const std::string& wpis, std::string* tekstDaty) {
    int rok = 0, miesiac = 0, dzien = 0;
    char reszta = 0;
    bool przeczytana = sscanf(wpis.c_str(), "%d.%d.%d %c", &dzien, &miesiac, &rok, &reszta) == 3 ||
                       sscanf(wpis.c_str(), "%d-%d-%d %c", &rok, &miesiac, &dzien, &reszta) == 3 ||
                       torvel::CzytajDate(wpis, &rok, &miesiac, &dzien);
    if (!przeczytana || !DniWMiesiacu(rok, miesiac, dzien)) return false;
    *tekstDaty = torvel::TekstDaty(rok, miesiac, dzien);
    return !tekstDaty->empty();
}

// Interactive editing of the date fields; false when the input ended.
bool EdytujPola(const Formularz& f, char* dane) {
    const Element* etykieta = nullptr;
    for (const Element& e : f.elementy) {
        if (e.typ == ETYKIETA) etykieta = &e;
        if (e.typ != POLE_DATY) continue;
        std::string nazwa = etykieta ? torvel::ZMazovii(etykieta->tekst.c_str()) : "Data:";
        for (;;) {
            std::cout << nazwa << " [" << DataDoWyswietlenia(TekstSlotu(dane, e)) << "] (DD.MM.RRRR, Enter = bez zmian): "
                      << std::flush;
            std::string wpis;
            if (!std::getline(std::cin, wpis)) return false;
            if (wpis.find_first_not_of(" \t\r") == std::string::npos) break;
            std::string tekstDaty;
            if (DataUzytkownika(wpis, &tekstDaty)) {
                WpiszDoSlotu(dane, e, tekstDaty);
                break;
            }
            std::cout << "Niepoprawna data: " << wpis << "\n";
        }
    }
    return true;
}

bool TaSamaNazwa(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

const Element* PrzyciskONazwie(const Formularz& f, const std::string& nazwa) {
    for (const Element& e : f.elementy)
        if (e.typ == PRZYCISK && TaSamaNazwa(torvel::ZMazovii(NazwaKlawisza(e).c_str()), nazwa)) return &e;
    return nullptr;
}

const Element* WybierzPrzycisk(const Formularz& f) {
    std::string opcje;
    const Element* pierwszy = nullptr;
    for (const Element& e : f.elementy) {
        if (e.typ != PRZYCISK) continue;
        if (pierwszy == nullptr) pierwszy = &e;
        std::string podpis = torvel::ZMazovii(e.tekst.c_str());
        opcje += (opcje.empty() ? "" : ", ") + torvel::ZMazovii(NazwaKlawisza(e).c_str()) + " =" +
                 podpis.substr(podpis.find('\x01') == std::string::npos ? 0 : podpis.find('\x01') + 1);
    }
    for (;;) {
        std::cout << opcje << " (Enter = " << (pierwszy ? torvel::ZMazovii(NazwaKlawisza(*pierwszy).c_str()) : "") << "): "
                  << std::flush;
        std::string wpis;
        if (!std::getline(std::cin, wpis)) return PrzyciskONazwie(f, "ESC");
        size_t a = wpis.find_first_not_of(" \t\r");
        if (a == std::string::npos) return pierwszy;
        wpis = wpis.substr(a, wpis.find_last_not_of(" \t\r") - a + 1);
        if (const Element* e = PrzyciskONazwie(f, wpis)) return e;
    }
}

}  // namespace

TORVEL_FUNKCJA(int16_t) Torvel52026(const void* formularz, int32_t numer, void* dane, int32_t opcje) {
    using torvel::json;
    torvel::Stan& s = torvel::stan();
    Formularz f;
    std::string blad;
    bool poprawny = formularz != nullptr && dane != nullptr;
    if (!poprawny)
        blad = "brak opisu albo bloku danych";
    else
        poprawny = CzytajOpis(static_cast<const uint8_t*>(formularz), numer, &f, &blad);
    if (!poprawny) {
        std::string tekst = "Błędny opis formularza nr " + std::to_string(numer) + ": " + blad;
        torvel::Pokaz(52026, "TORVEL", torvel::DoMazovii(tekst).c_str(), 1);
        torvel::Zapisz(52026, json::array({nullptr, numer, nullptr, opcje}), 0);
        return 0;
    }

    char* blok = static_cast<char*>(dane);
    const Element* przycisk = nullptr;
    if (s.interaktywny) {
        torvel::Pokaz(52026, f.ramka.tekst.c_str(), Rysunek(f, blok).c_str(), 0);
        przycisk = EdytujPola(f, blok) ? WybierzPrzycisk(f) : PrzyciskONazwie(f, "ESC");
    } else {
        // The first date field takes formularzOd, the second formularzDo.
        const std::string* wpisy[] = {&s.formularzOd, &s.formularzDo};
        size_t pole = 0;
        for (const Element& e : f.elementy) {
            if (e.typ != POLE_DATY) continue;
            if (pole < 2 && !wpisy[pole]->empty()) WpiszDoSlotu(blok, e, *wpisy[pole]);
            ++pole;
        }
        torvel::Pokaz(52026, f.ramka.tekst.c_str(), Rysunek(f, blok).c_str(), 0);
        przycisk = PrzyciskONazwie(f, s.formularzPrzycisk);
    }
    int16_t wynik = przycisk ? static_cast<int16_t>(przycisk->identyfikator) : 0;

    json daty = json::array();
    for (const Element& e : f.elementy)
        if (e.typ == POLE_DATY) daty.push_back(TekstSlotu(blok, e));
    torvel::Zapisz(52026, json::array({f.rozmiarOpisu, numer, daty, opcje}), wynik);
    return wynik;
}
