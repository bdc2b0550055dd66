// Fault injection: stand-ins over the host's exports that count every host
// call and make the planned one fail, each in a way its contract allows
// (a null handle, a cursor that ends, a write that fails, curl's exit code
// 7, ...). The module binds the stand-ins like the real functions, so a
// driver can run a scenario once to count its calls and then once for
// every call and way of failing.
#include <string.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

struct Plan {
    bool wlaczone = false;
    uint64_t wywolanie = 0;  // 1 = the first call after the plan was set; 0 = none fails
    int ordinal = 0;         // when set, wywolanie counts only the calls of this host function
    uint64_t wywolanFunkcji = 0;
    int sposob = 0;
    bool nastapila = false;
    std::string kontekst;
    std::vector<uint16_t> ordinaly;
};

Plan& plan() {
    static Plan jedyny;
    return jedyny;
}

// The way this call fails, 0 when it goes through; counts it either way.
int Policz(int ordinal) {
    Plan& p = plan();
    p.ordinaly.push_back(static_cast<uint16_t>(ordinal));
    if (p.ordinal != 0) {
        if (ordinal != p.ordinal || ++p.wywolanFunkcji != p.wywolanie) return 0;
    } else if (p.wywolanie == 0 || p.ordinaly.size() != p.wywolanie) {
        return 0;
    }
    if (p.sposob < 1 || p.sposob > LiczbaSposobowAwarii(ordinal)) return 0;
    p.nastapila = true;
    return p.sposob;
}

// Host functions that only count: every fixed argument list is passed on.
template <typename Typ>
struct Liczaca {
    template <int, Typ>
    static constexpr void* Adres() {
        return nullptr;  // variable argument lists have stand-ins of their own
    }
};
template <typename Zwrot, typename... Argumenty>
struct Liczaca<Zwrot(HOSTCALL*)(Argumenty...)> {
    template <int Ordinal, Zwrot(HOSTCALL* Funkcja)(Argumenty...)>
    static Zwrot HOSTCALL Wywolaj(Argumenty... argumenty) {
        Policz(Ordinal);
        return Funkcja(argumenty...);
    }
    template <int Ordinal, Zwrot(HOSTCALL* Funkcja)(Argumenty...)>
    static void* Adres() {
        return reinterpret_cast<void*>(&Wywolaj<Ordinal, Funkcja>);
    }
};

// ------------------------------------------------- the ways of failing

UchwytTabeli* HOSTCALL Awaria52256(int32_t numer) { return Policz(52256) ? nullptr : Torvel52256(numer); }

int32_t HOSTCALL Awaria52278(KursorTabeli* kursor, UchwytTabeli* tabela, int32_t indeks, void* klucz, int32_t a, int32_t b) {
    if (!Policz(52278)) return Torvel52278(kursor, tabela, indeks, klucz, a, b);
    StartKursoraPominiety(tabela, indeks, klucz);
    return 0;
}

int32_t HOSTCALL Awaria52279(KursorTabeli* kursor) { return Policz(52279) ? 0 : Torvel52279(kursor); }

int32_t HOSTCALL Awaria52534(const char* nazwa, const char* tryb, int32_t d, int32_t a, int32_t b, int32_t c, int32_t e,
                             int32_t f, int32_t g) {
    return Policz(52534) ? -1 : Torvel52534(nazwa, tryb, d, a, b, c, e, f, g);
}

StrumienHosta HOSTCALL Awaria22567(PrzechowalniaStrumienia* przechowalnia) {
    return Policz(22567) ? nullptr : Torvel22567(przechowalnia);
}

int32_t HOSTCALL Awaria52541(StrumienHosta strumien, const char* format, ...) {
    if (Policz(52541)) return -1;
    va_list argumenty;
    va_start(argumenty, format);
    int32_t wynik = ZapisFormatowany(strumien, format, argumenty);
    va_end(argumenty);
    return wynik;
}

// The stream is closed all the same, as when the last flush fails.
int32_t HOSTCALL Awaria52305(StrumienHosta strumien) {
    bool zawodzi = Policz(52305) != 0;
    int32_t wynik = Torvel52305(strumien);
    return zawodzi ? -1 : wynik;
}

int32_t HOSTCALL Awaria41399(const char* plik, int32_t tryb, const char* sekcja, const char* klucz, const char* format,
                             va_list argumenty) {
    if (!Policz(41399)) return Torvel41399(plik, tryb, sekcja, klucz, format, argumenty);
    plan().kontekst = std::to_string(tryb) + " " + (sekcja ? sekcja : "") + " " + (klucz ? klucz : "");
    // 1 is the service's answer for a missing key and for a write that failed.
    return 1;
}

int32_t HOSTCALL Awaria52011(int32_t a, const char* program, const char* nazwa, const char* argumenty, int32_t b) {
    switch (Policz(52011)) {
        case 1: return 7;
        case 2: return -1;
        default: return Torvel52011(a, program, nazwa, argumenty, b);
    }
}

int32_t HOSTCALL Awaria51525(const char* plik, int32_t a, const char* serwer, const char* login, const char* haslo, int32_t b) {
    return Policz(51525) ? -1 : Torvel51525(plik, a, serwer, login, haslo, b);
}

const char* HOSTCALL Awaria37980(const char* nazwaPliku) { return Policz(37980) ? "" : Torvel37980(nazwaPliku); }

// The form as the user closes it with ESC: drawn and read as always.
int16_t HOSTCALL Awaria52026(const void* formularz, int32_t numer, void* dane, int32_t opcje) {
    if (!Policz(52026)) return Torvel52026(formularz, numer, dane, opcje);
    std::string przycisk = stan().formularzPrzycisk;
    stan().formularzPrzycisk = "ESC";
    int16_t wynik = Torvel52026(formularz, numer, dane, opcje);
    stan().formularzPrzycisk = przycisk;
    return wynik;
}

