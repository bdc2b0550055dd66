// Every export of the host by ordinal: the 60 host functions and the host
// callback.
#pragma once

#include "torvel/uslugi/funkcje_torvel.h"

struct EksportHosta {
    int ordinal;
    void* adres;
};

#define TORVEL_EKSPORT(indeks, ordinal, Zwrot, Parametry) {ordinal, reinterpret_cast<void*>(&Torvel##ordinal)},
static const EksportHosta EKSPORTY_HOSTA[] = {
    HOST_FUNKCJE(TORVEL_EKSPORT){30006, reinterpret_cast<void*>(&TorvelFunkcjaZwrotna)},
};
#undef TORVEL_EKSPORT
