// The host's fast paths (no trace, records loaded from memory) must give
// exactly what the traced paths and the JSON fixture give.
#include <string.h>

#include <utility>
#include <vector>

#include "tests/torvel/uslugi/srodowisko_hosta.h"

namespace {

using testy_hosta::SrodowiskoHosta;

class TorvelSzybkieSciezki : public SrodowiskoHosta {
protected:
    void TearDown() override {
        torvel::UstawSladWPamieci(true);
        SrodowiskoHosta::TearDown();
    }

    // Writes the texts through a text-mode stream, one formatted write each.
    void Zapisz(const std::string& nazwa, const std::vector<std::string>& teksty) {
        int32_t uchwyt = Torvel52534(nazwa.c_str(), "wt", 64, 0, -1, 0, 0, 0, 0);
        PrzechowalniaStrumienia przechowalnia;
        Torvel22562(&przechowalnia, uchwyt);
        StrumienHosta strumien = Torvel22567(&przechowalnia);
        Torvel22563(&przechowalnia);
        ASSERT_NE(strumien, nullptr);
        for (const std::string& tekst : teksty) Torvel52541(strumien, "%s", tekst.c_str());
        Torvel52305(strumien);
    }

    // Every record a cursor delivers, as the bytes of the record buffer.
    static std::vector<std::string> Rekordy(int32_t tabela, int32_t indeks, int32_t klucz) {
        std::vector<std::string> wynik;
        UchwytTabeli* uchwyt = Torvel52256(tabela);
        if (uchwyt == nullptr) return wynik;
        KursorTabeli kursor = {};
        char bufor[ROZMIAR_KLUCZA] = {};
        Torvel51425(indeks, 0, bufor, klucz);
        if (Torvel52278(&kursor, uchwyt, indeks, bufor, 0, 0) != 0) {
            while (Torvel52279(&kursor) == 1)
                wynik.emplace_back(reinterpret_cast<const char*>(uchwyt->buforRekordu), uchwyt->rozmiarRekordu);
        }
        Torvel52281(&kursor);
        Torvel50538(&kursor);
        return wynik;
    }
};

TEST_F(TorvelSzybkieSciezki, ZapisBezSladuDajeTeSameBajtyCoZeSladem) {
    // Lines of every length around the stream's buffer size, some ending
    // with a CR of their own, so line ends fall on every buffer boundary.
    std::vector<std::string> teksty;
    std::string oczekiwane;
    for (int i = 0; i < 400; ++i) {
        std::string linia(static_cast<size_t>((i * 37) % 300), static_cast<char>('a' + i % 26));
        linia += (i % 7 == 0) ? "\r\n" : "\n";
        teksty.push_back(linia);
        for (char c : linia) oczekiwane += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    }
    teksty.push_back(std::string(20000, 'x') + "\n\n");
    oczekiwane += std::string(20000, 'x') + "\r\n\r\n";

    Zapisz("ze_sladem.txt", teksty);
    torvel::UstawSladWPamieci(false);
    Zapisz("bez_sladu.txt", teksty);

    EXPECT_EQ(Tresc("ze_sladem.txt"), oczekiwane);
    EXPECT_EQ(Tresc("bez_sladu.txt"), oczekiwane);
}

TEST_F(TorvelSzybkieSciezki, RekordyZPamieciTakieJakZPlikuDanych) {
    const char* dane = R"({
      "Tspr": [
        {"numerParagonu": 7, "dataParagonu": "C6.12.05", "minutaParagonu": 547, "kwota1": 412000,
         "kwota2": 43000, "opisParagonu": "Karta: 4400123 x", "stanParagonu": -1, "trybKwot": 1},
        {"numerParagonu": 8, "dataParagonu": "C6.1", "minutaParagonu": 1, "kwota1": -5,
         "opisParagonu": "k"}
      ],
      "Tspr_dok": [
        {"numerParagonu": 7, "kodPozycji": "5901234123457", "ilosc": 2000, "grupa": 5,
         "kwotaSumy0": 300000, "kwotaSumy1": 1, "kwotaWykazu0": 34900, "kwotaWykazu1": 2, "znacznikPozycji": 1},
        {"numerParagonu": 8, "kodPozycji": "12AB", "ilosc": -1500, "grupa": -3, "znacznikPozycji": 0},
        {"numerParagonu": 7, "kodPozycji": "2000123", "ilosc": 1500, "grupa": 6, "kwotaSumy0": 120000,
         "kwotaWykazu0": 129900, "znacznikPozycji": 1}
      ]})";
    std::string blad;
    ASSERT_TRUE(torvel::WczytajDaneZTekstu(dane, &blad)) << blad;
    auto paragonyJson = Rekordy(44, 24, 0);
    auto pozycje7Json = Rekordy(45, 68, 7);
    auto pozycje8Json = Rekordy(45, 68, 8);

    torvel::RekordParagonu p7;
    p7.numerParagonu = 7, p7.dataParagonu = "C6.12.05", p7.minutaParagonu = 547, p7.kwota1 = 412000;
    p7.kwota2 = 43000, p7.opisParagonu = "Karta: 4400123 x", p7.stanParagonu = -1, p7.trybKwot = 1;
    torvel::RekordParagonu p8;
    p8.numerParagonu = 8, p8.dataParagonu = "C6.1", p8.minutaParagonu = 1, p8.kwota1 = -5, p8.opisParagonu = "k";
    torvel::RekordPozycji a, b, c;
    a.numerParagonu = 7, a.kodPozycji = "5901234123457", a.ilosc = 2000, a.grupa = 5, a.kwotaSumy0 = 300000;
    a.kwotaSumy1 = 1, a.kwotaWykazu0 = 34900, a.kwotaWykazu1 = 2, a.znacznikPozycji = 1;
    b.numerParagonu = 8, b.kodPozycji = "12AB", b.ilosc = -1500, b.grupa = -3;
    c.numerParagonu = 7, c.kodPozycji = "2000123", c.ilosc = 1500, c.grupa = 6, c.kwotaSumy0 = 120000;
    c.kwotaWykazu0 = 129900, c.znacznikPozycji = 1;
    torvel::WczytajRekordy({p7, p8}, {a, b, c});

    ASSERT_EQ(paragonyJson.size(), 2u);
    ASSERT_EQ(pozycje7Json.size(), 2u);
    ASSERT_EQ(pozycje8Json.size(), 1u);
    EXPECT_EQ(Rekordy(44, 24, 0), paragonyJson);
    EXPECT_EQ(Rekordy(45, 68, 7), pozycje7Json);
    EXPECT_EQ(Rekordy(45, 68, 8), pozycje8Json);
}

