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

#include "torvel/uslugi/ekran.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/opis_formularza.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace {

using namespace torvel;

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
            std::string tekstDaty, powod;
            if (DataUzytkownika(wpis, &tekstDaty, &powod)) {
                WpiszDoSlotu(dane, e, tekstDaty);
                break;
            }
            std::cout << "Niepoprawna data: " << wpis << " (" << powod << ")\n";
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
    if (s.interaktywny && torvel::OtworzEkran(f.ramka.wysokosc, f.ramka.szerokosc)) {
        przycisk = torvel::EdytujNaEkranie(f, blok);
        // What the form held when it closed, for the record after the screen.
        torvel::Pokaz(52026, f.ramka.tekst.c_str(), Rysunek(f, blok).c_str(), 0);
    } else if (s.interaktywny) {
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
