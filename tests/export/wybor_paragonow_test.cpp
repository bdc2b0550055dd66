// Which receipts the run exports, and what their card amount and item
// list hold.
#include <filesystem>
#include <string>

#include "export/eksport_sprzedazy.h"
#include "tests/export/srodowisko_eksportu.h"

namespace testy {
namespace {

class EksportWybor : public SrodowiskoEksportu {
protected:
    // The lines after the first one of the only export file, without CR LF.
    std::vector<std::string> Linie() const {
        std::vector<std::string> linie;
        std::error_code blad;
        for (const auto& wpis : std::filesystem::directory_iterator(Sciezka("BRENVIK"), blad)) {
            std::string tresc = CzytajPlik("BRENVIK/" + wpis.path().filename().string());
            size_t poczatek = tresc.find("\r\n");
            if (poczatek == std::string::npos) return linie;
            for (size_t p = poczatek + 2; p < tresc.size();) {
                size_t koniec = tresc.find("\r\n", p);
                if (koniec == std::string::npos) {
                    ADD_FAILURE() << "line without CR LF";
                    break;
                }
                linie.push_back(tresc.substr(p, koniec - p));
                p = koniec + 2;
            }
        }
        return linie;
    }
    std::vector<std::string> Karty() const {
        std::vector<std::string> karty;
        for (const std::string& l : Linie()) karty.push_back(l.substr(0, l.find(';')));
        return karty;
    }
    // Each receipt numbered n gets one item worth 1.00, card number "K<n>".
    void ParagonyZJednaPozycja(std::vector<json> paragony) {
        json dok = json::array();
        for (const json& p : paragony) dok.push_back(Pozycja(p["numerParagonu"], "1", 1000, 10000, 10000));
        Dane({{"Tspr", paragony}, {"Tspr_dok", dok}});
    }
};

TEST_F(EksportWybor, GraniceOkresuWlacznie_PusteGraniceNieOgraniczaja) {
    ParagonyZJednaPozycja({Paragon(1, "C6.11.30", "Karta:K1"), Paragon(2, "C6.12.01", "Karta:K2"),
                           Paragon(3, "C6.12.07", "Karta:K3"), Paragon(4, "C6.12.08", "Karta:K4")});
    EksportSprzedazy(TRYB_Z_MENU, "C6.12.01", "C6.12.07");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"K2", "K3"}));

    std::filesystem::remove_all(Sciezka("BRENVIK"));
    EksportSprzedazy(TRYB_Z_MENU, "", "C6.12.07");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"K1", "K2", "K3"}));

    std::filesystem::remove_all(Sciezka("BRENVIK"));
    EksportSprzedazy(TRYB_Z_MENU, "C6.12.01", "");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"K2", "K3", "K4"}));

    std::filesystem::remove_all(Sciezka("BRENVIK"));
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"K1", "K2", "K3", "K4"}));
}

TEST_F(EksportWybor, NaglowekParagonuDecyduje_NumerStanDataIKarta) {
    json stan_dodatni = Paragon(2, "C6.12.05", "Karta:K2");
    stan_dodatni["stanParagonu"] = 1;
    json stan_ujemny = Paragon(3, "C6.12.05", "Karta:K3");
    stan_ujemny["stanParagonu"] = -1;
    ParagonyZJednaPozycja({Paragon(0, "C6.12.05", "Karta:K0"), stan_dodatni, stan_ujemny,
                           Paragon(4, "", "Karta:K4"), Paragon(5, "C6.12.05", "karta:K5"),
                           Paragon(6, "C6.12.05", "KARTA:K6"), Paragon(7, "C6.12.05", "bez karty"),
                           Paragon(8, "C6.12.05", "klient Karta:K8 Karta:K9")});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"K3", "K8"}));
}

TEST_F(EksportWybor, NumerKartyBezOdstepowDookolaUcietyNaPierwszymOdstepieI49Znakach) {
    std::string dlugi(80, '7');
    ParagonyZJednaPozycja({Paragon(1, "C6.12.05", "Karta:   4400123   x"), Paragon(2, "C6.12.05", "Karta: 55 66"),
                           Paragon(3, "C6.12.05", "Karta:" + dlugi), Paragon(4, "C6.12.05", "Karta:"),
                           Paragon(5, "C6.12.05", "Karta:" + std::string(45, ' ') + "4400123"),
                           Paragon(6, "C6.12.05", "Karta:\t \t" + dlugi + " x"), Paragon(7, "C6.12.05", "Karta: 88\t99")});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Karty(), (std::vector<std::string>{"4400123", "55", dlugi.substr(0, 49), "", "4400123", dlugi.substr(0, 49),
                                                 "88"}));
}

