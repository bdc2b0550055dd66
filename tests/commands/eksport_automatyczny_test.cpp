// The automatic export: its period rules, the option word, the enabling
// switch, and its status texts and pauses around the export run.
#include <gtest/gtest.h>

#include "commands/eksport_automatyczny.h"
#include "tests/commands/srodowisko_polecen.h"

namespace {

using testy::DzienHosta;
using testy::json;

class PoleceniaEksportAutomatyczny : public testy::SrodowiskoPolecen {
protected:
    void ZapisanaData(const std::string& data) { Ustawienia("[danePomocnicze]\r\nDataOstatniegoEksportu=" + data + "\r\n"); }
};

TEST_F(PoleceniaEksportAutomatyczny, BezZapisanejDatyDwaDniDoWczoraj) {
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-2), DzienHosta(-1)}));
    // Written by the successful upload only, not as a default.
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), DzienHosta(-1));
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"),
              "Eksport danych od " + DzienHosta(-2) + " do " + DzienHosta(-1));
}

TEST_F(PoleceniaEksportAutomatyczny, DataRownaWczorajNicNieRobi) {
    ZapisanaData(DzienHosta(-1));
    std::string ustawieniaPrzed = CzytajPlik("brenvik.ini");
    EXPECT_EQ(EksportAutomatyczny(), 0);
    EXPECT_TRUE(torvel::stan().komunikaty.empty());
    EXPECT_TRUE(Pauzy().empty());
    EXPECT_TRUE(OrdinalySposrod({37974, 52267, 32300, 32408, 51539, 51636, 52029, 32008}).empty());
    EXPECT_EQ(CzytajPlik("brenvik.ini"), ustawieniaPrzed);
}

TEST_F(PoleceniaEksportAutomatyczny, DataSprzedTrzechDniOdNiejDoWczoraj) {
    ZapisanaData(DzienHosta(-3));
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-3), DzienHosta(-1)}));
}

TEST_F(PoleceniaEksportAutomatyczny, PozniejszaDataTrzyDniDoWczoraj) {
    ZapisanaData(DzienHosta(0));
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-3), DzienHosta(-1)}));
}

TEST_F(PoleceniaEksportAutomatyczny, FlagaWsadowaKonczyOkresDzisiaj) {
    ZapisanaData(DzienHosta(-5));
    torvel::stan().flagaWsadowa = 1;
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-5), DzienHosta(0)}));
    EXPECT_EQ(torvel::stan().flagaPrzyOdczycieKas, 1);
    EXPECT_EQ(torvel::stan().flagaWsadowa, 0);
}

TEST_F(PoleceniaEksportAutomatyczny, NieudanaWysylkaZostawiaPunktStartu) {
    ZapisanaData(DzienHosta(-4));
    Curl(7);
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), DzienHosta(-4));
    torvel::WyczyscSlad();
    Curl(0);
    ++torvel::stan().minuta;  // the same minute's file is never replaced
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_EQ(OkresEksportu(), (std::vector<std::string>{DzienHosta(-4), DzienHosta(-1)}));
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), DzienHosta(-1));
}

TEST_F(PoleceniaEksportAutomatyczny, ZbytDlugaZapisanaDataNieWychodziPozaBufor) {
    std::string dluga(300, '7');
    ZapisanaData(dluga);
    EksportAutomatyczny();
    std::vector<json> porownania = Wywolania(30908);
    ASSERT_FALSE(porownania.empty());
    EXPECT_EQ(porownania[0]["args"][0], dluga.substr(0, 19));
    EXPECT_EQ(porownania[0]["args"][1], DzienHosta(-1));
}

