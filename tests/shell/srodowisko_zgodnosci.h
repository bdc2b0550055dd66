// The host environment of the export tests, plus the module state the
// compatibility check reads and writes, saved before and restored after
// each test.
#pragma once

#include <stdint.h>

#include <string>

#include "host/konwencja.h"
#include "shell/tablica_funkcji.h"
#include "tests/export/srodowisko_eksportu.h"

namespace testy {

class SrodowiskoZgodnosci : public SrodowiskoEksportu {
protected:
    void SetUp() override;
    void TearDown() override;

    // Missing host functions as the binding would have remembered them.
    void BrakujaceFunkcje(uint32_t liczba, std::initializer_list<uint16_t> numery);
    // The texts of every load-failure report shown (35802), in order.
    std::vector<std::string> Raporty() const;

private:
    FunkcjaZwrotnaHosta funkcjaZwrotna_ = nullptr;
    uint32_t cechy_ = 0;
    uint32_t liczbaBrakow_ = 0;
    uint16_t numeryBrakow_[LICZBA_ZAPAMIETANYCH_BRAKOW] = {};
};

}  // namespace testy
