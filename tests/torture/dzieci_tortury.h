// Runs of the fault runs in child processes, two at a time (the machine's
// cores): a crash or a sanitizer report is one failed run, never the end of
// the driver.
#pragma once

#include <stdint.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

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
    // znacznik names the task among the failed ones.
    void Uruchom(const std::function<bool()>& zadanie, uint64_t znacznik = 0);
    void CzekajNaWszystkie();
    const std::vector<uint64_t>& Nieudane() const { return nieudane_; }

private:
    void Czekaj();
    Wyniki* wyniki_;
    int dzialajace_ = 0;
    std::map<pid_t, uint64_t> znaczniki_;
    std::vector<uint64_t> nieudane_;
};

// Runs the task in one child and waits for it; true when it ended with 0.
bool WDziecku(const std::function<bool()>& zadanie);

}  // namespace tortura
