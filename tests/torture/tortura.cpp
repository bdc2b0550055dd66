// Fault runs at every host call. Each scenario (a menu export or a host
// event with the host connecting first) runs once to count its host calls,
// then once for every call and every way that call can fail, each run in a
// child process of its own, so that a crash or a sanitizer report is one
// failed run. After every run the child checks what the host and the user
// are left with. Then every host function in turn, and all of them, go
// missing for connect, the load-failure report, the host event and
// disconnect. Their summary line:
//   torture: points=<fault points> runs=<runs> failed=<failed runs>
// Then the histories of one shop (historie.h), which end with theirs.
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platforma.h"
#include "shell/eksporty.h"
#include "shell/tablica_funkcji.h"
#include "tests/torture/dzieci_tortury.h"
#include "tests/torture/historie.h"
#include "tests/torture/serwer_tortury.h"
#include "tests/torture/sklep_tortury.h"
#include "tests/torture/sprawdzenia_tortury.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/torvel.h"

namespace tortura {
namespace {

// ------------------------------------------------------------ scenarios

const char* const KONIEC_OKRESU = "C6.12.07";  // yesterday: the host's today is 8 December 2026

struct Scenariusz {
    const char* nazwa;
    bool zdarzenie;           // the host event (automatic export); otherwise the menu command
    bool serwerDziala;        // the FTP server answers
    bool email;               // hostSMTP is set
    uint16_t slowoOpcji;      // the host's option word before the run
    const char* zapisanaData;  // DataOstatniegoEksportu before the run, null for none
    const char* hasloFTP;
};

const Scenariusz SCENARIUSZE[] = {
    {"menu, upload succeeds", false, true, false, 0, nullptr, "tajne"},
    {"menu, server down", false, false, false, 0, nullptr, "tajne"},
    {"menu, wrong password", false, true, false, 0, nullptr, "zle"},
    {"menu with e-mail report", false, true, true, 0, nullptr, "tajne"},
    {"event, upload succeeds", true, true, false, 0, "C6.12.03", "tajne"},
    {"event, server down", true, false, false, 0x8000, "C6.12.03", "tajne"},
    {"event, no date stored yet", true, true, false, 0, nullptr, "tajne"},
    {"event with e-mail, server down", true, false, true, 0, "C6.12.03", "tajne"},
};

// The first day of the period the run exports (the last is KONIEC_OKRESU).
std::string PoczatekOkresu(const Scenariusz& s, bool zapisanaDataNieodczytana) {
    if (!s.zdarzenie) return "C6.12.01";  // what the user types into the form
    // Without a stored date: the day before yesterday.
    return s.zapisanaData != nullptr && !zapisanaDataNieodczytana ? s.zapisanaData : "C6.12.06";
}

// ------------------------------------------------------- one run (child)

// Runs one scenario with the planned failure; true when every check held.
bool UruchomScenariusz(const Scenariusz& s, uint64_t wywolanie, int sposob, std::vector<uint16_t>* ordinaly) {
    SerwerTortury serwer;
    serwer.odpowiedz = s.serwerDziala ? OdpowiedzSerwera::Przyjmuje : OdpowiedzSerwera::Niedostepny;
    UstawSerwer(&serwer);
    WyczyscBledy();

    std::string katalog = NowyKatalog();
    torvel::Resetuj();
    if (chdir(katalog.c_str()) != 0) _exit(3);
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::stan().rok = 2026, torvel::stan().miesiac = 12, torvel::stan().dzien = 8;
    torvel::stan().godzina = 13, torvel::stan().minuta = 42;
    torvel::stan().formularzOd = "C6.12.01";
    torvel::stan().formularzDo = KONIEC_OKRESU;
    torvel::stan().slowoOpcji = s.slowoOpcji;
    torvel::stan().stanHosta = 5;
    torvel::stan().programWProcesie = ProgramWProcesie;
    torvel::UstawSladWPamieci(false);
    std::string blad;
    if (!torvel::WczytajDaneZTekstu(DaneSklepu(), &blad)) {
        fprintf(stderr, "fixture: %s\n", blad.c_str());
        _exit(3);
    }
    std::string ini = UstawieniaSklepu(s.hasloFTP, s.zapisanaData != nullptr ? s.zapisanaData : "", s.email);
    std::ofstream(katalog + "/brenvik.ini", std::ios::binary) << ini;
    torvel::WlaczAwarie(true);
    PowiazModul();
    torvel::ZaplanujAwarie(wywolanie, sposob);

    char rekordHosta[256] = {};
    bool polaczony = Eksport30001(&TorvelFunkcjaZwrotna, rekordHosta) == 0;
    if (polaczony) {
        if (s.zdarzenie) {
            Eksport30008(0);
        } else if (torvel::stan().polecenie == nullptr) {
            Blad("connected, but no menu command registered");
        } else {
            torvel::stan().polecenie->obsluga();
        }
    } else {
        Eksport30008(1);
    }

    if (ordinaly != nullptr) *ordinaly = torvel::WywolaniaHosta();
    int ordinalAwarii = torvel::AwariaNastapila() ? torvel::WywolaniaHosta()[wywolanie - 1] : 0;

    // ---- what the host and the user are left with
    OczekiwanyPrzebieg o;
    o.zdarzenie = s.zdarzenie;
    o.polaczony = polaczony;
    o.slowoOpcji = s.slowoOpcji;
    o.stanHosta = 5;
    o.iniPrzed = ini;
    o.awaria = OdczytajAwarie(ordinalAwarii, sposob);
    o.bezEksportu = o.awaria.ordinal == 52026;
    o.plik = PlikWgUstawien(SklepTortury(), ini, o.awaria,
                            PoczatekOkresu(s, o.awaria.OdczytBrak("DataOstatniegoEksportu")), KONIEC_OKRESU);
    SprawdzPrzebieg(o, CzytajPlik(katalog + "/brenvik.ini"), serwer.Pliki());

    std::error_code e;
    std::filesystem::remove_all(katalog, e);
    UstawSerwer(nullptr);
    if (!Bledy().empty()) {
        fprintf(stderr, "torture: FAILED %s, call %llu (%d, %s):\n%s", s.nazwa, static_cast<unsigned long long>(wywolanie),
                o.awaria.ordinal, torvel::OpisAwarii(o.awaria.ordinal, sposob), Bledy().c_str());
        return false;
    }
    return true;
}

// ------------------------------------------- missing functions (child)

std::string wyjscieDebuggera;

bool UruchomBrak(const std::vector<int>& brakujace) {
    std::string katalog = NowyKatalog();
    torvel::Resetuj();
    if (chdir(katalog.c_str()) != 0) _exit(3);
    torvel::stan().katalog = katalog;
    torvel::stan().cichy = true;
    torvel::UstawSladWPamieci(false);
    torvel::UkryjFunkcje(brakujace);
    PowiazModul();
    platforma::zastepstwa.tekstDlaDebuggera = [](const char* t) { wyjscieDebuggera += t; };

    std::string bledy;
    char rekordHosta[256] = {};
    if (Eksport30001(&TorvelFunkcjaZwrotna, rekordHosta) != -1) bledy += "  connect not refused\n";
    if (Eksport30008(1) != 0) bledy += "  report did not return 0\n";
    std::string tekst;
    for (const torvel::Komunikat& k : torvel::stan().komunikaty)
        if (k.ordinal == 35802) tekst += k.tekst;
    bool bezOkna = std::find(brakujace.begin(), brakujace.end(), 35802) != brakujace.end();
    if (bezOkna) tekst = torvel::ZMazovii(wyjscieDebuggera.c_str());
    std::string oczekiwane = brakujace.size() == 1 ? "funkcję o numerze " + std::to_string(brakujace[0]) : "funkcje o numerach";
    if (tekst.find(oczekiwane) == std::string::npos) bledy += "  report lacks \"" + oczekiwane + "\": " + tekst + "\n";
    size_t komunikaty = torvel::stan().komunikaty.size();
    if (Eksport30008(0) != 0) bledy += "  host event did not return 0\n";
    if (torvel::stan().komunikaty.size() != komunikaty || torvel::stan().stanHosta != 0 || torvel::stan().flagaWsadowa != 0)
        bledy += "  host event ran the automatic export\n";
    if (Eksport30001(nullptr, nullptr) != 0) bledy += "  disconnect did not return 0\n";

    std::error_code e;
    std::filesystem::remove_all(katalog, e);
    if (!bledy.empty()) {
        fprintf(stderr, "torture: FAILED missing %s:\n%s", brakujace.size() == 1 ? std::to_string(brakujace[0]).c_str() : "all",
                bledy.c_str());
        return false;
    }
    return true;
}

// ------------------------------------------------------------- driver

// The counting run: the ordinals of the scenario's host calls, passed back
// through a pipe.
bool PoliczWywolania(const Scenariusz& s, std::vector<uint16_t>* ordinaly, Wyniki* wyniki) {
    int rura[2];
    if (pipe(rura) != 0) return false;
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        close(rura[0]);
        std::vector<uint16_t> wynik;
        bool dobrze = UruchomScenariusz(s, 0, 0, &wynik);
        size_t n = wynik.size();
        if (write(rura[1], &n, sizeof n) != sizeof n) _exit(4);
        if (n > 0 && write(rura[1], wynik.data(), n * sizeof(uint16_t)) != static_cast<ssize_t>(n * sizeof(uint16_t))) _exit(4);
        _exit(dobrze ? 0 : 1);
    }
    close(rura[1]);
    size_t n = 0;
    bool dobrze = read(rura[0], &n, sizeof n) == sizeof n;
    if (dobrze) {
        ordinaly->resize(n);
        size_t przeczytane = 0;
        while (przeczytane < n * sizeof(uint16_t)) {
            ssize_t r = read(rura[0], reinterpret_cast<char*>(ordinaly->data()) + przeczytane, n * sizeof(uint16_t) - przeczytane);
            if (r <= 0) break;
            przeczytane += static_cast<size_t>(r);
        }
        dobrze = przeczytane == n * sizeof(uint16_t);
    }
    close(rura[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ++wyniki->przebiegi;
    if (!dobrze || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ++wyniki->nieudane;
        return false;
    }
    return true;
}

// The fault runs of every scenario and the missing-function sweep; prints
// their summary line.
Wyniki PrzebiegiAwarii() {
    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);

    Wyniki wyniki;
    Dzieci dzieci(&wyniki);
    for (const Scenariusz& s : SCENARIUSZE) {
        std::vector<uint16_t> ordinaly;
        if (!PoliczWywolania(s, &ordinaly, &wyniki)) {
            fprintf(stderr, "torture: the counting run of \"%s\" failed\n", s.nazwa);
            continue;
        }
        uint64_t punkty = 0;
        for (size_t i = 0; i < ordinaly.size(); ++i) {
            for (int sposob = 1; sposob <= torvel::LiczbaSposobowAwarii(ordinaly[i]); ++sposob) {
                ++punkty;
                dzieci.Uruchom([&s, i, sposob] { return UruchomScenariusz(s, i + 1, sposob, nullptr); });
            }
        }
        dzieci.CzekajNaWszystkie();
        wyniki.punkty += punkty;
        printf("torture: %-26s %4zu host calls, %4llu fault points\n", s.nazwa, ordinaly.size(),
               static_cast<unsigned long long>(punkty));
    }

    std::vector<int> wszystkie;
    for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i) wszystkie.push_back(OrdinalyFunkcjiHosta[i]);
    for (int ordinal : wszystkie) dzieci.Uruchom([ordinal] { return UruchomBrak({ordinal}); });
    dzieci.Uruchom([&wszystkie] { return UruchomBrak(wszystkie); });
    dzieci.CzekajNaWszystkie();
    printf("torture: missing host functions: each of %zu alone and all at once\n", wszystkie.size());

