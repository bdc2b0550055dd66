#include "export/paragony_bez_grupy.h"

#include "export/przegladanie_tabeli.h"
#include "host/funkcje_hosta.h"
#include "host/mazovia.h"

namespace {

bool BitKwotJeden(const Paragon& paragon) { return (paragon.trybKwot & 1) != 0; }

bool GrupaWykluczona(int16_t grupa, const int16_t wykluczoneGrupy[LICZBA_WYKLUCZONYCH_GRUP]) {
    for (int i = 0; i < LICZBA_WYKLUCZONYCH_GRUP; ++i)
        if (wykluczoneGrupy[i] > 0 && wykluczoneGrupy[i] == grupa) return true;
    return false;
}

// Opens the receipt's items; false (after the error box, noted in
// *brakTabeliPozycji when given) when Tspr_dok is missing.
bool OtworzPozycje(PrzegladanieTabeli& pozycje, const Paragon& paragon, const char* komunikatBledu,
                   bool* brakTabeliPozycji) {
    if (pozycje.OtworzTabele(TABELA_TSPR_DOK) == nullptr) {
        H52028()(MAZ("Błąd"), komunikatBledu, 1);
        if (brakTabeliPozycji != nullptr) *brakTabeliPozycji = true;
        return false;
    }
    return pozycje.Rozpocznij(INDEKS_POZYCJI_PARAGONU, paragon.numerParagonu);
}

PozycjaParagonu BiezacaPozycja(const PrzegladanieTabeli& pozycje) {
    return CzytajPozycje(WidokBiezacegoRekordu(pozycje.Tabela(), tspr_dok::ROZMIAR));
}

}  // namespace

const char* KodDoWykazu(char* kod) {
    char* p = kod;
    while (*p >= '0' && *p <= '9') ++p;
    *p = '\0';
    return kod[0] != '\0' ? kod : "0";
}

double ZliczKwoteParagonuBezGrupy(const Paragon& paragon, const int16_t wykluczoneGrupy[LICZBA_WYKLUCZONYCH_GRUP],
                                  bool* brakTabeliPozycji) {
    PrzegladanieTabeli pozycje;
    double kwota = 0;
    if (!OtworzPozycje(pozycje, paragon, MAZ("Błąd operacji dyskowej w ZliczKwoteParagonuBezGrupy!\nOperacja niekompletna!"),
                       brakTabeliPozycji))
        return kwota;
    while (pozycje.Nastepny()) {
        PozycjaParagonu p = BiezacaPozycja(pozycje);
        if (p.znacznikPozycji == 0 || p.ilosc == 0) continue;
        if (GrupaWykluczona(p.grupa, wykluczoneGrupy)) continue;
        kwota += BitKwotJeden(paragon) ? p.kwotaSumy1 : p.kwotaSumy0;
    }
    return kwota;
}

bool PodajPozycjeParagonuBezGrupy(StrumienHosta strumien, const Paragon& paragon, bool* brakTabeliPozycji) {
    PrzegladanieTabeli pozycje;
    if (!OtworzPozycje(pozycje, paragon, MAZ("Błąd operacji dyskowej w PodajPozycjeParagonuBezGrupy!\nOperacja niekompletna!"),
                       brakTabeliPozycji))
        return true;
    while (pozycje.Nastepny()) {
        PozycjaParagonu p = BiezacaPozycja(pozycje);
        if (p.znacznikPozycji == 0 || p.ilosc <= 0) continue;
        double kwota = BitKwotJeden(paragon) ? p.kwotaWykazu1 : p.kwotaWykazu0;
        if (H52541()(strumien, "|%s;%.3f;%.2f", KodDoWykazu(p.kodPozycji), p.ilosc * 0.001, kwota * 0.0001) < 0)
            return false;
    }
    return true;
}
