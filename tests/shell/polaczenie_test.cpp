// Exports 30001 and 30008: connect, disconnect, the command record, and the
// host event framing the automatic export.
#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>

#include "commands/raport_za_okres.h"
#include "shell/eksporty.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"
#include "tests/commands/srodowisko_polecen.h"
#include "tests/shell/srodowisko_zgodnosci.h"

namespace {

using testy::json;

int wywolaniaFunkcjiTestowej = 0;
int32_t HOSTCALL FunkcjaZwrotnaTestowa(int32_t a, int32_t b) {
    ++wywolaniaFunkcjiTestowej;
    return (a == 1 && b == 1) ? 1 : 0;
}

class PolaczenieEksporty : public testy::SrodowiskoZgodnosci {
protected:
    void SetUp() override {
        testy::SrodowiskoZgodnosci::SetUp();
        wywolaniaFunkcjiTestowej = 0;
    }
    std::vector<int> OrdinalySposrod(const std::vector<int>& wybrane) const {
        std::vector<int> wynik;
        for (int o : Ordinaly())
            if (std::find(wybrane.begin(), wybrane.end(), o) != wybrane.end()) wynik.push_back(o);
        return wynik;
    }
    // A stored date of yesterday makes the automatic export stop at once.
    void NicDoEksportu() {
        Ustawienia("[danePomocnicze]\r\nDataOstatniegoEksportu=" + testy::DzienHosta(-1) + "\r\n");
    }
};

TEST_F(PolaczenieEksporty, RekordPolecenia) {
    EXPECT_EQ(rekordPolecenia.kodPolecenia, 16396u);
    EXPECT_STREQ(rekordPolecenia.tytul, "Eksport sprzeda\xA7y do Lumera");
    EXPECT_EQ(rekordPolecenia.identyfikator, 0x7F05u);
    EXPECT_EQ(rekordPolecenia.obsluga, &RaportZaOkres);
    EXPECT_EQ(rekordPolecenia.zarezerwowane, 0u);
}

TEST_F(PolaczenieEksporty, PolaczenieZapisujeNazweSprawdzaIRejestruje) {
    char rekord[16];
    memset(rekord, 'x', sizeof rekord);
    EXPECT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, rekord), 0);
    EXPECT_STREQ(rekord, "Brenvik");
    EXPECT_EQ(rekord[8], 'x');
    // The given callback replaced the host's export and answered the check.
    EXPECT_EQ(funkcjaZwrotnaHosta, &FunkcjaZwrotnaTestowa);
    EXPECT_EQ(wywolaniaFunkcjiTestowej, 1);
    EXPECT_TRUE(Wywolania(30006).empty());
    std::vector<json> rejestracje = Wywolania(52081);
    ASSERT_EQ(rejestracje.size(), 1u);
    EXPECT_EQ(rejestracje[0]["args"][0], json::array({16396, "Eksport sprzedaży do Lumera", 32517, true, 0}));
    EXPECT_EQ(torvel::stan().polecenie, &rekordPolecenia);
    EXPECT_EQ(Ordinaly().back(), 52081);  // after the check
}

TEST_F(PolaczenieEksporty, PustyRekordNadalSprawdzaIRejestruje) {
    EXPECT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), 0);
    EXPECT_EQ(wywolaniaFunkcjiTestowej, 1);
    EXPECT_EQ(Wywolania(51594).size(), 1u);
    EXPECT_EQ(Wywolania(52081).size(), 1u);
}

TEST_F(PolaczenieEksporty, OdrzuconePolaczenieNieRejestruje) {
    torvel::stan().zgodnosc.wersjaInterfejsu = 111;
    char rekord[16] = {};
    EXPECT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, rekord), -1);
    EXPECT_STREQ(rekord, "Brenvik");
    EXPECT_TRUE(Wywolania(52081).empty());
    EXPECT_EQ(torvel::stan().polecenie, nullptr);
}

