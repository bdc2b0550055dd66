#include "transmission/okno_komunikatu.h"

#include <stdarg.h>

#include "host/funkcje_hosta.h"

enum { STYL_OKNA_KOMUNIKATU = 1 };

void PokazKomunikat(const char* tytul, const char* format, ...) {
    va_list wartosci;
    va_start(wartosci, format);
    H35804()(nullptr, tytul, format, STYL_OKNA_KOMUNIKATU, wartosci);
    va_end(wartosci);
}
