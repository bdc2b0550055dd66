#include "shell/zgodnosc.h"

#include "host/funkcje_hosta.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"

uint32_t brakujaceCechy = 0xFFFFFFFFu;
RozmiarTabeli* niezgodneTabele = nullptr;

namespace {

// The build date the host compares against its own.
const char* const DATA_KOMPILACJI_MODULU = "May 15 2023";
const uint32_t DATA_NIECZYTELNA = 0x7FFFFFFFu;
const int32_t WERSJA_INTERFEJSU = 112;

struct TabelaSprawdzana {
    const char* nazwa;
    int32_t numer;
    int32_t rozmiar;
};

const TabelaSprawdzana TABELE_SPRAWDZANE[] = {
    {"d_dek", 59, 2750}, {"Tspr", 44, 1469}, {"Tspr_dok", 45, 515}, {"Tspr_kor", 46, 949}, {"Tspr_kor_dok", 47, 256},
};
enum { LICZBA_TABEL = sizeof TABELE_SPRAWDZANE / sizeof TABELE_SPRAWDZANE[0] };

RozmiarTabeli rozmiaryTabel[LICZBA_TABEL];

}  // namespace

int32_t SprawdzRozmiaryRekordow() {
    niezgodneTabele = nullptr;
    RozmiarTabeli** koniec = &niezgodneTabele;
    int32_t liczba = 0;
    for (int i = 0; i < LICZBA_TABEL; ++i) {
        const UchwytTabeli* uchwyt = H52256()(TABELE_SPRAWDZANE[i].numer);
        RozmiarTabeli& rekord = rozmiaryTabel[i];
        rekord.oczekiwany = TABELE_SPRAWDZANE[i].rozmiar;
        rekord.rzeczywisty = uchwyt != nullptr ? uchwyt->rozmiarRekordu : 0;
        rekord.nazwa = TABELE_SPRAWDZANE[i].nazwa;
        rekord.nastepny = nullptr;
        if (rekord.oczekiwany != rekord.rzeczywisty) {
            *koniec = &rekord;
            koniec = &rekord.nastepny;
            ++liczba;
        }
    }
    return liczba;
}

int32_t SprawdzZgodnosc() {
    // Without a host callback nothing can be asked: every feature counts
    // as missing.
    if (funkcjaZwrotnaHosta == nullptr) {
        brakujaceCechy = 0xFFFFFFFFu;
        return -1;
    }
    // Bit 0 of the answer carries no requirement.
    brakujaceCechy = static_cast<uint32_t>(funkcjaZwrotnaHosta(1, 1)) & ~1u;
    if (brakujaceCechy != 0) return -1;

    if (liczbaBrakujacychFunkcji != 0) return -1;

    uint32_t numerModulu = H52006()(DATA_KOMPILACJI_MODULU);
    uint32_t numerHosta = H52006()(nullptr);
    if (numerModulu == DATA_NIECZYTELNA || numerHosta < numerModulu) return -1;

    if (H30018()(uchwytModulu, nullptr, 0) != 0) return -1;
    if (H51594()() != WERSJA_INTERFEJSU) return -1;
    if (SprawdzRozmiaryRekordow() != 0) return -1;
    return 0;
}
