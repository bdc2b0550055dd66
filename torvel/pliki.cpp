// The host's file service: files opened by name and mode, stream holders,
// formatted writes and the host directory. Files are always opened binary;
// text modes write CR LF for LF as the Windows runtime does, so the bytes
// are the same on every platform.
#include <stdio.h>
#include <string.h>

#include <map>
#include <memory>

#if defined(_WIN32)
#include <windows.h>
#else
#include <errno.h>
#include <unistd.h>
#endif

#include "torvel/funkcje_torvel.h"
#include "torvel/wewnetrzne.h"

namespace torvel {

namespace {

#if defined(_WIN32)
const char SEPARATOR = '\\';
#else
const char SEPARATOR = '/';
#endif

enum : uint32_t { ZNACZNIK_STRUMIENIA = 0x4D525453u, ZNACZNIK_PRZECHOWALNI = 0x4C415750u };

struct StrumienPliku {
    uint32_t znacznik = ZNACZNIK_STRUMIENIA;
    int uchwyt = 0;
    FILE* plik = nullptr;
    bool tekstowy = true;
};

// What the holder storage of the module holds between 22562 and 22563.
struct Przechowalnia {
    uint32_t znacznik;
    int32_t uchwyt;
};
static_assert(sizeof(Przechowalnia) <= ROZMIAR_UCHWYTU_STRUMIENIA, "holder fits the module's storage");

struct Pliki {
    std::map<int, std::unique_ptr<StrumienPliku>> otwarte;
    int nastepnyUchwyt = 3;  // 0 to 2 are the standard streams
};

Pliki& pliki() {
    static Pliki jedyne;
    return jedyne;
}

StrumienPliku* Otwarty(StrumienHosta strumien) {
    if (strumien == nullptr) return nullptr;
    for (auto& wpis : pliki().otwarte)
        if (wpis.second.get() == strumien) return wpis.second.get();
    return nullptr;
}

std::string KatalogBiezacy() {
#if defined(_WIN32)
    char bufor[MAX_PATH * 4];
    DWORD n = GetCurrentDirectoryA(sizeof bufor, bufor);
    return n > 0 && n < sizeof bufor ? std::string(bufor, n) : std::string(".");
#else
    char bufor[4096];
    return getcwd(bufor, sizeof bufor) != nullptr ? std::string(bufor) : std::string(".");
#endif
}

bool Bezwzgledna(const std::string& sciezka) {
#if defined(_WIN32)
    if (sciezka.size() >= 2 && sciezka[1] == ':') return true;
    return !sciezka.empty() && (sciezka[0] == '\\' || sciezka[0] == '/');
#else
    return !sciezka.empty() && sciezka[0] == '/';
#endif
}

// Text mode as the Windows runtime writes it.
std::string TrybTekstowy(const std::string& tekst) {
    std::string wynik;
    wynik.reserve(tekst.size() + tekst.size() / 16);
    for (char c : tekst) {
        if (c == '\n') wynik += '\r';
        wynik += c;
    }
    return wynik;
}

// "r", "w", "a", optionally "+", then "t" or "b" (text when neither is given).
bool CzytajTryb(const char* tryb, std::string* trybFopen, bool* tekstowy) {
    if (tryb == nullptr || (tryb[0] != 'r' && tryb[0] != 'w' && tryb[0] != 'a')) return false;
    bool plus = false;
    *tekstowy = true;
    for (const char* p = tryb + 1; *p != '\0'; ++p) {
        if (*p == '+') plus = true;
        else if (*p == 'b') *tekstowy = false;
        else if (*p != 't') return false;
    }
    *trybFopen = std::string(1, tryb[0]) + (plus ? "+b" : "b");
    return true;
}

}  // namespace

std::string SciezkaHosta(const char* sciezkaModulu) {
    std::string sciezka = sciezkaModulu == nullptr ? std::string() : std::string(sciezkaModulu);
#if !defined(_WIN32)
    for (char& c : sciezka)
        if (c == '\\') c = '/';
#endif
    if (Bezwzgledna(sciezka) || stan().katalog.empty()) return sciezka;
    std::string katalog = stan().katalog;
    if (katalog.back() != '/' && katalog.back() != SEPARATOR) katalog += SEPARATOR;
    return katalog + sciezka;
}

std::string KatalogHosta() {
    std::string katalog = stan().katalog.empty() ? KatalogBiezacy() : stan().katalog;
#if defined(_WIN32)
    for (char& c : katalog)
        if (c == '/') c = '\\';
#endif
    while (katalog.size() > 1 && katalog.back() == SEPARATOR) katalog.pop_back();
    if (katalog.empty() || katalog.back() != SEPARATOR) katalog += SEPARATOR;
    return katalog;
}

bool CzytajPlik(const std::string& sciezka, std::string* tresc, bool* brakPliku) {
    if (brakPliku != nullptr) *brakPliku = false;
    FILE* plik = fopen(sciezka.c_str(), "rb");
    if (plik == nullptr) {
#if defined(_WIN32)
        if (brakPliku != nullptr) *brakPliku = GetFileAttributesA(sciezka.c_str()) == INVALID_FILE_ATTRIBUTES;
#else
        if (brakPliku != nullptr) *brakPliku = errno == ENOENT;
#endif
        return false;
    }
    tresc->clear();
    char bufor[65536];
    size_t n;
    while ((n = fread(bufor, 1, sizeof bufor, plik)) > 0) tresc->append(bufor, n);
    bool dobrze = ferror(plik) == 0;
    fclose(plik);
    return dobrze;
}

bool ZapiszPlik(const std::string& sciezka, const std::string& tresc) {
    FILE* plik = fopen(sciezka.c_str(), "wb");
    if (plik == nullptr) return false;
    bool dobrze = fwrite(tresc.data(), 1, tresc.size(), plik) == tresc.size();
    return fclose(plik) == 0 && dobrze;
}

void ResetujPliki() {
    for (auto& wpis : pliki().otwarte)
        if (wpis.second->plik != nullptr) fclose(wpis.second->plik);
    pliki().otwarte.clear();
}

}  // namespace torvel

