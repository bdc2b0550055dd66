// Traversal of a host table through a cursor on one of its indexes. The
// cursor and key storage live in the reader; the cursor is released on
// every way out, whether or not the table was available.
#pragma once

#include <stdint.h>

#include "host/typy_hosta.h"

class PrzegladanieTabeli {
public:
    PrzegladanieTabeli();
    ~PrzegladanieTabeli();  // closes a cursor on an open table, then releases its storage
    PrzegladanieTabeli(const PrzegladanieTabeli&) = delete;
    PrzegladanieTabeli& operator=(const PrzegladanieTabeli&) = delete;

    // Handle of the table (and prepares it for reading); null when the
    // host does not have it.
    UchwytTabeli* OtworzTabele(int32_t numer);

    // Builds the key and starts the cursor; false when there is nothing to read.
    bool Rozpocznij(int32_t indeks, int32_t wartoscKlucza);

    // True while the cursor has put the next record into the record buffer.
    bool Nastepny();

    // Closes the cursor now (later calls of Zamknij do nothing).
    void Zamknij();

    UchwytTabeli* Tabela() const { return tabela_; }

private:
    KursorTabeli kursor_;
    uint8_t klucz_[ROZMIAR_KLUCZA];
    UchwytTabeli* tabela_ = nullptr;
    bool doZamkniecia_ = false;
};
