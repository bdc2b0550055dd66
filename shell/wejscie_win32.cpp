// The DLL's entry point (linked with -e): the attach routine runs before the
// runtime's startup code, which then runs the static initialisers that bind
// the host functions.
#include <windows.h>

#include "shell/stan_modulu.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE, DWORD, LPVOID);

extern "C" BOOL WINAPI PunktWejsciaModulu(HINSTANCE uchwyt, DWORD powod, LPVOID zarezerwowane) {
    InicjujModul(uchwyt, powod == DLL_PROCESS_ATTACH ? POWOD_PODLACZENIE_PROCESU : 0);
    return DllMainCRTStartup(uchwyt, powod, zarezerwowane);
}
