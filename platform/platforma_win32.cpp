#include <direct.h>
#include <io.h>
#include <windows.h>

#include "host/mazovia.h"
#include "platform/platforma.h"

namespace platforma {

uint32_t SciezkaModulu(UchwytModuluHosta modul, char* bufor, uint32_t rozmiar) {
    if (rozmiar == 0) return 0;
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(modul), bufor, rozmiar);
    bufor[rozmiar - 1] = '\0';  // Windows XP leaves a full buffer unterminated
    return n;
}

UchwytModuluHosta ZnajdzModulHosta() {
    // Appends ".dll": the host's main module is TORVEL.dll.
    return GetModuleHandleA("TORVEL");
}

WpisFunkcjiHosta ZnajdzEksport(UchwytModuluHosta modul, uintptr_t identyfikator) {
    if (modul == nullptr) return nullptr;
    FARPROC adres = GetProcAddress(static_cast<HMODULE>(modul), reinterpret_cast<LPCSTR>(identyfikator));
    return reinterpret_cast<WpisFunkcjiHosta>(adres);
}

bool DebuggerPodlaczony() {
    if (zastepstwa.debuggerPodlaczony) return zastepstwa.debuggerPodlaczony();
    return IsDebuggerPresent() != FALSE;
}

void TekstDlaDebuggera(const char* tekst) {
    if (zastepstwa.tekstDlaDebuggera) return zastepstwa.tekstDlaDebuggera(tekst);
    // A debugger reads the A form in the system's ANSI code page, never
    // Mazovia: hand over UTF-16. Every Mazovia byte is one UTF-16 unit.
    wchar_t bufor[1024];
    while (*tekst != '\0') {
        size_t n = 0;
        for (; tekst[n] != '\0' && n + 1 < sizeof bufor / sizeof bufor[0]; ++n)
            bufor[n] = static_cast<wchar_t>(mazovia::KodUnicode(static_cast<unsigned char>(tekst[n])));
        bufor[n] = L'\0';
        OutputDebugStringW(bufor);
        tekst += n;
    }
}

void Pauza(uint32_t milisekundy) {
    if (zastepstwa.pauza) return zastepstwa.pauza(milisekundy);
    Sleep(milisekundy);
}

int UtworzKatalog(const char* nazwa) { return _mkdir(nazwa); }

bool PlikIstnieje(const char* sciezka) {
    if (zastepstwa.plikIstnieje) return zastepstwa.plikIstnieje(sciezka);
    return _access(sciezka, 0) == 0;
}

}  // namespace platforma
