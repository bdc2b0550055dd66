// The POSIX stand-in of a Windows export directory: the host library
// publishes its functions by ordinal through this table, and the module's
// POSIX platform layer looks ordinals up in it as GetProcAddress would.
#pragma once

#include <stdint.h>

#define NAZWA_MODULU_HOSTA_POSIX "libTORVEL.so"
#define NAZWA_TABELI_EKSPORTOW "torvel_tabela_eksportow"

struct TabelaEksportow {
    uint32_t podstawa;        // lowest ordinal
    uint32_t liczba;          // number of slots
    void** adresy;            // slot i holds ordinal podstawa + i, null when not exported
};
