// The host's settings service (41399): a real INI file in the host's
// directory, read and written afresh on every call with the Windows
// profile semantics (names without case, new keys at the end of their
// section, new sections at the end of the file). Values are the module's
// bytes as they came, so the file is the same on every platform.
#include <stdio.h>
#include <string.h>

#define SI_NO_CONVERSION  // plain bytes, ASCII-only case folding on every platform
#define SI_IMPLEMENTATION  // Debian's header defines the members only on request
#include <SimpleIni.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

int16_t Liczba16(const char* tekst) {
    while (*tekst == ' ' || *tekst == '\t') ++tekst;
    bool ujemna = false;
    if (*tekst == '+' || *tekst == '-') ujemna = *tekst++ == '-';
    uint32_t wartosc = 0;
    for (; *tekst >= '0' && *tekst <= '9'; ++tekst) wartosc = wartosc * 10u + static_cast<uint32_t>(*tekst - '0');
    if (ujemna) wartosc = 0u - wartosc;
    return static_cast<int16_t>(static_cast<uint16_t>(wartosc & 0xFFFFu));
}

}  // namespace torvel

namespace {

enum { TRYB_ODCZYTU = 8, TRYB_ZAPISU = 9, BRAK_KLUCZA = 1, ZAPIS_NIEUDANY = 1 };

// The file as last read, parsed. The file is read on every call all the
// same; only a parse of the very same bytes is skipped (an export run reads
// some forty keys from a file that seldom changes in between).
struct OstatniOdczyt {
    std::string sciezka, tresc;
    CSimpleIniA ini;
    bool wczytany = false;
};

// The parsed file; null when it is missing or cannot be read.
const CSimpleIniA* WczytajIni(const std::string& sciezka) {
    static OstatniOdczyt ostatni;
    std::string tresc;
    if (!torvel::CzytajPlik(sciezka, &tresc)) return nullptr;
    if (!ostatni.wczytany || ostatni.sciezka != sciezka || ostatni.tresc != tresc) {
        ostatni.ini.Reset();
        ostatni.wczytany = ostatni.ini.LoadData(tresc) >= 0;
        ostatni.sciezka = sciezka;
        ostatni.tresc.swap(tresc);
    }
    return ostatni.wczytany ? &ostatni.ini : nullptr;
}

bool ZapiszIni(const std::string& sciezka, const CSimpleIniA& ini) {
    std::string tresc;
    if (ini.Save(tresc) < 0) return false;
#if defined(_WIN32)
    // The library ends lines with CR LF on Windows; the file keeps LF everywhere.
    std::string lf;
    lf.reserve(tresc.size());
    for (size_t i = 0; i < tresc.size(); ++i)
        if (!(tresc[i] == '\r' && i + 1 < tresc.size() && tresc[i + 1] == '\n')) lf += tresc[i];
    tresc.swap(lf);
#endif
    return torvel::ZapiszPlik(sciezka, tresc);
}


int32_t Odczyt(const std::string& sciezka, const char* sekcja, const char* klucz, const char* format,
               va_list argumenty, torvel::json* wartosc) {
    bool liczba = strcmp(format, "%d") == 0;
    if (!liczba && strcmp(format, "%s") != 0) return BRAK_KLUCZA;
    const CSimpleIniA* ini = WczytajIni(sciezka);
    if (ini == nullptr) return BRAK_KLUCZA;
    const char* tekst = ini->GetValue(sekcja, klucz, nullptr);
    if (tekst == nullptr) return BRAK_KLUCZA;
    if (liczba) {
        int16_t* cel = va_arg(argumenty, int16_t*);
        if (cel == nullptr) return BRAK_KLUCZA;
        *cel = torvel::Liczba16(tekst);
        *wartosc = *cel;
    } else {
        char* cel = va_arg(argumenty, char*);
        if (cel == nullptr) return BRAK_KLUCZA;
        size_t n = strlen(tekst);
        if (n > MAKS_TEKST_USTAWIENIA) n = MAKS_TEKST_USTAWIENIA;
        memcpy(cel, tekst, n);
        cel[n] = '\0';
        *wartosc = torvel::T(cel);
    }
    return 0;
}

int32_t Zapis(const std::string& sciezka, const char* sekcja, const char* klucz, const char* format,
              va_list argumenty, torvel::json* wartosc) {
    std::string tekst;
    if (strcmp(format, "%d") == 0) {
        int liczba = va_arg(argumenty, int);
        tekst = std::to_string(liczba);
        *wartosc = liczba;
    } else if (strcmp(format, "%s") == 0) {
        const char* t = va_arg(argumenty, const char*);
        if (t == nullptr) return ZAPIS_NIEUDANY;
        tekst = t;
        *wartosc = torvel::T(t);
    } else {
        return ZAPIS_NIEUDANY;
    }
    CSimpleIniA ini;
    ini.SetSpaces(false);
    std::string istniejacy;
    bool brakPliku = false;
    // An existing file that cannot be read is not overwritten.
    if (torvel::CzytajPlik(sciezka, &istniejacy, &brakPliku)) {
        if (ini.LoadData(istniejacy) < 0) return ZAPIS_NIEUDANY;
    } else if (!brakPliku) {
        return ZAPIS_NIEUDANY;
    }
    if (ini.SetValue(sekcja, klucz, tekst.c_str()) < 0) return ZAPIS_NIEUDANY;
    return ZapiszIni(sciezka, ini) ? 0 : ZAPIS_NIEUDANY;
}

}  // namespace

TORVEL_FUNKCJA(int32_t) Torvel41399(const char* plik, int32_t tryb, const char* sekcja, const char* klucz,
                                    const char* format, va_list argumenty) {
    torvel::json wartosc = nullptr;
    int32_t wynik = tryb == TRYB_ZAPISU ? ZAPIS_NIEUDANY : BRAK_KLUCZA;
    if (plik != nullptr && sekcja != nullptr && klucz != nullptr && format != nullptr) {
        std::string sciezka = torvel::SciezkaHosta(plik);
        va_list kopia;
        va_copy(kopia, argumenty);
        if (tryb == TRYB_ODCZYTU) wynik = Odczyt(sciezka, sekcja, klucz, format, kopia, &wartosc);
        if (tryb == TRYB_ZAPISU) wynik = Zapis(sciezka, sekcja, klucz, format, kopia, &wartosc);
        va_end(kopia);
    }
    using torvel::T;
    torvel::Zapisz(41399, torvel::json::array({T(plik), tryb, T(sekcja), T(klucz), T(format), wartosc}), wynik);
    return wynik;
}