using torvel::json;
using torvel::T;

TORVEL_FUNKCJA(int32_t) Torvel52534(const char* nazwa, const char* tryb, int32_t dzielenie, int32_t a, int32_t b,
                                    int32_t c, int32_t d, int32_t e, int32_t f) {
    int32_t uchwyt = -1;
    std::string trybFopen;
    bool tekstowy = true;
    if (nazwa != nullptr && torvel::CzytajTryb(tryb, &trybFopen, &tekstowy)) {
        FILE* plik = fopen(torvel::SciezkaHosta(nazwa).c_str(), trybFopen.c_str());
        if (plik != nullptr) {
            auto strumien = std::make_unique<torvel::StrumienPliku>();
            strumien->plik = plik;
            strumien->tekstowy = tekstowy;
            strumien->uchwyt = uchwyt = torvel::pliki().nastepnyUchwyt++;
            torvel::pliki().otwarte[uchwyt] = std::move(strumien);
        }
    }
    torvel::Zapisz(52534, json::array({T(nazwa), T(tryb), dzielenie, a, b, c, d, e, f}), uchwyt);
    return uchwyt;
}

TORVEL_FUNKCJA(PrzechowalniaStrumienia*) Torvel22562(PrzechowalniaStrumienia* przechowalnia, int32_t uchwytPliku) {
    if (przechowalnia != nullptr) {
        torvel::Przechowalnia p = {torvel::ZNACZNIK_PRZECHOWALNI, uchwytPliku};
        memset(przechowalnia->dane, 0, sizeof przechowalnia->dane);
        memcpy(przechowalnia->dane, &p, sizeof p);
    }
    torvel::Zapisz(22562, json::array({przechowalnia == nullptr ? json(nullptr) : json("holder"), uchwytPliku}),
                   przechowalnia == nullptr ? json(nullptr) : json("holder"));
    return przechowalnia;
}

TORVEL_FUNKCJA(StrumienHosta) Torvel22567(PrzechowalniaStrumienia* przechowalnia) {
    torvel::StrumienPliku* strumien = nullptr;
    if (przechowalnia != nullptr) {
        torvel::Przechowalnia p;
        memcpy(&p, przechowalnia->dane, sizeof p);
        if (p.znacznik == torvel::ZNACZNIK_PRZECHOWALNI) {
            auto wpis = torvel::pliki().otwarte.find(p.uchwyt);
            if (wpis != torvel::pliki().otwarte.end()) strumien = wpis->second.get();
        }
    }
    torvel::Zapisz(22567, json::array({przechowalnia == nullptr ? json(nullptr) : json("holder")}),
                   strumien == nullptr ? json(nullptr) : json(strumien->uchwyt));
    return strumien;
}

TORVEL_FUNKCJA(void) Torvel22563(PrzechowalniaStrumienia* przechowalnia) {
    if (przechowalnia != nullptr) memset(przechowalnia->dane, 0, sizeof przechowalnia->dane);
    torvel::Zapisz(22563, json::array({przechowalnia == nullptr ? json(nullptr) : json("holder")}), nullptr);
}

TORVEL_FUNKCJA(int32_t) Torvel52541(StrumienHosta strumien, const char* format, ...) {
    torvel::StrumienPliku* plik = torvel::Otwarty(strumien);
    va_list argumenty;
    va_start(argumenty, format);
    std::string tekst = torvel::Formatuj(format, argumenty);
    va_end(argumenty);
    int32_t wynik = -1;
    if (plik != nullptr) {
        std::string bajty = plik->tekstowy ? torvel::TrybTekstowy(tekst) : tekst;
        if (fwrite(bajty.data(), 1, bajty.size(), plik->plik) == bajty.size()) wynik = static_cast<int32_t>(tekst.size());
    }
    torvel::Zapisz(52541, json::array({plik == nullptr ? json(nullptr) : json(plik->uchwyt), T(format), T(tekst.c_str())}),
                   wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52305(StrumienHosta strumien) {
    torvel::StrumienPliku* plik = torvel::Otwarty(strumien);
    int32_t wynik = -1;
    json uchwyt = nullptr;
    if (plik != nullptr) {
        uchwyt = plik->uchwyt;
        wynik = fclose(plik->plik) == 0 ? 0 : -1;
        torvel::pliki().otwarte.erase(plik->uchwyt);
    }
    torvel::Zapisz(52305, json::array({uchwyt}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(const char*) Torvel37980(const char* nazwaPliku) {
    static char katalog[4096];
    snprintf(katalog, sizeof katalog, "%s", torvel::KatalogHosta().c_str());
    torvel::Zapisz(37980, json::array({T(nazwaPliku)}), torvel::ZMazovii(katalog));
    return katalog;
}
