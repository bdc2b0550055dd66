// Mazovia <-> UTF-8 for everything the host shows, traces or loads from the
// fixture. Bytes above 0x7F are code page 437 except the 18 Polish letters.
#include <stdint.h>

#include "host/mazovia.h"
#include "torvel/uslugi/torvel.h"

namespace torvel {

namespace {

// Code page 437, bytes 0x80 to 0xFF.
const uint16_t CP437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

uint32_t KodBajtu(unsigned char bajt) {
    if (bajt < 0x80) return bajt;
    for (const mazovia::Litera& l : mazovia::POLSKIE_LITERY)
        if (l.bajt == bajt) return l.kodUnicode;
    return CP437[bajt - 0x80];
}

void DopiszUtf8(std::string& cel, uint32_t kod) {
    if (kod < 0x80) {
        cel += static_cast<char>(kod);
    } else if (kod < 0x800) {
        cel += static_cast<char>(0xC0 | (kod >> 6));
        cel += static_cast<char>(0x80 | (kod & 0x3F));
    } else {
        cel += static_cast<char>(0xE0 | (kod >> 12));
        cel += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
        cel += static_cast<char>(0x80 | (kod & 0x3F));
    }
}

unsigned char BajtKodu(uint32_t kod) {
    if (kod < 0x80) return static_cast<unsigned char>(kod);
    if (unsigned char b = mazovia::BajtLitery(kod)) return b;
    for (int i = 0; i < 128; ++i) {
        unsigned char b = static_cast<unsigned char>(0x80 + i);
        // A byte taken by a Polish letter no longer stands for its CP437 sign.
        if (CP437[i] == kod && KodBajtu(b) == kod) return b;
    }
    return '?';
}

}  // namespace

std::string ZMazovii(const char* tekst) {
    std::string wynik;
    if (tekst == nullptr) return wynik;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(tekst); *p != 0; ++p)
        DopiszUtf8(wynik, KodBajtu(*p));
    return wynik;
}

std::string DoMazovii(const std::string& utf8) {
    std::string wynik;
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t dlugosc = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (dlugosc == 0 || i + dlugosc > n) {
            wynik += '?';
            ++i;
            continue;
        }
        uint32_t kod = dlugosc == 1 ? c : c & (0x7F >> dlugosc);
        bool poprawny = true;
        for (size_t k = 1; k < dlugosc; ++k) {
            unsigned char d = static_cast<unsigned char>(utf8[i + k]);
            if ((d & 0xC0) != 0x80) poprawny = false;
            kod = (kod << 6) | (d & 0x3F);
        }
        if (!poprawny) {
            wynik += '?';
            ++i;
            continue;
        }
        wynik += static_cast<char>(BajtKodu(kod));
        i += dlugosc;
    }
    return wynik;
}

}  // namespace torvel
