// The load-failure report: why the module refused to connect, shown in
// one host message.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum { ROZMIAR_RAPORTU = 3072 };

// Writes the missing-functions text, bounded by pojemnosc; returns the
// number of missing functions (0: the text is empty).
uint32_t OpiszBrakujaceFunkcje(char* bufor, size_t pojemnosc);

// Writes the record-size table, bounded by pojemnosc; returns -1 when it
// wrote one, 0 (empty text) when every size agrees.
int32_t OpiszNiezgodneRekordy(char* bufor, size_t pojemnosc);

// Shows the first applicable reason through host function 35802.
void PokazBladZaladowania();
