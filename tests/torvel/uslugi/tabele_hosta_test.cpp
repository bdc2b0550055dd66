// The host's sales tables: fixture loading, packing at the record offsets,
// traversal with cursor and key, and cursors used wrongly.
#include <string.h>

#include "tests/torvel/uslugi/srodowisko_hosta.h"

namespace {

class TorvelTabele : public testy_hosta::SrodowiskoHosta {
protected:
    void SetUp() override {
        SrodowiskoHosta::SetUp();
        std::string blad;
        ASSERT_TRUE(torvel::WczytajDaneZTekstu(R"({
          "Tspr": [
            {"numerParagonu": 7, "dataParagonu": "C6.12.05", "minutaParagonu": 547, "kwota1": 412000,
             "kwota2": 43000.5, "opisParagonu": "Karta: 4400123 żółw", "stanParagonu": -2, "trybKwot": 1},
            {"numerParagonu": 8, "dataParagonu": "C6.12.06", "opisParagonu": "krótki"}
          ],
          "Tspr_dok": [
            {"numerParagonu": 7, "kodPozycji": "5901234123457", "ilosc": -2000, "grupa": 5, "kwotaSumy0": 70000,
             "kwotaSumy1": 1.25, "kwotaWykazu0": 34900, "kwotaWykazu1": -3, "znacznikPozycji": 1},
            {"numerParagonu": 8, "kodPozycji": "111"},
            {"numerParagonu": 7, "kodPozycji": "222", "znacznikPozycji": 0}
          ]})", &blad)) << blad;
    }

    // Starts a cursor as the module does; the result of 52278.
    int32_t Start(KursorTabeli* kursor, UchwytTabeli* tabela, int32_t indeks, int32_t wartosc) {
        memset(kursor, 0, sizeof *kursor);
        uint8_t klucz[ROZMIAR_KLUCZA];
        Torvel51425(indeks, 0, klucz, wartosc);
        return Torvel52278(kursor, tabela, indeks, klucz, 0, 0);
    }

    template <typename T>
    static T Pole(const UchwytTabeli* t, size_t przesuniecie) {
        T wartosc;
        memcpy(&wartosc, t->buforRekordu + przesuniecie, sizeof wartosc);
        return wartosc;
    }
    static std::string Bajty(const UchwytTabeli* t, size_t przesuniecie, size_t n) {
        return std::string(reinterpret_cast<const char*>(t->buforRekordu) + przesuniecie, n);
    }

    // The numbers of the receipts or items a traversal delivers, at `offset`.
    std::vector<int32_t> Przejdz(UchwytTabeli* t, int32_t indeks, int32_t wartosc, size_t przesuniecie) {
        std::vector<int32_t> wynik;
        KursorTabeli kursor;
        if (Start(&kursor, t, indeks, wartosc) != 0)
            while (Torvel52279(&kursor) == 1) wynik.push_back(Pole<int32_t>(t, przesuniecie));
        Torvel52281(&kursor);
        Torvel50538(&kursor);
        return wynik;
    }
};

TEST_F(TorvelTabele, ParagonSpakowanyWeWlasciwychMiejscach) {
    UchwytTabeli* t = Torvel52256(44);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rozmiarRekordu, 1469);
    EXPECT_EQ(Torvel52465(t, 255), 0);
    KursorTabeli kursor;
    ASSERT_EQ(Start(&kursor, t, 24, 0), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Pole<uint8_t>(t, 219), 1);
    EXPECT_EQ(Bajty(t, 230, 9), std::string("C6.12.05\0", 9));
    EXPECT_EQ(Pole<double>(t, 239), 412000.0);
    EXPECT_EQ(Pole<double>(t, 247), 43000.5);
    EXPECT_EQ(Bajty(t, 436, 20), std::string("Karta: 4400123 \xA7\xA2\x92w\0", 20));  // Mazovia
    EXPECT_EQ(Pole<int16_t>(t, 544), 547);
    EXPECT_EQ(Pole<int16_t>(t, 1429), -2);
    EXPECT_EQ(Pole<int32_t>(t, 1465), 7);

