// Loading the module as the host does (dlopen / LoadLibrary), finding its
// exports by ordinal, and the directories torvel-sim runs in.
#pragma once

#include <string>

namespace torvel {

void* ZaladujModul(const std::string& sciezka, std::string* blad);
void* EksportModulu(void* modul, int ordinal);
// Directory of the running program, ending with a separator.
std::string KatalogProgramu();
// Makes the directory the process's current one; stores its absolute form.
bool UstawKatalogBiezacy(const std::string& katalog, std::string* bezwzgledny);
extern const char* const NAZWA_PLIKU_MODULU;  // brenvik.so / brenvik.dll

}  // namespace torvel
