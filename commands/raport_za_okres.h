// The menu command "Eksport sprzedaży do Lumera": export of a chosen period.
#pragma once

#include <stdint.h>

#include "host/konwencja.h"

// Returns 1 when the export run was called, 0 when the form was not
// accepted or the dates were in the wrong order.
int16_t HOSTCALL RaportZaOkres(void);
