#include "tests/fuzz/srodowisko_fuzz.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "host/typy_hosta.h"
#include "platform/platforma.h"
#include "torvel/uslugi/torvel.h"

namespace fuzz {

void Niepowodzenie(const char* plik, int linia, const char* warunek, const char* format, ...) {
    fprintf(stderr, "%s:%d: property failed: %s\n  ", plik, linia, warunek);
    va_list argumenty;
    va_start(argumenty, format);
    vfprintf(stderr, format, argumenty);
    va_end(argumenty);
    fprintf(stderr, "\n");
    abort();
}

namespace {

void BezPauzy(uint32_t) {}

std::string Formatuj(const char* format, va_list argumenty) {
    va_list kopia;
    va_copy(kopia, argumenty);
    int dlugosc = vsnprintf(nullptr, 0, format, kopia);
    va_end(kopia);
    if (dlugosc < 0) return std::string();
    std::string tekst(static_cast<size_t>(dlugosc) + 1, '\0');
    vsnprintf(&tekst[0], tekst.size(), format, argumenty);
    tekst.resize(static_cast<size_t>(dlugosc));
    return tekst;
}

// ------------------------------------------------------------- settings

int32_t Ustawienia41399(const char*, int32_t tryb, const char* sekcja, const char* klucz, const char* format,
                        va_list argumenty) {
    bool liczba = strcmp(format, "%d") == 0;
    if (tryb == 9) {
        std::string wartosc = liczba ? std::to_string(va_arg(argumenty, int)) : std::string(va_arg(argumenty, const char*));
        ustawienia().zapisy.emplace_back(klucz, wartosc);
        return 0;
    }
    auto wpis = ustawienia().wartosci.find({sekcja, klucz});
    if (wpis == ustawienia().wartosci.end()) return 1;
    if (liczba) {
        *va_arg(argumenty, int16_t*) = Liczba16(wpis->second);
    } else {
        // The host stores the whole value up to its line limit.
        std::string wartosc = Utnij(wpis->second, MAKS_TEKST_USTAWIENIA);
        char* cel = va_arg(argumenty, char*);
        memcpy(cel, wartosc.c_str(), wartosc.size() + 1);
    }
    return 0;
}

// ------------------------------------------------------------- streams

int32_t Pisz52541(StrumienHosta strumien, const char* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    zapisy().push_back({strumien, format, Formatuj(format, argumenty)});
    va_end(argumenty);
    return 0;
}

// ------------------------------------------------------------- programs, mail

int32_t Uruchom52011(int32_t, const char* program, const char*, const char* argumenty, int32_t) {
    uruchomienia().push_back({program, argumenty});
    return kodCurl;
}

int32_t Wyslij51525(const char*, int32_t, const char* serwer, const char* login, const char* haslo, int32_t) {
    poczta().push_back({serwer, login, haslo});
    return 0;
}

// ------------------------------------------------------------- messages

int32_t Komunikat35802(int32_t, const char* tytul, const char* format, int32_t, int32_t ostatni, ...) {
    va_list argumenty;
    va_start(argumenty, ostatni);
    okna().push_back({35802, tytul, Formatuj(format, argumenty)});
    va_end(argumenty);
    return 0;
}

int32_t Komunikat35804(void*, const char* tytul, const char* format, int32_t, va_list argumenty) {
    okna().push_back({35804, tytul, Formatuj(format, argumenty)});
    return 0;
}

}  // namespace

Ustawienia& ustawienia() {
    static Ustawienia u;
    return u;
}
std::vector<Zapis>& zapisy() {
    static std::vector<Zapis> z;
    return z;
}
std::vector<Uruchomienie>& uruchomienia() {
    static std::vector<Uruchomienie> u;
    return u;
}
std::vector<Poczta>& poczta() {
    static std::vector<Poczta> p;
    return p;
}
std::vector<Okno>& okna() {
    static std::vector<Okno> o;
    return o;
}
int32_t kodCurl = 0;

void PrzygotujHosta() {
    char wzor[] = "/tmp/brenvik-fuzz-XXXXXX";
    if (mkdtemp(wzor) == nullptr || chdir(wzor) != 0) abort();
    static std::string katalog = wzor;
    atexit([] {
        std::error_code blad;
        std::filesystem::remove_all(katalog, blad);
    });
    torvel::stan().katalog = wzor;
    torvel::Resetuj();
    torvel::UstawSladWPamieci(false);
    platforma::zastepstwa.pauza = BezPauzy;
}

void NoweWejscie() {
    // Every input's export starts with no file of the host's minute: the
    // run would otherwise refuse to replace the previous input's file.
    std::error_code blad;
    std::filesystem::remove_all("BRENVIK", blad);
    torvel::Resetuj();
    torvel::stan().cichy = true;
    ustawienia() = Ustawienia();
    zapisy().clear();
    uruchomienia().clear();
    poczta().clear();
    okna().clear();
    kodCurl = 0;
}

void NoweWejscieEksportu() {
    NoweWejscie();
    ZastapUstawienia();
    ZastapZapisDoStrumienia();
    ZastapProgramyIPoczte();
    ZastapOkna();
}

void ZastapUstawienia() { Zastap(INDEKS_41399, static_cast<TypFunkcji41399>(Ustawienia41399)); }
void ZastapZapisDoStrumienia() { Zastap(INDEKS_52541, static_cast<TypFunkcji52541>(Pisz52541)); }
void ZastapProgramyIPoczte() {
    Zastap(INDEKS_52011, static_cast<TypFunkcji52011>(Uruchom52011));
    Zastap(INDEKS_51525, static_cast<TypFunkcji51525>(Wyslij51525));
}
void ZastapOkna() {
    Zastap(INDEKS_35802, static_cast<TypFunkcji35802>(Komunikat35802));
    Zastap(INDEKS_35804, static_cast<TypFunkcji35804>(Komunikat35804));
}

int16_t Liczba16(const std::string& tekst) { return torvel::Liczba16(tekst.c_str()); }

std::string Utnij(const std::string& tekst, size_t n) {
    std::string c(tekst.c_str());
    return c.size() > n ? c.substr(0, n) : c;
}

}  // namespace fuzz

// Every target prepares the host the same way, once per process.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PrzygotujHosta();
    return 0;
}
