// curl's argument text: exactly the usual form for ordinary values, and
// for any value the arguments curl's runtime will split out of it.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/export/srodowisko_eksportu.h"
#include "transmission/argumenty_curl.h"

namespace testy {
namespace {

ParametryFtp Parametry(const std::string& serwer, const std::string& uzytkownik, const std::string& haslo,
                       const std::string& katalog) {
    ParametryFtp p = {};
    snprintf(p.serwer, sizeof p.serwer, "%s", serwer.c_str());
    snprintf(p.uzytkownik, sizeof p.uzytkownik, "%s", uzytkownik.c_str());
    snprintf(p.haslo, sizeof p.haslo, "%s", haslo.c_str());
    snprintf(p.katalog, sizeof p.katalog, "%s", katalog.c_str());
    p.port = 21;
    p.pasywny = 1;
    return p;
}

std::string Argumenty(const ParametryFtp& p, const char* prefiks = "C:\\TORVEL\\", const char* plik = "01_001_2026_12_07_1342.csv") {
    char bufor[ROZMIAR_ARGUMENTOW_CURL];
    EXPECT_TRUE(ZbudujArgumentyCurl(bufor, sizeof bufor, p, prefiks, plik));
    return bufor;
}

TEST(TransmisjaArgumenty, ZwykleWartosciDokladnieWZwyklejPostaci) {
    EXPECT_EQ(Argumenty(Parametry("ftp.sklep.example", "nazwauzytkownika", "kwintoru", "katalogFTP")),
              " -k \"ftp://ftp.sklep.examplekatalogFTP/\" -u nazwauzytkownika:kwintoru"
              " -T \"C:\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv\"");
    EXPECT_EQ(Argumenty(Parametry("10.0.0.5:2121", "dom\\jan", "p\\\\", "/dane")),
              " -k \"ftp://10.0.0.5:2121/dane/\" -u dom\\jan:p\\\\ -T \"C:\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv\"");
    EXPECT_EQ(Argumenty(Parametry("h", "u", "p", "")), " -k \"ftp://h/\" -u u:p -T \"C:\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv\"");
}

TEST(TransmisjaArgumenty, PortITrybPasywnyNieWchodzaDoTekstu) {
    ParametryFtp a = Parametry("h", "u", "p", "d"), b = a;
    b.port = 2121;
    b.pasywny = 0;
    EXPECT_EQ(Argumenty(a), Argumenty(b));
}

struct Logowanie {
    const char* uzytkownik;
    const char* haslo;
};
void PrintTo(const Logowanie& l, std::ostream* os) { *os << "[" << l.uzytkownik << "]:[" << l.haslo << "]"; }

class TransmisjaArgumentyLogowania : public ::testing::TestWithParam<Logowanie> {};

TEST_P(TransmisjaArgumentyLogowania, CurlDostajeDokladnieUstawioneWartosci) {
    const Logowanie& l = GetParam();
    std::string tekst = Argumenty(Parametry("ftp.sklep.example", l.uzytkownik, l.haslo, "katalogFTP"));
    std::vector<std::string> argv = PodzielWierszPolecen(tekst);
    ASSERT_EQ(argv.size(), 6u) << tekst;
    EXPECT_EQ(argv[0], "-k");
    EXPECT_EQ(argv[1], "ftp://ftp.sklep.examplekatalogFTP/");
    EXPECT_EQ(argv[2], "-u");
    EXPECT_EQ(argv[3], std::string(l.uzytkownik) + ":" + l.haslo) << tekst;
    EXPECT_EQ(argv[4], "-T");
    EXPECT_EQ(argv[5], "C:\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv");
}

INSTANTIATE_TEST_SUITE_P(
    Transmisja, TransmisjaArgumentyLogowania,
    ::testing::Values(Logowanie{"jan kowalski", "x"}, Logowanie{"u", "ha slo"}, Logowanie{"u", "ha\"slo"},
                      Logowanie{"u", "tab\there"}, Logowanie{"u\\", "a b"}, Logowanie{"u", "a b\\"},
                      Logowanie{"u", "a b\\\\"}, Logowanie{"u", "\\\"x y"}, Logowanie{"\"", "\""},
                      Logowanie{"", " "}, Logowanie{"dom\\jan", "p\\\\"}, Logowanie{"u", "x\" -o /etc/passwd \""}));

TEST(TransmisjaArgumenty, SerwerIKatalogNieWychodzaZCudzyslowu) {
    const std::string serwer = "evil\" -o x \"", katalog = "/d\\\"ir\\";
    std::string tekst = Argumenty(Parametry(serwer, "u", "p", katalog));
    std::vector<std::string> argv = PodzielWierszPolecen(tekst);
    ASSERT_EQ(argv.size(), 6u) << tekst;
    EXPECT_EQ(argv[1], "ftp://" + serwer + katalog + "/");
    EXPECT_EQ(argv[3], "u:p");

    // A backslash that ends the prefix or the directory stays one backslash.
    argv = PodzielWierszPolecen(Argumenty(Parametry("h\\", "u", "p", "k\\"), "C:\\Program Files\\TORVEL\\"));
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[1], "ftp://h\\k\\/");
    EXPECT_EQ(argv[5], "C:\\Program Files\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv");
}

TEST(TransmisjaArgumenty, NajdluzszeWartosciNigdyNieUciete) {
    // Every character needs escaping: the longest text the record can give.
    std::string serwer, uzytkownik, haslo, katalog;
    for (int i = 0; i < MAKS_SERWER_FTP; ++i) serwer += i % 2 ? '"' : '\\';
    for (int i = 0; i < MAKS_UZYTKOWNIK_FTP; ++i) uzytkownik += '"';
    for (int i = 0; i < MAKS_HASLO_FTP; ++i) haslo += i % 2 ? '\\' : '"';
    for (int i = 0; i < MAKS_KATALOG_FTP; ++i) katalog += '"';
    std::string prefiks = "C:\\" + std::string(255, 'p') + "\\";
    std::string plik(255, 'f');
    char bufor[ROZMIAR_ARGUMENTOW_CURL];
    ASSERT_TRUE(ZbudujArgumentyCurl(bufor, sizeof bufor, Parametry(serwer, uzytkownik, haslo, katalog),
                                    prefiks.c_str(), plik.c_str()));
    std::vector<std::string> argv = PodzielWierszPolecen(bufor);
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[1], "ftp://" + serwer + katalog + "/");
    EXPECT_EQ(argv[3], uzytkownik + ":" + haslo);
    EXPECT_EQ(argv[5], prefiks + "BRENVIK\\" + plik);
}

