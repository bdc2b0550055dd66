// Helpers shared by the host's service files.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "host/funkcje_hosta.h"
#include "torvel/uslugi/torvel.h"

// Host functions are exported under these names (TORVEL.def on Windows,
// the export table of eksporty_hosta_posix.cpp on POSIX).
#define TORVEL_FUNKCJA(Zwrot) extern "C" Zwrot HOSTCALL

namespace torvel {

using json = nlohmann::json;

// A Mazovia text argument for the trace: decoded to UTF-8, null stays null.
json T(const char* tekstMazovia);

// Records one host call: one JSON line {"ord":N,"args":[...],"ret":...}.
void Zapisz(int ordinal, json argumenty, json wynik);

// Whether a trace is kept at all. Host functions that the module calls per
// record build their trace entry only then: a long run without a trace
// must not pay for texts and JSON nobody keeps.
bool SladAktywny();

// Shows a text to the user: kept in stan().komunikaty and printed to the
// terminal in UTF-8 (markup bytes rendered).
void Pokaz(int ordinal, const char* tytulMazovia, const char* tekstMazovia, int32_t styl);

// Asks the user to acknowledge a modal window when the run is interactive.
void CzekajNaUzytkownika();

// The printf-style host functions with their values as an argument list,
// for callers that hand on a list of their own.
int32_t Komunikat35802(int32_t a, const char* tytul, const char* format, int32_t b, int32_t c, va_list argumenty);
int32_t Status52029(const char* tytul, const char* format, int32_t styl, va_list argumenty);
int32_t ZapisFormatowany(StrumienHosta strumien, const char* format, va_list argumenty);

// vsnprintf into a std::string.
std::string Formatuj(const char* format, va_list argumenty);

// A path of the module (backslashes, relative to the host's directory)
// as this platform's path.
std::string SciezkaHosta(const char* sciezkaModulu);

// How the settings service reads a "%d" value: atoi's reading, kept to the
// low 16 bits without overflow.
int16_t Liczba16(const char* tekst);

// Fault injection: the counting stand-in of an ordinal, whether it is on,
// and what the tables note for it.
void* ZastepcaFunkcji(int ordinal);
bool AwarieWlaczone();
void StartKursoraPominiety(UchwytTabeli* tabela, int32_t indeks, const void* klucz);
void ResetujDostawe();

// Per-service state back to a fresh host; called by Resetuj().
void ResetujTabele();
void ResetujPliki();
// Every ordinal provided again (undoes UkryjFunkcje).
void PokazWszystkieFunkcje();

}  // namespace torvel

namespace torvel {

// Whole files as bytes. CzytajPlik is false when the file cannot be read;
// *brakPliku then tells whether it does not exist at all.
bool CzytajPlik(const std::string& sciezka, std::string* tresc, bool* brakPliku = nullptr);
bool ZapiszPlik(const std::string& sciezka, const std::string& tresc);

// The host's directory, absolute, ending with this platform's separator
// (what 37980 answers).
std::string KatalogHosta();

// An argument text split into arguments as the Windows C runtime splits a
// command line, and arguments joined into a text that splits back to them.
std::vector<std::string> PodzielWierszPolecen(const std::string& tekst);
std::string ZlozWierszPolecen(const std::vector<std::string>& argumenty);

// Runs a program with these arguments and waits for it: its exit code, or
// -1 when it cannot be started. Its output is kept aside (ZachowajWyjscieProgramu),
// or goes to the host's stderr when the run is verbose.
int UruchomProgram(const std::string& program, const std::vector<std::string>& argumenty);

// The last error line of a program's output ("curl: (7) Failed to connect ...").
std::string OstatniaLiniaBledu(const std::string& wyjscie);
// After a failed run, its last error line waits in stan().diagnostyka for the next text shown.
void ZachowajWyjscieProgramu(int kodWyjscia, const std::string& wyjscie);

}  // namespace torvel
