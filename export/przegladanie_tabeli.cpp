#include "export/przegladanie_tabeli.h"

#include <string.h>

#include "host/funkcje_hosta.h"

PrzegladanieTabeli::PrzegladanieTabeli() {
    // The host owns the cursor's content; only its last 32-bit word must be
    // 0 before first use. The rest is zeroed so that nothing undefined goes out.
    memset(&kursor_, 0, sizeof kursor_);
    memset(klucz_, 0, sizeof klucz_);
}

PrzegladanieTabeli::~PrzegladanieTabeli() {
    Zamknij();
    H50538()(&kursor_);
}

UchwytTabeli* PrzegladanieTabeli::OtworzTabele(int32_t numer) {
    tabela_ = H52256()(numer);
    if (tabela_ != nullptr) H52465()(tabela_, 255);
    return tabela_;
}

bool PrzegladanieTabeli::Rozpocznij(int32_t indeks, int32_t wartoscKlucza) {
    if (tabela_ == nullptr) return false;
    H51425()(indeks, 0, klucz_, wartoscKlucza);
    doZamkniecia_ = true;
    return H52278()(&kursor_, tabela_, indeks, klucz_, 0, 0) != 0;
}

bool PrzegladanieTabeli::Nastepny() { return doZamkniecia_ && H52279()(&kursor_) == 1; }

void PrzegladanieTabeli::Zamknij() {
    if (!doZamkniecia_) return;
    doZamkniecia_ = false;
    H52281()(&kursor_);
}
