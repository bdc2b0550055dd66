// The menu command: the form, the period, the till flags and the till
// reading around the export run.
#include <gtest/gtest.h>

#include "commands/raport_za_okres.h"
#include "commands/znaczniki_kas.h"
#include "tests/commands/srodowisko_polecen.h"

namespace {

using testy::DzienHosta;
using testy::json;

class PoleceniaRaportZaOkres : public testy::SrodowiskoPolecen {
protected:
    std::vector<std::string> KluczeKas() const {
        std::vector<std::string> klucze;
        for (const testy::WpisIni& w : Ini())
            if (w.sekcja == "odczytParagonowZKas") klucze.push_back(w.klucz + "=" + w.wartosc);
        return klucze;
    }
    const std::vector<std::string> WSZYSTKIE_KASY_JEDEN = {"Kasa01=1", "Kasa02=1", "Kasa03=1", "Kasa04=1", "Kasa05=1",
                                                           "Kasa06=1", "Kasa07=1", "Kasa08=1", "Kasa09=1", "Kasa10=1"};
};

TEST_F(PoleceniaRaportZaOkres, F12ZDomyslnymiDatamiEksportujeWczoraj) {
    EXPECT_EQ(RaportZaOkres(), 1);

    std::vector<json> formularz = Wywolania(52026);
    ASSERT_EQ(formularz.size(), 1u);
    EXPECT_EQ(formularz[0]["args"], json::array({306, 1001, {DzienHosta(-1), DzienHosta(-1)}, 0}));
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-1), DzienHosta(-1)}));

    EXPECT_EQ(KluczeKas(), WSZYSTKIE_KASY_JEDEN);
    std::vector<json> odczyt = Wywolania(51539);
    ASSERT_EQ(odczyt.size(), 1u);
    EXPECT_EQ(odczyt[0]["args"], json::array({{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 10}));
    EXPECT_EQ(Wywolania(51636)[0]["args"], json::array({1, 0}));
    // Tills, then the point-of-sale source, both under the batch flag, then the export.
    EXPECT_EQ(OrdinalySposrod({51539, 51636, 32008}), (std::vector<int>{51539, 51636, 32008, 32008}));
    EXPECT_EQ(torvel::stan().flagaPrzyOdczycieKas, 1);
    EXPECT_EQ(torvel::stan().flagaPrzyOdczycieSprzedazy, 1);
    EXPECT_EQ(torvel::stan().flagaWsadowa, 0);
    // The menu command never moves the automatic export's starting point.
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "<brak>");
}

TEST_F(PoleceniaRaportZaOkres, EksportujeOkresWpisanyWFormularzu) {
    torvel::stan().formularzOd = DzienHosta(-10);
    torvel::stan().formularzDo = DzienHosta(-4);
    EXPECT_EQ(RaportZaOkres(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-10), DzienHosta(-4)}));

    // Equal dates are one day (a minute later: the same minute's file is never replaced).
    torvel::WyczyscSlad();
    ++torvel::stan().minuta;
    torvel::stan().formularzOd = torvel::stan().formularzDo = DzienHosta(-6);
    EXPECT_EQ(RaportZaOkres(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-6), DzienHosta(-6)}));
}

TEST_F(PoleceniaRaportZaOkres, EscNieCzytaINieEksportuje) {
    torvel::stan().formularzPrzycisk = "ESC";
    EXPECT_EQ(RaportZaOkres(), 0);
    EXPECT_FALSE(PlikIstnieje("brenvik.ini"));
    EXPECT_TRUE(OrdinalySposrod({41399, 51539, 51636, 30908, 32008, 52030}).empty());
}

TEST_F(PoleceniaRaportZaOkres, PoczatekPoKoncuDajeOstrzezenie) {
    torvel::stan().formularzOd = DzienHosta(-2);
    torvel::stan().formularzDo = DzienHosta(-3);
    EXPECT_EQ(RaportZaOkres(), 0);
    std::vector<json> ostrzezenia = Wywolania(52030);
    ASSERT_EQ(ostrzezenia.size(), 1u);
    EXPECT_EQ(ostrzezenia[0]["args"][0], "Data początkowa nie może być późniejsza, niż data końcowa!");
    EXPECT_FALSE(PlikIstnieje("brenvik.ini"));
    EXPECT_TRUE(OrdinalySposrod({51539, 51636, 32008}).empty());
    EXPECT_EQ(Wywolania(52026).size(), 1u);  // not shown again
}

TEST_F(PoleceniaRaportZaOkres, FlagaWsadowaPomijaFormularzITrzyDni) {
    torvel::stan().flagaWsadowa = 1;
    EXPECT_EQ(RaportZaOkres(), 1);
    EXPECT_TRUE(Wywolania(52026).empty());
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-3), DzienHosta(-1)}));
    EXPECT_EQ(torvel::stan().flagaWsadowa, 0);
}

class PoleceniaZnacznikiKas : public PoleceniaRaportZaOkres {};

TEST_F(PoleceniaZnacznikiKas, BrakujaceKluczeDostajaJedynke) {
    int16_t znaczniki[LICZBA_KAS + 1];
    znaczniki[LICZBA_KAS] = 0x5A5A;
    WczytajZnacznikiKas(znaczniki);
    for (int i = 0; i < LICZBA_KAS; ++i) EXPECT_EQ(znaczniki[i], 1) << i;
    EXPECT_EQ(znaczniki[LICZBA_KAS], 0x5A5A);
    EXPECT_EQ(KluczeKas(), WSZYSTKIE_KASY_JEDEN);
}

TEST_F(PoleceniaZnacznikiKas, IstniejacyKluczNieJestNadpisywany) {
    Ustawienia("[odczytParagonowZKas]\r\nKasa03=0\r\nKasa1=0\r\nKasa10=7\r\n");
    int16_t znaczniki[LICZBA_KAS];
    WczytajZnacznikiKas(znaczniki);
    const int16_t oczekiwane[LICZBA_KAS] = {1, 1, 0, 1, 1, 1, 1, 1, 1, 7};
    for (int i = 0; i < LICZBA_KAS; ++i) EXPECT_EQ(znaczniki[i], oczekiwane[i]) << i;

    std::vector<std::string> czytane, zapisane;
    for (const json& w : Wywolania(41399))
        (w["args"][1] == 8 ? czytane : zapisane).push_back(w["args"][3].get<std::string>());
    EXPECT_EQ(czytane, (std::vector<std::string>{"Kasa01", "Kasa02", "Kasa03", "Kasa04", "Kasa05", "Kasa06", "Kasa07",
                                                 "Kasa08", "Kasa09", "Kasa10"}));
    EXPECT_EQ(zapisane, (std::vector<std::string>{"Kasa01", "Kasa02", "Kasa04", "Kasa05", "Kasa06", "Kasa07", "Kasa08",
                                                  "Kasa09"}));
    EXPECT_EQ(WartoscIni("odczytParagonowZKas", "Kasa03"), "0");
    EXPECT_EQ(WartoscIni("odczytParagonowZKas", "Kasa1"), "0");
}

}  // namespace
