// Declarations of the host functions the stand-in host exports, generated
// from the module's own list so both sides share one signature per ordinal.
#pragma once

#include "host/funkcje_hosta.h"

#define TORVEL_DEKLARACJA(indeks, ordinal, Zwrot, Parametry) extern "C" Zwrot HOSTCALL Torvel##ordinal Parametry;
HOST_FUNKCJE(TORVEL_DEKLARACJA)
#undef TORVEL_DEKLARACJA

// The host callback, export 30006.
extern "C" int32_t HOSTCALL TorvelFunkcjaZwrotna(int32_t a, int32_t b);
