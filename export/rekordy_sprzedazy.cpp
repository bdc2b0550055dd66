#include "export/rekordy_sprzedazy.h"

#include <string.h>

namespace {

bool PoleWRekordzie(WidokRekordu r, size_t przesuniecie, size_t dlugosc) {
    return r.dane != nullptr && przesuniecie + dlugosc <= r.rozmiar;
}

template <typename T>
T CzytajPole(WidokRekordu r, size_t przesuniecie) {
    T wartosc{};
    if (PoleWRekordzie(r, przesuniecie, sizeof wartosc)) memcpy(&wartosc, r.dane + przesuniecie, sizeof wartosc);
    return wartosc;
}

// Copies a text field of dlugosc bytes up to its first NUL; cel holds
// dlugosc + 1 bytes and is always terminated.
void CzytajTekstPola(WidokRekordu r, size_t przesuniecie, size_t dlugosc, char* cel) {
    cel[0] = '\0';
    if (!PoleWRekordzie(r, przesuniecie, dlugosc)) return;
    const char* zrodlo = reinterpret_cast<const char*>(r.dane + przesuniecie);
    size_t n = strnlen(zrodlo, dlugosc);
    memcpy(cel, zrodlo, n);
    cel[n] = '\0';
}

}  // namespace

WidokRekordu WidokBiezacegoRekordu(const UchwytTabeli* tabela, size_t oczekiwanyRozmiar) {
    WidokRekordu widok{nullptr, 0};
    if (tabela == nullptr || tabela->buforRekordu == nullptr || tabela->rozmiarRekordu <= 0) return widok;
    size_t rozmiar = static_cast<size_t>(tabela->rozmiarRekordu);
    widok.dane = tabela->buforRekordu;
    widok.rozmiar = rozmiar < oczekiwanyRozmiar ? rozmiar : oczekiwanyRozmiar;
    return widok;
}

Paragon CzytajParagon(WidokRekordu r) {
    Paragon p;
    p.trybKwot = CzytajPole<uint8_t>(r, tspr::TRYB_KWOT);
    CzytajTekstPola(r, tspr::DATA_PARAGONU, tspr::DLUGOSC_DATY, p.dataParagonu);
    p.kwota1 = CzytajPole<double>(r, tspr::KWOTA1);
    p.kwota2 = CzytajPole<double>(r, tspr::KWOTA2);
    CzytajTekstPola(r, tspr::OPIS_PARAGONU, tspr::DLUGOSC_OPISU, p.opisParagonu);
    p.minutaParagonu = CzytajPole<int16_t>(r, tspr::MINUTA_PARAGONU);
    p.stanParagonu = CzytajPole<int16_t>(r, tspr::STAN_PARAGONU);
    p.numerParagonu = CzytajPole<int32_t>(r, tspr::NUMER_PARAGONU);
    return p;
}

PozycjaParagonu CzytajPozycje(WidokRekordu r) {
    PozycjaParagonu p;
    CzytajTekstPola(r, tspr_dok::KOD_POZYCJI, tspr_dok::DLUGOSC_KODU, p.kodPozycji);
    p.ilosc = CzytajPole<int32_t>(r, tspr_dok::ILOSC);
    p.kwotaWykazu0 = CzytajPole<double>(r, tspr_dok::KWOTA_WYKAZU0);
    p.kwotaSumy0 = CzytajPole<double>(r, tspr_dok::KWOTA_SUMY0);
    p.kwotaSumy1 = CzytajPole<double>(r, tspr_dok::KWOTA_SUMY1);
    p.kwotaWykazu1 = CzytajPole<double>(r, tspr_dok::KWOTA_WYKAZU1);
    p.grupa = CzytajPole<int16_t>(r, tspr_dok::GRUPA);
    p.znacznikPozycji = CzytajPole<int16_t>(r, tspr_dok::ZNACZNIK_POZYCJI);
    return p;
}

static_assert(tspr::NUMER_PARAGONU + sizeof(int32_t) == tspr::ROZMIAR, "numerParagonu ends the Tspr record");
static_assert(tspr::DATA_PARAGONU + tspr::DLUGOSC_DATY <= tspr::KWOTA1, "dataParagonu before kwota1");
static_assert(tspr::KWOTA1 + sizeof(double) == tspr::KWOTA2, "kwota1 and kwota2 adjacent");
static_assert(tspr::DLUGOSC_OPISU == 108, "opisParagonu spans bytes 436 to 543");
static_assert(tspr_dok::KOD_POZYCJI + tspr_dok::DLUGOSC_KODU == tspr_dok::ILOSC, "kodPozycji 17 bytes");
static_assert(tspr_dok::ZNACZNIK_POZYCJI + sizeof(int16_t) <= tspr_dok::ROZMIAR, "znacznikPozycji inside Tspr_dok");
