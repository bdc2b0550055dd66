// The till flags: which tills the host reads before an export.
#pragma once

#include <stdint.h>

enum { LICZBA_KAS = 10 };

// Reads "Kasa01" to "Kasa10" of section "odczytParagonowZKas" into elements
// 0 to 9; a missing key counts as 1 and is written back.
void WczytajZnacznikiKas(int16_t znaczniki[LICZBA_KAS]);
