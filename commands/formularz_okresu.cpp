#include "commands/formularz_okresu.h"

#include <stddef.h>

#include "host/mazovia.h"

namespace {

enum : uint16_t { RAMKA = 0xFFFF, PRZYCISK = 0, ETYKIETA = 3, POLE_DATY = 5 };
enum : uint16_t { KLAWISZ_F12 = 0x8600, KLAWISZ_ESC = 0x001B };

// Writes the description record by record at compile time, so the table
// below reads like the form it describes.
struct Budowa {
    OpisFormularza opis{};
    size_t pozycja = 0;

    constexpr void Bajt(uint8_t b) { opis.bajty[pozycja++] = b; }
    constexpr void Slowo(uint16_t w) {
        Bajt(static_cast<uint8_t>(w & 0xFF));
        Bajt(static_cast<uint8_t>(w >> 8));
    }
    constexpr void Slowo32(uint32_t w) {
        Slowo(static_cast<uint16_t>(w & 0xFFFF));
        Slowo(static_cast<uint16_t>(w >> 16));
    }
    template <size_t N>
    constexpr void Tekst(const char (&utf8)[N]) {
        mazovia::Tekst<N> tekst(utf8);
        for (size_t i = 0; tekst.dane[i] != '\0'; ++i) Bajt(static_cast<uint8_t>(tekst.dane[i]));
        Bajt(0);
    }

    // Frame, label and button: 20 bytes, then the text.
    template <size_t N>
    constexpr void Rekord(uint16_t typ, uint16_t identyfikator, uint16_t klawisz, uint16_t kolumna, uint16_t wiersz,
                          uint16_t szerokosc, uint16_t wysokosc, const char (&tekst)[N]) {
        Slowo(typ);
        Slowo(identyfikator);
        Slowo(0);
        Slowo(klawisz);
        Slowo(kolumna);
        Slowo(wiersz);
        Slowo(szerokosc);
        Slowo(wysokosc);
        Slowo32(0);
        Tekst(tekst);
    }

    // A date field: 43 bytes; the fields edit consecutive 9-byte slots.
    constexpr void PoleDaty(uint16_t identyfikator, uint16_t kolumna) {
        Slowo(POLE_DATY);
        Slowo(38);  // bytes from offset 4 up to the text
        Slowo(5);
        Slowo(identyfikator);
        Slowo(0x0400);  // field flags
        Slowo(0);       // no hot key
        Slowo(kolumna);
        Slowo(4);   // row
        Slowo(12);  // width
        Slowo(1);   // height
        Slowo32(0);
        for (int i = 0; i < 8; ++i) Bajt(0);
        Slowo(8);  // characters of the edited text
        Slowo(0x0208);
        Slowo(0);
        Slowo(8);
        Slowo(1);
        Bajt(0);  // empty text
    }
};

constexpr Budowa ZbudujFormularz() {
    Budowa b;
    b.Slowo32(ROZMIAR_FORMULARZA_OKRESU - 4);
    b.Slowo(ROZMIAR_FORMULARZA_OKRESU - 8);
    b.Slowo(7);  // item records after the frame
    b.Rekord(RAMKA, NUMER_FORMULARZA_OKRESU, 0, 0, 0, 49, 11, "Data raportu");
    b.Rekord(ETYKIETA, 0x4102, 0, 2, 2, 47, 1, "Wykonaj raport kart lojalnościowych za dni:");
    b.Rekord(ETYKIETA, 0x4103, 0, 4, 4, 4, 1, "Od:");
    b.PoleDaty(0x4104, 9);
    b.Rekord(ETYKIETA, 0x4105, 0, 23, 4, 4, 1, "Do:");
    b.PoleDaty(0x4106, 27);
    // 0x05 starts the emphasised key name, 0x01 ends it.
    b.Rekord(PRZYCISK, PRZYCISK_WYKONAJ, KLAWISZ_F12, 9, 7, 13, 1, "\x05" "F12" "\x01" " Wykonaj");
    b.Rekord(PRZYCISK, PRZYCISK_ANULUJ, KLAWISZ_ESC, 26, 7, 12, 1, "\x05" "ESC" "\x01" " Anuluj");
    return b;
}

constexpr Budowa FORMULARZ = ZbudujFormularz();
static_assert(FORMULARZ.pozycja == ROZMIAR_FORMULARZA_OKRESU, "the records fill the description exactly");

}  // namespace

extern const OpisFormularza FormularzOkresu = FORMULARZ.opis;
