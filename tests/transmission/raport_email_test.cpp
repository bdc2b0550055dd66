// The report message: off without "hostSMTP"; otherwise its settings,
// "message.eml" byte for byte and the request to the mail service.
#include <algorithm>
#include <string>

#include "export/eksport_sprzedazy.h"
#include "tests/export/srodowisko_eksportu.h"
#include "transmission/raport_email.h"

namespace testy {
namespace {

class TransmisjaEmail : public SrodowiskoEksportu {};

TEST_F(TransmisjaEmail, BezHostSMTPNicSieNieDzieje) {
    Ustawienia("[ustawieniaRaportu]\nnazwaSklepu=Sklep\n");
    WyslijRaportEmail("tekst", "Sklep");
    EXPECT_FALSE(PlikIstnieje("message.eml"));
    EXPECT_TRUE(Wywolania(51525).empty());
    EXPECT_EQ(Ini(), (std::vector<WpisIni>{{"ustawieniaRaportu", "nazwaSklepu", "Sklep"}}));
    for (const json& w : Wywolania(41399)) EXPECT_EQ(w["args"][1], 8);
}

TEST_F(TransmisjaEmail, SamHostSMTP_DomyslneKluczeWKolejnosci_PlikIWysylka) {
    Ustawienia("[ustawieniaEmail]\nhostSMTP=127.0.0.1:9\n");
    WyslijRaportEmail("Wyeksportowano raport na serwer do pliku F.csv", "nazwasklepu");
    EXPECT_EQ(Ini(), (std::vector<WpisIni>{{"ustawieniaEmail", "hostSMTP", "127.0.0.1:9"},
                                           {"ustawieniaEmail", "login", "raporty@sklep.example"},
                                           {"ustawieniaEmail", "haslo", "580342"},
                                           {"ustawieniaEmail", "adresat", "lumera@sklep.example"},
                                           {"ustawieniaEmail", "uwierzytelnienie", "1"}}));
    EXPECT_EQ(CzytajPlik("message.eml"),
              "Subject: Raport ze sklepu nazwasklepu.\r\n"
              "To: lumera@sklep.example\r\n"
              "From: raporty@sklep.example\r\n"
              "\r\n\r\n"
              "Wyeksportowano raport na serwer do pliku F.csv\r\n"
              "\r\n");
    std::vector<json> wysylki = Wywolania(51525);
    ASSERT_EQ(wysylki.size(), 1u);
    EXPECT_EQ(wysylki[0]["args"], json::parse(R"(["message.eml", 0, "127.0.0.1:9", "raporty@sklep.example", "580342", 17])"));
}

TEST_F(TransmisjaEmail, UwierzytelnienieNicNieZmieniaWPrositeOWysylke) {
    Ustawienia("[ustawieniaEmail]\nhostSMTP=smtp.example\nlogin=a@b.example\nhaslo=h\nadresat=c@d.example\nuwierzytelnienie=0\n");
    std::string przed = CzytajPlik("brenvik.ini");
    WyslijRaportEmail("x", "S");
    EXPECT_EQ(CzytajPlik("brenvik.ini"), przed);
    std::vector<json> wysylki = Wywolania(51525);
    ASSERT_EQ(wysylki.size(), 1u);
    EXPECT_EQ(wysylki[0]["args"], json::parse(R"(["message.eml", 0, "smtp.example", "a@b.example", "h", 17])"));
}

TEST_F(TransmisjaEmail, DlugieUstawieniaUcieteDoSwoichBuforow) {
    std::string dlugi(300, 'a');
    Ustawienia("[ustawieniaEmail]\nhostSMTP=" + dlugi + "\nlogin=" + dlugi + "\nhaslo=" + dlugi + "\nadresat=" + dlugi + "\n");
    WyslijRaportEmail("x", "S");
    std::vector<json> wysylki = Wywolania(51525);
    ASSERT_EQ(wysylki.size(), 1u);
    EXPECT_EQ(wysylki[0]["args"][2], dlugi.substr(0, 199));
    EXPECT_EQ(wysylki[0]["args"][3], dlugi.substr(0, 49));
    EXPECT_EQ(wysylki[0]["args"][4], dlugi.substr(0, 49));
    EXPECT_NE(CzytajPlik("message.eml").find("To: " + dlugi.substr(0, 149) + "\r\n"), std::string::npos);
}

TEST_F(TransmisjaEmail, EksportZNieudanaWysylkaRaportujeIWysylaPrzedOstrzezeniem) {
    Ustawienia("[ustawieniaRaportu]\nnazwaSklepu=Pod Lipami\n[ustawieniaEmail]\nhostSMTP=127.0.0.1:9\n");
    Dane({{"Tspr", json::array()}});
    Curl(7);
    EXPECT_EQ(EksportSprzedazy(TRYB_Z_MENU, "", ""), 1);
    EXPECT_EQ(CzytajPlik("message.eml"),
              "Subject: Raport ze sklepu Pod Lipami.\r\n"
              "To: lumera@sklep.example\r\n"
              "From: raporty@sklep.example\r\n"
              "\r\n\r\n"
              "Nie wyeksportowano raportu z pliku 01_001_2026_12_07_1342.csv\r\n"
              "\r\n");
    std::vector<int> ordinaly = Ordinaly();
    auto wysylka = std::find(ordinaly.begin(), ordinaly.end(), 51525);
    auto ostrzezenie = std::find(ordinaly.begin(), ordinaly.end(), 52030);
    ASSERT_NE(wysylka, ordinaly.end());
    ASSERT_NE(ostrzezenie, ordinaly.end());
    EXPECT_LT(wysylka, ostrzezenie);
}

}  // namespace
}  // namespace testy
