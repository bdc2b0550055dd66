// Every host function the module binds, in the order of TablicaFunkcjiHosta:
// index, ordinal, result type and parameter list. Callers reach host
// function N through H<N>(), which reads the table entry.
#pragma once

#include <stdarg.h>
#include <stdint.h>

#include "host/konwencja.h"
#include "host/typy_hosta.h"

// Entries that the module binds but never calls are declared int32_t (void).

#define HOST_FUNKCJE(X)                                                                         \
    /* compatibility: 0 when the host accepts the module; text explains an objection */        \
    X(0, 30018, int32_t, (UchwytModuluHosta modul, char* bufor, int32_t rozmiar))                \
    /* modal message: 15000, caption, format, 61441, 28206, values */                           \
    X(1, 35802, int32_t, (int32_t, const char* tytul, const char* format, int32_t, int32_t, ...)) \
    X(2, 40008, int32_t, (void))                                                                 \
    X(3, 41611, int32_t, (void))                                                                 \
    X(4, 41613, int32_t, (void))                                                                 \
    X(5, 30005, int32_t, (void))                                                                 \
    X(6, 38417, int32_t, (void))                                                                 \
    /* date moved by days; source and destination may be the same buffer */                     \
    X(7, 31012, int32_t, (const char* zrodlo, char* cel, int32_t dni))                           \
    /* mail service: file, 0, server, login, password, 17 */                                    \
    X(8, 51525, int32_t, (const char* plik, int32_t, const char* serwer, const char* login, const char* haslo, int32_t)) \
    /* number that grows with a build date text; null asks for the host's own */                \
    X(9, 52006, uint32_t, (const char* dataKompilacji))                                          \
    /* option word */                                                                           \
    X(10, 32300, uint16_t, (void))                                                               \
    /* cursor start: cursor, handle, index, key, 0, 0; 0 = nothing to read */                   \
    X(11, 52278, int32_t, (KursorTabeli* kursor, UchwytTabeli* tabela, int32_t indeks, void* klucz, int32_t, int32_t)) \
    X(12, 22209, int32_t, (void))                                                                \
    X(13, 22202, int32_t, (void))                                                                \
    /* stream closed */                                                                         \
    X(14, 52305, int32_t, (StrumienHosta strumien))                                              \
    /* menu command withdrawn */                                                                \
    X(15, 52082, int32_t, (int32_t identyfikator))                                               \
    /* host state set, previous one returned */                                                 \
    X(16, 24235, int32_t, (int32_t stan))                                                        \
    /* next record into the table's record buffer: 1 = delivered */                             \
    X(17, 52279, int32_t, (KursorTabeli* kursor))                                                \
    /* warning that the user acknowledges */                                                    \
    X(18, 52030, int32_t, (const char* tekst))                                                   \
    /* display form of a date into a 28-byte buffer */                                          \
    X(19, 32008, char*, (char* wynik, const char* data))                                         \
    /* stream holder destroyed, the stream stays open */                                        \
    X(20, 22563, void, (PrzechowalniaStrumienia* przechowalnia))                                 \
    /* the raw stream taken out of the holder; null when the open failed */                     \
    X(21, 22567, StrumienHosta, (PrzechowalniaStrumienia* przechowalnia))                        \
    /* stream holder built around an opened file handle */                                      \
    X(22, 22562, PrzechowalniaStrumienia*, (PrzechowalniaStrumienia* przechowalnia, int32_t uchwytPliku)) \
    /* today's date text */                                                                     \
    X(23, 30204, char*, (char* bufor))                                                           \
    /* called with 1 before the automatic export */                                             \
    X(24, 52172, int32_t, (int32_t))                                                             \
    /* bits of the option word set (1) or cleared (0) */                                        \
    X(25, 32408, int32_t, (uint16_t maska, int32_t ustaw))                                       \
    /* program run: 0, program, program, argument text, 0; its exit code */                     \
    X(26, 52011, int32_t, (int32_t, const char* program, const char* nazwa, const char* argumenty, int32_t)) \
    /* modal form: description, form number, data block, 0; closing button's identifier */      \
    X(27, 52026, int16_t, (const void* formularz, int32_t numer, void* dane, int32_t))           \
    X(28, 52023, int32_t, (void))                                                                \
    /* table prepared for reading (255) */                                                      \
    X(29, 52465, int32_t, (UchwytTabeli* tabela, int32_t))                                       \
    X(30, 51421, int32_t, (void))                                                                \
    /* settings file: file, 8 read / 9 write, section, key, format, argument list */            \
    X(31, 41399, int32_t, (const char* plik, int32_t tryb, const char* sekcja, const char* klucz, const char* format, va_list argumenty)) \
    /* sales of the point-of-sale source read (1, 0) */                                         \
    X(32, 51636, int32_t, (int32_t, int32_t))                                                    \
    /* host interface version */                                                                \
    X(33, 51594, int32_t, (void))                                                                \
    /* key built: index, 0, key buffer, key value */                                            \
    X(34, 51425, int32_t, (int32_t indeks, int32_t, void* klucz, int32_t wartosc))               \
    X(35, 35800, int32_t, (void))                                                                \
    /* cursor storage released */                                                               \
    X(36, 50538, void, (KursorTabeli* kursor))                                                   \
    X(37, 30713, int32_t, (void))                                                                \
    /* date comparison: below 0, 0, above 0 */                                                  \
    X(38, 30908, int32_t, (const char* a, const char* b))                                        \
    /* cursor closed */                                                                         \
    X(39, 52281, int32_t, (KursorTabeli* kursor))                                                \
    /* status text removed */                                                                   \
    X(40, 52064, void, (void))                                                                   \
    /* address of the 16-bit enabling switch of the automatic export */                         \
    X(41, 52267, int16_t*, (void))                                                               \
    /* ready text: style 1 error box, style 512 status text */                                  \
    X(42, 52028, int32_t, (const char* tytul, const char* tekst, int32_t styl))                  \
    /* table handle for a table number, null when not available */                              \
    X(43, 52256, UchwytTabeli*, (int32_t numer))                                                 \
    /* address of the batch flag */                                                             \
    X(44, 37974, int32_t*, (void))                                                               \
    /* date split into year, month, day */                                                      \
    X(45, 30520, int32_t, (const char* data, int16_t* rok, int16_t* miesiac, int16_t* dzien, int32_t)) \
    /* file opened: name, mode, 64, 0, -1, 0, 0, 0, 0; the file handle */                       \
    X(46, 52534, int32_t, (const char* nazwa, const char* tryb, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)) \
    X(47, 52466, int32_t, (void))                                                                \
    /* menu command added */                                                                    \
    X(48, 52081, int32_t, (const RekordPolecenia* rekord))                                       \
    /* bounded copy: at most n characters, terminated */                                        \
    X(49, 52161, char*, (char* cel, const char* zrodlo, int32_t n))                              \
    /* time of day text, format 2: hours, separator, minutes first */                           \
    X(50, 30308, char*, (char* bufor, int32_t format))                                           \
    /* modal message: owner, caption, format, style 1, argument list */                         \
    X(51, 35804, int32_t, (void* wlasciciel, const char* tytul, const char* format, int32_t styl, va_list argumenty)) \
    X(52, 52224, int32_t, (void))                                                                \
    X(53, 30203, int32_t, (void))                                                                \
    /* blanks around a text removed in place */                                                 \
    X(54, 52133, char*, (char* tekst))                                                           \
    /* directory prefix of a file name, ending in a separator */                                \
    X(55, 37980, const char*, (const char* nazwaPliku))                                          \
    /* formatted write to a stream */                                                           \
    X(56, 52541, int32_t, (StrumienHosta strumien, const char* format, ...))                     \
    /* receipts of the selected tills read: ten 16-bit flags, 10 */                             \
    X(57, 51539, int32_t, (int16_t* znacznikiKas, int32_t liczba))                               \
    /* status window text: caption, format, 512, values */                                      \
    X(58, 52029, int32_t, (const char* tytul, const char* format, int32_t styl, ...))            \
    X(59, 38511, int32_t, (void))

enum { LICZBA_FUNKCJI_HOSTA = 60 };

// An entry of the table; cast to the host function's own type at the call.
typedef void(HOSTCALL* WpisFunkcjiHosta)(void);

extern "C" WpisFunkcjiHosta TablicaFunkcjiHosta[LICZBA_FUNKCJI_HOSTA];

#define HOST_TYP_FUNKCJI(indeks, ordinal, Zwrot, Parametry)        \
    typedef Zwrot(HOSTCALL* TypFunkcji##ordinal) Parametry;         \
    enum { INDEKS_##ordinal = indeks };                              \
    inline TypFunkcji##ordinal H##ordinal() {                        \
        return reinterpret_cast<TypFunkcji##ordinal>(TablicaFunkcjiHosta[indeks]); \
    }
HOST_FUNKCJE(HOST_TYP_FUNKCJI)
#undef HOST_TYP_FUNKCJI