TEST_F(EksportWybor, WykluczoneGrupyPomijaneWKwocie_AleWykazywane_ZeroIUjemneNicNieWykluczaja) {
    Ustawienia("[ustawieniaRaportu]\nwykluczonaGrupa=0\nwykluczonaGrupa2=-5\nwykluczonaGrupa15=5\n");
    Dane({{"Tspr", {Paragon(1, "C6.12.05", "Karta:A"), Paragon(2, "C6.12.05", "Karta:B")}},
          {"Tspr_dok",
           {Pozycja(1, "100", 1000, 20000, 20000, 5), Pozycja(1, "200", 1000, 30000, 30000, 0),
            Pozycja(1, "300", 1000, 40000, 40000, -5),
            // receipt 2: only goods of the excluded group
            Pozycja(2, "400", 1000, 50000, 50000, 5)}}});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Linie(), (std::vector<std::string>{
                           "A;2026-12-05 10:00;1.00;7.00;001|100;1.000;2.00|200;1.000;3.00|300;1.000;4.00"}));
}

TEST_F(EksportWybor, UjemnaIloscLiczySieDoKwotyAleNieDoWykazu_ZerowaIBezZnacznikaWcaleNie) {
    json bez_znacznika = Pozycja(1, "4", 1000, 80000, 80000);
    bez_znacznika["znacznikPozycji"] = 0;
    Dane({{"Tspr", {Paragon(1, "C6.12.05", "Karta:A"), Paragon(2, "C6.12.05", "Karta:B")}},
          {"Tspr_dok",
           {Pozycja(1, "1", 2000, 50000, 50000), Pozycja(1, "2", -1000, -20000, -20000),
            Pozycja(1, "3", 0, 70000, 70000), bez_znacznika,
            // receipt 2: a return larger than the sale gives a negative amount
            Pozycja(2, "5", 1000, 10000, 10000), Pozycja(2, "6", -1000, -30000, -30000)}}});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Linie(), (std::vector<std::string>{"A;2026-12-05 10:00;1.00;3.00;001|1;2.000;5.00"}));
}

TEST_F(EksportWybor, Bit0TrybuKwotWybieraDrugiZestawKwot) {
    json p1 = Paragon(1, "C6.12.05", "Karta:A");
    p1["trybKwot"] = 3;  // bit 0 set
    json p2 = Paragon(2, "C6.12.05", "Karta:B");
    p2["trybKwot"] = 2;  // bit 0 clear
    json d1 = Pozycja(1, "1", 1000, 10000, 20000);
    d1["kwotaSumy1"] = 30000, d1["kwotaWykazu1"] = 40000;
    json d2 = Pozycja(2, "2", 1000, 10000, 20000);
    d2["kwotaSumy1"] = 30000, d2["kwotaWykazu1"] = 40000;
    Dane({{"Tspr", {p1, p2}}, {"Tspr_dok", {d1, d2}}});
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Linie(), (std::vector<std::string>{"A;2026-12-05 10:00;1.00;3.00;001|1;1.000;4.00",
                                                 "B;2026-12-05 10:00;1.00;1.00;001|2;1.000;2.00"}));
}

TEST_F(EksportWybor, BezTabeliPozycjiKomunikatBleduDlaKazdegoParagonuZKartaIZadnejLinii) {
    ParagonyZJednaPozycja({Paragon(1, "C6.12.05", "Karta:A"), Paragon(2, "C6.12.05", "bez karty"),
                           Paragon(3, "C6.12.05", "Karta:C")});
    torvel::stan().niedostepneTabele.insert(45);
    EXPECT_EQ(EksportSprzedazy(TRYB_Z_MENU, "", ""), 1);
    EXPECT_TRUE(Linie().empty());
    int bledy = 0;
    for (const torvel::Komunikat& k : torvel::stan().komunikaty) {
        if (k.ordinal != 52028 || k.styl != 1) continue;
        ++bledy;
        EXPECT_EQ(k.tytul, "Błąd");
        EXPECT_EQ(k.tekst, "Błąd operacji dyskowej w ZliczKwoteParagonuBezGrupy!\nOperacja niekompletna!");
    }
    EXPECT_EQ(bledy, 2);
    // Each attempt released its cursor storage although the table was missing.
    EXPECT_EQ(Wywolania(50538).size(), Wywolania(52256).size());
    // A file without those receipts is not sent: they would never be.
    EXPECT_EQ(UruchomieniaCurl(), 0);
    ASSERT_FALSE(torvel::stan().komunikaty.empty());
    EXPECT_EQ(torvel::stan().komunikaty.back().tekst.rfind("Koniec funkcji EksportSprzedazy", 0), 0u);
    EXPECT_EQ(Wywolania(52030).size(), 1u);
}

}  // namespace
}  // namespace testy
