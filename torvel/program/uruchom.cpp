// torvel-sim's command line: load the module as the host does, connect it,
// and run the menu command, the host event or a disconnect.
#include "torvel/program/uruchom.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "torvel/program/ladowanie.h"
#include "torvel/program/opcje.h"
#include "torvel/uslugi/ekran.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {
namespace {

typedef int32_t(HOSTCALL* Eksport30001)(FunkcjaZwrotnaHosta, void*);
typedef int32_t(HOSTCALL* Eksport30008)(int32_t);
typedef int32_t(HOSTCALL* Eksport30009)(void);
typedef uint32_t(HOSTCALL* Eksport30010)(int32_t);

int Blad(const std::string& tekst) {
    fprintf(stderr, "torvel-sim: %s\n", tekst.c_str());
    return 2;
}

// YYYY-MM-DD, DD.MM.YYYY or a host date text, as a host date text.
bool DataHosta(const std::string& tekst, std::string* wynik) {
    int r = 0, m = 0, d = 0;
    if (sscanf(tekst.c_str(), "%4d-%2d-%2d", &r, &m, &d) == 3 || sscanf(tekst.c_str(), "%2d.%2d.%4d", &d, &m, &r) == 3) {
        if (r < 2000 || m < 1 || m > 12 || d < 1 || d > 31) return false;
        *wynik = TekstDaty(r, m, d);
        return true;
    }
    if (CzytajDate(tekst, &r, &m, &d)) {
        *wynik = tekst;
        return true;
    }
    return false;
}

int UstawHosta(const Opcje& o) {
    Stan& s = stan();
    time_t teraz = time(nullptr);
    struct tm lokalny = *localtime(&teraz);
    s.rok = lokalny.tm_year + 1900;
    s.miesiac = lokalny.tm_mon + 1;
    s.dzien = lokalny.tm_mday;
    s.godzina = lokalny.tm_hour;
    s.minuta = lokalny.tm_min;
    if (!o.dzisiaj.empty() && sscanf(o.dzisiaj.c_str(), "%d-%d-%d", &s.rok, &s.miesiac, &s.dzien) != 3)
        return Blad("--today takes YYYY-MM-DD");
    if (!o.czas.empty() && sscanf(o.czas.c_str(), "%d:%d", &s.godzina, &s.minuta) != 2)
        return Blad("--time takes HH:MM");
    if (!o.od.empty() && !DataHosta(o.od, &s.formularzOd)) return Blad("--od: not a date: " + o.od);
    if (!o.do_.empty() && !DataHosta(o.do_, &s.formularzDo)) return Blad("--do: not a date: " + o.do_);

    std::string dane = o.dane.empty() ? KatalogProgramu() + "sklep_przykladowy.json" : o.dane;
    std::string blad;
    if (!WczytajDane(dane, &blad)) return Blad("sales data " + dane + ": " + blad);
    if (!UstawKatalogBiezacy(o.katalog, &s.katalog)) return Blad("cannot use directory " + o.katalog);
    if (!o.slad.empty() && !OtworzSlad(o.slad)) return Blad("cannot write trace " + o.slad);
    return 0;
}

}  // namespace
}  // namespace torvel

TORVEL_API int TorvelUruchom(int argc, char** argv) {
    using namespace torvel;
    setvbuf(stdout, nullptr, _IONBF, 0);
    Opcje o;
    int kodWyjscia = 0;
    if (!CzytajOpcje(argc, argv, &o, &kodWyjscia)) return kodWyjscia;
    // The host's own trace lives in the file; memory would grow with every call.
    UstawSladWPamieci(false);
    if (int blad = UstawHosta(o)) return blad;
    if (stan().brakFunkcjiZwrotnej) o.brakujace.push_back(30006);
    UkryjFunkcje(o.brakujace);

    std::string sciezka = o.modul.empty() ? KatalogProgramu() + NAZWA_PLIKU_MODULU : o.modul;
    std::string blad;
    void* modul = ZaladujModul(sciezka, &blad);
    if (modul == nullptr) return Blad("cannot load " + sciezka + ": " + blad);
    auto polacz = reinterpret_cast<Eksport30001>(EksportModulu(modul, 30001));
    auto zdarzenie = reinterpret_cast<Eksport30008>(EksportModulu(modul, 30008));
    if (polacz == nullptr || zdarzenie == nullptr) return Blad("the module lacks export 30001 or 30008");

    if (o.polecenie == "report") {
        zdarzenie(1);
        OtworzSlad("");
        return 0;
    }

    char rekordHosta[256] = {};
    if (polacz(&TorvelFunkcjaZwrotna, rekordHosta) != 0) {
        if (!stan().cichy) printf("torvel-sim: the module refused the connection\n");
        zdarzenie(1);
        fprintf(stderr, "torvel-sim: module %s not connected\n", sciezka.c_str());
        return 1;
    }
    rekordHosta[sizeof rekordHosta - 1] = '\0';
    if (!stan().cichy) printf("torvel-sim: connected module \"%s\"\n", ZMazovii(rekordHosta).c_str());

    if (o.polecenie == "menu") {
        if (stan().polecenie == nullptr || stan().polecenie->obsluga == nullptr)
            return Blad("the module registered no menu command");
        int16_t wynik = stan().polecenie->obsluga();
        ZamknijEkran();
        if (!stan().cichy) printf("torvel-sim: menu command returned %d\n", wynik);
    } else if (o.polecenie == "event") {
        zdarzenie(0);
    } else if (o.polecenie == "disconnect") {
        polacz(nullptr, nullptr);
    }
    if (!stan().cichy) {
        printf("torvel-sim: batch flag %d, option word 0x%04X, host state %d\n", stan().flagaWsadowa,
               stan().slowoOpcji, stan().stanHosta);
    }
    OtworzSlad("");
    return 0;
}
