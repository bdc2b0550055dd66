#include "export/eksport_sprzedazy.h"

#include <stdio.h>

#include "export/paragony_bez_grupy.h"
#include "export/plik_sprzedazy.h"
#include "export/przegladanie_tabeli.h"
#include "export/rekordy_sprzedazy.h"
#include "export/ustawienia_eksportu.h"
#include "host/funkcje_hosta.h"
#include "host/mazovia.h"
#include "host/ustawienia.h"
#include "platform/platforma.h"
#include "transmission/okno_komunikatu.h"
#include "transmission/otworz_plik.h"
#include "transmission/parametry_ftp.h"
#include "transmission/raport_email.h"
#include "transmission/wyslij_plik_ftp.h"

namespace {

enum { STYL_STATUSU = 512, STYL_BLEDU = 1, ROZMIAR_DATY_WYSWIETLANEJ = 28, ROZMIAR_KARTY = 50 };
enum { PAUZA_STATUSU = 1000, PAUZA_ZAPISU_KONFIGURACJI = 500 };

// A status text stays in the host's status window for the pause, then goes.
void Status(const char* tytul, const char* tekst, uint32_t pauza) {
    H52028()(tytul, tekst, STYL_STATUSU);
    platforma::Pauza(pauza);
    H52064()();
}

// Whether the receipt lies in the period; the host compares the raw date texts.
bool WOkresie(const char* dataOd, const char* dataDo, const char* dataParagonu) {
    if (dataOd[0] != '\0' && H30908()(dataOd, dataParagonu) > 0) return false;
    if (dataDo[0] != '\0' && H30908()(dataDo, dataParagonu) < 0) return false;
    return true;
}

// Writes the receipt's line when it carries a card and its card amount is
// above 0. False when a write of the line failed; *brakPozycji is set when
// the receipt's items could not be read.
bool EksportujParagon(StrumienHosta plik, Paragon& paragon, const char* dataOd, const char* dataDo,
                      const UstawieniaEksportu& ustawienia, bool* brakPozycji) {
    if (paragon.numerParagonu == 0) return true;
    if (paragon.stanParagonu > 0) return true;
    if (paragon.dataParagonu[0] == '\0') return true;
    if (!WOkresie(dataOd, dataDo, paragon.dataParagonu)) return true;
    char karta[ROZMIAR_KARTY];
    if (!NumerKarty(paragon.opisParagonu, karta, sizeof karta)) return true;
    KonwertujDateParagonu(paragon.dataParagonu);
    double kwotaKarty = ZliczKwoteParagonuBezGrupy(paragon, ustawienia.wykluczoneGrupy, brakPozycji);
    if (!(kwotaKarty > 0)) return true;
    return ZapiszParagon(plik, karta, paragon.dataParagonu, paragon, kwotaKarty, ustawienia.idSklepu) &&
           PodajPozycjeParagonuBezGrupy(plik, paragon, brakPozycji) && ZakonczLinie(plik);
}

void WypelnijParametryFtp(ParametryFtp* p, const UstawieniaEksportu& u) {
    H52161()(p->serwer, u.hostFTP, MAKS_SERWER_FTP);
    H52161()(p->uzytkownik, u.userFTP, MAKS_UZYTKOWNIK_FTP);
    H52161()(p->haslo, u.passFTP, MAKS_HASLO_FTP);
    H52161()(p->katalog, u.dirFTP, MAKS_KATALOG_FTP);
    p->pasywny = u.pasywnyFTP;
    p->port = u.portFTP;
}

}  // namespace

