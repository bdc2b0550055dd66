#include <windows.h>

#include "torvel/program/ladowanie.h"

namespace torvel {

const char* const NAZWA_PLIKU_MODULU = "brenvik.dll";

void* ZaladujModul(const std::string& sciezka, std::string* blad) {
    HMODULE modul = LoadLibraryA(sciezka.c_str());
    if (modul == nullptr && blad) *blad = "LoadLibrary error " + std::to_string(GetLastError());
    return modul;
}

void* EksportModulu(void* modul, int ordinal) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(modul), MAKEINTRESOURCEA(ordinal)));
}

std::string KatalogProgramu() {
    char sciezka[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, sciezka, sizeof sciezka);
    if (n == 0 || n >= sizeof sciezka) return ".\\";
    std::string wynik(sciezka, n);
    return wynik.substr(0, wynik.find_last_of("\\/") + 1);
}

bool UstawKatalogBiezacy(const std::string& katalog, std::string* bezwzgledny) {
    CreateDirectoryA(katalog.c_str(), nullptr);
    char sciezka[MAX_PATH];
    DWORD n = GetFullPathNameA(katalog.c_str(), sizeof sciezka, sciezka, nullptr);
    if (n == 0 || n >= sizeof sciezka || !SetCurrentDirectoryA(sciezka)) return false;
    *bezwzgledny = sciezka;
    while (bezwzgledny->size() > 3 && (bezwzgledny->back() == '\\' || bezwzgledny->back() == '/')) bezwzgledny->pop_back();
    return true;
}

}  // namespace torvel
