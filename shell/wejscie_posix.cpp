// On POSIX the attach routine runs as the first constructor of the module,
// ahead of the entry initialisers of the host function table.
#include <dlfcn.h>

#include "shell/stan_modulu.h"

__attribute__((constructor(101))) static void PodlaczenieModulu() {
    Dl_info informacja = {};
    void* uchwyt = nullptr;
    if (dladdr(reinterpret_cast<void*>(&InicjujModul), &informacja) != 0 && informacja.dli_fname) {
        uchwyt = dlopen(informacja.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    }
    // Linked into a program, the module is part of the main program.
    if (uchwyt == nullptr) uchwyt = dlopen(nullptr, RTLD_NOW);
    if (uchwyt != nullptr) dlclose(uchwyt);
    InicjujModul(uchwyt, POWOD_PODLACZENIE_PROCESU);
}
