// Exports 30001 (connect and disconnect) and 30008 (host event), and the
// menu command record the host receives on connect.
#include <string.h>

#include "commands/eksport_automatyczny.h"
#include "commands/raport_za_okres.h"
#include "host/funkcje_hosta.h"
#include "host/mazovia.h"
#include "shell/eksporty.h"
#include "shell/raport_zaladowania.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"
#include "shell/zgodnosc.h"

namespace {

constexpr mazovia::Tekst<sizeof "Eksport sprzedaży do Lumera"> TYTUL_POLECENIA{"Eksport sprzedaży do Lumera"};

// Set while the last connect was refused: the host may then lack functions
// that the automatic export calls.
bool polaczenieOdrzucone = false;

}  // namespace

extern const RekordPolecenia rekordPolecenia = {16396, TYTUL_POLECENIA.dane, 0x7F05, &RaportZaOkres, 0};

extern "C" int32_t HOSTCALL Eksport30001(FunkcjaZwrotnaHosta funkcja, void* rekord) {
    if (funkcja == nullptr) {
        // A host refused for lacking 52082 has nothing registered anyway.
        if (TablicaFunkcjiHosta[INDEKS_52082] != nullptr)
            H52082()(static_cast<int32_t>(rekordPolecenia.identyfikator));
        return 0;
    }
    funkcjaZwrotnaHosta = funkcja;
    if (rekord != nullptr) memcpy(rekord, NAZWA_WYSWIETLANA, strlen(NAZWA_WYSWIETLANA) + 1);
    if (SprawdzZgodnosc() != 0) {
        polaczenieOdrzucone = true;
        return -1;
    }
    polaczenieOdrzucone = false;
    H52081()(&rekordPolecenia);
    return 0;
}

extern "C" int32_t HOSTCALL Eksport30008(int32_t argument) {
    if (argument != 0) {
        PokazBladZaladowania();
        return 0;
    }
    // A host that lacks any function, or that refused the module, may lack
    // what the automatic export calls.
    if (liczbaBrakujacychFunkcji != 0 || polaczenieOdrzucone) return 0;
    if (*H37974()() != 0) return 0;
    int32_t poprzedniStan = H24235()(3);
    H52172()(1);
    EksportAutomatyczny();
    H24235()(poprzedniStan);
    return 0;
}
