// The host's time text (30308), any bytes, through the export timestamp and
// the export file name: always bounded, never a "." or ":" in it, and for a
// well-formed time of day exactly its HHMM (00:00 as 2400).
//
// Input: the bytes the host writes into the module's time buffer; when
// they fill it there is no terminator.
#include <ctype.h>
#include <string.h>

#include <string>

#include "export/plik_sprzedazy.h"
#include "tests/fuzz/srodowisko_fuzz.h"

namespace {

// The module's time buffer holds 64 bytes; the host writes no more.
const size_t BUFOR_CZASU = 64;
std::string tekstCzasu;

char* Czas30308(char* bufor, int32_t) {
    size_t n = tekstCzasu.size() < BUFOR_CZASU ? tekstCzasu.size() : BUFOR_CZASU;
    memcpy(bufor, tekstCzasu.data(), n);
    if (n < BUFOR_CZASU) bufor[n] = '\0';
    return bufor;
}

bool Cyfry(const std::string& t, size_t od) { return isdigit(static_cast<unsigned char>(t[od])) && isdigit(static_cast<unsigned char>(t[od + 1])); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    fuzz::NoweWejscie();
    fuzz::Zastap(INDEKS_30308, static_cast<TypFunkcji30308>(Czas30308));
    tekstCzasu.assign(reinterpret_cast<const char*>(dane), rozmiar);

    char znacznik[ROZMIAR_ZNACZNIKA_CZASU];
    memset(znacznik, 'x', sizeof znacznik);
    std::string wynik = PodajZnacznikCzasu(znacznik, sizeof znacznik);
    WYMAGAJ(wynik.size() < sizeof znacznik, "%zu", wynik.size());
    WYMAGAJ(wynik.compare(0, 11, "2026_12_07_") == 0, "%s", wynik.c_str());
    WYMAGAJ(wynik.find_first_of(".:") == std::string::npos, "%s", wynik.c_str());

    std::string czas = fuzz::Utnij(tekstCzasu, BUFOR_CZASU - 1);
    if (czas.size() >= 5 && Cyfry(czas, 0) && Cyfry(czas, 3)) {
        int godziny = std::stoi(czas.substr(0, 2)), minuty = std::stoi(czas.substr(3, 2));
        if (godziny < 24 && minuty < 60) {
            char oczekiwany[8];
            snprintf(oczekiwany, sizeof oczekiwany, "%02d%02d", godziny == 0 && minuty == 0 ? 24 : godziny, minuty);
            WYMAGAJ(wynik == std::string("2026_12_07_") + oczekiwany, "%s from %s", wynik.c_str(), czas.c_str());
        }
    }

    // A small buffer is filled and terminated, never passed.
    char maly[12];
    PodajZnacznikCzasu(maly, sizeof maly);
    WYMAGAJ(strnlen(maly, sizeof maly) < sizeof maly, "unterminated");

    char nazwa[ROZMIAR_NAZWY_PLIKU];
    NazwaPlikuSprzedazy(nazwa, sizeof nazwa, -32768, -32768, znacznik);
    WYMAGAJ(strnlen(nazwa, sizeof nazwa) < sizeof nazwa, "unterminated name");
    return 0;
}
