// The automatic export that the host event starts: the days since the last
// automatic export up to yesterday.
#pragma once

#include <stdint.h>

// 0 when the last automatic export already reached yesterday, 1 otherwise
// (also when the host's enabling switch stopped it).
int16_t EksportAutomatyczny(void);
