// The host's sales tables: receipts (Tspr) and their items (Tspr_dok) from
// the JSON fixture, delivered through cursors and packed into the table's
// record buffer at the record layout's offsets on each step.
#include <stddef.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

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

// A receipt's items: a run of kolejnoscPozycji.
struct Zakres {
    uint32_t poczatek = 0, liczba = 0;
};

struct Dane {
    std::vector<Paragon> paragony;
    std::vector<Pozycja> pozycje;
    // Item indexes receipt by receipt, each receipt's in fixture order; a
    // flat list, as the host's index would be, rather than a list per receipt.
    std::vector<uint32_t> kolejnoscPozycji;
    std::unordered_map<int32_t, Zakres> pozycjeParagonu;  // numerParagonu -> its run
};

// Builds the item index in two passes: runs sized by counting, then filled
// in fixture order.
void IndeksujPozycje(Dane* d) {
    d->pozycjeParagonu.clear();
    for (const Pozycja& p : d->pozycje) ++d->pozycjeParagonu[p.numerParagonu].liczba;
    uint32_t poczatek = 0;
    for (auto& wpis : d->pozycjeParagonu) {
        wpis.second.poczatek = poczatek;
        poczatek += wpis.second.liczba;
        wpis.second.liczba = 0;
    }
    d->kolejnoscPozycji.assign(d->pozycje.size(), 0);
    for (size_t i = 0; i < d->pozycje.size(); ++i) {
        Zakres& z = d->pozycjeParagonu[d->pozycje[i].numerParagonu];
        d->kolejnoscPozycji[z.poczatek + z.liczba++] = static_cast<uint32_t>(i);
    }
}

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

// At namespace scope rather than in a function: every cursor step reaches
// it, and nothing reads the tables before the library is initialised.
Tabele jedyneTabele;

inline Tabele& tabele() { return jedyneTabele; }

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

// A text field takes at most its own bytes, the rest of the field NULs; a
// text that fills the field is left without a terminator, as the host's
// records may be.
void WpiszTekst(std::vector<uint8_t>& rekord, size_t przesuniecie, size_t rozmiarPola, const std::string& tekst) {
    memset(rekord.data() + przesuniecie, 0, rozmiarPola);
    memcpy(rekord.data() + przesuniecie, tekst.data(), tekst.size() < rozmiarPola ? tekst.size() : rozmiarPola);
}

// Every field is written whole, so a record never shows a field of the one
// before it. The bytes between the fields are zeroed on a cursor's first
// step only: nobody but the reader could have changed them since, and
// clearing a whole record per step would cost more than the step itself.
void Spakuj(std::vector<uint8_t>& rekord, const Paragon& p, bool pierwszyKrok) {
    if (pierwszyKrok) std::fill(rekord.begin(), rekord.end(), 0);
    Wpisz(rekord, 219, p.trybKwot);
    WpiszTekst(rekord, 230, 9, p.dataParagonu);
    Wpisz(rekord, 239, p.kwota1);
    Wpisz(rekord, 247, p.kwota2);
    WpiszTekst(rekord, 436, 544 - 436, p.opisParagonu);
    Wpisz(rekord, 544, p.minutaParagonu);
    Wpisz(rekord, 1429, p.stanParagonu);
    Wpisz(rekord, 1465, p.numerParagonu);
}

void Spakuj(std::vector<uint8_t>& rekord, const Pozycja& p, bool pierwszyKrok) {
    if (pierwszyKrok) std::fill(rekord.begin(), rekord.end(), 0);
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
    Zakres pozycje;  // Tspr_dok: the receipt's run, found once when the cursor starts
    uint32_t kontrola;
};
static_assert(sizeof(StanKursora) <= ROZMIAR_KURSORA - 4, "cursor state leaves the last word to the reader");

const uint32_t ZNACZNIK_KURSORA = 0x5255534Bu;

