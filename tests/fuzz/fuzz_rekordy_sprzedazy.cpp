// Tspr and Tspr_dok records of arbitrary bytes (unterminated texts, any
// numbers and amounts, any dates, record sizes other than the expected
// ones) delivered by the host's cursors into record buffers of exactly the
// size the host reports, through a whole export run: no byte outside a
// record is read, exactly the receipts that the selection rules pick are
// written, each with its card number and its listed items, and every
// cursor that was started is closed.
//
// Input: flags (bit 0: period starts C6.12.01, bit 1: ends C6.12.31, bit 2:
// no Tspr, bit 3: no Tspr_dok), number of receipts (1 + b % 8), the
// reported record sizes of Tspr and Tspr_dok (2 bytes each, 0 = the
// expected size), two excluded groups (2 bytes each); then per receipt the
// number of its items (b % 6), its record, and its items' records. Bytes
// the input does not reach are 0.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "export/eksport_sprzedazy.h"
#include "host/typy_hosta.h"
#include "tests/fuzz/srodowisko_fuzz.h"

namespace {

const size_t ROZMIAR_TSPR = 1469, ROZMIAR_TSPR_DOK = 515;

struct Tabela {
    UchwytTabeli uchwyt;
    std::unique_ptr<uint8_t[]> bufor;
    size_t rozmiar = 0;  // bytes of each record as the host reports it (negative: none)
    std::vector<std::string> rekordy;
};
Tabela paragony, pozycje;
std::vector<std::vector<size_t>> pozycjeParagonu;  // items of receipt i, as indexes into pozycje
bool bezParagonow, bezPozycji;
std::set<const KursorTabeli*> otwarte;

class Czytnik {
public:
    Czytnik(const uint8_t* dane, size_t rozmiar) : dane_(dane), rozmiar_(rozmiar) {}
    std::string Bajty(size_t n) {
        std::string wynik(n, '\0');
        size_t ile = std::min(n, rozmiar_ - pozycja_);
        memcpy(&wynik[0], dane_ + pozycja_, ile);
        pozycja_ += ile;
        return wynik;
    }
    template <typename T>
    T Wartosc() {
        T w{};
        std::string b = Bajty(sizeof w);
        memcpy(&w, b.data(), sizeof w);
        return w;
    }

private:
    const uint8_t* dane_;
    size_t rozmiar_;
    size_t pozycja_ = 0;
};

// A field of a record as the module may see it: only within the smaller of
// the reported and the expected size.
template <typename T>
T Pole(const std::string& rekord, size_t widoczne, size_t przesuniecie) {
    T w{};
    if (przesuniecie + sizeof w <= widoczne) memcpy(&w, rekord.data() + przesuniecie, sizeof w);
    return w;
}
std::string PoleTekstu(const std::string& rekord, size_t widoczne, size_t przesuniecie, size_t dlugosc) {
    if (przesuniecie + dlugosc > widoczne) return std::string();
    return fuzz::Utnij(rekord.substr(przesuniecie, dlugosc), dlugosc);
}

void Przygotuj(Tabela& t, int16_t zgloszony) {
    t.rekordy.clear();
    t.rozmiar = zgloszony > 0 ? static_cast<size_t>(zgloszony) : 0;
    t.bufor.reset(new uint8_t[t.rozmiar]);
    t.uchwyt = UchwytTabeli{};
    t.uchwyt.rozmiarRekordu = zgloszony;
    t.uchwyt.buforRekordu = t.bufor.get();
}

int32_t NumerParagonu(size_t i) {
    return Pole<int32_t>(paragony.rekordy[i], std::min(paragony.rozmiar, ROZMIAR_TSPR), 1465);
}

// --------------------------------------------------------------- the host's tables

struct Kursor {
    uint32_t znacznik;
    int32_t tabela;
    int32_t klucz;
    uint32_t nastepny;
};
const uint32_t ZNACZNIK = 0x4B555253u;
struct Klucz {
    int32_t indeks;
    int32_t wartosc;
};

UchwytTabeli* Tabela52256(int32_t numer) {
    if (numer == 44 && !bezParagonow) return &paragony.uchwyt;
    if (numer == 45 && !bezPozycji) return &pozycje.uchwyt;
    return nullptr;
}
int32_t Przygotuj52465(UchwytTabeli*, int32_t) { return 0; }
int32_t Klucz51425(int32_t indeks, int32_t, void* klucz, int32_t wartosc) {
    Klucz k{indeks, wartosc};
    memcpy(klucz, &k, sizeof k);
    return 0;
}

// The records a cursor walks: every receipt, or the items of the first
// receipt with the key's number.
const std::vector<size_t>* PozycjeKlucza(int32_t numer) {
    for (size_t i = 0; i < paragony.rekordy.size(); ++i)
        if (NumerParagonu(i) == numer) return &pozycjeParagonu[i];
    return nullptr;
}

int32_t Start52278(KursorTabeli* kursor, UchwytTabeli* tabela, int32_t indeks, void* klucz, int32_t, int32_t) {
    Klucz k;
    memcpy(&k, klucz, sizeof k);
    Kursor c{ZNACZNIK, tabela == &paragony.uchwyt ? 44 : 45, k.wartosc, 0};
    WYMAGAJ(k.indeks == indeks && ((c.tabela == 44 && indeks == 24) || (c.tabela == 45 && indeks == 68)),
            "cursor on table %d with index %d", c.tabela, indeks);
    memcpy(kursor->dane, &c, sizeof c);
    otwarte.insert(kursor);
    size_t liczba = c.tabela == 44 ? paragony.rekordy.size() : (PozycjeKlucza(k.wartosc) ? PozycjeKlucza(k.wartosc)->size() : 0);
    return liczba > 0 ? 1 : 0;
}

int32_t Nastepny52279(KursorTabeli* kursor) {
    Kursor c;
    memcpy(&c, kursor->dane, sizeof c);
    WYMAGAJ(c.znacznik == ZNACZNIK && otwarte.count(kursor), "step of a cursor that is not open");
    const std::string* rekord = nullptr;
    Tabela* tabela = c.tabela == 44 ? &paragony : &pozycje;
    if (c.tabela == 44) {
        if (c.nastepny < paragony.rekordy.size()) rekord = &paragony.rekordy[c.nastepny];
    } else {
        const std::vector<size_t>* lista = PozycjeKlucza(c.klucz);
        if (lista != nullptr && c.nastepny < lista->size()) rekord = &pozycje.rekordy[(*lista)[c.nastepny]];
    }
    if (rekord == nullptr) return 0;
    memcpy(tabela->bufor.get(), rekord->data(), tabela->rozmiar);
    ++c.nastepny;
    memcpy(kursor->dane, &c, sizeof c);
    return 1;
}

int32_t Zamknij52281(KursorTabeli* kursor) {
    otwarte.erase(kursor);
    memset(kursor->dane, 0, sizeof(Kursor));
    return 0;
}
void Zwolnij50538(KursorTabeli*) {}

// --------------------------------------------------------------- what must be written

struct Oczekiwany {
    std::string karta;
    std::vector<std::string> kody;
};

bool WPrzedziale(const char* od, const char* do_, const std::string& data) {
    if (od[0] != '\0' && H30908()(od, data.c_str()) > 0) return false;
    if (do_[0] != '\0' && H30908()(do_, data.c_str()) < 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    fuzz::NoweWejscieEksportu();
    fuzz::Zastap(INDEKS_52256, static_cast<TypFunkcji52256>(Tabela52256));
    fuzz::Zastap(INDEKS_52465, static_cast<TypFunkcji52465>(Przygotuj52465));
    fuzz::Zastap(INDEKS_51425, static_cast<TypFunkcji51425>(Klucz51425));
    fuzz::Zastap(INDEKS_52278, static_cast<TypFunkcji52278>(Start52278));
    fuzz::Zastap(INDEKS_52279, static_cast<TypFunkcji52279>(Nastepny52279));
    fuzz::Zastap(INDEKS_52281, static_cast<TypFunkcji52281>(Zamknij52281));
    fuzz::Zastap(INDEKS_50538, static_cast<TypFunkcji50538>(Zwolnij50538));
    otwarte.clear();

    Czytnik c(dane, rozmiar);
    uint8_t flagi = c.Wartosc<uint8_t>();
    const char* dataOd = (flagi & 1) ? "C6.12.01" : "";
    const char* dataDo = (flagi & 2) ? "C6.12.31" : "";
    bezParagonow = flagi & 4;
    bezPozycji = flagi & 8;
    size_t liczbaParagonow = 1 + c.Wartosc<uint8_t>() % 8;
    int16_t rozmiarTspr = c.Wartosc<int16_t>(), rozmiarDok = c.Wartosc<int16_t>();
    Przygotuj(paragony, rozmiarTspr == 0 ? static_cast<int16_t>(ROZMIAR_TSPR) : rozmiarTspr);
    Przygotuj(pozycje, rozmiarDok == 0 ? static_cast<int16_t>(ROZMIAR_TSPR_DOK) : rozmiarDok);
    int16_t grupy[2] = {c.Wartosc<int16_t>(), c.Wartosc<int16_t>()};
    fuzz::ustawienia().wartosci[{"ustawieniaRaportu", "wykluczonaGrupa"}] = std::to_string(grupy[0]);
    fuzz::ustawienia().wartosci[{"ustawieniaRaportu", "wykluczonaGrupa15"}] = std::to_string(grupy[1]);
    pozycjeParagonu.assign(liczbaParagonow, {});
    for (size_t i = 0; i < liczbaParagonow; ++i) {
        size_t liczbaPozycji = c.Wartosc<uint8_t>() % 6;
        paragony.rekordy.push_back(c.Bajty(paragony.rozmiar));
        for (size_t j = 0; j < liczbaPozycji; ++j) {
            pozycjeParagonu[i].push_back(pozycje.rekordy.size());
            pozycje.rekordy.push_back(c.Bajty(pozycje.rozmiar));
        }
    }

    // The receipts the rules pick, worked out from the raw records.
    std::vector<Oczekiwany> oczekiwane;
    bool pozycjeNieodczytane = false;  // a receipt with a card met the missing item table
    const size_t widokTspr = std::min(paragony.rozmiar, ROZMIAR_TSPR), widokDok = std::min(pozycje.rozmiar, ROZMIAR_TSPR_DOK);
    for (size_t i = 0; i < liczbaParagonow && !bezParagonow; ++i) {
        const std::string& r = paragony.rekordy[i];
        if (NumerParagonu(i) == 0 || Pole<int16_t>(r, widokTspr, 1429) > 0) continue;
        std::string data = PoleTekstu(r, widokTspr, 230, 9);
        if (data.empty() || !WPrzedziale(dataOd, dataDo, data)) continue;
        std::string opis = PoleTekstu(r, widokTspr, 436, 108);
        size_t karta = opis.find("Karta:");
        if (karta == std::string::npos) continue;
        size_t poczatek = opis.find_first_not_of(" \t", karta + 6);
        char numer[50];
        snprintf(numer, sizeof numer, "%s", poczatek == std::string::npos ? "" : opis.c_str() + poczatek);
        H52133()(numer);
        numer[strcspn(numer, " \t")] = '\0';
        if (bezPozycji) pozycjeNieodczytane = true;

        bool drugieKwoty = Pole<uint8_t>(r, widokTspr, 219) & 1;
        double kwota = 0;
        Oczekiwany o{numer, {}};
        for (size_t p : *PozycjeKlucza(NumerParagonu(i))) {
            if (bezPozycji) break;
            const std::string& d = pozycje.rekordy[p];
            int16_t znacznik = Pole<int16_t>(d, widokDok, 511), grupa = Pole<int16_t>(d, widokDok, 214);
            int32_t ilosc = Pole<int32_t>(d, widokDok, 140);
            if (znacznik == 0) continue;
            if (ilosc > 0) {
                std::string kod = PoleTekstu(d, widokDok, 123, 17);
                kod = kod.substr(0, std::min(kod.size(), kod.find_first_not_of("0123456789")));
                o.kody.push_back(kod.empty() ? "0" : kod);
            }
            if (ilosc == 0 || (grupa > 0 && (grupa == grupy[0] || grupa == grupy[1]))) continue;
            kwota += Pole<double>(d, widokDok, drugieKwoty ? 176 : 158);
        }
        if (kwota > 0) oczekiwane.push_back(o);
    }

    int32_t wynik = EksportSprzedazy(1, dataOd, dataDo);
    WYMAGAJ(otwarte.empty(), "%zu cursors left open", otwarte.size());
    if (bezParagonow) {
        WYMAGAJ(wynik == 0 && fuzz::zapisy().empty() && fuzz::uruchomienia().empty(), "run without Tspr");
        return 0;
    }
    WYMAGAJ(wynik == 1, "result %d", wynik);
    // A file that lacks receipts whose items could not be read is not sent.
    WYMAGAJ(fuzz::uruchomienia().size() == (pozycjeNieodczytane ? 0u : 1u), "%zu uploads", fuzz::uruchomienia().size());

    // Header, then per receipt: its part, its items, the line end.
    const auto& z = fuzz::zapisy();
    size_t k = 0;
    WYMAGAJ(!z.empty() && z[k].tekst == "01\n", "header");
    ++k;
    for (const Oczekiwany& o : oczekiwane) {
        WYMAGAJ(k < z.size() && z[k].format == "%s;20%s %02d:%02d;%.2f;%.2f;%03d", "receipt line missing at write %zu", k);
        WYMAGAJ(z[k].tekst.compare(0, o.karta.size() + 3, o.karta + ";20") == 0, "card [%s] in [%s]", o.karta.c_str(),
                z[k].tekst.c_str());
        ++k;
        for (const std::string& kod : o.kody) {
            WYMAGAJ(k < z.size() && z[k].format == "|%s;%.3f;%.2f", "item missing at write %zu", k);
            WYMAGAJ(z[k].tekst.compare(0, kod.size() + 2, "|" + kod + ";") == 0, "code [%s] in [%s]", kod.c_str(), z[k].tekst.c_str());
            ++k;
        }
        WYMAGAJ(k < z.size() && z[k].tekst == "\n", "line end missing at write %zu", k);
        ++k;
    }
    WYMAGAJ(k == z.size(), "%zu writes beyond the %zu expected receipts", z.size() - k, oczekiwane.size());
    return 0;
}
