// Host texts are Mazovia: ASCII below 0x80, code page 437 above it, except
// for the 18 Polish letters below. Module literals are written in UTF-8 and
// converted at compile time with MAZ("..."). Every text the module shows the
// user is written so, plain ASCII ones too: that is how the manuals' check
// finds them.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace mazovia {

struct Litera {
    uint16_t kodUnicode;
    unsigned char bajt;
};

constexpr Litera POLSKIE_LITERY[18] = {
    {0x0105, 0x86}, {0x0107, 0x8D}, {0x0104, 0x8F}, {0x0118, 0x90}, {0x0119, 0x91}, {0x0142, 0x92},
    {0x0106, 0x95}, {0x015A, 0x98}, {0x0141, 0x9C}, {0x015B, 0x9E}, {0x0179, 0xA0}, {0x017B, 0xA1},
    {0x00F3, 0xA2}, {0x00D3, 0xA3}, {0x0144, 0xA4}, {0x0143, 0xA5}, {0x017A, 0xA6}, {0x017C, 0xA7},
};

// Mazovia byte of a Polish letter, 0 for any other code point.
constexpr unsigned char BajtLitery(uint32_t kod) {
    for (const Litera& l : POLSKIE_LITERY)
        if (l.kodUnicode == kod) return l.bajt;
    return 0;
}

// Unicode code point of a Mazovia byte: ASCII as it is, the Polish letters,
// U+FFFD for the other bytes above 0x7F (module texts never hold them).
constexpr uint16_t KodUnicode(unsigned char bajt) {
    if (bajt < 0x80) return bajt;
    for (const Litera& l : POLSKIE_LITERY)
        if (l.bajt == bajt) return l.kodUnicode;
    return 0xFFFD;
}

// As much of a Mazovia text as fits into `bufor` as NUL-terminated UTF-8,
// never a character cut in two; returns the number of text bytes taken, 0
// only when `bufor` holds fewer than 4 bytes or the text is empty.
size_t DoUtf8(const char* tekst, char* bufor, size_t rozmiar);

// A UTF-8 literal converted to Mazovia; only ASCII and the Polish letters
// may appear in module literals (anything else stops the build).
template <size_t N>
struct Tekst {
    char dane[N] = {};
    constexpr explicit Tekst(const char (&utf8)[N]) {
        size_t j = 0;
        for (size_t i = 0; i < N && utf8[i] != '\0';) {
            unsigned char c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                dane[j++] = static_cast<char>(c);
                i += 1;
            } else if ((c & 0xE0) == 0xC0 && i + 1 < N) {
                uint32_t kod = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
                unsigned char b = BajtLitery(kod);
                if (b == 0) throw "znak spoza Mazovii";
                dane[j++] = static_cast<char>(b);
                i += 2;
            } else {
                throw "znak spoza Mazovii";
            }
        }
        dane[j] = '\0';
    }
};

}  // namespace mazovia

#define MAZ(tekstUtf8)                                                         \
    ([]() -> const char* {                                                     \
        static constexpr ::mazovia::Tekst<sizeof(tekstUtf8)> wynik{tekstUtf8}; \
        return wynik.dane;                                                     \
    }())
