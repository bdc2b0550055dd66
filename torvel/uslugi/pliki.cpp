// The host's file service: files opened by name and mode, stream holders,
// formatted writes and the host directory. Files are always opened binary;
// text modes write CR LF for LF as the Windows runtime does, so the bytes
// are the same on every platform.
#include <stdarg.h>
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

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

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
    // Text written in text mode, where the platform can translate a
    // stream's buffer on its way to plik (see OtworzWyjscieTekstowe); null
    // otherwise.
    FILE* wyjscieTekstowe = nullptr;
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

// Writes the bytes; text mode as the Windows runtime writes it, CR LF for
// every LF. False when the stream took less.
bool ZapiszBajty(FILE* plik, const char* dane, size_t dlugosc, bool tekstowy) {
    if (!tekstowy) return fwrite(dane, 1, dlugosc, plik) == dlugosc;
    while (dlugosc > 0) {
        const char* lf = static_cast<const char*>(memchr(dane, '\n', dlugosc));
        size_t odcinek = lf == nullptr ? dlugosc : static_cast<size_t>(lf - dane);
        if (fwrite(dane, 1, odcinek, plik) != odcinek) return false;
        if (lf == nullptr) break;
        if (fwrite("\r\n", 1, 2, plik) != 2) return false;
        dane += odcinek + 1;
        dlugosc -= odcinek + 1;
    }
    return true;
}

#if defined(__GLIBC__)
// Text mode for long runs of formatted writes: a stdio stream whose buffer
// is translated (CR LF for LF) when it is flushed into the file. A write
// then formats straight into that buffer, as the Windows runtime's text
// mode does, instead of into a text of its own that is copied on.
ssize_t PrzetlumaczDoPliku(void* strumien, const char* dane, size_t dlugosc) {
    FILE* plik = static_cast<StrumienPliku*>(strumien)->plik;
    char bufor[2 * 4096];
    size_t zapisane = 0;
    while (zapisane < dlugosc) {
        size_t n = 0;
        for (size_t i = 0; i < 4096 && zapisane < dlugosc; ++i, ++zapisane) {
            if (dane[zapisane] == '\n') bufor[n++] = '\r';
            bufor[n++] = dane[zapisane];
        }
        if (fwrite(bufor, 1, n, plik) != n) return -1;
    }
    return static_cast<ssize_t>(dlugosc);
}

FILE* OtworzWyjscieTekstowe(StrumienPliku* strumien) {
    cookie_io_functions_t funkcje = {nullptr, PrzetlumaczDoPliku, nullptr, nullptr};
    FILE* wyjscie = fopencookie(strumien, "w", funkcje);
    // The translated buffer goes to the file as it is, without a second buffer.
    if (wyjscie != nullptr) setvbuf(strumien->plik, nullptr, _IONBF, 0);
    return wyjscie;
}
#else
FILE* OtworzWyjscieTekstowe(StrumienPliku*) { return nullptr; }
#endif

// Closes the stream: the text output first, which flushes into the file.
bool ZamknijStrumien(StrumienPliku* strumien) {
    bool dobrze = strumien->wyjscieTekstowe == nullptr || fclose(strumien->wyjscieTekstowe) == 0;
    strumien->wyjscieTekstowe = nullptr;
    if (strumien->plik != nullptr) dobrze = fclose(strumien->plik) == 0 && dobrze;
    strumien->plik = nullptr;
    return dobrze;
}

// A formatted text in a buffer of its own when it fits (every line and item
// group of an export does), so that one write costs no allocation.
class TekstFormatowany {
public:
    TekstFormatowany(const char* format, va_list argumenty) {
        if (format == nullptr) return;
        // A format without conversions is its own text (a line end, a separator).
        if (strchr(format, '%') == nullptr) {
            dane_ = format;
            dlugosc_ = strlen(format);
            return;
        }
        va_list kopia;
        va_copy(kopia, argumenty);
        int n = vsnprintf(krotki_, sizeof krotki_, format, kopia);
        va_end(kopia);
        if (n <= 0) return;
        if (static_cast<size_t>(n) < sizeof krotki_) {
            dane_ = krotki_;
            dlugosc_ = static_cast<size_t>(n);
        } else {
            dlugi_ = Formatuj(format, argumenty);
            dane_ = dlugi_.c_str();
            dlugosc_ = dlugi_.size();
        }
    }
    TekstFormatowany(const TekstFormatowany&) = delete;
    TekstFormatowany& operator=(const TekstFormatowany&) = delete;

    const char* Dane() const { return dane_; }
    size_t Dlugosc() const { return dlugosc_; }

private:
    char krotki_[1024];
    std::string dlugi_;
    const char* dane_ = "";
    size_t dlugosc_ = 0;
};

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
    // Read straight into the buffer below: the settings service reads the
    // whole file at every call, and a stream buffer of its own is then just
    // one more allocation per call.
    setvbuf(plik, nullptr, _IONBF, 0);
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
    for (auto& wpis : pliki().otwarte) ZamknijStrumien(wpis.second.get());
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
            // Only files that are just written: a translating stream cannot read or seek.
            if (tekstowy && trybFopen != "r+b" && trybFopen != "w+b" && trybFopen != "a+b" && trybFopen != "rb")
                strumien->wyjscieTekstowe = torvel::OtworzWyjscieTekstowe(strumien.get());
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

namespace torvel {

int32_t ZapisFormatowany(StrumienHosta strumien, const char* format, va_list argumenty) {
    torvel::StrumienPliku* plik = torvel::Otwarty(strumien);
    int32_t wynik = -1;
    // Without a trace nobody needs the text itself: format straight into the stream.
    FILE* wprost = nullptr;
    if (plik != nullptr) wprost = plik->wyjscieTekstowe != nullptr ? plik->wyjscieTekstowe : plik->tekstowy ? nullptr : plik->plik;
    if (wprost != nullptr && format != nullptr && !torvel::SladAktywny()) {
        int n = vfprintf(wprost, format, argumenty);
        return n < 0 ? -1 : n;
    }
    torvel::TekstFormatowany tekst(format, argumenty);
    if (plik != nullptr) {
        bool zapisany = plik->wyjscieTekstowe != nullptr
                            ? fwrite(tekst.Dane(), 1, tekst.Dlugosc(), plik->wyjscieTekstowe) == tekst.Dlugosc()
                            : torvel::ZapiszBajty(plik->plik, tekst.Dane(), tekst.Dlugosc(), plik->tekstowy);
        if (zapisany) wynik = static_cast<int32_t>(tekst.Dlugosc());
    }
    if (torvel::SladAktywny())
        torvel::Zapisz(52541, json::array({plik == nullptr ? json(nullptr) : json(plik->uchwyt), T(format), T(tekst.Dane())}),
                       wynik);
    return wynik;
}

}  // namespace torvel

TORVEL_FUNKCJA(int32_t) Torvel52541(StrumienHosta strumien, const char* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    int32_t wynik = torvel::ZapisFormatowany(strumien, format, argumenty);
    va_end(argumenty);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52305(StrumienHosta strumien) {
    torvel::StrumienPliku* plik = torvel::Otwarty(strumien);
    int32_t wynik = -1;
    json uchwyt = nullptr;
    if (plik != nullptr) {
        uchwyt = plik->uchwyt;
        wynik = torvel::ZamknijStrumien(plik) ? 0 : -1;
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
