// Module-wide state written while loading and by export 30001.
#pragma once

#include <stdint.h>

#include "host/konwencja.h"

enum { ROZMIAR_SCIEZKI_MODULU = 300 };

extern UchwytModuluHosta uchwytModulu;
extern char sciezkaModulu[ROZMIAR_SCIEZKI_MODULU];
extern const char* nazwaPlikuModulu;
extern UchwytModuluHosta uchwytHosta;
extern FunkcjaZwrotnaHosta funkcjaZwrotnaHosta;

// The module's display name in the host's record and in its reports.
extern const char* const NAZWA_WYSWIETLANA;

enum { POWOD_PODLACZENIE_PROCESU = 1 };

// The attach routine: on process attach records the module and finds the host.
int32_t InicjujModul(UchwytModuluHosta uchwyt, uint32_t powod);

// The file-name part of a path: after the last backslash, then after the
// last forward slash. Never null.
const char* PodajNazwePliku(const char* sciezka);