TEST(TransmisjaArgumenty, RekordBezTerminatorowCzytanyDoGranicPol) {
    ParametryFtp p;
    memset(&p, 'x', sizeof p);
    char bufor[ROZMIAR_ARGUMENTOW_CURL];
    ASSERT_TRUE(ZbudujArgumentyCurl(bufor, sizeof bufor, p, "C:\\", "f.csv"));
    std::vector<std::string> argv = PodzielWierszPolecen(bufor);
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[1], "ftp://" + std::string(MAKS_SERWER_FTP + MAKS_KATALOG_FTP, 'x') + "/");
    EXPECT_EQ(argv[3], std::string(MAKS_UZYTKOWNIK_FTP, 'x') + ":" + std::string(MAKS_HASLO_FTP, 'x'));
}

TEST(TransmisjaArgumenty, ZaDlugiTekstOdrzuconyZamiastUciety) {
    std::string prefiks(ROZMIAR_ARGUMENTOW_CURL, 'p');
    char bufor[ROZMIAR_ARGUMENTOW_CURL];
    EXPECT_FALSE(ZbudujArgumentyCurl(bufor, sizeof bufor, Parametry("h", "u", "p", "d"), prefiks.c_str(), "f.csv"));
    EXPECT_STREQ(bufor, "");
    char maly[20];
    EXPECT_FALSE(ZbudujArgumentyCurl(maly, sizeof maly, Parametry("h", "u", "p", "d"), "C:\\", "f.csv"));
}

