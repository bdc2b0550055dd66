// The stand-in host "TORVEL": the 60 host functions (exported by ordinal),
// the host callback (30006), and the services behind them. Unit tests drive
// it in process through this interface; torvel-sim wraps it as a program.
#pragma once

#include <stdint.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/konwencja.h"
#include "host/typy_hosta.h"

namespace torvel {

// One thing the host showed to the user (status text, message, warning,
// error box, form), kept for tests and printed to the terminal.
struct Komunikat {
    int ordinal;
    std::string tytul;  // UTF-8
    std::string tekst;  // UTF-8, markup bytes kept as they came
    int32_t styl;
};

// An answer of the compatibility questions.
struct OdpowiedziZgodnosci {
    int32_t brakujaceCechy = 0;          // host callback (1, 1)
    uint32_t numerDatyModulu = 0;        // 52006 for a build date text, when set (else YYYYMMDD of the text)
    bool numerDatyModuluUstawiony = false;
    uint32_t numerDatyHosta = 20261201;    // 52006 (null): the host's own build date as YYYYMMDD
    int32_t sprzeciw = 0;                 // 30018: non-zero = objection
    std::string tekstSprzeciwu;           // written into the buffer of 30018 (Mazovia)
    int32_t wersjaInterfejsu = 112;      // 51594
};

struct Stan {
    // --- process and user interface
    std::string katalog;        // the host's current directory, absolute
    bool interaktywny = false;  // modal windows wait for the user
    bool cichy = false;         // nothing printed to the terminal
    bool gadatliwy = false;     // programs the host runs write to the terminal too
    std::vector<Komunikat> komunikaty;

    // --- dates and times
    int rok = 2026, miesiac = 12, dzien = 7;
    int godzina = 13, minuta = 42;

    // --- tables
    std::set<int> niedostepneTabele;             // 52256 answers null
    std::map<int, int16_t> rozmiaryRekordow;     // overrides of the expected sizes

    // --- programs and mail
    std::string programCurl = "curl";  // what 52011 runs for "curl"
    // When set, programs (curl, the mail service's curl) run in process:
    // program and arguments in, exit code out.
    std::function<int(const std::string& program, const std::vector<std::string>& argumenty)> programWProcesie;
    std::string diagnostyka;           // a failed program's last error line, shown under the next text

    // --- host state (commands, automatic export, compatibility)
    int32_t flagaWsadowa = 0;        // 37974
    int16_t przelacznikAutomatu = 1; // 52267
    uint16_t slowoOpcji = 0;         // 32300 / 32408
    int32_t stanHosta = 0;           // 24235
    OdpowiedziZgodnosci zgodnosc;
    bool brakFunkcjiZwrotnej = false;  // export 30006 missing
    const ::RekordPolecenia* polecenie = nullptr;  // registered through 52081, withdrawn by 52082
    int32_t flagaPrzyOdczycieKas = -1;        // batch flag as 51539 last saw it
    int32_t flagaPrzyOdczycieSprzedazy = -1;  // batch flag as 51636 last saw it

    // --- form (52026)
    std::string formularzOd, formularzDo;  // host date texts typed into the form, empty = keep
    std::string formularzPrzycisk = "F12";
};

Stan& stan();

// Everything back to a fresh host (tables emptied, trace closed, ordinals shown).
void Resetuj();

// Ordinals that the host does not provide (before the module is loaded).
void UkryjFunkcje(const std::vector<int>& ordinaly);

// JSON-lines trace of every host call; an empty name stops it.
bool OtworzSlad(const std::string& plik);
// The trace of this process, one JSON text per host call.
const std::vector<std::string>& Slad();
void WyczyscSlad();
// The in-memory trace grows with every call; long runs switch it off.
void UstawSladWPamieci(bool wlaczony);

// Fault injection, in process (POSIX): while it is on, counting stand-ins
// sit over the host's exports (bind the module afterwards), every host
// call is counted, and the planned call fails in one of the ways its
// ordinal allows. Switching it on or off shows every ordinal again.
void WlaczAwarie(bool wlaczone);
// From now on, the wywolanie-th host call (1 = the next one; 0 = none)
// fails in way sposob (1 or 2) of its ordinal; restarts the count.
void ZaplanujAwarie(uint64_t wywolanie, int sposob);
// The same for the ktore-th call of one host function (1 = its next call),
// whatever is called in between.
void ZaplanujAwarieFunkcji(int ordinal, uint64_t ktore, int sposob);
// The ordinal of every host call counted since the plan was set.
const std::vector<uint16_t>& WywolaniaHosta();
bool AwariaNastapila();
// What the failed call was about, where its ordinal says more than its
// number: for 41399 "<mode> <section> <key>".
const std::string& KontekstAwarii();
// How many ways host function `ordinal` can fail (0: it always works), and
// what each is.
int LiczbaSposobowAwarii(int ordinal);
const char* OpisAwarii(int ordinal, int sposob);

// What the tables delivered since the plan was set, while fault injection
// is on: every receipt whose Tspr record went into the record buffer, and
// the receipts of which a traversal of the items ended before the last
// item (or never started although there were items).
struct Dostawa {
    std::set<int32_t> paragony;
    std::set<int32_t> niepelnePozycje;
};
const Dostawa& DostarczoneRekordy();

// Sales tables from the JSON fixture (file or text).
bool WczytajDane(const std::string& plik, std::string* blad);
bool WczytajDaneZTekstu(const std::string& tekst, std::string* blad);

// A receipt (Tspr) and an item (Tspr_dok) as the host holds them, texts in
// Mazovia; packed into the record buffer on each cursor step.
struct RekordParagonu {
    int32_t numerParagonu = 0;
    std::string dataParagonu, opisParagonu;
    int16_t minutaParagonu = 0, stanParagonu = 0;
    double kwota1 = 0, kwota2 = 0;
    uint8_t trybKwot = 0;
};
struct RekordPozycji {
    int32_t numerParagonu = 0, ilosc = 0;
    std::string kodPozycji;
    int16_t grupa = 0, znacznikPozycji = 0;
    double kwotaSumy0 = 0, kwotaSumy1 = 0, kwotaWykazu0 = 0, kwotaWykazu1 = 0;
};
// Sales tables straight from records in memory, as if loaded from a fixture
// holding them in this order (large generated tables skip the JSON).
void WczytajRekordy(std::vector<RekordParagonu> paragony, std::vector<RekordPozycji> pozycje);

// Host date text of a calendar date, and back.
std::string TekstDaty(int rok, int miesiac, int dzien);
bool CzytajDate(const std::string& tekst, int* rok, int* miesiac, int* dzien);

// Mazovia <-> UTF-8.
std::string ZMazovii(const char* tekst);
std::string DoMazovii(const std::string& utf8);

}  // namespace torvel
