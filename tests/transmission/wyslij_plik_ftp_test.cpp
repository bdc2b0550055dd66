// The upload through the host's program runner: result, "curl.log" and
// the message for each exit code.
#include <string.h>

#include <string>

#include "tests/export/srodowisko_eksportu.h"
#include "transmission/wyslij_plik_ftp.h"

namespace testy {
namespace {

const char* const PLIK = "01_001_2026_12_07_1342.csv";

class TransmisjaFtp : public SrodowiskoEksportu {
protected:
    ParametryFtp Parametry() const {
        ParametryFtp p = {};
        strcpy(p.serwer, "ftp.sklep.example");
        strcpy(p.uzytkownik, "jan");
        strcpy(p.haslo, "tajne");
        strcpy(p.katalog, "/dane");
        return p;
    }
    // The argument text as the host received it.
    std::string TekstArgumentow() const {
        std::vector<json> uruchomienia = Wywolania(52011);
        return uruchomienia.empty() ? std::string() : uruchomienia.back()["args"][3].get<std::string>();
    }
    // One log record as the text-mode stream writes it.
    std::string RekordLogu(int kod, const std::string& argumenty) const {
        std::string rekord = "Data:C6.12.07 Komenda CURL zakonczyla sie niepowodzeniem, blad nr " + std::to_string(kod) +
                             ":\r\nCURL " + argumenty + "\r\n-------------\r\n";
        std::string tekstowo;
        for (char c : rekord) tekstowo += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return tekstowo;
    }
};

TEST_F(TransmisjaFtp, KodZeroToSukcesBezLoguIKomunikatu) {
    Curl(0);
    ParametryFtp p = Parametry();
    EXPECT_EQ(WyslijPlikFtp(PLIK, &p), 1);
    EXPECT_EQ(UruchomieniaCurl(), 1);
    EXPECT_FALSE(PlikIstnieje("curl.log"));
    EXPECT_TRUE(torvel::stan().komunikaty.empty());
    std::vector<json> uruchomienia = Wywolania(52011);
    ASSERT_EQ(uruchomienia.size(), 1u);
    EXPECT_EQ(uruchomienia[0]["args"][0], 0);
    EXPECT_EQ(uruchomienia[0]["args"][1], "curl");
    EXPECT_EQ(uruchomienia[0]["args"][2], "curl");
    EXPECT_EQ(uruchomienia[0]["args"][4], 0);
    std::vector<std::string> argv = ArgumentyCurl();
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[1], "ftp://ftp.sklep.example/dane/");
    EXPECT_EQ(argv[3], "jan:tajne");
}

struct BladCurl {
    int kod;
    std::string komunikat;  // as shown, UTF-8
};
void PrintTo(const BladCurl& b, std::ostream* os) { *os << "curl " << b.kod; }

class TransmisjaFtpBledy : public TransmisjaFtp, public ::testing::WithParamInterface<BladCurl> {};

TEST_P(TransmisjaFtpBledy, JedenRekordLoguIKomunikatDlaKodu) {
    const BladCurl& b = GetParam();
    ZapiszPlik("curl.log", "wcześniejszy wpis\r\n");
    Curl(b.kod);
    ParametryFtp p = Parametry();
    EXPECT_EQ(WyslijPlikFtp(PLIK, &p), 0);
    EXPECT_EQ(CzytajPlik("curl.log"), "wcześniejszy wpis\r\n" + RekordLogu(b.kod, TekstArgumentow()));
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);
    const torvel::Komunikat& k = torvel::stan().komunikaty[0];
    EXPECT_EQ(k.ordinal, 35804);
    EXPECT_EQ(k.tytul, "Uwaga");
    EXPECT_EQ(k.styl, 1);
    EXPECT_EQ(k.tekst, b.komunikat);
}

