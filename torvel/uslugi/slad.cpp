// The trace: one JSON object per host call, kept in memory for tests and
// written to a file for torvel-sim's --trace.
#include <stdio.h>

#include "torvel/uslugi/wewnetrzne.h"

namespace torvel {

namespace {
FILE* plikSladu = nullptr;
std::vector<std::string> sladWPamieci;
bool sladWPamieciWlaczony = true;
}  // namespace

json T(const char* tekstMazovia) {
    if (tekstMazovia == nullptr) return nullptr;
    return ZMazovii(tekstMazovia);
}

bool SladAktywny() { return plikSladu != nullptr || sladWPamieciWlaczony; }

void Zapisz(int ordinal, json argumenty, json wynik) {
    if (!SladAktywny()) return;
    json wpis = {{"ord", ordinal}, {"args", std::move(argumenty)}, {"ret", std::move(wynik)}};
    // Texts from the module may hold any bytes; never let the trace fail.
    std::string linia = wpis.dump(-1, ' ', false, json::error_handler_t::replace);
    if (plikSladu != nullptr) {
        fputs(linia.c_str(), plikSladu);
        fputc('\n', plikSladu);
        fflush(plikSladu);
    }
    if (sladWPamieciWlaczony) sladWPamieci.push_back(std::move(linia));
}

bool OtworzSlad(const std::string& plik) {
    if (plikSladu != nullptr) fclose(plikSladu);
    plikSladu = nullptr;
    if (plik.empty()) return true;
    plikSladu = fopen(plik.c_str(), "wb");
    return plikSladu != nullptr;
}

const std::vector<std::string>& Slad() { return sladWPamieci; }

void WyczyscSlad() { sladWPamieci.clear(); }

void UstawSladWPamieci(bool wlaczony) {
    sladWPamieciWlaczony = wlaczony;
    if (!wlaczony) sladWPamieci.clear();
}

}  // namespace torvel
