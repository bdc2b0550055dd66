// A fresh stand-in host for each export or transmission test: its own
// directory (also the process's current one, where "BRENVIK" is made),
// silent, pauses recorded instead of slept, curl replaced by a script.
#pragma once

#include "torvel/uslugi/wewnetrzne.h"

#include <gtest/gtest.h>
#include <stdint.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "torvel/uslugi/torvel.h"

namespace testy {

using json = nlohmann::json;

// A pause the module asked for, with what had been shown and traced by then.
struct ZapisanaPauza {
    uint32_t milisekundy;
    size_t komunikatow;  // size of torvel::stan().komunikaty
    size_t wywolan;      // size of torvel::Slad()
};

// One key of the settings file, in file order.
struct WpisIni {
    std::string sekcja, klucz, wartosc;
    bool operator==(const WpisIni& o) const { return sekcja == o.sekcja && klucz == o.klucz && wartosc == o.wartosc; }
};
void PrintTo(const WpisIni& w, std::ostream* os);

class SrodowiskoEksportu : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Sciezka(const std::string& wzgledna) const { return katalog_ + "/" + wzgledna; }
    std::string CzytajPlik(const std::string& wzgledna) const;  // empty when missing
    bool PlikIstnieje(const std::string& wzgledna) const;
    void ZapiszPlik(const std::string& wzgledna, const std::string& tresc) const;

    // The sales tables from a JSON fixture text (fails the test on error).
    void Dane(const json& dane);
    // The settings file written as given (sections, keys, values in order).
    void Ustawienia(const std::string& ini) { ZapiszPlik("brenvik.ini", ini); }
    std::vector<WpisIni> Ini() const;
    std::string WartoscIni(const std::string& sekcja, const std::string& klucz) const;  // "<brak>" when missing

    // curl becomes a script that records its arguments and ends with kod.
    void Curl(int kod);
    std::vector<std::string> ArgumentyCurl() const;  // of the last run
    int UruchomieniaCurl() const;

    // Host calls of one ordinal, as traced ({"ord","args","ret"}).
    std::vector<json> Wywolania(int ordinal) const;
    std::vector<int> Ordinaly() const;

    const std::vector<ZapisanaPauza>& Pauzy() const;

    std::string katalog_;
    std::string poprzedniKatalog_;
};

// The argument text split as the host splits it before starting curl.
inline std::vector<std::string> PodzielWierszPolecen(const std::string& wiersz) {
    return torvel::PodzielWierszPolecen(wiersz);
}

// A receipt and an item in the fixture's form, with the fields a test sets.
json Paragon(int numer, const std::string& data, const std::string& opis, double kwota1 = 10000, double kwota2 = 0);
json Pozycja(int numer, const std::string& kod, int ilosc, double kwotaSumy0, double kwotaWykazu0, int grupa = 1);

}  // namespace testy
