// What the fault runs check after one run of the menu command or the host
// event: the host's state, what the user was shown, the file that reached
// the server, and the recorded period. The expected values are worked out
// by the driver from the fixture and the settings, never read from the
// module's own output.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "tests/torture/sklep_tortury.h"

namespace tortura {

// Findings of the checks since the last WyczyscBledy, one indented line each.
void Blad(const std::string& tekst);
const std::string& Bledy();
void WyczyscBledy();

std::string CzytajPlik(const std::string& sciezka);
// A value of the settings file as it lies on disk, "" when missing.
std::string WartoscIni(const std::string& ini, const std::string& sekcja, const std::string& klucz);
// Whether the host showed a text of this ordinal beginning so (and of this style).
bool Pokazano(int ordinal, const std::string& poczatek, int32_t styl = -1);

// The failed call, as the child sees it after the run.
struct Awaria {
    int ordinal = 0, sposob = 0;
    std::string sekcja, klucz;  // 41399
    int trybUstawien = 0;
    // A settings read that the host answered "missing" (the module then
    // uses the key's default and writes it back).
    bool OdczytBrak(const char* nazwaKlucza) const;
};
// The planned failure if it happened: its ordinal and way, and for 41399
// what the call was about.
Awaria OdczytajAwarie(int ordinal, int sposob);

// What the file of a successful run must hold.
struct OczekiwanyPlik {
    const std::vector<ParagonSklepu>* sklep = nullptr;
    std::string numerSklepu, naglowek;
    bool bezWykluczen = false;  // no goods group excluded
    std::string dataOd, dataDo;  // the period, host date texts
};
// The values the run used: the settings file before it, unless the failed
// call reported one of its keys missing.
OczekiwanyPlik PlikWgUstawien(const std::vector<ParagonSklepu>& sklep, const std::string& iniPrzed, const Awaria& awaria,
                              const std::string& dataOd, const std::string& dataDo);

// The file against what the host delivered: every well-formed card receipt
// of the period exactly once; lines of receipts delivered only in part at
// most once, as they came.
void SprawdzPlik(const std::string& tresc, const OczekiwanyPlik& oczekiwany);

struct OczekiwanyPrzebieg {
    bool zdarzenie = false;    // the host event; otherwise the menu command
    bool polaczony = true;     // the module accepted the connection
    bool bezEksportu = false;  // nothing is exported and nothing need be shown (ESC)
    uint16_t slowoOpcji = 0;   // the host's option word before the run
    int32_t stanHosta = 0;     // the host state before the run
    std::string iniPrzed;      // the settings file before the run
    OczekiwanyPlik plik;
    Awaria awaria;
};

struct WynikPrzebiegu {
    bool sukces = false;
    std::string nazwa;  // the file the success named
};

// Checks one run given the settings file after it and the files the
// server received during it.
WynikPrzebiegu SprawdzPrzebieg(const OczekiwanyPrzebieg& o, const std::string& iniPo,
                               const std::map<std::string, std::string>& wyslane);

}  // namespace tortura