// Each word is mixed on its own and the results combined: a step computes
// this twice, and a chain of dependent multiplications would dominate it.
uint32_t Kontrola(const StanKursora& k) {
    uint64_t h = k.znacznik * 0x9E3779B97F4A7C15ull ^ k.pokolenie * 0xC2B2AE3D27D4EB4Full ^
                 static_cast<uint32_t>(k.tabela) * 0x165667B19E3779F9ull ^
                 static_cast<uint32_t>(k.klucz) * 0xD6E8FEB86659FD93ull ^ k.pozycja * 0xFF51AFD7ED558CCDull ^
                 k.pozycje.poczatek * 0xC4CEB9FE1A85EC53ull ^ k.pozycje.liczba * 0x94D049BB133111EBull;
    return static_cast<uint32_t>(h ^ (h >> 32));
}

// The state travels field by field: every step reads it and rewrites a
// field or two, and a wide copy over words just written narrowly stalls the
// processor for longer than the whole step takes otherwise.
template <typename T>
void PoleKursora(uint8_t* dane, size_t przesuniecie, T wartosc) {
    memcpy(dane + przesuniecie, &wartosc, sizeof wartosc);
}

template <typename T>
T PoleKursora(const uint8_t* dane, size_t przesuniecie) {
    T wartosc;
    memcpy(&wartosc, dane + przesuniecie, sizeof wartosc);
    return wartosc;
}

void ZapiszKursor(KursorTabeli* kursor, StanKursora k) {
    k.znacznik = ZNACZNIK_KURSORA;
    k.kontrola = Kontrola(k);
    uint8_t* d = kursor->dane;
    PoleKursora(d, offsetof(StanKursora, znacznik), k.znacznik);
    PoleKursora(d, offsetof(StanKursora, pokolenie), k.pokolenie);
    PoleKursora(d, offsetof(StanKursora, tabela), k.tabela);
    PoleKursora(d, offsetof(StanKursora, klucz), k.klucz);
    PoleKursora(d, offsetof(StanKursora, pozycja), k.pozycja);
    PoleKursora(d, offsetof(StanKursora, pozycje) + offsetof(Zakres, poczatek), k.pozycje.poczatek);
    PoleKursora(d, offsetof(StanKursora, pozycje) + offsetof(Zakres, liczba), k.pozycje.liczba);
    PoleKursora(d, offsetof(StanKursora, kontrola), k.kontrola);
}

bool CzytajKursor(const KursorTabeli* kursor, uint32_t pokolenie, StanKursora* k) {
    if (kursor == nullptr) return false;
    const uint8_t* d = kursor->dane;
    k->znacznik = PoleKursora<uint32_t>(d, offsetof(StanKursora, znacznik));
    k->pokolenie = PoleKursora<uint32_t>(d, offsetof(StanKursora, pokolenie));
    k->tabela = PoleKursora<int32_t>(d, offsetof(StanKursora, tabela));
    k->klucz = PoleKursora<int32_t>(d, offsetof(StanKursora, klucz));
    k->pozycja = PoleKursora<uint32_t>(d, offsetof(StanKursora, pozycja));
    k->pozycje.poczatek = PoleKursora<uint32_t>(d, offsetof(StanKursora, pozycje) + offsetof(Zakres, poczatek));
    k->pozycje.liczba = PoleKursora<uint32_t>(d, offsetof(StanKursora, pozycje) + offsetof(Zakres, liczba));
    k->kontrola = PoleKursora<uint32_t>(d, offsetof(StanKursora, kontrola));
    return k->znacznik == ZNACZNIK_KURSORA && k->kontrola == Kontrola(*k) && k->pokolenie == pokolenie &&
           (k->tabela == TABELA_PARAGONOW || k->tabela == TABELA_POZYCJI || k->tabela == BEZ_TABELI);
}

void ZamknijKursor(KursorTabeli* kursor) {
    if (kursor != nullptr) memset(kursor->dane, 0, sizeof(StanKursora));
}

// The records a cursor walks: all receipts, or the items of one receipt.
size_t LiczbaRekordow(const Dane& d, const StanKursora& k) {
    if (k.tabela == BEZ_TABELI) return 0;
    if (k.tabela == TABELA_PARAGONOW) return d.paragony.size();
    return k.pozycje.liczba;
}

