#include "transmission/raport_email.h"

#include <stdint.h>

#include "host/funkcje_hosta.h"
#include "host/ustawienia.h"
#include "transmission/otworz_plik.h"

namespace {
const char* const SEKCJA_EMAIL = "ustawieniaEmail";
const char* const PLIK_WIADOMOSCI = "message.eml";
}  // namespace

void WyslijRaportEmail(const char* tekstWyniku, const char* nazwaSklepu) {
    char serwer[200];
    if (!CzytajTekst(SEKCJA_EMAIL, "hostSMTP", serwer, sizeof serwer)) return;

    char login[50], haslo[50], adresat[150];
    CzytajTekstZDomyslna(SEKCJA_EMAIL, "login", login, sizeof login, "raporty@sklep.example");
    CzytajTekstZDomyslna(SEKCJA_EMAIL, "haslo", haslo, sizeof haslo, "580342");
    CzytajTekstZDomyslna(SEKCJA_EMAIL, "adresat", adresat, sizeof adresat, "lumera@sklep.example");
    // Only ensured in the file: the mail request always asks for 17.
    CzytajLiczbeZDomyslna(SEKCJA_EMAIL, "uwierzytelnienie", 1);

    StrumienHosta wiadomosc = OtworzPlik(PLIK_WIADOMOSCI, "wt");
    if (wiadomosc == nullptr) return;
    H52541()(wiadomosc, "Subject: Raport ze sklepu %s.\n", nazwaSklepu);
    H52541()(wiadomosc, "To: %s\n", adresat);
    H52541()(wiadomosc, "From: %s\n", login);
    H52541()(wiadomosc, "\n\n%s\n\n", tekstWyniku);
    H52305()(wiadomosc);

    H51525()(PLIK_WIADOMOSCI, 0, serwer, login, haslo, 17);
}
