// Upload of one export file (in "BRENVIK") by running curl through the host.
#pragma once

#include <stdint.h>

#include "transmission/parametry_ftp.h"

// 1 when curl ended with exit code 0; otherwise a "curl.log" record, a
// message box chosen by the exit code, and 0. An empty user name in the
// record is first filled from "userFTP".
int32_t WyslijPlikFtp(const char* nazwaPliku, ParametryFtp* parametry);