Zakres PozycjeParagonu(int32_t numerParagonu) {
    const Dane& d = tabele().dane;
    auto wpis = d.pozycjeParagonu.find(numerParagonu);
    return wpis == d.pozycjeParagonu.end() ? Zakres() : wpis->second;
}

// Key buffer built by 51425: index number, then key value.
struct Klucz {
    int32_t indeks;
    int32_t wartosc;
};

// ------------------------------------------------ what was delivered

Dostawa& dostawa() {
    static Dostawa jedyna;
    return jedyna;
}

// A traversal of a receipt's items that stops before its last item leaves
// the receipt incomplete, whoever stopped it.
void ZapiszKoniecPozycji(const StanKursora& k) {
    if (k.tabela == TABELA_POZYCJI && k.pozycja < k.pozycje.liczba) dostawa().niepelnePozycje.insert(k.klucz);
}

// --------------------------------------------------------------- fixture

// A field of a record: null when it is missing or null, and the record then
// holds 0 or an empty text there.
const json* Pole(const json& obiekt, const char* pole) {
    auto it = obiekt.find(pole);
    return it == obiekt.end() || it->is_null() ? nullptr : &*it;
}

bool ZlyRodzaj(const char* pole, const char* rodzaj, std::string* blad) {
    *blad = std::string("field ") + pole + " is not " + rodzaj;
    return false;
}

bool Liczba(const json& obiekt, const char* pole, double* wynik, std::string* blad) {
    const json* w = Pole(obiekt, pole);
    if (w != nullptr && !w->is_number()) return ZlyRodzaj(pole, "a number", blad);
    *wynik = w != nullptr ? w->get<double>() : 0;
    return true;
}

template <typename T>
bool Calkowita(const json& obiekt, const char* pole, T* wynik, std::string* blad) {
    const json* w = Pole(obiekt, pole);
    if (w != nullptr && !w->is_number_integer()) return ZlyRodzaj(pole, "an integer", blad);
    int64_t wartosc = 0;
    if (w != nullptr) wartosc = w->is_number_unsigned() ? static_cast<int64_t>(w->get<uint64_t>()) : w->get<int64_t>();
    // Wider values keep their low bytes, as a packed field would.
    *wynik = static_cast<T>(wartosc);
    return true;
}

