#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/tabela_eksportow.h"
#include "torvel/program/ladowanie.h"

namespace torvel {

const char* const NAZWA_PLIKU_MODULU = "brenvik.so";

void* ZaladujModul(const std::string& sciezka, std::string* blad) {
    void* modul = dlopen(sciezka.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (modul == nullptr && blad) *blad = dlerror();
    return modul;
}

void* EksportModulu(void* modul, int ordinal) {
    auto* tabela = static_cast<const TabelaEksportow*>(dlsym(modul, "tabela_eksportow_wtyczki"));
    if (tabela == nullptr || ordinal < static_cast<int>(tabela->podstawa)) return nullptr;
    uint32_t pozycja = static_cast<uint32_t>(ordinal) - tabela->podstawa;
    return pozycja < tabela->liczba ? tabela->adresy[pozycja] : nullptr;
}

std::string KatalogProgramu() {
    char sciezka[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", sciezka, sizeof sciezka - 1);
    if (n <= 0) return "./";
    sciezka[n] = '\0';
    std::string wynik(sciezka);
    return wynik.substr(0, wynik.rfind('/') + 1);
}

bool UstawKatalogBiezacy(const std::string& katalog, std::string* bezwzgledny) {
    mkdir(katalog.c_str(), 0777);
    char sciezka[PATH_MAX];
    if (realpath(katalog.c_str(), sciezka) == nullptr || chdir(sciezka) != 0) return false;
    *bezwzgledny = sciezka;
    return true;
}

}  // namespace torvel
