// The compatibility check: its steps in order, each one able to refuse the
// module, and the record-size list.
#include <gtest/gtest.h>

#include "shell/stan_modulu.h"
#include "shell/zgodnosc.h"
#include "tests/shell/srodowisko_zgodnosci.h"

namespace {

using testy::json;

class ZgodnoscSprawdzenie : public testy::SrodowiskoZgodnosci {
protected:
    std::vector<std::pair<std::string, int>> Niezgodne() const {
        std::vector<std::pair<std::string, int>> lista;
        for (const RozmiarTabeli* t = niezgodneTabele; t != nullptr && lista.size() < 10; t = t->nastepny)
            lista.push_back({t->nazwa, t->rzeczywisty});
        return lista;
    }
};

TEST_F(ZgodnoscSprawdzenie, ZgodnyHostPrzechodziWszystkieKrokiPoKolei) {
    torvel::stan().zgodnosc.brakujaceCechy = 1;  // bit 0 carries no requirement
    EXPECT_EQ(SprawdzZgodnosc(), 0);
    EXPECT_EQ(brakujaceCechy, 0u);
    EXPECT_EQ(Ordinaly(), (std::vector<int>{30006, 52006, 52006, 30018, 51594, 52256, 52256, 52256, 52256, 52256}));
    EXPECT_EQ(Wywolania(30006)[0]["args"], json::array({1, 1}));
    EXPECT_EQ(Wywolania(52006)[0]["args"], json::array({"May 15 2023"}));
    EXPECT_EQ(Wywolania(52006)[1]["args"], json::array({nullptr}));
    EXPECT_EQ(Wywolania(30018)[0]["args"], json::array({true, nullptr, 0}));
    std::vector<int> tabele;
    for (const json& w : Wywolania(52256)) tabele.push_back(w["args"][0].get<int>());
    EXPECT_EQ(tabele, (std::vector<int>{59, 44, 45, 46, 47}));
    EXPECT_EQ(niezgodneTabele, nullptr);
}

TEST_F(ZgodnoscSprawdzenie, BrakujaceCechyKonczaSprawdzenie) {
    torvel::stan().zgodnosc.brakujaceCechy = 3;
    EXPECT_EQ(SprawdzZgodnosc(), -1);
    EXPECT_EQ(brakujaceCechy, 2u);
    EXPECT_EQ(Ordinaly(), (std::vector<int>{30006}));
}

TEST_F(ZgodnoscSprawdzenie, BrakFunkcjiZwrotnejToPorazkaBezWywolan) {
    funkcjaZwrotnaHosta = nullptr;
    EXPECT_EQ(SprawdzZgodnosc(), -1);
    EXPECT_EQ(brakujaceCechy, 0xFFFFFFFFu);
    EXPECT_TRUE(Ordinaly().empty());
}

TEST_F(ZgodnoscSprawdzenie, BrakujaceFunkcjeKonczaSprawdzenie) {
    BrakujaceFunkcje(1, {52081});
    EXPECT_EQ(SprawdzZgodnosc(), -1);
    EXPECT_EQ(brakujaceCechy, 0u);
    EXPECT_EQ(Ordinaly(), (std::vector<int>{30006}));
}

TEST_F(ZgodnoscSprawdzenie, NumeryDatPorownywaneBezZnaku) {
    torvel::OdpowiedziZgodnosci& z = torvel::stan().zgodnosc;
    z.numerDatyModuluUstawiony = true;
    struct {
        uint32_t modul, host;
        int32_t wynik;
    } przypadki[] = {
        {20230515, 20230515, 0},   {20230515, 20230514, -1},  {1, 0x80000000u, 0},
        {0x7FFFFFFF, 0xFFFFFFFFu, -1},  // the module's date unreadable
    };
    for (const auto& p : przypadki) {
        z.numerDatyModulu = p.modul;
        z.numerDatyHosta = p.host;
        EXPECT_EQ(SprawdzZgodnosc(), p.wynik) << p.modul << " / " << p.host;
    }
}

TEST_F(ZgodnoscSprawdzenie, HostCzytaDateKompilacji) {
    // The host's own reading of "May 15 2023" against its number.
    torvel::stan().zgodnosc.numerDatyHosta = 20230515;
    EXPECT_EQ(SprawdzZgodnosc(), 0);
    torvel::stan().zgodnosc.numerDatyHosta = 20230514;
    EXPECT_EQ(SprawdzZgodnosc(), -1);
    EXPECT_EQ(Wywolania(52006)[0]["ret"], 20230515);
}

TEST_F(ZgodnoscSprawdzenie, SprzeciwHostaIWersjaInterfejsu) {
    torvel::stan().zgodnosc.sprzeciw = 1;
    EXPECT_EQ(SprawdzZgodnosc(), -1);
    EXPECT_TRUE(Wywolania(51594).empty());

    torvel::stan().zgodnosc.sprzeciw = 0;
    for (int wersja : {111, 113, 0}) {
        torvel::WyczyscSlad();
        torvel::stan().zgodnosc.wersjaInterfejsu = wersja;
        EXPECT_EQ(SprawdzZgodnosc(), -1) << wersja;
        EXPECT_TRUE(Wywolania(52256).empty()) << wersja;
    }
}

TEST_F(ZgodnoscSprawdzenie, RozmiaryRekordowBrakIRoznica) {
    torvel::stan().niedostepneTabele = {59};
    torvel::stan().rozmiaryRekordow[44] = 1470;
    for (int przebieg = 0; przebieg < 2; ++przebieg) {
        EXPECT_EQ(SprawdzRozmiaryRekordow(), 2) << przebieg;
        EXPECT_EQ(Niezgodne(), (std::vector<std::pair<std::string, int>>{{"d_dek", 0}, {"Tspr", 1470}})) << przebieg;
    }
    ASSERT_NE(niezgodneTabele, nullptr);
    EXPECT_EQ(niezgodneTabele->oczekiwany, 2750);
    EXPECT_EQ(niezgodneTabele->nastepny->oczekiwany, 1469);
    EXPECT_EQ(SprawdzZgodnosc(), -1);

    // Agreeing sizes empty the list again.
    torvel::stan().niedostepneTabele.clear();
    torvel::stan().rozmiaryRekordow.clear();
    EXPECT_EQ(SprawdzRozmiaryRekordow(), 0);
    EXPECT_EQ(niezgodneTabele, nullptr);
}

TEST_F(ZgodnoscSprawdzenie, KazdaTabelaMozeBycNiezgodna) {
    torvel::stan().rozmiaryRekordow = {{59, 1}, {44, 2}, {45, 3}, {46, 4}, {47, 5}};
    EXPECT_EQ(SprawdzRozmiaryRekordow(), 5);
    EXPECT_EQ(Niezgodne(), (std::vector<std::pair<std::string, int>>{
                               {"d_dek", 1}, {"Tspr", 2}, {"Tspr_dok", 3}, {"Tspr_kor", 4}, {"Tspr_kor_dok", 5}}));
    int oczekiwane[] = {2750, 1469, 515, 949, 256}, i = 0;
    for (const RozmiarTabeli* t = niezgodneTabele; t != nullptr; t = t->nastepny) EXPECT_EQ(t->oczekiwany, oczekiwane[i++]);
}

}  // namespace
