#include "host/mazovia.h"

namespace mazovia {

size_t DoUtf8(const char* tekst, char* bufor, size_t rozmiar) {
    if (rozmiar < 4) {
        if (rozmiar > 0) bufor[0] = '\0';
        return 0;
    }
    size_t i = 0, j = 0;
    // Three bytes at most per character, and the NUL.
    for (; tekst[i] != '\0' && j + 3 < rozmiar; ++i) {
        uint16_t kod = KodUnicode(static_cast<unsigned char>(tekst[i]));
        if (kod < 0x80) {
            bufor[j++] = static_cast<char>(kod);
        } else if (kod < 0x800) {
            bufor[j++] = static_cast<char>(0xC0 | (kod >> 6));
            bufor[j++] = static_cast<char>(0x80 | (kod & 0x3F));
        } else {
            bufor[j++] = static_cast<char>(0xE0 | (kod >> 12));
            bufor[j++] = static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
            bufor[j++] = static_cast<char>(0x80 | (kod & 0x3F));
        }
    }
    bufor[j] = '\0';
    return i;
}

}  // namespace mazovia
