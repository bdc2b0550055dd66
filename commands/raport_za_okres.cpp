#include "commands/raport_za_okres.h"

#include <string.h>

#include "commands/formularz_okresu.h"
#include "commands/znaczniki_kas.h"
#include "export/eksport_sprzedazy.h"
#include "host/funkcje_hosta.h"
#include "host/mazovia.h"

namespace {

// The block the form edits in place: two consecutive 9-byte slots.
struct BlokOkresu {
    char od[ROZMIAR_DATY_FORMULARZA];
    char do_[ROZMIAR_DATY_FORMULARZA];
};
static_assert(sizeof(BlokOkresu) == 18, "the period block is two 9-byte slots");

void WpiszDate(char (&slot)[ROZMIAR_DATY_FORMULARZA], const char* data) {
    size_t dlugosc = strnlen(data, sizeof slot - 1);
    memcpy(slot, data, dlugosc);
    slot[dlugosc] = '\0';
}

}  // namespace

int16_t HOSTCALL RaportZaOkres(void) {
    char wczoraj[20] = {};
    H30204()(wczoraj);
    wczoraj[sizeof wczoraj - 1] = '\0';
    H31012()(wczoraj, wczoraj, -1);
    wczoraj[sizeof wczoraj - 1] = '\0';

    BlokOkresu okres;
    WpiszDate(okres.od, wczoraj);
    WpiszDate(okres.do_, wczoraj);

    int32_t* flagaWsadowa = H37974()();
    if (*flagaWsadowa != 0) {
        // Batch run: the three days up to yesterday, without asking.
        H31012()(okres.od, okres.od, -2);
    } else if (H52026()(&FormularzOkresu, NUMER_FORMULARZA_OKRESU, &okres, 0) != PRZYCISK_WYKONAJ) {
        return 0;
    }
    // Whatever the form left in a slot, the texts end within it.
    okres.od[sizeof okres.od - 1] = '\0';
    okres.do_[sizeof okres.do_ - 1] = '\0';

    if (H30908()(okres.od, okres.do_) > 0) {
        H52030()(MAZ("Data początkowa nie może być późniejsza, niż data końcowa!"));
        return 0;
    }

    int16_t znacznikiKas[LICZBA_KAS];
    WczytajZnacznikiKas(znacznikiKas);
    *flagaWsadowa = 1;
    H51539()(znacznikiKas, LICZBA_KAS);
    H51636()(1, 0);
    *flagaWsadowa = 0;

    EksportSprzedazy(TRYB_Z_MENU, okres.od, okres.do_);
    return 1;
}