bool Tekst(const json& obiekt, const char* pole, std::string* wynik, std::string* blad) {
    const json* w = Pole(obiekt, pole);
    if (w != nullptr && !w->is_string()) return ZlyRodzaj(pole, "a text", blad);
    *wynik = w != nullptr ? DoMazovii(w->get<std::string>()) : std::string();
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

// The records of one table of the fixture, in order, when it has any; an
// error names the record ("Tspr[3]: field kwota1 is not a number").
template <typename Rekord>
bool CzytajTabele(const json& j, const char* nazwa, bool (*czytaj)(const json&, Rekord*, std::string*),
                  std::vector<Rekord>* rekordy, std::string* blad) {
    if (!j.contains(nazwa)) return true;
    for (const json& r : j[nazwa]) {
        Rekord rekord;
        if (!czytaj(r, &rekord, blad)) {
            *blad = std::string(nazwa) + "[" + std::to_string(rekordy->size()) + "]: " +
                    (blad->empty() ? "not an object" : *blad);
            return false;
        }
        rekordy->push_back(std::move(rekord));
    }
    return true;
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
    if (!CzytajTabele(j, "Tspr", CzytajParagon, &dane->paragony, blad) ||
        !CzytajTabele(j, "Tspr_dok", CzytajPozycje, &dane->pozycje, blad))
        return false;
    IndeksujPozycje(dane);
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
    IndeksujPozycje(&dane);
    tabele().dane = std::move(dane);
    ++tabele().pokolenie;
}

void ResetujTabele() {
    tabele().dane = Dane();
    ++tabele().pokolenie;
}

const Dostawa& DostarczoneRekordy() { return dostawa(); }

void ResetujDostawe() { dostawa() = Dostawa(); }

void StartKursoraPominiety(UchwytTabeli* tabela, int32_t indeks, const void* klucz) {
    Tabela* t = TabelaUchwytu(tabela);
    if (t == nullptr || t->numer != TABELA_POZYCJI || indeks != INDEKS_POZYCJI_PARAGONU || klucz == nullptr) return;
    Klucz k;
    memcpy(&k, klucz, sizeof k);
    if (PozycjeParagonu(k.wartosc).liczba > 0) dostawa().niepelnePozycje.insert(k.wartosc);
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
    if (torvel::SladAktywny()) torvel::Zapisz(52256, json::array({numer}), wynik == nullptr ? json(nullptr) : json(numer));
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52465(UchwytTabeli* tabela, int32_t tryb) {
    int32_t wynik = torvel::TabelaUchwytu(tabela) != nullptr ? 0 : -1;
    if (torvel::SladAktywny()) torvel::Zapisz(52465, json::array({torvel::Uchwyt(tabela), tryb}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel51425(int32_t indeks, int32_t x, void* klucz, int32_t wartosc) {
    int32_t wynik = -1;
    if (klucz != nullptr) {
        torvel::Klucz k = {indeks, wartosc};
        memcpy(klucz, &k, sizeof k);
        wynik = 0;
    }
    if (torvel::SladAktywny()) torvel::Zapisz(51425, json::array({indeks, x, klucz == nullptr ? json(nullptr) : json("key"), wartosc}), wynik);
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
        if (stan.tabela == torvel::TABELA_POZYCJI) stan.pozycje = torvel::PozycjeParagonu(stan.klucz);
        torvel::ZapiszKursor(kursor, stan);
        wynik = torvel::LiczbaRekordow(torvel::tabele().dane, stan) > 0 ? 1 : 0;
    }
    if (torvel::SladAktywny()) torvel::Zapisz(52278, json::array({torvel::Wskaznik(kursor), torvel::Uchwyt(tabela), indeks, klucz == nullptr ? json(nullptr) : json(k.wartosc), a, b}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52279(KursorTabeli* kursor) {
    torvel::Tabele& tabele = torvel::tabele();
    const torvel::Dane& d = tabele.dane;
    torvel::StanKursora k;
    int32_t wynik = 0;
    if (torvel::CzytajKursor(kursor, tabele.pokolenie, &k) && k.pozycja < torvel::LiczbaRekordow(d, k)) {
        auto uchwyt = tabele.uchwyty.find(k.tabela);
        torvel::Tabela* t = uchwyt == tabele.uchwyty.end() ? nullptr : uchwyt->second.get();
        if (t != nullptr) {
            if (k.tabela == torvel::TABELA_PARAGONOW) {
                torvel::Spakuj(t->rekord, d.paragony[k.pozycja], k.pozycja == 0);
                if (torvel::AwarieWlaczone()) torvel::dostawa().paragony.insert(d.paragony[k.pozycja].numerParagonu);
            } else {
                torvel::Spakuj(t->rekord, d.pozycje[d.kolejnoscPozycji[k.pozycje.poczatek + k.pozycja]], k.pozycja == 0);
            }
            ++k.pozycja;
            torvel::ZapiszKursor(kursor, k);
            wynik = 1;
        }
    }
    if (torvel::SladAktywny()) torvel::Zapisz(52279, json::array({torvel::Wskaznik(kursor)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(int32_t) Torvel52281(KursorTabeli* kursor) {
    torvel::StanKursora k;
    int32_t wynik = torvel::CzytajKursor(kursor, torvel::tabele().pokolenie, &k) ? 0 : -1;
    if (wynik == 0 && torvel::AwarieWlaczone()) torvel::ZapiszKoniecPozycji(k);
    torvel::ZamknijKursor(kursor);
    if (torvel::SladAktywny()) torvel::Zapisz(52281, json::array({torvel::Wskaznik(kursor)}), wynik);
    return wynik;
}

TORVEL_FUNKCJA(void) Torvel50538(KursorTabeli* kursor) {
    torvel::ZamknijKursor(kursor);
    if (torvel::SladAktywny()) torvel::Zapisz(50538, json::array({torvel::Wskaznik(kursor)}), nullptr);
}
