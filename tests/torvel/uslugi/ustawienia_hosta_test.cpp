// The host's settings service (41399) over a real INI file.
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/torvel/uslugi/srodowisko_hosta.h"

namespace {

using testy_hosta::Ustawienie;

class TorvelUstawienia : public testy_hosta::SrodowiskoHosta {};

TEST_F(TorvelUstawienia, BrakPlikuToBrakKazdegoKlucza) {
    int16_t liczba = 77;
    char tekst[16] = "bez zmian";
    EXPECT_NE(Ustawienie("brenvik.ini", 8, "ustawieniaRaportu", "idSklepu", "%d", &liczba) & 0xFFFF, 0);
    EXPECT_NE(Ustawienie("brenvik.ini", 8, "ustawieniaRaportu", "nazwaSklepu", "%s", tekst) & 0xFFFF, 0);
    EXPECT_EQ(liczba, 77);
    EXPECT_STREQ(tekst, "bez zmian");
    EXPECT_FALSE(Istnieje("brenvik.ini"));
}

TEST_F(TorvelUstawienia, NoweKluczeNaKoncuSekcjiNoweSekcjeNaKoncuPliku) {
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "ustawieniaRaportu", "idSklepu", "%d", 15), 0);
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "ustawieniaTransmisji", "hostFTP", "%s", "ftp.example.com"), 0);
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "ustawieniaRaportu", "wykluczonaGrupa", "%d", -1), 0);
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "ustawieniaRaportu", "idSklepu", "%d", 16), 0);
    const std::string oczekiwana =
        "[ustawieniaRaportu]\nidSklepu=16\nwykluczonaGrupa=-1\n\n\n[ustawieniaTransmisji]\nhostFTP=ftp.example.com\n";
    EXPECT_EQ(Tresc("brenvik.ini"), oczekiwana);
    // Writing a value again leaves the file byte for byte as it was.
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "ustawieniaTransmisji", "hostFTP", "%s", "ftp.example.com"), 0);
    EXPECT_EQ(Tresc("brenvik.ini"), oczekiwana);
}

TEST_F(TorvelUstawienia, NazwyBezWzgleduNaWielkoscLiter) {
    Utworz("brenvik.ini", "; recznie\n[UstawieniaRaportu]\nIDSKLEPU=7\nnazwaSklepu=Sklep\n");
    int16_t liczba = 0;
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "ustawieniaraportu", "idSklepu", "%d", &liczba), 0);
    EXPECT_EQ(liczba, 7);
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "USTAWIENIARAPORTU", "idsklepu", "%d", 9), 0);
    // The key keeps its spelling and place; no second section appears.
    EXPECT_EQ(Tresc("brenvik.ini"), "; recznie\n\n\n[UstawieniaRaportu]\nIDSKLEPU=9\nnazwaSklepu=Sklep\n");
}

TEST_F(TorvelUstawienia, LiczbaZajmujeSzesnascieBitow) {
    Utworz("brenvik.ini", "[s]\nduza=70000\nujemna=-1\nsmieci=12abc\npusta=\nznak=+5\n");
    int16_t tablica[3] = {0x1111, 0, 0x3333};
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "duza", "%d", &tablica[1]), 0);
    EXPECT_EQ(tablica[1], static_cast<int16_t>(70000 - 65536));
    EXPECT_EQ(tablica[0], 0x1111);  // neighbours untouched
    EXPECT_EQ(tablica[2], 0x3333);
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "ujemna", "%d", &tablica[1]), 0);
    EXPECT_EQ(tablica[1], -1);
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "smieci", "%d", &tablica[1]), 0);
    EXPECT_EQ(tablica[1], 12);
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "pusta", "%d", &tablica[1]), 0);
    EXPECT_EQ(tablica[1], 0);
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "znak", "%d", &tablica[1]), 0);
    EXPECT_EQ(tablica[1], 5);
}

