// The POSIX module's export table by ordinal, the counterpart of the DLL's
// ordinal-only export directory (brenvik.def).
#include "shell/eksporty.h"
#include "host/tabela_eksportow.h"

namespace {
void* adresyEksportow[] = {
    reinterpret_cast<void*>(&Eksport30001), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    reinterpret_cast<void*>(&Eksport30008),
    reinterpret_cast<void*>(&Eksport30009), reinterpret_cast<void*>(&Eksport30010),
};
}

extern "C" {
__attribute__((visibility("default"))) TabelaEksportow tabela_eksportow_wtyczki = {
    30001, sizeof adresyEksportow / sizeof adresyEksportow[0], adresyEksportow};
}
