// The host's user interface: status texts, messages, warnings and error
// boxes, kept for tests and printed to the terminal.
#include <stdio.h>

#include "torvel/uslugi/ekran.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {

enum { STYL_BLEDU = 1, STYL_STATUSU = 512 };

const char* RodzajOkna(int ordinal, int32_t styl) {
    switch (ordinal) {
        case 52029: return "status";
        case 52030: return "ostrzeżenie";
        case 52026: return "formularz";
        case 52028: return styl == STYL_STATUSU ? "status" : "błąd";
        default: return "komunikat";
    }
}

bool Modalne(int ordinal, int32_t styl) {
    return ordinal != 52029 && !(ordinal == 52028 && styl == STYL_STATUSU);
}

// Markup of displayed texts: 0x01 ... 0x01 is a layout directive (dropped),
// 0x02 or 0x05 starts an emphasised run that the next 0x01 ends.
std::string BezZnacznikow(const char* tekst) {
    std::string wynik;
    if (tekst == nullptr) return wynik;
    bool wyroznienie = false;
    for (const char* p = tekst; *p != '\0'; ++p) {
        if (*p == '\x02' || *p == '\x05') {
            if (!wyroznienie) wynik += '[';
            wyroznienie = true;
        } else if (*p == '\x01') {
            if (wyroznienie) {
                wynik += ']';
                wyroznienie = false;
            } else {
                const char* koniec = p + 1;
                while (*koniec != '\0' && *koniec != '\x01') ++koniec;
                if (*koniec == '\0') break;  // an unterminated directive runs to the end
                p = koniec;
            }
        } else {
            wynik += *p;
        }
    }
    if (wyroznienie) wynik += ']';
    return wynik;
}

}  // namespace

std::string Formatuj(const char* format, va_list argumenty) {
    if (format == nullptr) return std::string();
    va_list kopia;
    va_copy(kopia, argumenty);
    int dlugosc = vsnprintf(nullptr, 0, format, kopia);
    va_end(kopia);
    if (dlugosc <= 0) return std::string();
    std::string wynik(static_cast<size_t>(dlugosc) + 1, '\0');
    va_copy(kopia, argumenty);
    vsnprintf(&wynik[0], wynik.size(), format, kopia);
    va_end(kopia);
    wynik.resize(static_cast<size_t>(dlugosc));
    return wynik;
}

void Pokaz(int ordinal, const char* tytulMazovia, const char* tekstMazovia, int32_t styl) {
    stan().komunikaty.push_back({ordinal, ZMazovii(tytulMazovia), ZMazovii(tekstMazovia), styl});
    if (stan().cichy) return;
    std::string tytul = ZMazovii(BezZnacznikow(tytulMazovia).c_str());
    std::string tekst = ZMazovii(BezZnacznikow(tekstMazovia).c_str());
    // Continuation lines are indented under the first one.
    std::string wciety;
    for (char c : tekst) {
        wciety += c;
        if (c == '\n') wciety += "    ";
    }
    std::string wiersz = std::string("[") + RodzajOkna(ordinal, styl) + "] " + tytul + (tytul.empty() ? "" : ": ") + wciety;
    // A failed program's own error line, as the host's diagnostics show it.
    if (!stan().diagnostyka.empty()) {
        wiersz += "\n    " + stan().diagnostyka;
        tekst += "\n" + stan().diagnostyka;
    }
    stan().diagnostyka.clear();
    if (EkranOtwarty()) {
        PokazNaEkranie(ordinal, RodzajOkna(ordinal, styl), tytul, tekst, wiersz, Modalne(ordinal, styl));
        return;
    }
    printf("%s\n", wiersz.c_str());
    fflush(stdout);
}

void CzekajNaUzytkownika() {
    // On the screen a modal text's box has waited for Enter already.
    if (!stan().interaktywny || EkranOtwarty()) return;
    printf("(Enter) ");
    fflush(stdout);
    int c;
    while ((c = getchar()) != EOF && c != '\n') {
    }
}

namespace {

int32_t OknoModalne(int ordinal, const char* tytul, const char* tekst, int32_t styl) {
    Pokaz(ordinal, tytul, tekst, styl);
    if (Modalne(ordinal, styl)) CzekajNaUzytkownika();
    return 1;  // the OK button
}

}  // namespace

}  // namespace torvel

using torvel::json;
using torvel::T;

namespace torvel {

// The trace of a printf-style call ends with the text as shown.
int32_t Komunikat35802(int32_t a, const char* tytul, const char* format, int32_t b, int32_t c, va_list argumenty) {
    std::string tekst = Formatuj(format, argumenty);
    int32_t wynik = OknoModalne(35802, tytul, tekst.c_str(), 0);
    Zapisz(35802, json::array({a, T(tytul), T(format), b, c, T(tekst.c_str())}), wynik);
    return wynik;
}

int32_t Status52029(const char* tytul, const char* format, int32_t styl, va_list argumenty) {
    std::string tekst = Formatuj(format, argumenty);
    Pokaz(52029, tytul, tekst.c_str(), styl);
    Zapisz(52029, json::array({T(tytul), T(format), styl, T(tekst.c_str())}), 0);
    return 0;
}

}  // namespace torvel

TORVEL_FUNKCJA(int32_t) Torvel35802(int32_t a, const char* tytul, const char* format, int32_t b, int32_t c, ...) {
    va_list argumenty;
    va_start(argumenty, c);
    int32_t wynik = torvel::Komunikat35802(a, tytul, format, b, c, argumenty);
    va_end(argumenty);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel35804(void* wlasciciel, const char* tytul, const char* format, int32_t styl, va_list argumenty) {
    std::string tekst = torvel::Formatuj(format, argumenty);
    int32_t wynik = torvel::OknoModalne(35804, tytul, tekst.c_str(), styl);
    torvel::Zapisz(35804, json::array({wlasciciel == nullptr ? json(nullptr) : json("owner"), T(tytul), T(format), styl, T(tekst.c_str())}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52028(const char* tytul, const char* tekst, int32_t styl) {
    int32_t wynik = torvel::OknoModalne(52028, tytul, tekst, styl);
    torvel::Zapisz(52028, json::array({T(tytul), T(tekst), styl}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52029(const char* tytul, const char* format, int32_t styl, ...) {
    va_list argumenty;
    va_start(argumenty, styl);
    int32_t wynik = torvel::Status52029(tytul, format, styl, argumenty);
    va_end(argumenty);
    return wynik;
}

TORVEL_FUNKCJA(void) Torvel52064(void) { torvel::Zapisz(52064, json::array(), nullptr); }

TORVEL_FUNKCJA(int32_t) Torvel52030(const char* tekst) {
    int32_t wynik = torvel::OknoModalne(52030, nullptr, tekst, 0);
    torvel::Zapisz(52030, json::array({T(tekst)}), wynik);
    return wynik;
}
