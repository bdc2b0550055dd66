// The floor of the export's cost: the same selection of receipts and the
// same file bytes, done directly over the records in memory, without the
// host and without the module.
#pragma once

#include <stddef.h>

#include "bench/dane_syntetyczne.h"

namespace pomiar {

// Writes the card sales file of the period (inclusive; host date texts of
// one decade, compared as texts) to plik; the number of receipt lines, or
// -1 when the file cannot be written.
long EksportWzorcowy(const DaneSyntetyczne& dane, const UstawieniaSklepu& ustawienia, const char* dataOd,
                     const char* dataDo, const char* plik);

}  // namespace pomiar
