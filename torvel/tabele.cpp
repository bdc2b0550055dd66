// The host's sales tables: receipts (Tspr) and their items (Tspr_dok) from
// the JSON fixture, delivered through cursors and packed into the table's
// record buffer at the record layout's offsets on each step.
#include <string.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "torvel/funkcje_torvel.h"
#include "torvel/wewnetrzne.h"

namespace torvel {

namespace {

enum {
    TABELA_PARAGONOW = 44,
    TABELA_POZYCJI = 45,
    INDEKS_PARAGONOW = 24,
    INDEKS_POZYCJI_PARAGONU = 68,
    BEZ_TABELI = 0,  // a cursor whose start selected nothing
};

using Paragon = RekordParagonu;
using Pozycja = RekordPozycji;

struct Dane {
    std::vector<Paragon> paragony;
    std::vector<Pozycja> pozycje;
    std::unordered_map<int32_t, std::vector<uint32_t>> pozycjeParagonu;  // numerParagonu -> items in fixture order
};

// The handle the module receives; the host's part of it follows the
// module's view.
struct Tabela {
    UchwytTabeli uchwyt;
    int numer;
    int16_t rozmiarOczekiwany;
    std::vector<uint8_t> rekord;
};

struct Tabele {
    Dane dane;
    uint32_t pokolenie = 1;  // cursors of earlier data are not continued
    std::map<int, std::unique_ptr<Tabela>> uchwyty;  // live for the whole process
};

Tabele& tabele() {
    static Tabele jedyne;
    return jedyne;
}

int16_t RozmiarOczekiwany(int numer) {
    switch (numer) {
        case 44: return 1469;
        case 45: return 515;
        case 46: return 949;
        case 47: return 256;
        case 59: return 2750;
        default: return 0;
    }
}

Tabela* TabelaUchwytu(const UchwytTabeli* uchwyt) {
    if (uchwyt == nullptr) return nullptr;
    for (auto& wpis : tabele().uchwyty)
        if (&wpis.second->uchwyt == uchwyt) return wpis.second.get();
    return nullptr;
}

// --------------------------------------------------------------- packing

template <typename T>
void Wpisz(std::vector<uint8_t>& rekord, size_t przesuniecie, T wartosc) {
    memcpy(rekord.data() + przesuniecie, &wartosc, sizeof wartosc);
}

// A text field takes at most its own bytes; a text that fills the field is
// left without a terminator, as the host's records may be.
void WpiszTekst(std::vector<uint8_t>& rekord, size_t przesuniecie, size_t rozmiarPola, const std::string& tekst) {
    memcpy(rekord.data() + przesuniecie, tekst.data(), tekst.size() < rozmiarPola ? tekst.size() : rozmiarPola);
}

void Spakuj(std::vector<uint8_t>& rekord, const Paragon& p) {
    std::fill(rekord.begin(), rekord.end(), 0);
    Wpisz(rekord, 219, p.trybKwot);
    WpiszTekst(rekord, 230, 9, p.dataParagonu);
    Wpisz(rekord, 239, p.kwota1);
    Wpisz(rekord, 247, p.kwota2);
    WpiszTekst(rekord, 436, 544 - 436, p.opisParagonu);
    Wpisz(rekord, 544, p.minutaParagonu);
    Wpisz(rekord, 1429, p.stanParagonu);
    Wpisz(rekord, 1465, p.numerParagonu);
}

void Spakuj(std::vector<uint8_t>& rekord, const Pozycja& p) {
    std::fill(rekord.begin(), rekord.end(), 0);
    WpiszTekst(rekord, 123, 17, p.kodPozycji);
    Wpisz(rekord, 140, p.ilosc);
    Wpisz(rekord, 150, p.kwotaWykazu0);
    Wpisz(rekord, 158, p.kwotaSumy0);
    Wpisz(rekord, 176, p.kwotaSumy1);
    Wpisz(rekord, 192, p.kwotaWykazu1);
    Wpisz(rekord, 214, p.grupa);
    Wpisz(rekord, 511, p.znacznikPozycji);
}

// --------------------------------------------------------------- cursors

// The cursor's state inside the reader's 192 bytes, with a check word so
// that storage which was never started (or was closed) reads as no cursor.
struct StanKursora {
    uint32_t znacznik;
    uint32_t pokolenie;
    int32_t tabela;
    int32_t klucz;
    uint32_t pozycja;
    uint32_t kontrola;
};
static_assert(sizeof(StanKursora) <= ROZMIAR_KURSORA - 4, "cursor state leaves the last word to the reader");

const uint32_t ZNACZNIK_KURSORA = 0x5255534Bu;

uint32_t Kontrola(const StanKursora& k) {
    uint32_t h = 2166136261u;
    for (uint32_t w : {k.znacznik, k.pokolenie, static_cast<uint32_t>(k.tabela), static_cast<uint32_t>(k.klucz), k.pozycja})
        h = (h ^ w) * 16777619u;
    return h;
}

void ZapiszKursor(KursorTabeli* kursor, StanKursora k) {
    k.znacznik = ZNACZNIK_KURSORA;
    k.kontrola = Kontrola(k);
    memcpy(kursor->dane, &k, sizeof k);
}

bool CzytajKursor(const KursorTabeli* kursor, StanKursora* k) {
    if (kursor == nullptr) return false;
    memcpy(k, kursor->dane, sizeof *k);
    return k->znacznik == ZNACZNIK_KURSORA && k->kontrola == Kontrola(*k) && k->pokolenie == tabele().pokolenie &&
           (k->tabela == TABELA_PARAGONOW || k->tabela == TABELA_POZYCJI || k->tabela == BEZ_TABELI);
}

void ZamknijKursor(KursorTabeli* kursor) {
    if (kursor != nullptr) memset(kursor->dane, 0, sizeof(StanKursora));
}

// The records a cursor walks: all receipts, or the items of one receipt.
size_t LiczbaRekordow(const StanKursora& k) {
    const Dane& d = tabele().dane;
    if (k.tabela == BEZ_TABELI) return 0;
    if (k.tabela == TABELA_PARAGONOW) return d.paragony.size();
    auto wpis = d.pozycjeParagonu.find(k.klucz);
    return wpis == d.pozycjeParagonu.end() ? 0 : wpis->second.size();
}

// Key buffer built by 51425: index number, then key value.
struct Klucz {
    int32_t indeks;
    int32_t wartosc;
};

// --------------------------------------------------------------- fixture

bool Liczba(const json& obiekt, const char* pole, double* wynik, std::string* blad) {
    auto it = obiekt.find(pole);
    if (it == obiekt.end() || it->is_null()) {
        *wynik = 0;
        return true;
    }
    if (!it->is_number()) {
        *blad = std::string("field ") + pole + " is not a number";
        return false;
    }
    *wynik = it->get<double>();
    return true;
}

template <typename T>
bool Calkowita(const json& obiekt, const char* pole, T* wynik, std::string* blad) {
    auto it = obiekt.find(pole);
    if (it == obiekt.end() || it->is_null()) {
        *wynik = 0;
        return true;
    }
    if (!it->is_number_integer()) {
        *blad = std::string("field ") + pole + " is not an integer";
        return false;
    }
    // Wider values keep their low bytes, as a packed field would.
    *wynik = static_cast<T>(it->is_number_unsigned() ? static_cast<int64_t>(it->get<uint64_t>()) : it->get<int64_t>());
    return true;
}

bool Tekst(const json& obiekt, const char* pole, std::string* wynik, std::string* blad) {
    auto it = obiekt.find(pole);
    if (it == obiekt.end() || it->is_null()) {
        wynik->clear();
        return true;
    }
    if (!it->is_string()) {
        *blad = std::string("field ") + pole + " is not a text";
        return false;
    }
    *wynik = DoMazovii(it->get<std::string>());
    return true;
}

bool CzytajParagon(const json& j, Paragon* p, std::string* blad) {
    return j.is_object() && Calkowita(j, "numerParagonu", &p->numerParagonu, blad) &&
           Tekst(j, "dataParagonu", &p->dataParagonu, blad) && Calkowita(j, "minutaParagonu", &p->minutaParagonu, blad) &&
           Liczba(j, "kwota1", &p->kwota1, blad) && Liczba(j, "kwota2", &p->kwota2, blad) &&
           Tekst(j, "opisParagonu", &p->opisParagonu, blad) && Calkowita(j, "stanParagonu", &p->stanParagonu, blad) &&
           Calkowita(j, "trybKwot", &p->trybKwot, blad);
}

bool CzytajPozycje(const json& j, Pozycja* p, std::string* blad) {
    return j.is_object() && Calkowita(j, "numerParagonu", &p->numerParagonu, blad) &&
           Tekst(j, "kodPozycji", &p->kodPozycji, blad) && Calkowita(j, "ilosc", &p->ilosc, blad) &&
           Calkowita(j, "grupa", &p->grupa, blad) && Liczba(j, "kwotaSumy0", &p->kwotaSumy0, blad) &&
           Liczba(j, "kwotaSumy1", &p->kwotaSumy1, blad) && Liczba(j, "kwotaWykazu0", &p->kwotaWykazu0, blad) &&
           Liczba(j, "kwotaWykazu1", &p->kwotaWykazu1, blad) && Calkowita(j, "znacznikPozycji", &p->znacznikPozycji, blad);
}

bool CzytajDane(const json& j, Dane* dane, std::string* blad) {
    if (!j.is_object()) {
        *blad = "the fixture is not a JSON object";
        return false;
    }
    for (const char* nazwa : {"Tspr", "Tspr_dok"}) {
        auto it = j.find(nazwa);
        if (it != j.end() && !it->is_array()) {
            *blad = std::string(nazwa) + " is not an array";
            return false;
        }
    }
    if (j.contains("Tspr")) {
        for (const json& r : j["Tspr"]) {
            Paragon p;
            if (!CzytajParagon(r, &p, blad)) {
                *blad = "Tspr[" + std::to_string(dane->paragony.size()) + "]: " + (blad->empty() ? "not an object" : *blad);
                return false;
            }
            dane->paragony.push_back(std::move(p));
        }
    }
    if (j.contains("Tspr_dok")) {
        for (const json& r : j["Tspr_dok"]) {
            Pozycja p;
            if (!CzytajPozycje(r, &p, blad)) {
                *blad = "Tspr_dok[" + std::to_string(dane->pozycje.size()) + "]: " + (blad->empty() ? "not an object" : *blad);
                return false;
            }
            dane->pozycjeParagonu[p.numerParagonu].push_back(static_cast<uint32_t>(dane->pozycje.size()));
            dane->pozycje.push_back(std::move(p));
        }
    }
    return true;
}

json Uchwyt(const UchwytTabeli* uchwyt) {
    Tabela* t = TabelaUchwytu(uchwyt);
    if (t != nullptr) return t->numer;
    return uchwyt == nullptr ? json(nullptr) : json("unknown handle");
}

json Wskaznik(const void* p) { return p == nullptr ? json(nullptr) : json("cursor"); }

}  // namespace

bool WczytajDaneZTekstu(const std::string& tekst, std::string* blad) {
    std::string komunikat;
    Dane dane;
    json j = json::parse(tekst, nullptr, false);
    bool dobrze = !j.is_discarded();
    if (!dobrze) komunikat = "the fixture is not valid JSON";
    if (dobrze) {
        try {
            dobrze = CzytajDane(j, &dane, &komunikat);
        } catch (const std::exception& e) {
            dobrze = false;
            komunikat = e.what();
        }
    }
    if (!dobrze) {
        if (blad != nullptr) *blad = komunikat;
        return false;
    }
    tabele().dane = std::move(dane);
    ++tabele().pokolenie;
    return true;
}

bool WczytajDane(const std::string& plik, std::string* blad) {
    std::string tekst;
    if (!CzytajPlik(plik, &tekst)) {
        if (blad != nullptr) *blad = "cannot read " + plik;
        return false;
    }
    return WczytajDaneZTekstu(tekst, blad);
}

void WczytajRekordy(std::vector<RekordParagonu> paragony, std::vector<RekordPozycji> pozycje) {
    Dane dane;
    dane.paragony = std::move(paragony);
    dane.pozycje = std::move(pozycje);
    for (size_t i = 0; i < dane.pozycje.size(); ++i)
        dane.pozycjeParagonu[dane.pozycje[i].numerParagonu].push_back(static_cast<uint32_t>(i));
    tabele().dane = std::move(dane);
    ++tabele().pokolenie;
}

void ResetujTabele() {
    tabele().dane = Dane();
    ++tabele().pokolenie;
}

}  // namespace torvel

