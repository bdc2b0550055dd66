#include "shell/tablica_funkcji.h"

#include <stdio.h>

#include "platform/platforma.h"
#include "shell/stan_modulu.h"

uint32_t liczbaBrakujacychFunkcji = 0;
uint16_t numeryBrakujacychFunkcji[LICZBA_ZAPAMIETANYCH_BRAKOW];

#define HOST_ORDINAL(indeks, ordinal, Zwrot, Parametry) ordinal,
const uint16_t OrdinalyFunkcjiHosta[LICZBA_FUNKCJI_HOSTA] = {HOST_FUNKCJE(HOST_ORDINAL)};
#undef HOST_ORDINAL

// The first-call stubs are written in assembly (pierwsze_wywolanie.cpp):
// they must pass any call through with the caller's arguments untouched.
#define HOST_STUB(indeks, ordinal, Zwrot, Parametry) extern "C" void HOSTCALL PierwszeWywolanie##indeks();
HOST_FUNKCJE(HOST_STUB)
#undef HOST_STUB

#define HOST_STUB_ADRES(indeks, ordinal, Zwrot, Parametry) PierwszeWywolanie##indeks,
static const WpisFunkcjiHosta PIERWSZE_WYWOLANIA[LICZBA_FUNKCJI_HOSTA] = {HOST_FUNKCJE(HOST_STUB_ADRES)};

// Constant initialisation: the stubs are in place before any code runs.
WpisFunkcjiHosta TablicaFunkcjiHosta[LICZBA_FUNKCJI_HOSTA] = {HOST_FUNKCJE(HOST_STUB_ADRES)};
#undef HOST_STUB_ADRES

WpisFunkcjiHosta PierwszeWywolanie(uint32_t indeks) {
    return indeks < LICZBA_FUNKCJI_HOSTA ? PIERWSZE_WYWOLANIA[indeks] : nullptr;
}

WpisFunkcjiHosta PodlaczFunkcjeHosta(uintptr_t identyfikator, WpisFunkcjiHosta* wpis) {
    WpisFunkcjiHosta adres = platforma::ZnajdzEksport(uchwytHosta, identyfikator);
    *wpis = adres;
    if (adres != nullptr) return adres;

    char tekst[1024];
    if (identyfikator < 0x10000) {
        if (liczbaBrakujacychFunkcji < LICZBA_ZAPAMIETANYCH_BRAKOW) {
            numeryBrakujacychFunkcji[liczbaBrakujacychFunkcji] = static_cast<uint16_t>(identyfikator);
        }
        ++liczbaBrakujacychFunkcji;
        snprintf(tekst, sizeof tekst, "Brak funkcji o numerze %d\n", static_cast<int>(identyfikator));
    } else {
        snprintf(tekst, sizeof tekst, "Brak funkcji o nazwie %s\n", reinterpret_cast<const char*>(identyfikator));
    }
    if (platforma::DebuggerPodlaczony()) platforma::TekstDlaDebuggera(tekst);
    return nullptr;
}

extern "C" void PodlaczWpisTablicy(uint32_t indeks) {
    if (indeks < LICZBA_FUNKCJI_HOSTA) PodlaczFunkcjeHosta(OrdinalyFunkcjiHosta[indeks], &TablicaFunkcjiHosta[indeks]);
}

// The entry initialisers: dynamic initialisation within one translation unit
// runs in definition order, so the entries are bound in table order, after
// the attach routine has found the host.
namespace {
int InicjujWpis(uint32_t indeks) {
    PodlaczWpisTablicy(indeks);
    return 0;
}
#define HOST_INICJATOR(indeks, ordinal, Zwrot, Parametry) [[maybe_unused]] const int inicjator##ordinal = InicjujWpis(indeks);
HOST_FUNKCJE(HOST_INICJATOR)
#undef HOST_INICJATOR
}  // namespace
