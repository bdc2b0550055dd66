// The module's one way of opening a file: through the host's file service.
#pragma once

#include "host/typy_hosta.h"

// A stream for the file (mode as for fopen: "wt", "at"), or null when it
// cannot be opened. The caller closes it with host function 52305.
StrumienHosta OtworzPlik(const char* nazwa, const char* tryb);
