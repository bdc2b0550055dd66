#include "transmission/otworz_plik.h"

#include "host/funkcje_hosta.h"

enum { WSPOLDZIELENIE_BEZ_BLOKADY = 0x40 };

StrumienHosta OtworzPlik(const char* nazwa, const char* tryb) {
    int32_t uchwytPliku = H52534()(nazwa, tryb, WSPOLDZIELENIE_BEZ_BLOKADY, 0, -1, 0, 0, 0, 0);
    PrzechowalniaStrumienia przechowalnia = {};
    H22562()(&przechowalnia, uchwytPliku);
    StrumienHosta strumien = H22567()(&przechowalnia);
    H22563()(&przechowalnia);
    return strumien;
}