    // The next record replaces everything, missing fields included.
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Pole<int32_t>(t, 1465), 8);
    EXPECT_EQ(Bajty(t, 436, 12), std::string("kr\xA2tki\0\0\0\0\0\0", 12));
    EXPECT_EQ(Pole<uint8_t>(t, 219), 0);
    EXPECT_EQ(Pole<double>(t, 239), 0.0);
    EXPECT_EQ(Pole<int16_t>(t, 544), 0);
    EXPECT_EQ(Torvel52279(&kursor), 0);
    EXPECT_EQ(Torvel52281(&kursor), 0);
    Torvel50538(&kursor);
}

TEST_F(TorvelTabele, PozycjeParagonuWeWlasciwychMiejscach) {
    UchwytTabeli* t = Torvel52256(45);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rozmiarRekordu, 515);
    KursorTabeli kursor;
    ASSERT_EQ(Start(&kursor, t, 68, 7), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Bajty(t, 123, 17), std::string("5901234123457\0\0\0\0", 17));
    EXPECT_EQ(Pole<int32_t>(t, 140), -2000);
    EXPECT_EQ(Pole<double>(t, 150), 34900.0);
    EXPECT_EQ(Pole<double>(t, 158), 70000.0);
    EXPECT_EQ(Pole<double>(t, 176), 1.25);
    EXPECT_EQ(Pole<double>(t, 192), -3.0);
    EXPECT_EQ(Pole<int16_t>(t, 214), 5);
    EXPECT_EQ(Pole<int16_t>(t, 511), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Bajty(t, 123, 4), std::string("222\0", 4));
    EXPECT_EQ(Pole<int16_t>(t, 511), 0);
    EXPECT_EQ(Torvel52279(&kursor), 0);
    Torvel52281(&kursor);
}

TEST_F(TorvelTabele, KluczWybieraPozycjeJednegoParagonu) {
    UchwytTabeli* p = Torvel52256(44);
    UchwytTabeli* d = Torvel52256(45);
    EXPECT_EQ(Przejdz(p, 24, 0, 1465), (std::vector<int32_t>{7, 8}));
    EXPECT_EQ(Przejdz(d, 68, 8, 123), (std::vector<int32_t>{0x313131}));  // "111"
    KursorTabeli kursor;
    EXPECT_EQ(Start(&kursor, d, 68, 9), 0);  // no items
    EXPECT_EQ(Torvel52279(&kursor), 0);
    EXPECT_EQ(Torvel52281(&kursor), 0);
    EXPECT_EQ(Start(&kursor, d, 24, 7), 0);  // not an index of the item table
    EXPECT_EQ(Torvel52279(&kursor), 0);
}

TEST_F(TorvelTabele, PolaTekstoweNieWychodzaPozaSwojeBajty) {
    std::string blad;
    ASSERT_TRUE(torvel::WczytajDaneZTekstu(R"({
      "Tspr": [{"numerParagonu": 1, "dataParagonu": "C6.12.05XYZ", "kwota1": 1, "minutaParagonu": 258,
                "opisParagonu": ")" + std::string(200, 'o') + R"("}],
      "Tspr_dok": [{"numerParagonu": 1, "kodPozycji": "12345678901234567890", "ilosc": 513}]})",
                                           &blad))
        << blad;
    UchwytTabeli* p = Torvel52256(44);
    KursorTabeli kursor;
    ASSERT_EQ(Start(&kursor, p, 24, 0), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Bajty(p, 230, 9), "C6.12.05X");  // fills the field, no terminator
    EXPECT_EQ(Pole<double>(p, 239), 1.0);
    EXPECT_EQ(Bajty(p, 436, 108), std::string(108, 'o'));
    EXPECT_EQ(Pole<int16_t>(p, 544), 258);

    UchwytTabeli* d = Torvel52256(45);
    ASSERT_EQ(Start(&kursor, d, 68, 1), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Bajty(d, 123, 17), "12345678901234567");
    EXPECT_EQ(Pole<int32_t>(d, 140), 513);
}

