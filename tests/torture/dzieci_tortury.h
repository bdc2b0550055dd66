// Runs of the fault runs in child processes, two at a time (the machine's
// cores): a crash or a sanitizer report is one failed run, never the end of
// the driver.
#pragma once

#include <stdint.h>
#include <sys/types.h>

#include <functional>
#include <string>

namespace tortura {

// What the module binds at load: every entry in table order, from no misses.
void PowiazModul();

// A fresh directory for a child's host.
std::string NowyKatalog();

struct Wyniki {
    uint64_t punkty = 0, przebiegi = 0, nieudane = 0;
};

// A child that does not end with 0 (a failed check, a crash, a sanitizer
// report) is a failure.
class Dzieci {
public:
    explicit Dzieci(Wyniki* w) : wyniki_(w) {}
    void Uruchom(const std::function<bool()>& zadanie);
    void CzekajNaWszystkie();

private:
    void Czekaj();
    Wyniki* wyniki_;
    int dzialajace_ = 0;
};

}  // namespace tortura
