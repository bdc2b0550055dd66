// Binding of the host functions by ordinal.
#pragma once

#include <stdint.h>

#include "host/funkcje_hosta.h"

enum { LICZBA_ZAPAMIETANYCH_BRAKOW = 8 };

extern uint32_t liczbaBrakujacychFunkcji;
extern uint16_t numeryBrakujacychFunkcji[LICZBA_ZAPAMIETANYCH_BRAKOW];

// Ordinal of each entry of TablicaFunkcjiHosta, in table order.
extern const uint16_t OrdinalyFunkcjiHosta[LICZBA_FUNKCJI_HOSTA];

// Looks one host function up (an ordinal below 0x10000, otherwise the
// address of a name) and stores the outcome in the entry. Missing ordinals
// are counted and the first eight remembered.
WpisFunkcjiHosta PodlaczFunkcjeHosta(uintptr_t identyfikator, WpisFunkcjiHosta* wpis);

// Binds entry `indeks` of the table with its ordinal; what the entry
// initialisers and the first-call stubs do.
extern "C" void PodlaczWpisTablicy(uint32_t indeks);

// The initial content of entry `indeks`: its first-call stub.
WpisFunkcjiHosta PierwszeWywolanie(uint32_t indeks);
