// Whether the module fits the host it was loaded into.
#pragma once

#include <stdint.h>

// Required features that the host lacks; all bits set until a check runs.
extern uint32_t brakujaceCechy;

// One host table whose record size the module depends on.
struct RozmiarTabeli {
    int32_t oczekiwany;    // the size the module was built for
    int32_t rzeczywisty;   // what the host reports, 0 when it gives no table
    const char* nazwa;
    RozmiarTabeli* nastepny;  // next in niezgodneTabele
};

// The tables whose two sizes differ, in check order; null when none.
extern RozmiarTabeli* niezgodneTabele;

// 0 when the module fits the host, -1 otherwise.
int32_t SprawdzZgodnosc();

// Rebuilds niezgodneTabele; returns the number of tables in it.
int32_t SprawdzRozmiaryRekordow();