TEST_F(TorvelSzybkieSciezki, BajtyPozaPolamiZostajaZeremKolejnychRekordow) {
    // Long texts first, short ones after: nothing of an earlier record may
    // remain outside the fields of a later one.
    const std::pair<int, int> polaParagonu[] = {{219, 1}, {230, 9}, {239, 8}, {247, 8},
                                               {436, 108}, {544, 2}, {1429, 2}, {1465, 4}};
    const std::pair<int, int> polaPozycji[] = {{123, 17}, {140, 4}, {150, 8}, {158, 8},
                                              {176, 8}, {192, 8}, {214, 2}, {511, 2}};
    std::vector<torvel::RekordParagonu> paragony(3);
    std::vector<torvel::RekordPozycji> pozycje(3);
    for (int i = 0; i < 3; ++i) {
        paragony[i].numerParagonu = 1;
        paragony[i].dataParagonu = std::string(12 - 4 * i, '9');
        paragony[i].opisParagonu = std::string(200 - 90 * i, 'K');
        paragony[i].kwota1 = 1e300;
        pozycje[i].numerParagonu = 1;
        pozycje[i].kodPozycji = std::string(30 - 12 * i, '5');
        pozycje[i].kwotaWykazu1 = -1e300;
    }
    torvel::WczytajRekordy(paragony, pozycje);

    auto sprawdz = [](const std::vector<std::string>& rekordy, const auto& pola) {
        ASSERT_EQ(rekordy.size(), 3u);
        for (const std::string& rekord : rekordy) {
            std::string poza = rekord;
            for (const auto& [poczatek, dlugosc] : pola) memset(&poza[poczatek], 0, dlugosc);
            EXPECT_EQ(poza, std::string(rekord.size(), '\0'));
        }
    };
    sprawdz(Rekordy(44, 24, 0), polaParagonu);
    sprawdz(Rekordy(45, 68, 1), polaPozycji);
}

}  // namespace
