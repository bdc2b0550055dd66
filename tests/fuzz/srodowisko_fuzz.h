// What every fuzz target shares: the module bound to the in-process
// stand-in host, in a scratch directory, without pauses, with the host
// functions whose answers a target fuzzes replaced by programmable ones and
// with what the module hands the host (settings writes, stream writes,
// program runs, messages) recorded for the target's checks.
#pragma once

#include "torvel/uslugi/wewnetrzne.h"

#include <stddef.h>
#include <stdint.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/funkcje_hosta.h"

namespace fuzz {

// Stops the target with a message when a property does not hold; libFuzzer
// then keeps the input that broke it.
#define WYMAGAJ(warunek, ...)                                              \
    do {                                                                   \
        if (!(warunek)) ::fuzz::Niepowodzenie(__FILE__, __LINE__, #warunek, __VA_ARGS__); \
    } while (0)
[[noreturn]] void Niepowodzenie(const char* plik, int linia, const char* warunek, const char* format, ...);

// Once per process: scratch directory as the host's (and the process's)
// current directory, silent host, no trace, pauses skipped.
void PrzygotujHosta();
// Before each input: the host's state, its messages, the records below and
// the export files of earlier inputs.
void NoweWejscie();
// NoweWejscie with the settings, stream writes, programs, mail and windows
// answered in memory, as an export run needs them.
void NoweWejscieEksportu();

// Host function `indeks` (INDEKS_<ordinal>) answered by `funkcja`, which
// must have the exact type of the host function.
template <typename Funkcja>
void Zastap(int indeks, Funkcja funkcja) {
    TablicaFunkcjiHosta[indeks] = reinterpret_cast<WpisFunkcjiHosta>(funkcja);
}

// --- settings (41399): values served from a map, writes recorded.
struct Ustawienia {
    std::map<std::pair<std::string, std::string>, std::string> wartosci;  // (section, key) -> value
    std::vector<std::pair<std::string, std::string>> zapisy;              // (key, value) in order
};
Ustawienia& ustawienia();
void ZastapUstawienia();
// A "%d" value as the host reads it (atoi, low 16 bits).
int16_t Liczba16(const std::string& tekst);

// --- streams (52541): every formatted write, by format, not written to disk.
struct Zapis {
    void* strumien;
    std::string format;
    std::string tekst;
};
std::vector<Zapis>& zapisy();
void ZastapZapisDoStrumienia();

// --- programs (52011) and mail (51525): recorded, answered with kodCurl.
struct Uruchomienie {
    std::string program;
    std::string argumenty;
};
std::vector<Uruchomienie>& uruchomienia();
extern int32_t kodCurl;
struct Poczta {
    std::string serwer, login, haslo;
};
std::vector<Poczta>& poczta();
void ZastapProgramyIPoczte();

// --- messages (35802 and 35804): the formatted texts with their captions.
struct Okno {
    int ordinal;
    std::string tytul;
    std::string tekst;
};
std::vector<Okno>& okna();
void ZastapOkna();

// The argument text split as the host splits it before starting curl.
inline std::vector<std::string> PodzielWierszPolecen(const std::string& wiersz) {
    return torvel::PodzielWierszPolecen(wiersz);
}

// At most n bytes of a C text.
std::string Utnij(const std::string& tekst, size_t n);

}  // namespace fuzz
