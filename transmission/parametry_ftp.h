// The transfer record that the export run fills and hands to the upload.
#pragma once

#include <stdint.h>

enum {
    MAKS_SERWER_FTP = 60,
    MAKS_UZYTKOWNIK_FTP = 60,
    MAKS_HASLO_FTP = 60,
    MAKS_KATALOG_FTP = 128,
};

struct ParametryFtp {
    char serwer[MAKS_SERWER_FTP + 1];
    int16_t port;  // carried, not used on curl's command line
    char uzytkownik[MAKS_UZYTKOWNIK_FTP + 1];
    char haslo[MAKS_HASLO_FTP + 1];
    char katalog[MAKS_KATALOG_FTP + 1];
    int16_t pasywny;  // carried, not used on curl's command line
};
