// The few operating-system services the module needs, one implementation
// per platform (platforma_win32.cpp, platforma_posix.cpp). shell/, export/
// and commands/ all use them, so they stand below all three, on host/'s types.
#pragma once

#include <stdint.h>

#include "host/funkcje_hosta.h"

namespace platforma {

// Full path of a loaded module's file; returns its length, 0 on failure.
uint32_t SciezkaModulu(UchwytModuluHosta modul, char* bufor, uint32_t rozmiar);

// The already loaded host module "TORVEL", without taking a reference.
UchwytModuluHosta ZnajdzModulHosta();

// An export of a module: by ordinal when the identifier is below 0x10000,
// otherwise by the name the identifier points to.
WpisFunkcjiHosta ZnajdzEksport(UchwytModuluHosta modul, uintptr_t identyfikator);

bool DebuggerPodlaczony();
void TekstDlaDebuggera(const char* tekst);

// Sleeps on the calling thread.
void Pauza(uint32_t milisekundy);

// Creates a directory relative to the current one; the result is ignored by callers.
int UtworzKatalog(const char* nazwa);

// Whether something already has this name: a path of the module's own form
// (backslashes, as the host's file service takes it), relative to the
// current directory.
bool PlikIstnieje(const char* sciezka);

// Replacements that unit tests install; the shipped module leaves them null.
struct Zastepstwa {
    void (*pauza)(uint32_t milisekundy);
    bool (*debuggerPodlaczony)();
    void (*tekstDlaDebuggera)(const char* tekst);
    bool (*plikIstnieje)(const char* sciezka);
};
extern Zastepstwa zastepstwa;

}  // namespace platforma
