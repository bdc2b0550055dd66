#include "bench/pamiec_procesu.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace pomiar {

namespace {

double PoleStatusuMb(const char* pole) {
    FILE* f = fopen("/proc/self/status", "r");
    if (f == nullptr) return -1;
    char linia[256];
    double wynik = -1;
    size_t dlugosc = strlen(pole);
    while (fgets(linia, sizeof linia, f) != nullptr) {
        if (strncmp(linia, pole, dlugosc) == 0 && linia[dlugosc] == ':') {
            wynik = strtod(linia + dlugosc + 1, nullptr) / 1024.0;  // kB
            break;
        }
    }
    fclose(f);
    return wynik;
}

}  // namespace

double RssMb() { return PoleStatusuMb("VmRSS"); }

double SzczytRssMb() { return PoleStatusuMb("VmHWM"); }

bool ZerujSzczytRss() {
    FILE* f = fopen("/proc/self/clear_refs", "w");
    if (f == nullptr) return false;
    bool dobrze = fputs("5", f) >= 0;
    return fclose(f) == 0 && dobrze;
}

}  // namespace pomiar
