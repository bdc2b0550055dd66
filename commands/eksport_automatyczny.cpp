#include "commands/eksport_automatyczny.h"

#include <string.h>

#include "commands/znaczniki_kas.h"
#include "export/eksport_sprzedazy.h"
#include "host/funkcje_hosta.h"
#include "host/ustawienia.h"
#include "platform/platforma.h"

namespace {

enum { ROZMIAR_DATY = 20, STYL_STATUSU = 512 };
const uint16_t BIT_OPCJI = 0x8000;

void KopiujDate(char (&cel)[ROZMIAR_DATY], const char* zrodlo) {
    size_t dlugosc = strnlen(zrodlo, sizeof cel - 1);
    memcpy(cel, zrodlo, dlugosc);
    cel[dlugosc] = '\0';
}

// Shown in the host's status window and left there for the pause; the
// caller removes it.
void Status(const char* tekst, uint32_t pauza) {
    H52029()("Uwaga", tekst, STYL_STATUSU);
    platforma::Pauza(pauza);
}

}  // namespace

int16_t EksportAutomatyczny(void) {
    char dzis[ROZMIAR_DATY] = {};
    char dataDo[ROZMIAR_DATY] = {};
    char dataOd[ROZMIAR_DATY] = {};

    H30204()(dzis);
    dzis[sizeof dzis - 1] = '\0';
    KopiujDate(dataDo, dzis);
    H31012()(dataDo, dataDo, -1);
    dataDo[sizeof dataDo - 1] = '\0';

    if (!CzytajTekst("danePomocnicze", "DataOstatniegoEksportu", dataOd, sizeof dataOd)) {
        H52161()(dataOd, dataDo, ROZMIAR_DATY - 1);
        H31012()(dataOd, dataOd, -1);
        dataOd[sizeof dataOd - 1] = '\0';
    }

    int32_t porownanie = H30908()(dataOd, dataDo);
    if (porownanie == 0) return 0;
    if (porownanie > 0) {
        // A stored day after yesterday: the three days up to yesterday.
        KopiujDate(dataOd, dataDo);
        H31012()(dataOd, dataOd, -2);
        dataOd[sizeof dataOd - 1] = '\0';
    }

    int32_t* flagaWsadowa = H37974()();
    if (*flagaWsadowa != 0) KopiujDate(dataDo, dzis);

    if (*H52267()() == 0) return 1;

    bool bitBylUstawiony = (H32300()() & BIT_OPCJI) != 0;
    if (!bitBylUstawiony) H32408()(BIT_OPCJI, 1);

    int16_t znacznikiKas[LICZBA_KAS];
    WczytajZnacznikiKas(znacznikiKas);

    Status("Odczyt z kas", 500);
    *flagaWsadowa = 1;
    H51539()(znacznikiKas, LICZBA_KAS);
    H52064()();

    Status("Odczyt z VANTEL", 500);
    H51636()(1, 0);
    *flagaWsadowa = 0;
    H52064()();

    Status("Eksport sprzedazy ", 1500);
    H52064()();

    EksportSprzedazy(TRYB_AUTOMATYCZNY, dataOd, dataDo);

    Status("setScreenStyle", 500);
    if (!bitBylUstawiony) H32408()(BIT_OPCJI, 0);
    H52064()();
    return 1;
}
