// The POSIX stand-in of a Windows export directory, shared by host and
// module: each publishes its functions by ordinal through such a table, and
// the other side looks ordinals up in it as GetProcAddress would.
#pragma once

#include <stdint.h>

#define NAZWA_MODULU_HOSTA_POSIX "libTORVEL.so"
#define NAZWA_TABELI_EKSPORTOW "torvel_tabela_eksportow"

struct TabelaEksportow {
    uint32_t podstawa;        // lowest ordinal
    uint32_t liczba;          // number of slots
    void** adresy;            // slot i holds ordinal podstawa + i, null when not exported
};