TEST_F(TorvelTabele, ZmianyModuluWBuforzeNieZostaja) {
    UchwytTabeli* p = Torvel52256(44);
    KursorTabeli kursor;
    ASSERT_EQ(Start(&kursor, p, 24, 0), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    memset(p->buforRekordu + 230, 'X', 9);
    Torvel52281(&kursor);
    ASSERT_EQ(Start(&kursor, p, 24, 0), 1);
    ASSERT_EQ(Torvel52279(&kursor), 1);
    EXPECT_EQ(Bajty(p, 230, 9), std::string("C6.12.05\0", 9));
}

TEST_F(TorvelTabele, NiedostepneINieznaneTabele) {
    EXPECT_EQ(Torvel52256(43), nullptr);
    torvel::stan().niedostepneTabele = {45};
    EXPECT_EQ(Torvel52256(45), nullptr);
    EXPECT_NE(Torvel52256(44), nullptr);
    for (auto [numer, rozmiar] : {std::pair<int, int>{46, 949}, {47, 256}, {59, 2750}}) {
        UchwytTabeli* t = Torvel52256(numer);
        ASSERT_NE(t, nullptr) << numer;
        EXPECT_EQ(t->rozmiarRekordu, rozmiar);
        EXPECT_EQ(Przejdz(t, 24, 0, 0), std::vector<int32_t>{});
    }
}

TEST_F(TorvelTabele, ZmienionyRozmiarNiePsujeBufora) {
    torvel::stan().rozmiaryRekordow[44] = 100;
    UchwytTabeli* p = Torvel52256(44);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->rozmiarRekordu, 100);
    // The record is still packed whole into a buffer that holds it.
    EXPECT_EQ(Przejdz(p, 24, 0, 1465), (std::vector<int32_t>{7, 8}));
}

TEST_F(TorvelTabele, ZleUzytyKursorNicNieDostarcza) {
    UchwytTabeli* p = Torvel52256(44);
    KursorTabeli kursor;
    memset(&kursor, 0, sizeof kursor);
    EXPECT_EQ(Torvel52279(&kursor), 0);  // never started
    memset(&kursor, 0xAB, sizeof kursor);
    EXPECT_EQ(Torvel52279(&kursor), 0);
    EXPECT_EQ(Torvel52279(nullptr), 0);
    EXPECT_EQ(Torvel52278(nullptr, p, 24, nullptr, 0, 0), 0);

    ASSERT_EQ(Start(&kursor, p, 24, 0), 1);
    Torvel52281(&kursor);
    EXPECT_EQ(Torvel52279(&kursor), 0);  // closed
    Torvel52281(&kursor);                // closed twice
    Torvel50538(&kursor);

    ASSERT_EQ(Start(&kursor, p, 24, 0), 1);
    std::string blad;
    ASSERT_TRUE(torvel::WczytajDaneZTekstu("{}", &blad));
    EXPECT_EQ(Torvel52279(&kursor), 0);  // a cursor over data that is gone

    int obcy = 0;
    EXPECT_EQ(Start(&kursor, reinterpret_cast<UchwytTabeli*>(&obcy), 24, 0), 0);
    EXPECT_EQ(Start(&kursor, nullptr, 24, 0), 0);
    EXPECT_EQ(Torvel52279(&kursor), 0);
}

TEST_F(TorvelTabele, KursorNieRuszaOstatniegoSlowa) {
    UchwytTabeli* p = Torvel52256(44);
    KursorTabeli kursor;
    memset(&kursor, 0, sizeof kursor);
    uint8_t klucz[ROZMIAR_KLUCZA];
    Torvel51425(24, 0, klucz, 0);
    ASSERT_EQ(Torvel52278(&kursor, p, 24, klucz, 0, 0), 1);
    while (Torvel52279(&kursor) == 1) {
    }
    Torvel52281(&kursor);
    for (int i = ROZMIAR_KURSORA - 4; i < ROZMIAR_KURSORA; ++i) EXPECT_EQ(kursor.dane[i], 0) << i;
}

TEST_F(TorvelTabele, BledneDaneSaOdrzucaneBezZmianyTabel) {
    std::string blad;
    EXPECT_FALSE(torvel::WczytajDaneZTekstu("{nie json", &blad));
    EXPECT_FALSE(blad.empty());
    EXPECT_FALSE(torvel::WczytajDaneZTekstu(R"({"Tspr": [{"kwota1": "duzo"}]})", &blad));
    EXPECT_NE(blad.find("kwota1"), std::string::npos) << blad;
    EXPECT_FALSE(torvel::WczytajDaneZTekstu(R"({"Tspr_dok": {}})", &blad));
    EXPECT_FALSE(torvel::WczytajDaneZTekstu(R"([1, 2])", &blad));
    EXPECT_FALSE(torvel::WczytajDane(Sciezka("nie-ma.json"), &blad));
    // The data loaded before stays.
    EXPECT_EQ(Przejdz(Torvel52256(44), 24, 0, 1465), (std::vector<int32_t>{7, 8}));
}

}  // namespace