INSTANTIATE_TEST_SUITE_P(
    Transmisja, TransmisjaFtpBledy,
    ::testing::Values(
        BladCurl{3, std::string("Niepoprawny URL podczas wysyłania pliku\n") + PLIK},
        BladCurl{62, std::string("Niepoprawny URL podczas wysyłania pliku\n") + PLIK},
        BladCurl{6, "Nie można odnaleźć serwera ftp.sklep.example"},
        BladCurl{7, std::string("Nie można połączyć się z serwerem podczas wysyłania pliku\n") + PLIK},
        BladCurl{8, std::string("Brak uprawnień do zapisu plików na serwer FTP podczas wysyłania pliku\n") + PLIK},
        BladCurl{67, std::string("Błąd logowania na serwerze podczas wysyłania pliku\n") + PLIK},
        BladCurl{74, std::string("Błąd logowania na serwerze podczas wysyłania pliku\n") + PLIK},
        BladCurl{70, std::string("Brak miejsca na serwerze FTP podczas wysyłania pliku\n") + PLIK},
        BladCurl{28, std::string("Błąd CURL (28)\n\nPodczas wysyłania pliku\n") + PLIK},
        BladCurl{9, std::string("Błąd CURL (9)\n\nPodczas wysyłania pliku\n") + PLIK}));

TEST_F(TransmisjaFtp, KazdaPorazkaDopisujeDokladnieJedenRekord) {
    Curl(67);
    ParametryFtp p = Parametry();
    WyslijPlikFtp(PLIK, &p);
    std::string poPierwszej = CzytajPlik("curl.log");
    WyslijPlikFtp(PLIK, &p);
    EXPECT_EQ(CzytajPlik("curl.log"), poPierwszej + RekordLogu(67, TekstArgumentow()));
    EXPECT_EQ(torvel::stan().komunikaty.size(), 2u);
}

TEST_F(TransmisjaFtp, PusteHasloIUzytkownikZOdstepemDocierajaDoCurlaBezZmian) {
    Curl(0);
    ParametryFtp p = Parametry();
    strcpy(p.uzytkownik, "jan kowalski");
    strcpy(p.haslo, "ha\"s lo\\");
    EXPECT_EQ(WyslijPlikFtp(PLIK, &p), 1);
    std::vector<std::string> argv = ArgumentyCurl();
    ASSERT_EQ(argv.size(), 6u) << TekstArgumentow();
    EXPECT_EQ(argv[3], "jan kowalski:ha\"s lo\\");
}

TEST_F(TransmisjaFtp, PustyUzytkownikCzytanyZUstawienIUcietyDo60) {
    std::string dlugi(80, 'u');
    Ustawienia("[ustawieniaTransmisji]\nuserFTP=" + dlugi + "\n");
    ParametryFtp p = Parametry();
    p.uzytkownik[0] = '\0';
    WyslijPlikFtp(PLIK, &p);
    EXPECT_EQ(std::string(p.uzytkownik), dlugi.substr(0, 60));
    std::vector<std::string> argv = ArgumentyCurl();
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[3], dlugi.substr(0, 60) + ":tajne");
}

TEST_F(TransmisjaFtp, PustyUzytkownikBezKluczaNicNieZapisuje) {
    Ustawienia("");
    ParametryFtp p = Parametry();
    p.uzytkownik[0] = '\0';
    WyslijPlikFtp(PLIK, &p);
    EXPECT_TRUE(Ini().empty());
    std::vector<std::string> argv = ArgumentyCurl();
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[3], ":tajne");
}

TEST_F(TransmisjaFtp, ProgramNieDoUruchomieniaToOgolnyKomunikat) {
    torvel::stan().programCurl = Sciezka("nie-ma-takiego-programu");
    ParametryFtp p = Parametry();
    EXPECT_EQ(WyslijPlikFtp(PLIK, &p), 0);
    std::vector<json> uruchomienia = Wywolania(52011);
    ASSERT_EQ(uruchomienia.size(), 1u);
    int kod = uruchomienia[0]["ret"];
    EXPECT_NE(kod, 0);
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);
    EXPECT_NE(CzytajPlik("curl.log").find("blad nr " + std::to_string(kod) + ":"), std::string::npos);
}

}  // namespace
}  // namespace testy
