// The date-range form of the menu command, a constant description that the
// host interprets (host function 52026).
#pragma once

#include <stdint.h>

enum {
    ROZMIAR_FORMULARZA_OKRESU = 306,
    NUMER_FORMULARZA_OKRESU = 1001,
    PRZYCISK_WYKONAJ = 0x5001,  // F12: the form was accepted
    PRZYCISK_ANULUJ = 0x5002,   // ESC
    ROZMIAR_DATY_FORMULARZA = 9,  // one slot of the period block: host date text and NUL
};

// The description's bytes: little-endian integers, Mazovia texts.
struct OpisFormularza {
    uint8_t bajty[ROZMIAR_FORMULARZA_OKRESU];
};
static_assert(sizeof(OpisFormularza) == ROZMIAR_FORMULARZA_OKRESU, "the form description is 306 bytes");

extern const OpisFormularza FormularzOkresu;
