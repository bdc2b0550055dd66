// The form description that the module hands to the form service (52026):
// its records read and checked, and the date fields' slots in the data block.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace torvel {

enum : uint16_t { RAMKA = 0xFFFF, PRZYCISK = 0, ETYKIETA = 3, POLE_DATY = 5 };

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

// Reads form `numer` from its description; *blad says what is wrong with it.
bool CzytajOpis(const uint8_t* opis, int32_t numer, Formularz* f, std::string* blad);

// A date field's text in the data block, and a text written into it (cut to the slot).
std::string TekstSlotu(const char* dane, const Element& e);
void WpiszDoSlotu(char* dane, const Element& e, const std::string& tekst);

// A host date text as DD.MM.YYYY (other texts as they are).
std::string DataDoWyswietlenia(const std::string& tekst);

// The key name a button's caption emphasises (0x05 ... 0x01), or the caption.
std::string NazwaKlawisza(const Element& przycisk);

// What a user types into a date field as a host date text: DD.MM.YYYY (the
// points may be left out), YYYY-MM-DD or a host date text. When refused,
// *powod says why in a short line (UTF-8).
bool DataUzytkownika(const std::string& wpis, std::string* tekstDaty, std::string* powod = nullptr);

}  // namespace torvel
