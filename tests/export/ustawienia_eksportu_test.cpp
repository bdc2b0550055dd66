// Settings of the export: the keys a run writes, their order and defaults,
// and text reads that never pass their buffer.
#include <string.h>

#include <string>
#include <vector>

#include "export/eksport_sprzedazy.h"
#include "export/ustawienia_eksportu.h"
#include "host/ustawienia.h"
#include "tests/export/srodowisko_eksportu.h"

namespace testy {
namespace {

class EksportUstawienia : public SrodowiskoEksportu {};

std::vector<WpisIni> DomyslneKluczeEksportu() {
    std::vector<WpisIni> klucze = {
        {"ustawieniaRaportu", "idSklepu", "1"},
        {"ustawieniaRaportu", "idSpoldzielni", "1"},
        {"ustawieniaRaportu", "nazwaSklepu", "nazwasklepu"},
        {"ustawieniaRaportu", "wykluczonaGrupa", "-1"},
    };
    for (int i = 2; i <= 15; ++i) klucze.push_back({"ustawieniaRaportu", "wykluczonaGrupa" + std::to_string(i), "-1"});
    std::vector<WpisIni> transmisja = {
        {"ustawieniaTransmisji", "hostFTP", "ftp.sklep.example"},
        {"ustawieniaTransmisji", "userFTP", "nazwauzytkownika"},
        {"ustawieniaTransmisji", "passFTP", "kwintoru"},
        {"ustawieniaTransmisji", "dirFTP", "katalogFTP"},
        {"ustawieniaTransmisji", "pasywnyFTP", "1"},
        {"ustawieniaTransmisji", "portFTP", "21"},
    };
    klucze.insert(klucze.end(), transmisja.begin(), transmisja.end());
    return klucze;
}

size_t ZapisyUstawien(const std::vector<json>& wywolania) {
    size_t zapisy = 0;
    for (const json& w : wywolania)
        if (w["args"][1] == 9) ++zapisy;
    return zapisy;
}

TEST_F(EksportUstawienia, PierwszyPrzebiegZapisuje24KluczeZDomyslnymiWKolejnosci_DrugiNicNieZapisuje) {
    Ustawienia("");
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(Ini(), DomyslneKluczeEksportu());
    EXPECT_EQ(ZapisyUstawien(Wywolania(41399)), 24u);
    // The run used the defaults it wrote.
    ASSERT_GE(ArgumentyCurl().size(), 4u);
    EXPECT_EQ(ArgumentyCurl()[1], "ftp://ftp.sklep.examplekatalogFTP/");
    EXPECT_EQ(ArgumentyCurl()[3], "nazwauzytkownika:kwintoru");

    std::string przed = CzytajPlik("brenvik.ini");
    torvel::WyczyscSlad();
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    EXPECT_EQ(ZapisyUstawien(Wywolania(41399)), 0u);
    EXPECT_EQ(CzytajPlik("brenvik.ini"), przed);
}

TEST_F(EksportUstawienia, BezHostSMTPZadenKluczEmailNiePowstaje) {
    Ustawienia("");
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    Curl(7);
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    for (const WpisIni& w : Ini()) EXPECT_NE(w.sekcja, "ustawieniaEmail") << w.klucz;
    EXPECT_FALSE(PlikIstnieje("message.eml"));
}

TEST_F(EksportUstawienia, OdczytTekstuNieWychodziPozaBuforNawetPrzyNajdluzszejWartosci) {
    std::string dluga(MAKS_TEKST_USTAWIENIA, 'h');
    Ustawienia("[ustawieniaTransmisji]\nhostFTP=" + dluga + "\n");
    struct {
        char cel[100];
        char straznik[16];
    } bufory;
    memset(bufory.straznik, 0x5A, sizeof bufory.straznik);
    CzytajTekstZDomyslna("ustawieniaTransmisji", "hostFTP", bufory.cel, sizeof bufory.cel, "domyslny");
    EXPECT_EQ(std::string(bufory.cel), dluga.substr(0, 99));
    for (unsigned char b : bufory.straznik) EXPECT_EQ(b, 0x5A);

    char maly[8];
    EXPECT_TRUE(CzytajTekst("ustawieniaTransmisji", "hostFTP", maly, sizeof maly));
    EXPECT_STREQ(maly, "hhhhhhh");
    EXPECT_FALSE(CzytajTekst("ustawieniaTransmisji", "brak", maly, sizeof maly));
    EXPECT_STREQ(maly, "");
}

TEST_F(EksportUstawienia, BrakujacyKluczTekstowyDostajeDomyslnaPrzycietaDoBufora_AlePlikPelna) {
    Ustawienia("");
    char cel[5];
    CzytajTekstZDomyslna("ustawieniaRaportu", "nazwaSklepu", cel, sizeof cel, "nazwasklepu");
    EXPECT_STREQ(cel, "nazw");
    EXPECT_EQ(WartoscIni("ustawieniaRaportu", "nazwaSklepu"), "nazwasklepu");
}

TEST_F(EksportUstawienia, HostFTPO70ZnakachDochodziDoCurlaPierwszymi60) {
    std::string host70;
    for (int i = 0; i < 70; ++i) host70 += static_cast<char>('a' + i % 26);
    Ustawienia("[ustawieniaTransmisji]\nhostFTP=" + host70 + "\ndirFTP=\n");
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    ASSERT_GE(ArgumentyCurl().size(), 2u);
    EXPECT_EQ(ArgumentyCurl()[1], "ftp://" + host70.substr(0, 60) + "/");
}

}  // namespace
}  // namespace testy
