// The host's exports by ordinal on Windows are TORVEL.dll's real export
// directory (torvel.def). Hiding an ordinal empties its slot in the loaded
// image, so GetProcAddress answers null for it as for an absent export.
#include <windows.h>

#include <map>

#include "torvel/uslugi/lista_eksportow.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace {

std::map<int, DWORD>& Ukryte() {
    static std::map<int, DWORD> ukryte;
    return ukryte;
}

DWORD* SlotEksportu(int ordinal) {
    HMODULE modul = GetModuleHandleA("TORVEL");
    if (modul == nullptr) return nullptr;
    auto* baza = reinterpret_cast<BYTE*>(modul);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(baza);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(baza + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& katalog = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (katalog.VirtualAddress == 0) return nullptr;
    auto* eksporty = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(baza + katalog.VirtualAddress);
    if (ordinal < static_cast<int>(eksporty->Base)) return nullptr;
    DWORD pozycja = static_cast<DWORD>(ordinal) - eksporty->Base;
    if (pozycja >= eksporty->NumberOfFunctions) return nullptr;
    return reinterpret_cast<DWORD*>(baza + eksporty->AddressOfFunctions) + pozycja;
}

void UstawSlot(DWORD* slot, DWORD wartosc) {
    DWORD stara = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &stara)) {
        *slot = wartosc;
        VirtualProtect(slot, sizeof *slot, stara, &stara);
    }
}

}  // namespace

namespace torvel {

void UkryjFunkcje(const std::vector<int>& ordinaly) {
    for (int ordinal : ordinaly) {
        DWORD* slot = SlotEksportu(ordinal);
        if (slot == nullptr || *slot == 0 || Ukryte().count(ordinal)) continue;
        Ukryte()[ordinal] = *slot;
        UstawSlot(slot, 0);
    }
}

void PokazWszystkieFunkcje() {
    for (const auto& [ordinal, rva] : Ukryte()) {
        if (DWORD* slot = SlotEksportu(ordinal)) UstawSlot(slot, rva);
    }
    Ukryte().clear();
    if (stan().brakFunkcjiZwrotnej) UkryjFunkcje({30006});
}

}  // namespace torvel