TEST_F(PoleceniaEksportAutomatyczny, BitOpcjiUstawionyNaCzasIPrzywrocony) {
    torvel::stan().slowoOpcji = 0x0011;
    EksportAutomatyczny();
    std::vector<json> zmiany = Wywolania(32408);
    ASSERT_EQ(zmiany.size(), 2u);
    EXPECT_EQ(zmiany[0]["args"], json::array({0x8000, 1}));
    EXPECT_EQ(zmiany[1]["args"], json::array({0x8000, 0}));
    EXPECT_EQ(torvel::stan().slowoOpcji, 0x0011);
    // Set before the tills are read, cleared after the last status text.
    EXPECT_EQ(OrdinalySposrod({32408, 51539}), (std::vector<int>{32408, 51539, 32408}));
    EXPECT_EQ(TekstyStatusu().back(), "setScreenStyle");
    EXPECT_EQ(OrdinalySposrod({32408, 52064}).back(), 52064);
}

TEST_F(PoleceniaEksportAutomatyczny, BitOpcjiJuzUstawionyZostaje) {
    torvel::stan().slowoOpcji = 0x8001;
    EksportAutomatyczny();
    EXPECT_TRUE(Wywolania(32408).empty());
    EXPECT_EQ(torvel::stan().slowoOpcji, 0x8001);
}

TEST_F(PoleceniaEksportAutomatyczny, WylacznikZeroNicNieRobi) {
    torvel::stan().przelacznikAutomatu = 0;
    torvel::stan().slowoOpcji = 0;
    EXPECT_EQ(EksportAutomatyczny(), 1);
    EXPECT_TRUE(OrdinalySposrod({32300, 32408, 51539, 51636, 52029, 32008}).empty());
    EXPECT_TRUE(Pauzy().empty());
    EXPECT_TRUE(torvel::stan().komunikaty.empty());
    EXPECT_EQ(WartoscIni("odczytParagonowZKas", "Kasa01"), "<brak>");
}

TEST_F(PoleceniaEksportAutomatyczny, StatusyIPauzyWKolejnosci) {
    EksportAutomatyczny();
    std::vector<std::string> statusy = TekstyStatusu();
    ASSERT_GE(statusy.size(), 4u);
    EXPECT_EQ(statusy[0], "Odczyt z kas");
    EXPECT_EQ(statusy[1], "Odczyt z VANTEL");
    EXPECT_EQ(statusy[2], "Eksport sprzedazy ");
    EXPECT_EQ(statusy.back(), "setScreenStyle");
    std::vector<json> wywolania = Wywolania(52029);
    for (const json& w : {wywolania[0], wywolania[1], wywolania[2], wywolania.back()})
        EXPECT_EQ(w["args"], json::array({"Uwaga", w["args"][3], 512, w["args"][3]}));

    // Own pauses around the export run's six (successful upload, mode 0).
    EXPECT_EQ(CzasyPauz(), (std::vector<uint32_t>{500, 500, 1500, 1000, 1000, 1000, 1000, 500, 1000, 500}));
    // Each pause follows its own status text.
    const std::vector<testy::ZapisanaPauza>& pauzy = Pauzy();
    const std::vector<torvel::Komunikat>& komunikaty = torvel::stan().komunikaty;
    EXPECT_EQ(komunikaty[pauzy[0].komunikatow - 1].tekst, "Odczyt z kas");
    EXPECT_EQ(komunikaty[pauzy[1].komunikatow - 1].tekst, "Odczyt z VANTEL");
    EXPECT_EQ(komunikaty[pauzy[2].komunikatow - 1].tekst, "Eksport sprzedazy ");
    EXPECT_EQ(komunikaty[pauzy.back().komunikatow - 1].tekst, "setScreenStyle");

    // Each status text is removed after its reading; the till reading and
    // the point-of-sale reading happen under the batch flag.
    std::vector<int> kolejnosc = OrdinalySposrod({52029, 52064, 51539, 51636});
    std::vector<int> poczatek(kolejnosc.begin(), kolejnosc.begin() + 9);
    EXPECT_EQ(poczatek, (std::vector<int>{52029, 51539, 52064, 52029, 51636, 52064, 52029, 52064, 52029}));
    EXPECT_EQ(kolejnosc.back(), 52064);
    EXPECT_EQ(torvel::stan().flagaPrzyOdczycieKas, 1);
    EXPECT_EQ(torvel::stan().flagaPrzyOdczycieSprzedazy, 1);
    EXPECT_EQ(torvel::stan().flagaWsadowa, 0);
}

}  // namespace
