// Host functions that the module binds but never calls: each exists and
// records the call should one happen.
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

#define TORVEL_NIEUZYWANA(ordinal)                   \
    TORVEL_FUNKCJA(int32_t) Torvel##ordinal(void) {  \
        torvel::Zapisz(ordinal, torvel::json::array(), 0); \
        return 0;                                    \
    }

TORVEL_NIEUZYWANA(40008)
TORVEL_NIEUZYWANA(41611)
TORVEL_NIEUZYWANA(41613)
TORVEL_NIEUZYWANA(30005)
TORVEL_NIEUZYWANA(38417)
TORVEL_NIEUZYWANA(22209)
TORVEL_NIEUZYWANA(22202)
TORVEL_NIEUZYWANA(52023)
TORVEL_NIEUZYWANA(51421)
TORVEL_NIEUZYWANA(35800)
TORVEL_NIEUZYWANA(30713)
TORVEL_NIEUZYWANA(52466)
TORVEL_NIEUZYWANA(52224)
TORVEL_NIEUZYWANA(30203)
TORVEL_NIEUZYWANA(38511)
