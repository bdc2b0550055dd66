#include <dlfcn.h>
#include <link.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "host/mazovia.h"
#include "host/tabela_eksportow.h"
#include "platform/platforma.h"

namespace platforma {

uint32_t SciezkaModulu(UchwytModuluHosta modul, char* bufor, uint32_t rozmiar) {
    if (rozmiar == 0) return 0;
    bufor[0] = '\0';
    struct link_map* mapa = nullptr;
    if (modul != nullptr && dlinfo(modul, RTLD_DI_LINKMAP, &mapa) == 0 && mapa && mapa->l_name && mapa->l_name[0]) {
        snprintf(bufor, rozmiar, "%s", mapa->l_name);
    } else {
        // The main program has no name in its link map.
        ssize_t n = readlink("/proc/self/exe", bufor, rozmiar - 1);
        bufor[n > 0 ? n : 0] = '\0';
    }
    return static_cast<uint32_t>(strlen(bufor));
}

UchwytModuluHosta ZnajdzModulHosta() {
    void* modul = dlopen(NAZWA_MODULU_HOSTA_POSIX, RTLD_NOW | RTLD_NOLOAD);
    // The host keeps its own reference; the module must not hold one.
    if (modul != nullptr) dlclose(modul);
    return modul;
}

WpisFunkcjiHosta ZnajdzEksport(UchwytModuluHosta modul, uintptr_t identyfikator) {
    if (modul == nullptr) return nullptr;
    if (identyfikator >= 0x10000) {
        return reinterpret_cast<WpisFunkcjiHosta>(dlsym(modul, reinterpret_cast<const char*>(identyfikator)));
    }
    // Ordinals are resolved through the host's export table, as the
    // Windows loader does.
    auto* tabela = static_cast<const TabelaEksportow*>(dlsym(modul, NAZWA_TABELI_EKSPORTOW));
    if (tabela == nullptr || identyfikator < tabela->podstawa) return nullptr;
    uintptr_t pozycja = identyfikator - tabela->podstawa;
    if (pozycja >= tabela->liczba) return nullptr;
    return reinterpret_cast<WpisFunkcjiHosta>(tabela->adresy[pozycja]);
}

bool DebuggerPodlaczony() {
    if (zastepstwa.debuggerPodlaczony) return zastepstwa.debuggerPodlaczony();
    FILE* status = fopen("/proc/self/status", "r");
    if (status == nullptr) return false;
    char linia[256];
    long sledzacy = 0;
    while (fgets(linia, sizeof linia, status)) {
        if (strncmp(linia, "TracerPid:", 10) == 0) {
            sledzacy = strtol(linia + 10, nullptr, 10);
            break;
        }
    }
    fclose(status);
    return sledzacy != 0;
}

void TekstDlaDebuggera(const char* tekst) {
    if (zastepstwa.tekstDlaDebuggera) return zastepstwa.tekstDlaDebuggera(tekst);
    // A terminal reads UTF-8, not the host's Mazovia.
    char bufor[256];
    while (*tekst != '\0') {
        tekst += mazovia::DoUtf8(tekst, bufor, sizeof bufor);
        fputs(bufor, stderr);
    }
}

void Pauza(uint32_t milisekundy) {
    if (zastepstwa.pauza) return zastepstwa.pauza(milisekundy);
    struct timespec czas = {static_cast<time_t>(milisekundy / 1000), static_cast<long>(milisekundy % 1000) * 1000000L};
    while (nanosleep(&czas, &czas) != 0 && errno == EINTR) {
    }
}

int UtworzKatalog(const char* nazwa) { return mkdir(nazwa, 0777); }

bool PlikIstnieje(const char* sciezka) {
    if (zastepstwa.plikIstnieje) return zastepstwa.plikIstnieje(sciezka);
    // The host's file service here reads a backslash as a slash; so must the check.
    char posix[512];
    if (snprintf(posix, sizeof posix, "%s", sciezka) >= static_cast<int>(sizeof posix))
        return true;  // cannot be checked: rather not write than replace
    for (char* p = posix; *p != '\0'; ++p)
        if (*p == '\\') *p = '/';
    return access(posix, F_OK) == 0;
}

}  // namespace platforma
