#include "transmission/wyslij_plik_ftp.h"

#include "host/funkcje_hosta.h"
#include "host/ustawienia.h"
#include "transmission/argumenty_curl.h"
#include "transmission/komunikaty_curl.h"
#include "transmission/otworz_plik.h"

namespace {

// What the upload counts as curl's exit code when the argument text does
// not fit: a failure through the general message, without running curl.
enum { KOD_ARGUMENTY_ZA_DLUGIE = -1 };
enum { ROZMIAR_DATY_LOGU = 16 };

void ZapiszDoLogu(int kodWyjscia, const char* argumenty) {
    StrumienHosta log = OtworzPlik("curl.log", "at");
    if (log == nullptr) return;
    char data[ROZMIAR_DATY_LOGU] = {};
    H30204()(data);
    data[ROZMIAR_DATY_LOGU - 1] = '\0';
    H52541()(log, "Data:%s Komenda CURL zakonczyla sie niepowodzeniem, blad nr %d:\r\nCURL %s\r\n-------------\r\n", data,
             kodWyjscia, argumenty);
    H52305()(log);
}

}  // namespace

int32_t WyslijPlikFtp(const char* nazwaPliku, ParametryFtp* parametry) {
    if (parametry->uzytkownik[0] == '\0')
        CzytajTekst("ustawieniaTransmisji", "userFTP", parametry->uzytkownik, sizeof parametry->uzytkownik);

    const char* prefiks = H37980()(nazwaPliku);

    char argumenty[ROZMIAR_ARGUMENTOW_CURL];
    int kodWyjscia = KOD_ARGUMENTY_ZA_DLUGIE;
    if (ZbudujArgumentyCurl(argumenty, sizeof argumenty, *parametry, prefiks, nazwaPliku))
        kodWyjscia = H52011()(0, "curl", "curl", argumenty, 0);
    if (kodWyjscia == 0) return 1;

    ZapiszDoLogu(kodWyjscia, argumenty);
    PokazBladCurl(kodWyjscia, nazwaPliku, parametry->serwer);
    return 0;
}