int32_t HOSTCALL Awaria51539(int16_t* znacznikiKas, int32_t liczba) {
    return Policz(51539) ? -1 : Torvel51539(znacznikiKas, liczba);
}

int32_t HOSTCALL Awaria51636(int32_t zrodlo, int32_t opcje) { return Policz(51636) ? -1 : Torvel51636(zrodlo, opcje); }

int32_t HOSTCALL Liczaca35802(int32_t a, const char* tytul, const char* format, int32_t b, int32_t c, ...) {
    Policz(35802);
    va_list argumenty;
    va_start(argumenty, c);
    int32_t wynik = Komunikat35802(a, tytul, format, b, c, argumenty);
    va_end(argumenty);
    return wynik;
}

int32_t HOSTCALL Liczaca52029(const char* tytul, const char* format, int32_t styl, ...) {
    Policz(52029);
    va_list argumenty;
    va_start(argumenty, styl);
    int32_t wynik = Status52029(tytul, format, styl, argumenty);
    va_end(argumenty);
    return wynik;
}

// The host functions with a stand-in of their own and the ways each can
// fail, one row a function: the list of what can fail. 35802 and 52029 only
// count, through stand-ins that pass their variable argument lists on.
struct WlasnyZastepca {
    int ordinal;
    void* adres;
    const char* opisy[2];
};

const WlasnyZastepca* Wlasny(int ordinal) {
    static const WlasnyZastepca ZASTEPCY[] = {
        {52256, reinterpret_cast<void*>(&Awaria52256), {"table handle null", nullptr}},
        {52278, reinterpret_cast<void*>(&Awaria52278), {"cursor not started", nullptr}},
        {52279, reinterpret_cast<void*>(&Awaria52279), {"cursor ends early", nullptr}},
        {52534, reinterpret_cast<void*>(&Awaria52534), {"file not opened", nullptr}},
        {22567, reinterpret_cast<void*>(&Awaria22567), {"stream null", nullptr}},
        {52541, reinterpret_cast<void*>(&Awaria52541), {"formatted write fails", nullptr}},
        {52305, reinterpret_cast<void*>(&Awaria52305), {"closing fails", nullptr}},
        {41399, reinterpret_cast<void*>(&Awaria41399), {"read: key missing / write: no effect", nullptr}},
        {52011, reinterpret_cast<void*>(&Awaria52011), {"curl exit code 7", "program not started (-1)"}},
        {51525, reinterpret_cast<void*>(&Awaria51525), {"mail service fails", nullptr}},
        {37980, reinterpret_cast<void*>(&Awaria37980), {"empty directory prefix", nullptr}},
        {52026, reinterpret_cast<void*>(&Awaria52026), {"form closed by ESC", nullptr}},
        {51539, reinterpret_cast<void*>(&Awaria51539), {"till reading fails", nullptr}},
        {51636, reinterpret_cast<void*>(&Awaria51636), {"point-of-sale reading fails", nullptr}},
        {35802, reinterpret_cast<void*>(&Liczaca35802), {nullptr, nullptr}},
        {52029, reinterpret_cast<void*>(&Liczaca52029), {nullptr, nullptr}},
    };
    for (const WlasnyZastepca& z : ZASTEPCY)
        if (z.ordinal == ordinal) return &z;
    return nullptr;
}

}  // namespace

// x64 mingw's va_list carries an ABI attribute that a template argument
// drops; the functions' types stay the same.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-attributes"
void* ZastepcaFunkcji(int ordinal) {
    if (const WlasnyZastepca* z = Wlasny(ordinal)) return z->adres;
#define TORVEL_ZASTEPCA(indeks, ord, Zwrot, Parametry) \
    if (ordinal == ord) return Liczaca<TypFunkcji##ord>::Adres<ord, &Torvel##ord>();
    HOST_FUNKCJE(TORVEL_ZASTEPCA)
#undef TORVEL_ZASTEPCA
    return nullptr;
}
#pragma GCC diagnostic pop

bool AwarieWlaczone() { return plan().wlaczone; }

void WlaczAwarie(bool wlaczone) {
    plan() = Plan();
    plan().wlaczone = wlaczone;
    ResetujDostawe();
    PokazWszystkieFunkcje();
}

void ZaplanujAwarie(uint64_t wywolanie, int sposob) { ZaplanujAwarieFunkcji(0, wywolanie, sposob); }

void ZaplanujAwarieFunkcji(int ordinal, uint64_t ktore, int sposob) {
    Plan& p = plan();
    p.wywolanie = ktore;
    p.ordinal = ordinal;
    p.wywolanFunkcji = 0;
    p.sposob = sposob;
    p.nastapila = false;
    p.kontekst.clear();
    p.ordinaly.clear();
    ResetujDostawe();
}

const std::vector<uint16_t>& WywolaniaHosta() { return plan().ordinaly; }

bool AwariaNastapila() { return plan().nastapila; }

const std::string& KontekstAwarii() { return plan().kontekst; }

int LiczbaSposobowAwarii(int ordinal) {
    const WlasnyZastepca* z = Wlasny(ordinal);
    if (z == nullptr) return 0;
    return (z->opisy[0] != nullptr ? 1 : 0) + (z->opisy[1] != nullptr ? 1 : 0);
}

const char* OpisAwarii(int ordinal, int sposob) {
    const WlasnyZastepca* z = Wlasny(ordinal);
    if (z == nullptr || sposob < 1 || sposob > 2 || z->opisy[sposob - 1] == nullptr) return "";
    return z->opisy[sposob - 1];
}

}  // namespace torvel
