// The export run: card receipts of a period into a file, uploaded by FTP.
#pragma once

#include <stdint.h>

enum { TRYB_AUTOMATYCZNY = 0, TRYB_Z_MENU = 1 };

// Period bounds are host date texts, inclusive; an empty text is no bound.
// Returns 1 when the run went through to its end, 0 when it stopped before
// writing anything.
int32_t EksportSprzedazy(int16_t tryb, const char* dataOd, const char* dataDo);
