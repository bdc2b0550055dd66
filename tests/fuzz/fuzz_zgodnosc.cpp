// The host's answers to the compatibility questions, of any value, through
// the check and the load-failure report: the check fails exactly when one
// answer is wrong, and the report shows one message, the right one, with
// the host's objection text shown as the host wrote it, however long.
//
// Input: callback mask (4 bytes, LE), 52006 for the module's date (4),
// 52006 for the host (4), 30018 result (4), 51594 (4), five record sizes
// (2 each; 0x8000 = no table), flags (1: bit 0 no callback), number of
// missing functions (1) with up to eight ordinals (2 each), then the
// objection text, any bytes, written into the report's buffer.
#include <string.h>

#include <algorithm>
#include <string>

#include "host/typy_hosta.h"
#include "shell/raport_zaladowania.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"
#include "shell/zgodnosc.h"
#include "tests/fuzz/srodowisko_fuzz.h"

namespace {

const int32_t NUMERY_TABEL[5] = {59, 44, 45, 46, 47};
const int32_t OCZEKIWANE[5] = {2750, 1469, 515, 949, 256};
const int16_t BEZ_TABELI = static_cast<int16_t>(0x8000);

struct Odpowiedzi {
    int32_t maska = 0;
    uint32_t numerModulu = 0, numerHosta = 0;
    int32_t sprzeciw = 0, wersja = 112;
    int16_t rozmiary[5] = {};
    std::string tekstSprzeciwu;
} odpowiedzi;

UchwytTabeli uchwyty[5];

class Czytnik {
public:
    Czytnik(const uint8_t* dane, size_t rozmiar) : dane_(dane), rozmiar_(rozmiar) {}
    template <typename T>
    T Wartosc() {
        T w{};
        size_t n = std::min(sizeof w, rozmiar_ - pozycja_);
        memcpy(&w, dane_ + pozycja_, n);
        pozycja_ += n;
        return w;
    }
    std::string Reszta() { return std::string(reinterpret_cast<const char*>(dane_ + pozycja_), rozmiar_ - pozycja_); }

private:
    const uint8_t* dane_;
    size_t rozmiar_;
    size_t pozycja_ = 0;
};

int32_t FunkcjaZwrotna(int32_t a, int32_t b) { return a == 1 && b == 1 ? odpowiedzi.maska : 0; }
uint32_t Numer52006(const char* data) { return data != nullptr ? odpowiedzi.numerModulu : odpowiedzi.numerHosta; }
int32_t Wersja51594() { return odpowiedzi.wersja; }

// The host writes its explanation as it has it: when it fills the buffer
// there is no room for a terminator.
int32_t Sprzeciw30018(UchwytModuluHosta, char* bufor, int32_t rozmiar) {
    if (bufor != nullptr && rozmiar > 0) {
        size_t n = std::min(odpowiedzi.tekstSprzeciwu.size(), static_cast<size_t>(rozmiar));
        memcpy(bufor, odpowiedzi.tekstSprzeciwu.data(), n);
        if (n < static_cast<size_t>(rozmiar)) bufor[n] = '\0';
    }
    return odpowiedzi.sprzeciw;
}

UchwytTabeli* Tabela52256(int32_t numer) {
    for (int i = 0; i < 5; ++i)
        if (NUMERY_TABEL[i] == numer) return odpowiedzi.rozmiary[i] == BEZ_TABELI ? nullptr : &uchwyty[i];
    return nullptr;
}

bool ZaczynaSie(const std::string& tekst, const char* poczatek) { return tekst.compare(0, strlen(poczatek), poczatek) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    fuzz::NoweWejscie();
    fuzz::ZastapOkna();
    fuzz::Zastap(INDEKS_52006, static_cast<TypFunkcji52006>(Numer52006));
    fuzz::Zastap(INDEKS_51594, static_cast<TypFunkcji51594>(Wersja51594));
    fuzz::Zastap(INDEKS_30018, static_cast<TypFunkcji30018>(Sprzeciw30018));
    fuzz::Zastap(INDEKS_52256, static_cast<TypFunkcji52256>(Tabela52256));

    Czytnik c(dane, rozmiar);
    odpowiedzi = Odpowiedzi();
    odpowiedzi.maska = c.Wartosc<int32_t>();
    odpowiedzi.numerModulu = c.Wartosc<uint32_t>();
    odpowiedzi.numerHosta = c.Wartosc<uint32_t>();
    odpowiedzi.sprzeciw = c.Wartosc<int32_t>();
    odpowiedzi.wersja = c.Wartosc<int32_t>();
    // Mostly the expected sizes, so that the later questions are reached.
    for (int i = 0; i < 5; ++i) {
        int16_t r = c.Wartosc<int16_t>();
        odpowiedzi.rozmiary[i] = r == 0 ? static_cast<int16_t>(OCZEKIWANE[i]) : r;
        uchwyty[i] = UchwytTabeli{};
        uchwyty[i].rozmiarRekordu = odpowiedzi.rozmiary[i];
    }
    uint8_t flagi = c.Wartosc<uint8_t>();
    funkcjaZwrotnaHosta = (flagi & 1) ? nullptr : FunkcjaZwrotna;
    uint8_t brakujace = c.Wartosc<uint8_t>() % 16;
    liczbaBrakujacychFunkcji = brakujace;
    for (int i = 0; i < LICZBA_ZAPAMIETANYCH_BRAKOW; ++i) {
        uint16_t ordinal = c.Wartosc<uint16_t>();
        if (i < brakujace) numeryBrakujacychFunkcji[i] = ordinal;
    }
    odpowiedzi.tekstSprzeciwu = c.Reszta();

    // What the answers must give, step by step.
    bool bezFunkcjiZwrotnej = funkcjaZwrotnaHosta == nullptr;
    uint32_t cechy = bezFunkcjiZwrotnej ? 0xFFFFFFFFu : static_cast<uint32_t>(odpowiedzi.maska) & ~1u;
    int niezgodne = 0;
    for (int i = 0; i < 5; ++i) {
        int32_t rzeczywisty = odpowiedzi.rozmiary[i] == BEZ_TABELI ? 0 : odpowiedzi.rozmiary[i];
        if (rzeczywisty != OCZEKIWANE[i]) ++niezgodne;
    }
    bool wersjeRozne = odpowiedzi.numerModulu == 0x7FFFFFFFu || odpowiedzi.numerHosta < odpowiedzi.numerModulu;
    // The sizes are only asked for when every earlier question passed.
    if (!(cechy == 0 && brakujace == 0 && !wersjeRozne && odpowiedzi.sprzeciw == 0 && odpowiedzi.wersja == 112))
        niezgodne = 0;
    bool pasuje = cechy == 0 && brakujace == 0 && !wersjeRozne && odpowiedzi.sprzeciw == 0 && odpowiedzi.wersja == 112 &&
                  niezgodne == 0;

    // As at load: nothing checked yet.
    brakujaceCechy = 0xFFFFFFFFu;
    niezgodneTabele = nullptr;

    int32_t wynik = SprawdzZgodnosc();
    WYMAGAJ(wynik == (pasuje ? 0 : -1), "check gave %d", wynik);
    WYMAGAJ(brakujaceCechy == cechy, "feature mask 0x%08X", brakujaceCechy);

    PokazBladZaladowania();
    const auto& okna = fuzz::okna();
    WYMAGAJ(okna.size() == 1, "%zu messages", okna.size());
    WYMAGAJ(okna[0].ordinal == 35802 && okna[0].tytul == "STOP!!!", "caption %s", okna[0].tytul.c_str());
    WYMAGAJ(okna[0].tekst.size() < ROZMIAR_RAPORTU, "message of %zu bytes", okna[0].tekst.size());
    const std::string& tekst = okna[0].tekst;
    if (cechy != 0) {
        char maska[16];
        snprintf(maska, sizeof maska, "0x%08X", cechy);
        WYMAGAJ(ZaczynaSie(tekst, "Program nie obs") && tekst.find(maska) != std::string::npos, "%s", tekst.c_str());
    } else if (brakujace != 0) {
        WYMAGAJ(ZaczynaSie(tekst, "Wtyczka \"Brenvik\""), "%s", tekst.c_str());
        WYMAGAJ(tekst.find(brakujace == 1 ? " jej nie" : " ich nie") != std::string::npos, "%s", tekst.c_str());
    } else if (niezgodne != 0) {
        WYMAGAJ(ZaczynaSie(tekst, "Rozmiary rekord"), "%s", tekst.c_str());
        size_t wiersze = 0;
        for (size_t p = tekst.find("\x01tp25p40\x01"); p != std::string::npos; p = tekst.find("\x01tp25p40\x01", p + 1)) ++wiersze;
        WYMAGAJ(wiersze == static_cast<size_t>(niezgodne), "%zu rows for %d tables", wiersze, niezgodne);
    } else if (odpowiedzi.sprzeciw != 0) {
        // The host's text as it wrote it, cut only by the buffer.
        std::string oczekiwany = fuzz::Utnij(odpowiedzi.tekstSprzeciwu, ROZMIAR_RAPORTU - 1);
        WYMAGAJ(tekst == oczekiwany, "objection of %zu bytes shown as %zu", oczekiwany.size(), tekst.size());
    } else if (!pasuje) {
        WYMAGAJ(tekst.find("wersjach!") != std::string::npos, "%s", tekst.c_str());
    } else {
        WYMAGAJ(tekst.find("poprawnie zainicjowany") != std::string::npos, "%s", tekst.c_str());
    }
    return 0;
}