int32_t EksportSprzedazy(int16_t tryb, const char* dataOd, const char* dataDo) {
    if (dataOd == nullptr) dataOd = "";
    if (dataDo == nullptr) dataDo = "";

    // Its destructor releases the cursor storage on every way out.
    PrzegladanieTabeli paragony;
    UchwytTabeli* tabela = paragony.OtworzTabele(TABELA_TSPR);

    UstawieniaEksportu ustawienia;
    WczytajUstawieniaEksportu(&ustawienia);

    platforma::UtworzKatalog(KATALOG_EKSPORTU);
    char znacznik[ROZMIAR_ZNACZNIKA_CZASU];
    char nazwaPliku[ROZMIAR_NAZWY_PLIKU];
    char sciezka[ROZMIAR_NAZWY_PLIKU];
    NazwaPlikuSprzedazy(nazwaPliku, sizeof nazwaPliku, ustawienia.idSpoldzielni, ustawienia.idSklepu,
                        PodajZnacznikCzasu(znacznik, sizeof znacznik));
    SciezkaPlikuSprzedazy(sciezka, sizeof sciezka, nazwaPliku);
    // A run never replaces an export file. The name holds the minute only,
    // so a second run in the same minute (or in a minute that comes twice,
    // when the clock goes back) would empty the first one's file with "wt"
    // and then upload over it: the receipts of an automatic export whose
    // date has moved on would be lost on both sides.
    if (platforma::PlikIstnieje(sciezka)) {
        PokazKomunikat("uwaga", MAZ("Plik %s już istnieje.\nPowtórz eksport za minutę."), nazwaPliku);
        return 0;
    }
    StrumienHosta plik = OtworzPlik(sciezka, "wt");

    if (tabela == nullptr) {
        // The empty file stays in place, closed. The user is told, as for a
        // missing item table: no export happened.
        if (plik != nullptr) H52305()(plik);
        H52028()(MAZ("Błąd"), MAZ("Błąd operacji dyskowej w EksportSprzedazy!\nOperacja niekompletna!"), STYL_BLEDU);
        return 0;
    }
    if (plik == nullptr) {
        PokazKomunikat("uwaga", MAZ("Błąd otwarcia pliku:%s"), nazwaPliku);
        return 0;
    }

    char wyswietlanaOd[ROZMIAR_DATY_WYSWIETLANEJ] = {};
    char wyswietlanaDo[ROZMIAR_DATY_WYSWIETLANEJ] = {};
    H32008()(wyswietlanaOd, dataOd);
    H32008()(wyswietlanaDo, dataDo);
    wyswietlanaOd[ROZMIAR_DATY_WYSWIETLANEJ - 1] = '\0';
    wyswietlanaDo[ROZMIAR_DATY_WYSWIETLANEJ - 1] = '\0';
    H52029()("Uwaga", "Eksport lumera od %s do %s", STYL_STATUSU, wyswietlanaOd, wyswietlanaDo);
    platforma::Pauza(PAUZA_STATUSU);
    H52064()();

    // Only a file that holds every receipt is sent: a failed write (a full
    // disk), a failed close or a receipt whose items could not be read would
    // otherwise upload a cut file as a success, and the automatic export
    // would never send the receipts that were left out.
    bool plikCaly = ZapiszNaglowekPliku(plik, ustawienia.idSpoldzielni);
    bool brakPozycji = false;
    if (paragony.Rozpocznij(INDEKS_PARAGONOW, 0)) {
        while (plikCaly && paragony.Nastepny()) {
            Paragon paragon = CzytajParagon(WidokBiezacegoRekordu(tabela, tspr::ROZMIAR));
            plikCaly = EksportujParagon(plik, paragon, dataOd, dataDo, ustawienia, &brakPozycji);
        }
    }
    if (H52305()(plik) != 0) plikCaly = false;
    paragony.Zamknij();

    Status("Uwaga", "Koniec generowania pliku, wysylka FTP", PAUZA_STATUSU);

    bool wyslany = false;
    if (!plikCaly) {
        PokazKomunikat("uwaga", MAZ("Błąd zapisu pliku:%s"), nazwaPliku);
    } else if (!brakPozycji) {
        ParametryFtp parametry = {};
        WypelnijParametryFtp(&parametry, ustawienia);
        wyslany = WyslijPlikFtp(nazwaPliku, &parametry) != 0;
    }
    // A missing item table has been shown for each receipt it cost.

    Status("Uwaga", "Koniec wysylki FTP", PAUZA_STATUSU);

    char tekst[ROZMIAR_ZNACZNIKA_CZASU];
    if (!wyslany) {
        snprintf(tekst, sizeof tekst, MAZ("Nie wyeksportowano raportu z pliku %s"), nazwaPliku);
        WyslijRaportEmail(tekst, ustawienia.nazwaSklepu);
        H52030()(tekst);
    } else {
        snprintf(tekst, sizeof tekst, MAZ("Wyeksportowano raport na serwer do pliku %s"), nazwaPliku);
        WyslijRaportEmail(tekst, ustawienia.nazwaSklepu);
        Status("uwaga", tekst, PAUZA_STATUSU);
        if (tryb == TRYB_AUTOMATYCZNY) {
            Status("Uwaga", "Zapis konfiguracji", PAUZA_ZAPISU_KONFIGURACJI);
            UstawieniaHosta(PLIK_USTAWIEN, TRYB_ZAPISU_USTAWIEN, "danePomocnicze", "DataOstatniegoEksportu", "%s",
                            dataDo);
            snprintf(tekst, sizeof tekst, "Eksport danych od %s do %s", dataOd, dataDo);
            UstawieniaHosta(PLIK_USTAWIEN, TRYB_ZAPISU_USTAWIEN, "danePomocnicze", "OstatniOdczyt", "%s", tekst);
        }
    }

    Status("uwaga", "Koniec funkcji EksportSprzedazy", PAUZA_STATUSU);
    return 1;
}
