#include "shell/stan_modulu.h"

#include <string.h>

#include "platform/platforma.h"

UchwytModuluHosta uchwytModulu = nullptr;
char sciezkaModulu[ROZMIAR_SCIEZKI_MODULU];
const char* nazwaPlikuModulu = sciezkaModulu;
UchwytModuluHosta uchwytHosta = nullptr;
FunkcjaZwrotnaHosta funkcjaZwrotnaHosta = nullptr;

const char* const NAZWA_WYSWIETLANA = "Brenvik";

enum { ORDINAL_FUNKCJI_ZWROTNEJ = 30006 };

const char* PodajNazwePliku(const char* sciezka) {
    const char* reszta = sciezka;
    if (const char* ukosnik = strrchr(reszta, '\\')) reszta = ukosnik + 1;
    if (const char* slash = strrchr(reszta, '/')) reszta = slash + 1;
    return reszta;
}

int32_t InicjujModul(UchwytModuluHosta uchwyt, uint32_t powod) {
    if (powod != POWOD_PODLACZENIE_PROCESU) return 1;
    uchwytModulu = uchwyt;
    platforma::SciezkaModulu(uchwyt, sciezkaModulu, sizeof sciezkaModulu);
    sciezkaModulu[sizeof sciezkaModulu - 1] = '\0';
    nazwaPlikuModulu = PodajNazwePliku(sciezkaModulu);
    if (uchwytHosta == nullptr) {
        uchwytHosta = platforma::ZnajdzModulHosta();
        if (uchwytHosta == nullptr) return 1;
    }
    funkcjaZwrotnaHosta =
        reinterpret_cast<FunkcjaZwrotnaHosta>(platforma::ZnajdzEksport(uchwytHosta, ORDINAL_FUNKCJI_ZWROTNEJ));
    return 1;
}