    timespec koniec;
    clock_gettime(CLOCK_MONOTONIC, &koniec);
    printf("torture: %.1f s\n", (koniec.tv_sec - start.tv_sec) + (koniec.tv_nsec - start.tv_nsec) / 1e9);
    printf("torture: points=%llu runs=%llu failed=%llu\n", static_cast<unsigned long long>(wyniki.punkty),
           static_cast<unsigned long long>(wyniki.przebiegi), static_cast<unsigned long long>(wyniki.nieudane));
    return wyniki;
}

// Options: --histories N (0: none), --seed S (the histories' first seed),
// --history SEED (that one history alone, its steps shown), --histories-only.
bool CzytajOpcje(int argc, char** argv, OpcjeHistorii* historie, bool* bezPrzebiegowAwarii) {
    for (int i = 1; i < argc; ++i) {
        std::string opcja = argv[i];
        if (opcja == "--histories-only") {
            *bezPrzebiegowAwarii = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        char* koniec = nullptr;
        uint64_t wartosc = strtoull(argv[++i], &koniec, 10);
        if (koniec == argv[i] || *koniec != '\0') return false;
        if (opcja == "--histories") historie->liczba = wartosc;
        else if (opcja == "--seed") historie->ziarno = wartosc;
        else if (opcja == "--history") historie->jedna = true, historie->jednaZiarno = wartosc, *bezPrzebiegowAwarii = true;
        else return false;
    }
    return true;
}

}  // namespace
}  // namespace tortura

int main(int argc, char** argv) {
    using namespace tortura;
    OpcjeHistorii opcjeHistorii;
    bool bezPrzebiegowAwarii = false;
    if (!CzytajOpcje(argc, argv, &opcjeHistorii, &bezPrzebiegowAwarii)) {
        fprintf(stderr, "usage: %s [--histories N] [--seed S] [--history SEED] [--histories-only]\n", argv[0]);
        return 2;
    }
    // The module's pauses are skipped: thousands of runs of 5 s each otherwise.
    platforma::zastepstwa.pauza = [](uint32_t) {};
    Wyniki wyniki;
    if (!bezPrzebiegowAwarii) wyniki = PrzebiegiAwarii();
    bool historieUdane = opcjeHistorii.liczba == 0 || UruchomHistorie(opcjeHistorii);
    return wyniki.nieudane == 0 && historieUdane ? 0 : 1;
}