using torvel::json;

TORVEL_FUNKCJA(UchwytTabeli*) Torvel52256(int32_t numer) {
    UchwytTabeli* wynik = nullptr;
    int16_t oczekiwany = torvel::RozmiarOczekiwany(numer);
    if (oczekiwany > 0 && torvel::stan().niedostepneTabele.count(numer) == 0) {
        auto& miejsce = torvel::tabele().uchwyty[numer];
        if (!miejsce) {
            miejsce = std::make_unique<torvel::Tabela>();
            miejsce->numer = numer;
            miejsce->rozmiarOczekiwany = oczekiwany;
            memset(&miejsce->uchwyt, 0, sizeof miejsce->uchwyt);
            miejsce->rekord.assign(static_cast<size_t>(oczekiwany), 0);
        }
        auto zmiana = torvel::stan().rozmiaryRekordow.find(numer);
        int16_t rozmiar = zmiana == torvel::stan().rozmiaryRekordow.end() ? oczekiwany : zmiana->second;
        // The buffer always holds the real record, whatever size is announced.
        if (rozmiar > 0 && static_cast<size_t>(rozmiar) > miejsce->rekord.size()) miejsce->rekord.resize(static_cast<size_t>(rozmiar), 0);
        miejsce->uchwyt.rozmiarRekordu = rozmiar;
        miejsce->uchwyt.buforRekordu = miejsce->rekord.data();
        wynik = &miejsce->uchwyt;
    }
    torvel::Zapisz(52256, json::array({numer}), wynik == nullptr ? json(nullptr) : json(numer));
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52465(UchwytTabeli* tabela, int32_t tryb) {
    int32_t wynik = torvel::TabelaUchwytu(tabela) != nullptr ? 0 : -1;
    torvel::Zapisz(52465, json::array({torvel::Uchwyt(tabela), tryb}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel51425(int32_t indeks, int32_t x, void* klucz, int32_t wartosc) {
    int32_t wynik = -1;
    if (klucz != nullptr) {
        torvel::Klucz k = {indeks, wartosc};
        memcpy(klucz, &k, sizeof k);
        wynik = 0;
    }
    torvel::Zapisz(51425, json::array({indeks, x, klucz == nullptr ? json(nullptr) : json("key"), wartosc}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52278(KursorTabeli* kursor, UchwytTabeli* tabela, int32_t indeks, void* klucz, int32_t a, int32_t b) {
    torvel::Tabela* t = torvel::TabelaUchwytu(tabela);
    torvel::Klucz k = {0, 0};
    if (klucz != nullptr) memcpy(&k, klucz, sizeof k);
    int32_t wynik = 0;
    if (kursor != nullptr) {
        torvel::StanKursora stan = {};
        stan.pokolenie = torvel::tabele().pokolenie;
        stan.tabela = t == nullptr ? 0 : t->numer;
        stan.klucz = k.wartosc;
        bool znanyKlucz = klucz != nullptr && k.indeks == indeks;
        bool paragony = stan.tabela == torvel::TABELA_PARAGONOW && indeks == torvel::INDEKS_PARAGONOW && k.wartosc == 0;
        bool pozycje = stan.tabela == torvel::TABELA_POZYCJI && indeks == torvel::INDEKS_POZYCJI_PARAGONU;
        // Any other index or key selects nothing: a started cursor that delivers nothing.
        if (!znanyKlucz || !(paragony || pozycje)) stan.tabela = torvel::BEZ_TABELI;
        torvel::ZapiszKursor(kursor, stan);
        wynik = torvel::LiczbaRekordow(stan) > 0 ? 1 : 0;
    }
    torvel::Zapisz(52278, json::array({torvel::Wskaznik(kursor), torvel::Uchwyt(tabela), indeks, klucz == nullptr ? json(nullptr) : json(k.wartosc), a, b}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52279(KursorTabeli* kursor) {
    torvel::StanKursora k;
    int32_t wynik = 0;
    if (torvel::CzytajKursor(kursor, &k) && k.pozycja < torvel::LiczbaRekordow(k)) {
        auto uchwyt = torvel::tabele().uchwyty.find(k.tabela);
        torvel::Tabela* t = uchwyt == torvel::tabele().uchwyty.end() ? nullptr : uchwyt->second.get();
        const torvel::Dane& d = torvel::tabele().dane;
        if (t != nullptr) {
            if (k.tabela == torvel::TABELA_PARAGONOW) {
                torvel::Spakuj(t->rekord, d.paragony[k.pozycja]);
            } else {
                torvel::Spakuj(t->rekord, d.pozycje[d.pozycjeParagonu.at(k.klucz)[k.pozycja]]);
            }
            ++k.pozycja;
            torvel::ZapiszKursor(kursor, k);
            wynik = 1;
        }
    }
    torvel::Zapisz(52279, json::array({torvel::Wskaznik(kursor)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52281(KursorTabeli* kursor) {
    torvel::StanKursora k;
    int32_t wynik = torvel::CzytajKursor(kursor, &k) ? 0 : -1;
    torvel::ZamknijKursor(kursor);
    torvel::Zapisz(52281, json::array({torvel::Wskaznik(kursor)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(void) Torvel50538(KursorTabeli* kursor) {
    torvel::ZamknijKursor(kursor);
    torvel::Zapisz(50538, json::array({torvel::Wskaznik(kursor)}), nullptr);
}