TEST_F(PolaczenieEksporty, RozlaczenieWycofujePolecenieBezSprawdzania) {
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), 0);
    torvel::WyczyscSlad();
    wywolaniaFunkcjiTestowej = 0;
    char rekord[16] = "nietkniety";
    EXPECT_EQ(Eksport30001(nullptr, rekord), 0);
    EXPECT_EQ(Ordinaly(), (std::vector<int>{52082}));
    EXPECT_EQ(Wywolania(52082)[0]["args"], json::array({32517}));
    EXPECT_EQ(wywolaniaFunkcjiTestowej, 0);
    EXPECT_STREQ(rekord, "nietkniety");
    EXPECT_EQ(torvel::stan().polecenie, nullptr);
    EXPECT_EQ(funkcjaZwrotnaHosta, &FunkcjaZwrotnaTestowa);
}

TEST_F(PolaczenieEksporty, RozlaczenieBezFunkcji52082NieWolaPustegoWpisu) {
    WpisFunkcjiHosta wpis = TablicaFunkcjiHosta[INDEKS_52082];
    TablicaFunkcjiHosta[INDEKS_52082] = nullptr;
    EXPECT_EQ(Eksport30001(nullptr, nullptr), 0);
    TablicaFunkcjiHosta[INDEKS_52082] = wpis;
    EXPECT_TRUE(Ordinaly().empty());
}

TEST_F(PolaczenieEksporty, ZdarzenieNiezeroweToRaport) {
    torvel::stan().zgodnosc.wersjaInterfejsu = 111;
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), -1);
    torvel::WyczyscSlad();
    EXPECT_EQ(Eksport30008(1), 0);
    EXPECT_EQ(Raporty().size(), 1u);
    EXPECT_NE(Raporty()[0].find("różnych wersjach"), std::string::npos);
    EXPECT_TRUE(Wywolania(24235).empty());
}

TEST_F(PolaczenieEksporty, ZdarzenieObramowujeEksportAutomatyczny) {
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), 0);
    NicDoEksportu();
    torvel::stan().stanHosta = 7;
    torvel::WyczyscSlad();
    EXPECT_EQ(Eksport30008(0), 0);
    EXPECT_EQ(OrdinalySposrod({37974, 24235, 52172, 30204, 30908}), (std::vector<int>{37974, 24235, 52172, 30204, 30908, 24235}));
    std::vector<json> stany = Wywolania(24235);
    EXPECT_EQ(stany[0]["args"], json::array({3}));
    EXPECT_EQ(stany[0]["ret"], 7);
    EXPECT_EQ(stany[1]["args"], json::array({7}));
    EXPECT_EQ(Wywolania(52172)[0]["args"], json::array({1}));
    EXPECT_EQ(torvel::stan().stanHosta, 7);
}

TEST_F(PolaczenieEksporty, ZdarzeniePrzyFladzeWsadowejNicNieRobi) {
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), 0);
    torvel::WyczyscSlad();
    torvel::stan().flagaWsadowa = 1;
    EXPECT_EQ(Eksport30008(0), 0);
    EXPECT_EQ(Ordinaly(), (std::vector<int>{37974}));
    EXPECT_EQ(torvel::stan().flagaWsadowa, 1);
}

TEST_F(PolaczenieEksporty, ZdarzeniePoOdrzuconymPolaczeniuNicNieRobi) {
    torvel::stan().zgodnosc.sprzeciw = 1;
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), -1);
    torvel::WyczyscSlad();
    EXPECT_EQ(Eksport30008(0), 0);
    EXPECT_TRUE(Ordinaly().empty());

    // A later accepted connect lets the event run again.
    torvel::stan().zgodnosc.sprzeciw = 0;
    ASSERT_EQ(Eksport30001(FunkcjaZwrotnaTestowa, nullptr), 0);
    NicDoEksportu();
    torvel::WyczyscSlad();
    EXPECT_EQ(Eksport30008(0), 0);
    EXPECT_EQ(Wywolania(52172).size(), 1u);

    // A host that lacks a function never runs it, whatever the last connect said.
    BrakujaceFunkcje(1, {52172});
    torvel::WyczyscSlad();
    EXPECT_EQ(Eksport30008(0), 0);
    EXPECT_TRUE(Ordinaly().empty());
}

}  // namespace
