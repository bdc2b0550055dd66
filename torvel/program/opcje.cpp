// torvel-sim's command line through CLI11: the commands are subcommands, and
// options may stand before or after them (they fall through to the program).
#include "torvel/program/opcje.h"

#include <stdio.h>

#include <CLI/CLI.hpp>

#include "torvel/uslugi/wewnetrzne.h"
#include "wersja.h"

namespace torvel {

namespace {

const char* const GRUPA_HOSTA = "The host";
const char* const GRUPA_FORMULARZA = "Menu command's form";
const char* const GRUPA_TERMINALA = "Terminal";
const char* const GRUPA_ODPOWIEDZI = "Host answers for tests";

struct Polecenie {
    const char* nazwa;
    const char* opis;
};

const Polecenie POLECENIA[] = {
    {"connect", "load and connect the module"},
    {"menu", "connect, then run the menu command"},
    {"event", "connect, then signal the host event (the automatic export)"},
    {"disconnect", "connect, then withdraw the menu command"},
    {"report", "ask a freshly loaded module for its load-failure report, before any connect"},
};

// A value option; given twice, the last one counts.
template <typename T>
CLI::Option* Opcja(CLI::App& program, const char* nazwa, T& cel, const char* opis, const char* grupa) {
    return program.add_option(nazwa, cel, opis)->group(grupa)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

// A number option whose value goes into a host field only when given; read
// in any C base and cut to the field's width, as the host's fields hold it.
template <typename Pole>
CLI::Option* Liczba(CLI::App& program, const char* nazwa, Pole& pole, const char* opis, const char* grupa) {
    return program.add_option_function<long>(nazwa, [&pole](const long& w) { pole = static_cast<Pole>(w); }, opis)
        ->group(grupa)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

}  // namespace

bool CzytajOpcje(int argc, char** argv, Opcje* o, int* kodWyjscia) {
    Stan& s = stan();
    CLI::App program("The stand-in TORVEL host: loads the module as TORVEL does and runs one command.", "torvel-sim");
    program.set_version_flag("--version", std::string("torvel-sim ") + BRENVIK_WERSJA);
    program.require_subcommand(1, 1);
    for (const Polecenie& p : POLECENIA) program.add_subcommand(p.nazwa, p.opis)->fallthrough();

    Opcja(program, "--module", o->modul, "module to load (default: the one built beside torvel-sim)", GRUPA_HOSTA)
        ->type_name("PATH");
    Opcja(program, "--dir", o->katalog,
          "the host's current directory: brenvik.ini, BRENVIK/, curl.log, message.eml (default: .)", GRUPA_HOSTA)
        ->type_name("DIR");
    Opcja(program, "--data", o->dane, "sales tables as JSON (default: the bundled sample shop)", GRUPA_HOSTA)
        ->type_name("FILE");
    Opcja(program, "--today", o->dzisiaj, "the host's date, YYYY-MM-DD", GRUPA_HOSTA)
        ->type_name("YYYY-MM-DD");
    Opcja(program, "--time", o->czas, "the host's time of day, HH:MM", GRUPA_HOSTA)
        ->type_name("HH:MM");
    Liczba(program, "--batch", s.flagaWsadowa, "the host's batch flag before the call (0|1)", GRUPA_HOSTA)
        ->type_name("0|1");
    program.add_option("--missing", o->brakujace, "ordinals the host does not provide (N,N,...)")
        ->delimiter(',')
        ->group(GRUPA_HOSTA)
        ->type_name("N,N,...");
    Opcja(program, "--trace", o->slad, "JSON-lines trace of every host call", GRUPA_HOSTA)
        ->type_name("FILE");

    Opcja(program, "--od", o->od, "the first date typed into the form (YYYY-MM-DD or host date text)", GRUPA_FORMULARZA)
        ->type_name("DATE");
    Opcja(program, "--do", o->do_, "the last date typed into the form", GRUPA_FORMULARZA)
        ->type_name("DATE");
    Opcja(program, "--button", s.formularzPrzycisk, "the button that closes the form (default F12)", GRUPA_FORMULARZA)
        ->check(CLI::IsMember({"F12", "ESC"}))
        ->type_name("F12|ESC");

    program.add_flag("--interactive", s.interaktywny, "the form and the modal windows wait for the user")
        ->group(GRUPA_TERMINALA);
    program.add_flag("--quiet", s.cichy, "print nothing but errors")->group(GRUPA_TERMINALA);
    program.add_flag("--verbose", s.gadatliwy, "the programs the host runs (curl) write to the terminal as well")
        ->group(GRUPA_TERMINALA);

    Liczba(program, "--switch", s.przelacznikAutomatu, "the automatic export's enabling switch (default 1)", GRUPA_ODPOWIEDZI)
        ->type_name("N");
    Liczba(program, "--option-word", s.slowoOpcji, "the host's option word (default 0)", GRUPA_ODPOWIEDZI)
        ->type_name("N");
    Liczba(program, "--features", s.zgodnosc.brakujaceCechy, "features the host lacks, answered by the callback", GRUPA_ODPOWIEDZI)
        ->type_name("N");
    program.add_flag("--no-callback", s.brakFunkcjiZwrotnej, "the host has no export 30006")->group(GRUPA_ODPOWIEDZI);
    Liczba(program, "--host-build", s.zgodnosc.numerDatyHosta, "the host's own build number (52006)", GRUPA_ODPOWIEDZI)
        ->type_name("N");
    std::string sprzeciw;
    CLI::Option* opcjaSprzeciwu =
        Opcja(program, "--objection", sprzeciw, "the host objects to the module with this text (30018)", GRUPA_ODPOWIEDZI)
        ->type_name("TEXT");
    Liczba(program, "--interface", s.zgodnosc.wersjaInterfejsu, "the host's interface version (51594, default 112)", GRUPA_ODPOWIEDZI)
        ->type_name("N");
    std::vector<std::string> rozmiary;
    program.add_option("--record-size", rozmiary, "record size reported for table number T (T=N)")
        ->check(CLI::Validator(
            [](std::string& w) {
                int tabela = 0, rozmiar = 0;
                char reszta = 0;
                return sscanf(w.c_str(), "%d=%d%c", &tabela, &rozmiar, &reszta) == 2 ? std::string()
                                                                                        : std::string("takes T=N");
            },
            ""))
        ->group(GRUPA_ODPOWIEDZI)
        ->type_name("T=N");
    std::vector<int> niedostepne;
    program.add_option("--no-table", niedostepne, "table number T is not available (T,T,...)")
        ->delimiter(',')
        ->group(GRUPA_ODPOWIEDZI)
        ->type_name("T,T,...");
    Opcja(program, "--curl", s.programCurl, "the program run for \"curl\"", GRUPA_ODPOWIEDZI)
        ->type_name("PATH");

    try {
        program.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int kod = program.exit(e);
        *kodWyjscia = kod == 0 ? 0 : 2;
        return false;
    }
    for (CLI::App* p : program.get_subcommands()) o->polecenie = p->get_name();

    if (*opcjaSprzeciwu) {
        s.zgodnosc.sprzeciw = 1;
        s.zgodnosc.tekstSprzeciwu = DoMazovii(sprzeciw);
    }
    for (const std::string& r : rozmiary) {
        int tabela = 0, rozmiar = 0;
        sscanf(r.c_str(), "%d=%d", &tabela, &rozmiar);
        s.rozmiaryRekordow[tabela] = static_cast<int16_t>(rozmiar);
    }
    s.niedostepneTabele.insert(niedostepne.begin(), niedostepne.end());
    return true;
}

}  // namespace torvel
