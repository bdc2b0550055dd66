// Binding of the host functions against the in-process stand-in host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platforma.h"
#include "shell/stan_modulu.h"
#include "shell/tablica_funkcji.h"
#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/torvel.h"

namespace {

std::vector<std::string> tekstyDebuggera;
bool debuggerObecny = false;

class WiazanieFunkcji : public ::testing::Test {
protected:
    void SetUp() override {
        torvel::Resetuj();
        torvel::stan().cichy = true;
        tekstyDebuggera.clear();
        debuggerObecny = false;
        platforma::zastepstwa.debuggerPodlaczony = [] { return debuggerObecny; };
        platforma::zastepstwa.tekstDlaDebuggera = [](const char* t) { tekstyDebuggera.push_back(t); };
        zapamietanyHost = uchwytHosta;
        PowiazOdNowa();
    }
    void TearDown() override {
        uchwytHosta = zapamietanyHost;
        torvel::Resetuj();
        PowiazOdNowa();
        platforma::zastepstwa = {};
    }
    // What loading does: every entry bound in table order, from a zero count.
    static void PowiazOdNowa() {
        liczbaBrakujacychFunkcji = 0;
        for (uint16_t& n : numeryBrakujacychFunkcji) n = 0;
        for (uint32_t i = 0; i < LICZBA_FUNKCJI_HOSTA; ++i) PodlaczWpisTablicy(i);
    }
    static std::vector<uint16_t> Zapamietane() {
        uint32_t n = liczbaBrakujacychFunkcji < 8 ? liczbaBrakujacychFunkcji : 8;
        return std::vector<uint16_t>(numeryBrakujacychFunkcji, numeryBrakujacychFunkcji + n);
    }
    UchwytModuluHosta zapamietanyHost = nullptr;
};

TEST_F(WiazanieFunkcji, HostZeWszystkimiFunkcjamiNieZostawiaBrakow) {
    debuggerObecny = true;
    PowiazOdNowa();
    EXPECT_EQ(liczbaBrakujacychFunkcji, 0u);
    EXPECT_TRUE(tekstyDebuggera.empty());
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_41399], reinterpret_cast<WpisFunkcjiHosta>(&Torvel41399));
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_52541], reinterpret_cast<WpisFunkcjiHosta>(&Torvel52541));
}

TEST_F(WiazanieFunkcji, DwieBrakujacePamietaWKolejnosciTablicy) {
    torvel::UkryjFunkcje({52081, 41611});
    PowiazOdNowa();
    EXPECT_EQ(liczbaBrakujacychFunkcji, 2u);
    EXPECT_EQ(Zapamietane(), (std::vector<uint16_t>{41611, 52081}));
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_41611], nullptr);
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_52081], nullptr);
    EXPECT_NE(TablicaFunkcjiHosta[INDEKS_52082], nullptr);
}

TEST_F(WiazanieFunkcji, DziesiecBrakujacychLiczyPamietajacOsiemPierwszych) {
    torvel::UkryjFunkcje({38511, 52029, 51539, 52541, 37980, 52133, 30203, 52224, 35804, 30308});
    PowiazOdNowa();
    EXPECT_EQ(liczbaBrakujacychFunkcji, 10u);
    EXPECT_EQ(Zapamietane(), (std::vector<uint16_t>{30308, 35804, 52224, 30203, 52133, 37980, 52541, 51539}));
}

TEST_F(WiazanieFunkcji, BezHostaBrakujeWszystkichSzescdziesieciu) {
    uchwytHosta = nullptr;
    PowiazOdNowa();
    EXPECT_EQ(liczbaBrakujacychFunkcji, 60u);
    EXPECT_EQ(Zapamietane(), (std::vector<uint16_t>{30018, 35802, 40008, 41611, 41613, 30005, 38417, 31012}));
    for (WpisFunkcjiHosta wpis : TablicaFunkcjiHosta) EXPECT_EQ(wpis, nullptr);
}

TEST_F(WiazanieFunkcji, TekstDlaDebuggeraTylkoGdyDebuggerJestPodlaczony) {
    torvel::UkryjFunkcje({41611, 52081});
    PowiazOdNowa();
    EXPECT_TRUE(tekstyDebuggera.empty());
    EXPECT_EQ(liczbaBrakujacychFunkcji, 2u) << "counting does not depend on the debugger";

    debuggerObecny = true;
    PowiazOdNowa();
    EXPECT_EQ(tekstyDebuggera,
              (std::vector<std::string>{"Brak funkcji o numerze 41611\n", "Brak funkcji o numerze 52081\n"}));
}

TEST_F(WiazanieFunkcji, BrakPoNazwieNieJestLiczony) {
    debuggerObecny = true;
    WpisFunkcjiHosta wpis = PierwszeWywolanie(0);
    const char* nazwa = "FunkcjaKtorejNieMa";
    EXPECT_EQ(PodlaczFunkcjeHosta(reinterpret_cast<uintptr_t>(nazwa), &wpis), nullptr);
    EXPECT_EQ(wpis, nullptr);
    EXPECT_EQ(liczbaBrakujacychFunkcji, 0u);
    EXPECT_EQ(tekstyDebuggera, (std::vector<std::string>{"Brak funkcji o nazwie FunkcjaKtorejNieMa\n"}));
}

TEST_F(WiazanieFunkcji, PierwszeWywolaniePrzekazujeWywolanieBezZmian) {
    // Fixed arguments and a result.
    TablicaFunkcjiHosta[INDEKS_30908] = PierwszeWywolanie(INDEKS_30908);
    EXPECT_LT(H30908()("C6.12.01", "C6.12.05"), 0);
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_30908], reinterpret_cast<WpisFunkcjiHosta>(&Torvel30908));

    // Variable arguments, a double among them, reach the host's formatting.
    TablicaFunkcjiHosta[INDEKS_52029] = PierwszeWywolanie(INDEKS_52029);
    H52029()("Uwaga", "%s %.2f %d %s", 512, "kwota", 12.5, 7, "koniec");
    ASSERT_FALSE(torvel::stan().komunikaty.empty());
    EXPECT_EQ(torvel::stan().komunikaty.back().tekst, "kwota 12.50 7 koniec");
    EXPECT_EQ(TablicaFunkcjiHosta[INDEKS_52029], reinterpret_cast<WpisFunkcjiHosta>(&Torvel52029));
}

}  // namespace
