// The load-failure report: the first applicable reason, shown once, with
// its exact text.
#include <gtest/gtest.h>
#include <string.h>

#include "host/mazovia.h"
#include "platform/platforma.h"
#include "shell/raport_zaladowania.h"
#include "shell/stan_modulu.h"
#include "shell/zgodnosc.h"
#include "tests/shell/srodowisko_zgodnosci.h"

namespace {

using testy::json;

// The mask as the module left it at load, before any test checked anything.
const uint32_t CECHY_PRZY_ZALADOWANIU = brakujaceCechy;

class ZgodnoscRaport : public testy::SrodowiskoZgodnosci {
protected:
    void SetUp() override {
        testy::SrodowiskoZgodnosci::SetUp();
        brakujaceCechy = 0;
        BrakujaceFunkcje(0, {});
        niezgodneTabele = nullptr;
    }
    std::string Modul() const { return nazwaPlikuModulu; }
    std::string WersjeRozne() const {
        return "Moduł \"" + Modul() + "\" i program występują w różnych wersjach!\n\n"
               "Został zakualizowany tylko program albo tylko moduł,\na nie oba jednocześnie! "
               "Aby naprawić tę sytuację\nzainstaluj aktualizację programu wraz z modułem \"" + Modul() + "\".\n\n"
               "MODUŁ NIE ZOSTANIE ZAŁADOWANY!!!\n";
    }
    static std::string BrakFunkcji(const std::string& lista, const std::string& zaimek) {
        return "Wtyczka \"Brenvik\" potrzebuje zaimportować\n" + lista + " z modułu głównego,\njednak moduł główny " + zaimek +
               " nie posiada. Aby naprawić tę sytuację\nzainstaluj aktualizację programu oraz wtyczki.\n\n"
               "WTYCZKA NIE ZOSTANIE ZAŁADOWANA!!!\n";
    }
};

TEST_F(ZgodnoscRaport, PrzedSprawdzeniemMaskaWszystkichCech) {
    EXPECT_EQ(CECHY_PRZY_ZALADOWANIU, 0xFFFFFFFFu);
    brakujaceCechy = CECHY_PRZY_ZALADOWANIU;
    PokazBladZaladowania();
    std::vector<json> slad;
    for (const std::string& linia : torvel::Slad()) slad.push_back(json::parse(linia));
    ASSERT_EQ(slad.size(), 2u);
    EXPECT_EQ(slad[0]["ord"], 30006);
    EXPECT_EQ(slad[0]["args"], json::array({1, -1}));
    EXPECT_EQ(slad[1]["ord"], 35802);
    EXPECT_EQ(slad[1]["args"], json::array({15000, "STOP!!!", "%s", 61441, 28206,
                                            "Program nie obsługuje cech 0xFFFFFFFF,\nktóre są niezbędne dla modułu 'Brenvik'."}));
}

TEST_F(ZgodnoscRaport, MaskaZOstatniegoSprawdzenia) {
    torvel::stan().zgodnosc.brakujaceCechy = 3;
    BrakujaceFunkcje(2, {41611, 52081});  // a later reason never shows
    ASSERT_EQ(SprawdzZgodnosc(), -1);
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{
                             "Program nie obsługuje cech 0x00000002,\nktóre są niezbędne dla modułu 'Brenvik'."}));
}

TEST_F(ZgodnoscRaport, JednaBrakujacaFunkcja) {
    BrakujaceFunkcje(1, {52081});
    char bufor[ROZMIAR_RAPORTU];
    EXPECT_EQ(OpiszBrakujaceFunkcje(bufor, sizeof bufor), 1u);
    // Mazovia bytes: ć 0x8D, ę 0x91, ł 0x92, ó 0xA2, Ł 0x9C.
    EXPECT_STREQ(bufor,
                 "Wtyczka \"Brenvik\" potrzebuje zaimportowa\x8D\nfunkcj\x91 o numerze 52081 z modu\x92u g\x92\xA2wnego,\n"
                 "jednak modu\x92 g\x92\xA2wny jej nie posiada. Aby naprawi\x8D t\x91 sytuacj\x91\n"
                 "zainstaluj aktualizacj\x91 programu oraz wtyczki.\n\nWTYCZKA NIE ZOSTANIE ZA\x9C" "ADOWANA!!!\n");
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{BrakFunkcji("funkcję o numerze 52081", "jej")}));
}