// Every value of up to five characters over the characters that matter to
// the command line (and a letter, and a hyphen that would start an option)
// in each of the four fields: curl always gets the same six arguments, its
// options where the module put them and each value exactly as configured.
TEST(TransmisjaArgumenty, ZadnaKrotkaWartoscNieDodajeOpcji) {
    const std::string ZNAKI = "\\\" \t-a";
    std::vector<std::string> wartosci = {""};
    for (size_t poczatek = 0, dlugosc = 1; dlugosc <= 5; ++dlugosc) {
        size_t koniec = wartosci.size();
        for (size_t i = poczatek; i < koniec; ++i)
            for (char z : ZNAKI) wartosci.push_back(wartosci[i] + z);
        poczatek = koniec;
    }
    int sprawdzone = 0;
    for (int pole = 0; pole < 4; ++pole) {
        for (const std::string& w : wartosci) {
            std::string v[4] = {"h", "u", "p", "/d"};
            v[pole] = w;
            std::string tekst = Argumenty(Parametry(v[0], v[1], v[2], v[3]));
            std::vector<std::string> argv = PodzielWierszPolecen(tekst);
            ASSERT_EQ(argv.size(), 6u) << "[" << w << "] in field " << pole << ": " << tekst;
            ASSERT_EQ(argv[0], "-k") << tekst;
            ASSERT_EQ(argv[1], "ftp://" + v[0] + v[3] + "/") << tekst;
            ASSERT_EQ(argv[2], "-u") << tekst;
            ASSERT_EQ(argv[3], v[1] + ":" + v[2]) << tekst;
            ASSERT_EQ(argv[4], "-T") << tekst;
            ASSERT_EQ(argv[5], "C:\\TORVEL\\BRENVIK\\01_001_2026_12_07_1342.csv") << tekst;
            ++sprawdzone;
        }
    }
    EXPECT_EQ(sprawdzone, 4 * 9331);
}

// Values written as curl options, with every byte from 0x01 to 0xFF around
// them: the login stays the parameter of -u (curl takes the next argument
// whatever it begins with), and nothing else can begin with a hyphen.
TEST(TransmisjaArgumenty, WartosciJakOpcjeCurlPozostajaWartosciami) {
    const char* OPCJE[] = {"-o", "--upload-file", "-K/etc/passwd", "-T x", "--config=\"x\"", "\" -o \"", "-\t-v", "@plik"};
    for (const char* opcja : OPCJE) {
        for (int bajt = 1; bajt < 256; ++bajt) {
            std::string w = std::string(opcja) + static_cast<char>(bajt) + opcja;
            std::string tekst = Argumenty(Parametry(w, w, w, w));
            std::vector<std::string> argv = PodzielWierszPolecen(tekst);
            ASSERT_EQ(argv.size(), 6u) << tekst;
            EXPECT_EQ(argv[1], "ftp://" + w + w + "/");
            EXPECT_EQ(argv[3], w + ":" + w);
            for (size_t i : {1u, 5u}) EXPECT_NE(argv[i][0], '-') << tekst;
            for (size_t i : {0u, 2u, 4u}) EXPECT_EQ(argv[i].size(), 2u) << tekst;
        }
    }
}

TEST(TransmisjaPodzialWiersza, RegulyWindows) {
    // The test's own splitter, checked against the documented examples.
    EXPECT_EQ(PodzielWierszPolecen("\"abc\" d e"), (std::vector<std::string>{"abc", "d", "e"}));
    EXPECT_EQ(PodzielWierszPolecen("a\\\\\\b d\"e f\"g h"), (std::vector<std::string>{"a\\\\\\b", "de fg", "h"}));
    EXPECT_EQ(PodzielWierszPolecen("a\\\\\\\"b c d"), (std::vector<std::string>{"a\\\"b", "c", "d"}));
    EXPECT_EQ(PodzielWierszPolecen("a\\\\\\\\\"b c\" d e"), (std::vector<std::string>{"a\\\\b c", "d", "e"}));
}

}  // namespace
}  // namespace testy
