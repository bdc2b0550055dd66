// The stored start date of the automatic export ("DataOstatniegoEksportu"),
// any bytes of any length, through the automatic export with the host's
// own date services: the start date buffer is never passed, the export
// runs unless the stored day is yesterday, and only its end date
// (yesterday, or today with the batch flag set) is ever recorded.
//
// Input: a control byte (bit 0: batch flag set; bit 1: key missing; bit 2:
// the upload fails), then the stored value.
#include <string.h>

#include <string>

#include "commands/eksport_automatyczny.h"
#include "tests/fuzz/srodowisko_fuzz.h"
#include "torvel/uslugi/torvel.h"

namespace {

const char* const WCZORAJ = "C6.12.06";
const char* const DZIS = "C6.12.07";

std::string Zapisana(const char* klucz, bool* jest) {
    *jest = false;
    std::string wartosc;
    for (const auto& z : fuzz::ustawienia().zapisy)
        if (z.first == klucz) {
            *jest = true;
            wartosc = z.second;
        }
    return wartosc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    if (rozmiar == 0) return 0;
    fuzz::NoweWejscieEksportu();
    torvel::stan().rok = 2026;
    torvel::stan().miesiac = 12;
    torvel::stan().dzien = 7;
    bool wsadowa = dane[0] & 1, brak = dane[0] & 2;
    fuzz::kodCurl = (dane[0] & 4) ? 7 : 0;
    torvel::stan().flagaWsadowa = wsadowa;
    std::string zapisana(reinterpret_cast<const char*>(dane + 1), rozmiar - 1);
    if (!brak) fuzz::ustawienia().wartosci[{"danePomocnicze", "DataOstatniegoEksportu"}] = zapisana;

    // The start date as the module holds it (20 bytes), compared by the host.
    std::string poczatek = brak ? std::string("C6.12.05") : fuzz::Utnij(zapisana, 19);
    bool nicDoRoboty = H30908()(poczatek.c_str(), WCZORAJ) == 0;

    int16_t wynik = EksportAutomatyczny();
    WYMAGAJ(wynik == (nicDoRoboty ? 0 : 1), "result %d for [%s]", wynik, poczatek.c_str());
    WYMAGAJ(fuzz::uruchomienia().size() == (nicDoRoboty ? 0u : 1u), "%zu uploads", fuzz::uruchomienia().size());
    WYMAGAJ(torvel::stan().flagaWsadowa == (nicDoRoboty ? wsadowa : 0), "batch flag %d", torvel::stan().flagaWsadowa);

    bool jestData, jestOdczyt;
    std::string data = Zapisana("DataOstatniegoEksportu", &jestData);
    std::string odczyt = Zapisana("OstatniOdczyt", &jestOdczyt);
    bool wyslano = !nicDoRoboty && fuzz::kodCurl == 0;
    WYMAGAJ(jestData == wyslano && jestOdczyt == wyslano, "period recorded: %d %d", jestData, jestOdczyt);
    if (wyslano) {
        const char* koniec = wsadowa ? DZIS : WCZORAJ;
        WYMAGAJ(data == koniec, "recorded end [%s]", data.c_str());
        std::string przedzial = " do " + std::string(koniec);
        WYMAGAJ(odczyt.compare(0, 18, "Eksport danych od ") == 0 && odczyt.size() >= przedzial.size() &&
                    odczyt.compare(odczyt.size() - przedzial.size(), przedzial.size(), przedzial) == 0,
                "[%s]", odczyt.c_str());
        // The start date in it is one of at most 19 characters.
        WYMAGAJ(odczyt.size() <= 18 + 19 + przedzial.size(), "[%s]", odczyt.c_str());
    }
    return 0;
}