TEST_F(TorvelUstawienia, TekstCietyDoLimituHosta) {
    Utworz("brenvik.ini", "[s]\ndlugi=" + std::string(1500, 'x') + "\n");
    char bufor[1100];
    memset(bufor, 0x7F, sizeof bufor);
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "dlugi", "%s", bufor), 0);
    EXPECT_EQ(strlen(bufor), static_cast<size_t>(MAKS_TEKST_USTAWIENIA));
    EXPECT_EQ(bufor[MAKS_TEKST_USTAWIENIA + 1], 0x7F);
}

TEST_F(TorvelUstawienia, TekstyZostajaBajtamiMazovii) {
    const char* nazwa = "\x98wi\x91ty \x9C\xA2""d\xA7";  // Święty Łódż
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "s", "nazwa", "%s", nazwa), 0);
    EXPECT_EQ(Tresc("brenvik.ini"), std::string("[s]\nnazwa=") + nazwa + "\n");
    char bufor[64] = {};
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "nazwa", "%s", bufor), 0);
    EXPECT_STREQ(bufor, nazwa);
}

TEST_F(TorvelUstawienia, ZmianyZZewnatrzWidacOdRazu) {
    EXPECT_EQ(Ustawienie("brenvik.ini", 9, "s", "k", "%s", "pierwsza"), 0);
    Utworz("brenvik.ini", "[s]\r\nk=druga\r\n");  // edited with a Windows editor
    char bufor[32] = {};
    EXPECT_EQ(Ustawienie("brenvik.ini", 8, "s", "k", "%s", bufor), 0);
    EXPECT_STREQ(bufor, "druga");
    std::filesystem::remove(Sciezka("brenvik.ini"));
    EXPECT_NE(Ustawienie("brenvik.ini", 8, "s", "k", "%s", bufor), 0);
}

TEST_F(TorvelUstawienia, ZapisNieudanyNieZmieniaNiczego) {
    // A file where a directory should be: nothing can be created there.
    Utworz("plik", "x");
    EXPECT_NE(Ustawienie("plik\\brenvik.ini", 9, "s", "k", "%d", 1), 0);
    // A directory under the settings file's name: neither read nor replaced.
    std::filesystem::create_directory(Sciezka("katalog.ini"));
    EXPECT_NE(Ustawienie("katalog.ini", 9, "s", "k", "%d", 1), 0);
    EXPECT_TRUE(std::filesystem::is_directory(Sciezka("katalog.ini")));

    if (geteuid() == 0) return;  // permissions do not bind root
    Utworz("brenvik.ini", "[s]\nk=1\n");
    chmod(Sciezka("brenvik.ini").c_str(), 0444);
    EXPECT_NE(Ustawienie("brenvik.ini", 9, "s", "k", "%d", 2), 0);
    EXPECT_EQ(Tresc("brenvik.ini"), "[s]\nk=1\n");
}

TEST_F(TorvelUstawienia, ZlyFormatLubTrybToBrak) {
    Utworz("brenvik.ini", "[s]\nk=1\n");
    int16_t liczba = 5;
    EXPECT_NE(Ustawienie("brenvik.ini", 8, "s", "k", "%x", &liczba), 0);
    EXPECT_NE(Ustawienie("brenvik.ini", 7, "s", "k", "%d", &liczba), 0);
    EXPECT_NE(Ustawienie("brenvik.ini", 8, "s", "k", "%d", static_cast<int16_t*>(nullptr)), 0);
    EXPECT_EQ(liczba, 5);
    EXPECT_EQ(Tresc("brenvik.ini"), "[s]\nk=1\n");
}

TEST_F(TorvelUstawienia, SladZawieraWartosc) {
    torvel::WyczyscSlad();
    Ustawienie("brenvik.ini", 9, "s", "k", "%d", 42);
    ASSERT_EQ(torvel::Slad().size(), 1u);
    torvel::json wpis = torvel::json::parse(torvel::Slad()[0]);
    EXPECT_EQ(wpis["ord"], 41399);
    EXPECT_EQ(wpis["args"], torvel::json::parse(R"(["brenvik.ini", 9, "s", "k", "%d", 42])"));
    EXPECT_EQ(wpis["ret"], 0);
}

}  // namespace
