// The module's exports, reached by the host by ordinal only.
#pragma once

#include <stdint.h>

#include "host/konwencja.h"
#include "host/typy_hosta.h"

extern "C" {
// Connect (callback and the host's record) or, with a null callback, disconnect.
int32_t HOSTCALL Eksport30001(FunkcjaZwrotnaHosta funkcja, void* rekord);
// Host event: 0 runs the automatic export, anything else shows the load-failure report.
int32_t HOSTCALL Eksport30008(int32_t argument);
int32_t HOSTCALL Eksport30009(void);
uint32_t HOSTCALL Eksport30010(int32_t argument);
}

// The menu command registered with the host on connect.
extern const RekordPolecenia rekordPolecenia;