// A host without its message window gets the report as debugger output,
// whether or not a debugger is attached, and the report returns.
TEST_F(ZgodnoscRaport, BezOknaKomunikatuRaportIdzieDoDebuggera) {
    static std::string wyjscie;
    wyjscie.clear();
    platforma::zastepstwa.tekstDlaDebuggera = [](const char* t) { wyjscie += t; };
    WpisFunkcjiHosta wpis = TablicaFunkcjiHosta[INDEKS_35802];
    TablicaFunkcjiHosta[INDEKS_35802] = nullptr;

    BrakujaceFunkcje(1, {35802});
    PokazBladZaladowania();
    EXPECT_EQ(torvel::ZMazovii(wyjscie.c_str()), BrakFunkcji("funkcję o numerze 35802", "jej"));

    // Before any check: the features text, closed by a line end.
    wyjscie.clear();
    brakujaceCechy = 0xFFFFFFFFu;
    PokazBladZaladowania();
    EXPECT_EQ(torvel::ZMazovii(wyjscie.c_str()),
              "Program nie obsługuje cech 0xFFFFFFFF,\nktóre są niezbędne dla modułu 'Brenvik'.\n");

    TablicaFunkcjiHosta[INDEKS_35802] = wpis;
    platforma::zastepstwa.tekstDlaDebuggera = nullptr;
    EXPECT_TRUE(Wywolania(35802).empty());
    EXPECT_EQ(Wywolania(30006).size(), 2u);
}

TEST_F(ZgodnoscRaport, KilkaBrakujacychFunkcjiRosnacoBezKoncowegoPrzecinka) {
    BrakujaceFunkcje(3, {52081, 30018, 41611});
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{BrakFunkcji("funkcje o numerach 30018, 41611, 52081", "ich")}));
    // The remembered order (the order of binding) stays as it was.
    EXPECT_EQ(numeryBrakujacychFunkcji[0], 52081);
}

TEST_F(ZgodnoscRaport, DziesiecBrakujacychOsiemWymienionych) {
    BrakujaceFunkcje(10, {52541, 30018, 52029, 35802, 41399, 22209, 51539, 31012});
    char bufor[ROZMIAR_RAPORTU];
    EXPECT_EQ(OpiszBrakujaceFunkcje(bufor, sizeof bufor), 10u);
    EXPECT_EQ(torvel::ZMazovii(bufor),
              BrakFunkcji("funkcje o numerach 22209, 30018, 31012, 35802, 41399, 51539, 52029, 52541", "ich"));
}

TEST_F(ZgodnoscRaport, OpisyNieWychodzaPozaBufor) {
    BrakujaceFunkcje(2, {41611, 52081});
    char bufor[32];
    memset(bufor, 'x', sizeof bufor);
    EXPECT_EQ(OpiszBrakujaceFunkcje(bufor, 16), 2u);
    EXPECT_EQ(strlen(bufor), 15u);
    EXPECT_EQ(bufor[16], 'x');

    torvel::stan().rozmiaryRekordow[44] = 1470;
    ASSERT_EQ(SprawdzRozmiaryRekordow(), 1);
    memset(bufor, 'x', sizeof bufor);
    EXPECT_EQ(OpiszNiezgodneRekordy(bufor, 20), -1);
    EXPECT_EQ(strlen(bufor), 19u);
    EXPECT_EQ(bufor[20], 'x');

    BrakujaceFunkcje(0, {});
    bufor[0] = 'x';
    EXPECT_EQ(OpiszBrakujaceFunkcje(bufor, sizeof bufor), 0u);
    EXPECT_EQ(bufor[0], '\0');
}

TEST_F(ZgodnoscRaport, TabelaRozmiarowRekordowZBrakiem) {
    torvel::stan().niedostepneTabele = {59};
    torvel::stan().rozmiaryRekordow[44] = 1470;
    ASSERT_EQ(SprawdzZgodnosc(), -1);
    std::string oczekiwany = "Rozmiary rekordów niektórych tabel nie zgadzają się\n"
                             "między programem a wtyczką 'Brenvik' (moduł '" + Modul() + "'):\n\n"
                             "\x01" "tl18l33" "\x01" "TABELA\tWE WTYCZCE\tW PROGRAMIE\n"
                             "\x01" "tp25p40" "\x01" "d_dek\t2750\tbrak\n"
                             "\x01" "tp25p40" "\x01" "Tspr\t1469\t1470\n"
                             "\nModuł \x02" + Modul() + "\x01" "\nNIE zostanie załadowany!";
    char bufor[ROZMIAR_RAPORTU];
    EXPECT_EQ(OpiszNiezgodneRekordy(bufor, sizeof bufor), -1);
    EXPECT_EQ(std::string(bufor), torvel::DoMazovii(oczekiwany));

    torvel::WyczyscSlad();
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{oczekiwany}));

    niezgodneTabele = nullptr;
    bufor[0] = 'x';
    EXPECT_EQ(OpiszNiezgodneRekordy(bufor, sizeof bufor), 0);
    EXPECT_EQ(bufor[0], '\0');
}

