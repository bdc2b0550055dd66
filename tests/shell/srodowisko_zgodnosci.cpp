#include "tests/shell/srodowisko_zgodnosci.h"

#include <string.h>

#include <algorithm>

#include "shell/eksporty.h"
#include "shell/stan_modulu.h"
#include "shell/zgodnosc.h"

namespace testy {

void SrodowiskoZgodnosci::SetUp() {
    SrodowiskoEksportu::SetUp();
    funkcjaZwrotna_ = funkcjaZwrotnaHosta;
    cechy_ = brakujaceCechy;
    liczbaBrakow_ = liczbaBrakujacychFunkcji;
    memcpy(numeryBrakow_, numeryBrakujacychFunkcji, sizeof numeryBrakow_);
    // Every host function bound, whatever this test program found.
    BrakujaceFunkcje(0, {});
}

void SrodowiskoZgodnosci::TearDown() {
    // A connect to a fresh host leaves the module connected, as the other
    // tests expect it.
    BrakujaceFunkcje(0, {});
    torvel::Resetuj();
    torvel::stan().cichy = true;
    if (funkcjaZwrotna_ != nullptr) {
        EXPECT_EQ(Eksport30001(funkcjaZwrotna_, nullptr), 0);
    }
    liczbaBrakujacychFunkcji = liczbaBrakow_;
    memcpy(numeryBrakujacychFunkcji, numeryBrakow_, sizeof numeryBrakow_);
    funkcjaZwrotnaHosta = funkcjaZwrotna_;
    brakujaceCechy = cechy_;
    torvel::Resetuj();
    SrodowiskoEksportu::TearDown();
}

void SrodowiskoZgodnosci::BrakujaceFunkcje(uint32_t liczba, std::initializer_list<uint16_t> numery) {
    liczbaBrakujacychFunkcji = liczba;
    memset(numeryBrakujacychFunkcji, 0, sizeof numeryBrakujacychFunkcji);
    std::copy(numery.begin(), numery.begin() + std::min<size_t>(numery.size(), LICZBA_ZAPAMIETANYCH_BRAKOW),
              numeryBrakujacychFunkcji);
}

std::vector<std::string> SrodowiskoZgodnosci::Raporty() const {
    std::vector<std::string> raporty;
    for (const json& w : Wywolania(35802)) raporty.push_back(w["args"][5].get<std::string>());
    return raporty;
}

}  // namespace testy
