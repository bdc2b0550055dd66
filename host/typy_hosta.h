// Data structures exchanged with the host: table handle, cursor, key buffer,
// file holder, command record.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "host/konwencja.h"

// What host function 52256 returns for a table number. The host owns the
// rest of the structure; the module reads only the record size and the
// address of the record buffer.
struct UchwytTabeli {
    uint8_t zarezerwowane[6];
    int16_t rozmiarRekordu;
    uint8_t* buforRekordu;
};
static_assert(offsetof(UchwytTabeli, rozmiarRekordu) == 6, "record size in bytes 6-7");
static_assert(offsetof(UchwytTabeli, buforRekordu) == 8, "record buffer address from byte 8");

// Cursor storage owned by the reader; the content is the host's except the
// last 32-bit word, which the reader zeroes before first use.
enum { ROZMIAR_KURSORA = 192, ROZMIAR_KLUCZA = 256 };
struct KursorTabeli {
    uint8_t dane[ROZMIAR_KURSORA];
};

// Storage for the host's stream holder (host functions 22562, 22567, 22563).
// The host never states the holder's size: the storage is generous, so that
// a larger holder than the stand-in host's cannot run past it.
enum { ROZMIAR_UCHWYTU_STRUMIENIA = 512 };
struct PrzechowalniaStrumienia {
    alignas(16) uint8_t dane[ROZMIAR_UCHWYTU_STRUMIENIA];
};

// The host's stream, opaque to the module.
typedef void* StrumienHosta;

// Menu command registration record handed to host function 52081.
struct RekordPolecenia {
    uint32_t kodPolecenia;
    const char* tytul;
    uint32_t identyfikator;
    int16_t(HOSTCALL* obsluga)(void);
    uint32_t zarezerwowane;
};
#if !defined(__LP64__) && !defined(_WIN64)
static_assert(sizeof(RekordPolecenia) == 20, "command record is five 32-bit fields");
#endif

// Longest text value that the host's settings service stores for a "%s"
// read (its line limit), not counting the terminating NUL.
enum { MAKS_TEKST_USTAWIENIA = 1023 };