TEST_F(ZgodnoscRaport, SprzeciwHostaPokazanyJakPrzyszedl) {
    torvel::stan().zgodnosc.sprzeciw = 1;
    torvel::stan().zgodnosc.tekstSprzeciwu = torvel::DoMazovii("Wtyczka zablokowana: łączność wyłączona.");
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{"Wtyczka zablokowana: łączność wyłączona."}));
    std::vector<json> pytania = Wywolania(30018);
    ASSERT_EQ(pytania.size(), 1u);
    EXPECT_EQ(pytania[0]["args"], json::array({true, "Wtyczka zablokowana: łączność wyłączona.", 3072}));
}

TEST_F(ZgodnoscRaport, RozneWersjeGdyPonowneSprawdzenieZawodzi) {
    torvel::stan().zgodnosc.wersjaInterfejsu = 111;
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{WersjeRozne()}));
    EXPECT_EQ(Wywolania(35802)[0]["args"][5], WersjeRozne());
}

TEST_F(ZgodnoscRaport, OstatecznyKomunikatGdyWszystkoSieZgadza) {
    PokazBladZaladowania();
    EXPECT_EQ(Raporty(), (std::vector<std::string>{"Moduł \"" + Modul() +
                                                   "\" nie został poprawnie zainicjowany,\nwięc NIE BĘDZIE AKTYWNY!"}));
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);
    EXPECT_EQ(torvel::stan().komunikaty[0].tytul, "STOP!!!");
}

TEST_F(ZgodnoscRaport, BezFunkcjiZwrotnejRaportJejNieWola) {
    funkcjaZwrotnaHosta = nullptr;
    PokazBladZaladowania();
    EXPECT_TRUE(Wywolania(30006).empty());
    EXPECT_EQ(Raporty(), (std::vector<std::string>{WersjeRozne()}));
}

// Debugger output leaves the module as UTF-8 (POSIX) or UTF-16 (Windows):
// every Mazovia letter converts, and a small buffer never cuts a character.
TEST(TekstDlaDebuggera, MazoviaNaUnicode) {
    const char* litery = "\x86\x8d\x8f\x90\x91\x92\x95\x98\x9c\x9e\xa0\xa1\xa2\xa3\xa4\xa5\xa6\xa7";
    const std::string utf8 = "ąćĄĘęłĆŚŁśŹŻóÓńŃźż";
    char bufor[256];
    EXPECT_EQ(mazovia::DoUtf8(litery, bufor, sizeof bufor), strlen(litery));
    EXPECT_EQ(std::string(bufor), utf8);
    EXPECT_EQ(mazovia::KodUnicode(0x92), 0x0142);
    EXPECT_EQ(mazovia::KodUnicode('A'), 'A');
    // Code page 437 bytes that no module text holds: the replacement character.
    EXPECT_EQ(mazovia::KodUnicode(0xB0), 0xFFFD);
    mazovia::DoUtf8("a\xb0z", bufor, sizeof bufor);
    EXPECT_EQ(std::string(bufor), "a\xEF\xBF\xBDz");

    const std::string tekst = std::string("funkcj\x91 o numerze 35802 z modu\x92u g\x92\xa2wnego\n") + litery;
    const std::string oczekiwany = "funkcję o numerze 35802 z modułu głównego\n" + utf8;
    for (size_t rozmiar : {4u, 5u, 6u, 7u, 16u}) {
        std::string wynik;
        for (const char* reszta = tekst.c_str(); *reszta != '\0';) {
            size_t wziete = mazovia::DoUtf8(reszta, bufor, rozmiar);
            ASSERT_GT(wziete, 0u) << rozmiar;
            ASSERT_LT(strlen(bufor), rozmiar);
            wynik += bufor;
            reszta += wziete;
        }
        EXPECT_EQ(wynik, oczekiwany) << "buffer of " << rozmiar;
    }
    for (size_t rozmiar : {0u, 3u}) EXPECT_EQ(mazovia::DoUtf8(litery, bufor, rozmiar), 0u);
}

}  // namespace
