// The card sales file: name, first line, receipt lines byte for byte.
#include <filesystem>
#include <string>

#include "export/eksport_sprzedazy.h"
#include "export/paragony_bez_grupy.h"
#include "tests/export/srodowisko_eksportu.h"

namespace testy {
namespace {

class EksportPlik : public SrodowiskoEksportu {
protected:
    // Names of the files in "BRENVIK".
    std::vector<std::string> PlikiEksportu() const {
        std::vector<std::string> nazwy;
        std::error_code blad;
        for (const auto& wpis : std::filesystem::directory_iterator(Sciezka("BRENVIK"), blad))
            nazwy.push_back(wpis.path().filename().string());
        return nazwy;
    }
    std::string JedynyPlik() const {
        std::vector<std::string> nazwy = PlikiEksportu();
        if (nazwy.size() != 1) {
            ADD_FAILURE() << "files in BRENVIK: " << nazwy.size();
            return std::string();
        }
        return CzytajPlik("BRENVIK/" + nazwy[0]);
    }
};

TEST_F(EksportPlik, PrzykladZNazwaIBajtamiCRLF) {
    Ustawienia("[ustawieniaRaportu]\nidSklepu=15\nidSpoldzielni=7\n");
    json paragon = Paragon(1, "C6.12.05", "Karta:4400123", 412000, 43000);
    paragon["minutaParagonu"] = 547;
    Dane({{"Tspr", {paragon}},
          {"Tspr_dok",
           {Pozycja(1, "5901234123457", 2000, 70000, 34900), Pozycja(1, "2000123", 1500, 350000, 129900)}}});
    torvel::stan().rok = 2026, torvel::stan().miesiac = 12, torvel::stan().dzien = 7;
    torvel::stan().godzina = 13, torvel::stan().minuta = 42;

    EXPECT_EQ(EksportSprzedazy(TRYB_Z_MENU, "C6.12.01", "C6.12.07"), 1);

    ASSERT_EQ(PlikiEksportu(), std::vector<std::string>{"07_015_2026_12_07_1342.csv"});
    EXPECT_EQ(CzytajPlik("BRENVIK/07_015_2026_12_07_1342.csv"),
              "07\r\n4400123;2026-12-05 09:07;45.50;42.00;015|5901234123457;2.000;3.49|2000123;1.500;12.99\r\n");
    ASSERT_GE(ArgumentyCurl().size(), 6u);
    std::string lokalny = ArgumentyCurl()[5];
    EXPECT_NE(lokalny.find("07_015_2026_12_07_1342.csv"), std::string::npos) << lokalny;
}

TEST_F(EksportPlik, OkresBezParagonowDajeSamNumerSpoldzielniIMimoToWysyla) {
    Ustawienia("[ustawieniaRaportu]\nidSpoldzielni=3\nidSklepu=7\n");
    Dane({{"Tspr", json::array()}, {"Tspr_dok", json::array()}});
    EXPECT_EQ(EksportSprzedazy(TRYB_Z_MENU, "", ""), 1);
    EXPECT_EQ(PlikiEksportu(), std::vector<std::string>{"03_007_2026_12_07_1342.csv"});
    EXPECT_EQ(JedynyPlik(), "03\r\n");
    EXPECT_EQ(UruchomieniaCurl(), 1);
}

TEST_F(EksportPlik, SzerokosciNumerowSaMinimalne_IdSklepuBierzeNiskie16Bitow) {
    Dane({{"Tspr", {Paragon(1, "C6.12.05", "Karta:1")}}, {"Tspr_dok", {Pozycja(1, "1", 1000, 10000, 10000)}}});
    Ustawienia("[ustawieniaRaportu]\nidSpoldzielni=3\nidSklepu=1234\n");
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(PlikiEksportu(), std::vector<std::string>{"03_1234_2026_12_07_1342.csv"});

    std::filesystem::remove_all(Sciezka("BRENVIK"));
    Ustawienia("[ustawieniaRaportu]\nidSpoldzielni=3\nidSklepu=70000\n");
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(PlikiEksportu(), std::vector<std::string>{"03_4464_2026_12_07_1342.csv"});
    EXPECT_EQ(JedynyPlik(), "03\r\n1;2026-12-05 10:00;1.00;1.00;4464|1;1.000;1.00\r\n");
}

TEST_F(EksportPlik, PolnocToGodzina2400TegoDnia_PiecPoPolnocyTo0005) {
    Dane({{"Tspr", json::array()}});
    torvel::stan().dzien = 8, torvel::stan().godzina = 0, torvel::stan().minuta = 0;
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(PlikiEksportu(), std::vector<std::string>{"01_001_2026_12_08_2400.csv"});

    std::filesystem::remove_all(Sciezka("BRENVIK"));
    torvel::stan().minuta = 5;
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(PlikiEksportu(), std::vector<std::string>{"01_001_2026_12_08_0005.csv"});
}

TEST_F(EksportPlik, MinutyParagonuIZaokraglanieKwotPoMnozeniuPrzez00001) {
    json o_polnocy = Paragon(1, "C6.12.05", "Karta:11", 10050, 0);
    o_polnocy["minutaParagonu"] = 0;
    json przed_polnoca = Paragon(2, "D0.01.31", "Karta:22", 5, 0);
    przed_polnoca["minutaParagonu"] = 1439;
    Dane({{"Tspr", {o_polnocy, przed_polnoca}},
          {"Tspr_dok", {Pozycja(1, "7", 1, 10050, 10050), Pozycja(2, "8", -1, 5, 5)}}});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    // A receipt whose items are all left out of the list ends at the shop number.
    EXPECT_EQ(JedynyPlik(),
              "01\r\n"
              "11;2026-12-05 00:00;1.01;1.01;001|7;0.001;1.01\r\n"
              "22;2030-01-31 23:59;0.00;0.00;001\r\n");
}

TEST_F(EksportPlik, KodPozycjiUcietyNaPierwszymZnakuNiebedacymCyfra) {
    Dane({{"Tspr", {Paragon(1, "C6.12.05", "Karta:1")}},
          {"Tspr_dok",
           {Pozycja(1, "5901234123457", 1000, 100, 100), Pozycja(1, "12AB34", 1000, 100, 100),
            Pozycja(1, "AB12", 1000, 100, 100), Pozycja(1, "", 1000, 100, 100)}}});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(JedynyPlik(),
              "01\r\n1;2026-12-05 10:00;1.00;0.04;001|5901234123457;1.000;0.01|12;1.000;0.01|0;1.000;0.01|0;1.000;0.01\r\n");
}

TEST(EksportKodPozycji, CyfryNaPoczatkuAlboZero) {
    char a[] = "12AB34", b[] = "A1", c[] = "", d[] = "0042 ";
    EXPECT_STREQ(KodDoWykazu(a), "12");
    EXPECT_STREQ(a, "12");  // cut in place
    EXPECT_STREQ(KodDoWykazu(b), "0");
    EXPECT_STREQ(KodDoWykazu(c), "0");
    EXPECT_STREQ(KodDoWykazu(d), "0042");
}

}  // namespace
}  // namespace testy
