// torvel-sim's command line: load the module as the host does, connect it,
// and run the menu command, the host event or a disconnect.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <sstream>

#include "torvel/funkcje_torvel.h"
#include "torvel/wewnetrzne.h"
#include "wersja.h"

namespace torvel {
namespace {

typedef int32_t(HOSTCALL* Eksport30001)(FunkcjaZwrotnaHosta, void*);
typedef int32_t(HOSTCALL* Eksport30008)(int32_t);
typedef int32_t(HOSTCALL* Eksport30009)(void);
typedef uint32_t(HOSTCALL* Eksport30010)(int32_t);

const char* const POMOC =
    "torvel-sim [options] connect|menu|event|disconnect|report\n"
    "  --module PATH        module to load (default: the one built beside torvel-sim)\n"
    "  --dir DIR            the host's current directory (default: .)\n"
    "  --data FILE          sales tables as JSON (default: the bundled sample shop)\n"
    "  --today YYYY-MM-DD   the host's date; --time HH:MM the host's time of day\n"
    "  --od DATE --do DATE  menu: the dates typed into the form (YYYY-MM-DD or host date text)\n"
    "  --button F12|ESC     menu: the button that closes the form (default F12)\n"
    "  --batch 0|1          the host's batch flag before the call\n"
    "  --missing N,N,...    ordinals the host does not provide\n"
    "  --trace FILE         JSON-lines trace of every host call\n"
    "  --interactive        modal windows and the form wait for the user\n"
    "  --version            print the version and exit\n"
    "report asks the module for its load-failure report at once, before any connect.\n"
    "  --quiet              print nothing but errors\n"
    "host answers for tests:\n"
    "  --switch N           the automatic export's enabling switch (default 1)\n"
    "  --option-word N      the host's option word (default 0)\n"
    "  --features N         features the host lacks, answered by the callback\n"
    "  --no-callback        the host has no export 30006\n"
    "  --host-build N       the host's own build number (52006)\n"
    "  --objection TEXT     the host objects to the module (30018)\n"
    "  --interface N        the host's interface version (51594, default 112)\n"
    "  --record-size T=N    record size reported for table number T\n"
    "  --no-table T         table number T is not available\n"
    "  --curl PATH          the program run for \"curl\"\n";

struct Opcje {
    std::string polecenie, modul, katalog = ".", dane, slad;
    std::string dzisiaj, czas, od, do_;
    std::vector<int> brakujace;
};

int Blad(const std::string& tekst) {
    fprintf(stderr, "torvel-sim: %s\n", tekst.c_str());
    return 2;
}

bool Liczba(const char* tekst, long* wynik) {
    char* koniec = nullptr;
    *wynik = strtol(tekst, &koniec, 0);
    return koniec != tekst && *koniec == '\0';
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

std::vector<int> ListaLiczb(const std::string& tekst, bool* poprawna) {
    std::vector<int> wynik;
    std::stringstream strumien(tekst);
    std::string kawalek;
    *poprawna = true;
    while (std::getline(strumien, kawalek, ',')) {
        long n = 0;
        if (!Liczba(kawalek.c_str(), &n)) *poprawna = false;
        wynik.push_back(static_cast<int>(n));
    }
    return wynik;
}

int CzytajOpcje(int argc, char** argv, Opcje* o) {
    Stan& s = stan();
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto wartosc = [&](const char** cel) {
            if (i + 1 >= argc) return false;
            *cel = argv[++i];
            return true;
        };
        const char* w = nullptr;
        long n = 0;
        if (a == "--help" || a == "-h") {
            fputs(POMOC, stdout);
            exit(0);
        } else if (a == "--version") {
            printf("torvel-sim %s\n", BRENVIK_WERSJA);
            exit(0);
        } else if (a == "connect" || a == "menu" || a == "event" || a == "disconnect" || a == "report") {
            if (!o->polecenie.empty()) return Blad("one command only");
            o->polecenie = a;
        } else if (a == "--interactive") {
            s.interaktywny = true;
        } else if (a == "--quiet") {
            s.cichy = true;
        } else if (a == "--no-callback") {
            s.brakFunkcjiZwrotnej = true;
        } else if (!wartosc(&w)) {
            return Blad("unknown option or missing value: " + a);
        } else if (a == "--module") {
            o->modul = w;
        } else if (a == "--dir") {
            o->katalog = w;
        } else if (a == "--data") {
            o->dane = w;
        } else if (a == "--trace") {
            o->slad = w;
        } else if (a == "--today") {
            o->dzisiaj = w;
        } else if (a == "--time") {
            o->czas = w;
        } else if (a == "--od") {
            o->od = w;
        } else if (a == "--do") {
            o->do_ = w;
        } else if (a == "--button") {
            if (strcmp(w, "F12") != 0 && strcmp(w, "ESC") != 0) return Blad("--button takes F12 or ESC");
            s.formularzPrzycisk = w;
        } else if (a == "--curl") {
            s.programCurl = w;
        } else if (a == "--objection") {
            s.zgodnosc.sprzeciw = 1;
            s.zgodnosc.tekstSprzeciwu = DoMazovii(w);
        } else if (a == "--missing" || a == "--no-table") {
            bool poprawna = false;
            std::vector<int> lista = ListaLiczb(w, &poprawna);
            if (!poprawna) return Blad(a + " takes numbers separated by commas");
            if (a == "--missing")
                o->brakujace.insert(o->brakujace.end(), lista.begin(), lista.end());
            else
                s.niedostepneTabele.insert(lista.begin(), lista.end());
        } else if (a == "--record-size") {
            int tabela = 0, rozmiar = 0;
            if (sscanf(w, "%d=%d", &tabela, &rozmiar) != 2) return Blad("--record-size takes T=N");
            s.rozmiaryRekordow[tabela] = static_cast<int16_t>(rozmiar);
        } else if (!Liczba(w, &n)) {
            return Blad(a + " takes a number");
        } else if (a == "--batch") {
            s.flagaWsadowa = static_cast<int32_t>(n);
        } else if (a == "--switch") {
            s.przelacznikAutomatu = static_cast<int16_t>(n);
        } else if (a == "--option-word") {
            s.slowoOpcji = static_cast<uint16_t>(n);
        } else if (a == "--features") {
            s.zgodnosc.brakujaceCechy = static_cast<int32_t>(n);
        } else if (a == "--host-build") {
            s.zgodnosc.numerDatyHosta = static_cast<uint32_t>(n);
        } else if (a == "--interface") {
            s.zgodnosc.wersjaInterfejsu = static_cast<int32_t>(n);
        } else {
            return Blad("unknown option: " + a);
        }
    }
    if (o->polecenie.empty()) return Blad("no command given (connect, menu, event, disconnect or report)");
    return 0;
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
    if (int blad = CzytajOpcje(argc, argv, &o)) return blad;
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
