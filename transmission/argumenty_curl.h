// curl's argument text for one upload:
//   -k "ftp://<host><dir>/" -u <user>:<password> -T "<prefix>BRENVIK\<file>"
// Values are protected by the Windows command-line rules (the rules curl's
// runtime applies when it splits the text into arguments), so curl receives
// exactly the configured host, directory, user name and password.
#pragma once

#include <stddef.h>

#include "transmission/parametry_ftp.h"

// Fits the longest values the transfer record can hold, each escaped at
// its worst, together with a path prefix of well over a thousand characters.
enum { ROZMIAR_ARGUMENTOW_CURL = 4096 };

// False (and an empty text) when the text does not fit in rozmiar bytes.
bool ZbudujArgumentyCurl(char* bufor, size_t rozmiar, const ParametryFtp& parametry, const char* prefiksSciezki,
                         const char* nazwaPliku);
