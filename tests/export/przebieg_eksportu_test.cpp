// The export run as a whole: status texts with their pauses, outcome,
// the recorded period, and the early ways out.
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "export/eksport_sprzedazy.h"
#include "platform/platforma.h"
#include "tests/export/srodowisko_eksportu.h"

namespace testy {
namespace {

class EksportPrzebieg : public SrodowiskoEksportu {
protected:
    void SetUp() override {
        SrodowiskoEksportu::SetUp();
        Dane({{"Tspr", {Paragon(1, "C6.12.05", "Karta:1")}}, {"Tspr_dok", {Pozycja(1, "1", 1000, 10000, 10000)}}});
    }

    // "<caption>|<text>|<pause ms>" for each status text, in order; a
    // status must be removed (52064) right after its pause.
    std::vector<std::string> StatusyZPauzami() const {
        std::vector<std::string> wynik;
        const auto& komunikaty = torvel::stan().komunikaty;
        const auto& slad = torvel::Slad();
        for (const ZapisanaPauza& p : Pauzy()) {
            std::string opis = "?";
            if (p.komunikatow > 0) {
                const torvel::Komunikat& k = komunikaty[p.komunikatow - 1];
                opis = k.tytul + "|" + k.tekst + "|" + std::to_string(p.milisekundy);
                EXPECT_EQ(k.styl, 512) << opis;
            }
            if (p.wywolan < slad.size()) {
                EXPECT_EQ(json::parse(slad[p.wywolan])["ord"], 52064) << "after the pause of " << opis;
            } else {
                ADD_FAILURE() << "nothing after the pause of " << opis;
            }
            wynik.push_back(opis);
        }
        return wynik;
    }
    std::vector<std::string> Ostrzezenia() const {
        std::vector<std::string> wynik;
        for (const torvel::Komunikat& k : torvel::stan().komunikaty)
            if (k.ordinal == 52030) wynik.push_back(k.tekst);
        return wynik;
    }
    const std::string nazwa_ = "01_001_2026_12_07_1342.csv";
};

TEST_F(EksportPrzebieg, UdanyEksportAutomatyczny_StatusyPauzyIZapisOkresu) {
    Curl(0);
    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "C6.12.01", "C6.12.07"), 1);
    std::vector<json> wyswietlane = Wywolania(32008);
    ASSERT_EQ(wyswietlane.size(), 2u);
    std::string od = wyswietlane[0]["ret"], doDaty = wyswietlane[1]["ret"];
    EXPECT_EQ(StatusyZPauzami(), (std::vector<std::string>{
                                     "Uwaga|Eksport lumera od " + od + " do " + doDaty + "|1000",
                                     "Uwaga|Koniec generowania pliku, wysylka FTP|1000",
                                     "Uwaga|Koniec wysylki FTP|1000",
                                     "uwaga|Wyeksportowano raport na serwer do pliku " + nazwa_ + "|1000",
                                     "Uwaga|Zapis konfiguracji|500",
                                     "uwaga|Koniec funkcji EksportSprzedazy|1000",
                                 }));
    EXPECT_TRUE(Ostrzezenia().empty());
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "C6.12.07");
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"), "Eksport danych od C6.12.01 do C6.12.07");
    // The period is recorded only after the report of the success.
    std::vector<json> zapisy;
    for (const json& w : Wywolania(41399))
        if (w["args"][2] == "danePomocnicze") zapisy.push_back(w);
    ASSERT_EQ(zapisy.size(), 2u);
    EXPECT_EQ(zapisy[0]["args"][3], "DataOstatniegoEksportu");
    EXPECT_EQ(zapisy[1]["args"][3], "OstatniOdczyt");
}

TEST_F(EksportPrzebieg, NieudanaWysylkaAutomatyczna_OstrzezenieBezPauzyINicNieZapisane) {
    Curl(7);
    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "C6.12.01", "C6.12.07"), 1);
    std::vector<std::string> statusy = StatusyZPauzami();
    ASSERT_EQ(statusy.size(), 4u);
    EXPECT_EQ(statusy[1], "Uwaga|Koniec generowania pliku, wysylka FTP|1000");
    EXPECT_EQ(statusy[2], "Uwaga|Koniec wysylki FTP|1000");
    EXPECT_EQ(statusy[3], "uwaga|Koniec funkcji EksportSprzedazy|1000");
    EXPECT_EQ(Ostrzezenia(), std::vector<std::string>{"Nie wyeksportowano raportu z pliku " + nazwa_});
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "<brak>");
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"), "<brak>");
    EXPECT_TRUE(PlikIstnieje("BRENVIK/" + nazwa_));
}

TEST_F(EksportPrzebieg, ZMenuOkresNigdyNieZapisany) {
    Ustawienia("[danePomocnicze]\nDataOstatniegoEksportu=C6.11.30\n");
    Curl(0);
    EXPECT_EQ(EksportSprzedazy(TRYB_Z_MENU, "C6.12.01", "C6.12.07"), 1);
    EXPECT_EQ(StatusyZPauzami().size(), 5u);  // no "Zapis konfiguracji"
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "C6.11.30");
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"), "<brak>");
}

// A file that could not be written whole (here: it lies on /dev/full) is
// never sent: the write error's message stands where curl's message would,
// then the run takes the failure way. A small file fails only at its close,
// a large one already at a write, which ends the writing there.
class EksportPlikNiezapisany : public EksportPrzebieg, public ::testing::WithParamInterface<int> {};

TEST_P(EksportPlikNiezapisany, BezWysylkiKomunikatIOstrzezenie) {
    const int paragonow = GetParam();
    json tspr = json::array(), dok = json::array();
    for (int n = 1; n <= paragonow; ++n) {
        tspr.push_back(Paragon(n, "C6.12.05", "Karta:" + std::to_string(4400000 + n)));
        dok.push_back(Pozycja(n, "5901234123457", 1000, 10000, 10000));
    }
    Dane({{"Tspr", tspr}, {"Tspr_dok", dok}});
    ASSERT_EQ(mkdir(Sciezka("BRENVIK").c_str(), 0755), 0);
    ASSERT_EQ(symlink("/dev/full", Sciezka("BRENVIK/" + nazwa_).c_str()), 0);
    // The run opens the device as a new file on a full disk: the check for
    // an export file of the same name is told the name is free.
    platforma::zastepstwa.plikIstnieje = [](const char*) { return false; };
    Curl(0);

    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "C6.12.01", "C6.12.07"), 1);
    EXPECT_EQ(UruchomieniaCurl(), 0);
    std::vector<std::string> statusy = StatusyZPauzami();
    ASSERT_EQ(statusy.size(), 4u);
    EXPECT_EQ(statusy[1], "Uwaga|Koniec generowania pliku, wysylka FTP|1000");
    EXPECT_EQ(statusy[2], "Uwaga|Koniec wysylki FTP|1000");
    EXPECT_EQ(statusy[3], "uwaga|Koniec funkcji EksportSprzedazy|1000");
    std::vector<std::string> okna;
    for (const torvel::Komunikat& k : torvel::stan().komunikaty)
        okna.push_back(std::to_string(k.ordinal) + "|" + k.tytul + "|" + k.tekst + "|" + std::to_string(k.styl));
    ASSERT_EQ(okna.size(), 6u);
    EXPECT_EQ(okna[2], "35804|uwaga|Błąd zapisu pliku:" + nazwa_ + "|1");
    EXPECT_EQ(okna[3], "52028|Uwaga|Koniec wysylki FTP|512");
    EXPECT_EQ(Ostrzezenia(), std::vector<std::string>{"Nie wyeksportowano raportu z pliku " + nazwa_});
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "<brak>");
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"), "<brak>");

    std::vector<json> zapisy = Wywolania(52541);
    ASSERT_FALSE(zapisy.empty());
    if (paragonow == 1) {
        for (const json& w : zapisy) EXPECT_GE(w["ret"].get<int>(), 0);
        EXPECT_NE(Wywolania(52305)[0]["ret"], 0);
    } else {
        // The failed write is the last one; the rest of the table is not written.
        EXPECT_LT(zapisy.back()["ret"].get<int>(), 0);
        EXPECT_LT(zapisy.size(), static_cast<size_t>(3 * paragonow));
    }
    EXPECT_EQ(Wywolania(52281).size(), Wywolania(52278).size());
    EXPECT_EQ(Wywolania(50538).size(), Wywolania(52278).size());
}

INSTANTIATE_TEST_SUITE_P(MalyIDuzy, EksportPlikNiezapisany, ::testing::Values(1, 400));

TEST_F(EksportPrzebieg, BezTabeliParagonowZero_PustyZamknietyPlik_BezWysylki) {
    torvel::stan().niedostepneTabele.insert(44);
    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "", ""), 0);
    EXPECT_TRUE(PlikIstnieje("BRENVIK/" + nazwa_));
    EXPECT_EQ(CzytajPlik("BRENVIK/" + nazwa_), "");
    EXPECT_TRUE(Wywolania(52465).empty());            // the null handle is never handed on
    EXPECT_EQ(Wywolania(52305).size(), 1u);           // the stream that was opened is closed
    EXPECT_EQ(Wywolania(50538).size(), 1u);           // the cursor storage is released
    EXPECT_TRUE(Wywolania(52281).empty());
    EXPECT_EQ(UruchomieniaCurl(), 0);
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);  // nothing was exported, and the user is told
    EXPECT_EQ(torvel::stan().komunikaty[0].ordinal, 52028);
    EXPECT_EQ(torvel::stan().komunikaty[0].styl, 1);
    EXPECT_EQ(torvel::stan().komunikaty[0].tekst, "Błąd operacji dyskowej w EksportSprzedazy!\nOperacja niekompletna!");
    EXPECT_TRUE(Pauzy().empty());
}

TEST_F(EksportPrzebieg, PlikNieDoOtwarciaKomunikatIZero) {
    // A file named BRENVIK stops both the directory and the export file.
    ZapiszPlik("BRENVIK", "");
    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "", ""), 0);
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);
    const torvel::Komunikat& k = torvel::stan().komunikaty[0];
    EXPECT_EQ(k.ordinal, 35804);
    EXPECT_EQ(k.tytul, "uwaga");
    EXPECT_EQ(k.tekst, "Błąd otwarcia pliku:" + nazwa_);
    EXPECT_EQ(Wywolania(50538).size(), 1u);
    EXPECT_EQ(UruchomieniaCurl(), 0);
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "<brak>");
}

// A file of the same name (a run earlier in the same minute) is never
// replaced, whether or not the receipt table is there: nothing is opened,
// written, sent, recorded or mailed, and the user is told to wait a minute.
class EksportPlikIstnieje : public EksportPrzebieg, public ::testing::WithParamInterface<bool> {};

TEST_P(EksportPlikIstnieje, KomunikatIZeroPlikNietkniety) {
    if (!GetParam()) torvel::stan().niedostepneTabele.insert(44);
    Ustawienia("[danePomocnicze]\nDataOstatniegoEksportu=C6.11.30\n[ustawieniaEmail]\nhostSMTP=127.0.0.1:2525\n");
    ASSERT_EQ(mkdir(Sciezka("BRENVIK").c_str(), 0755), 0);
    const std::string wczesniejszy = "01\r\n1;2026-12-05 00:00;1.00;1.00;001|1;1.000;1.00\r\n";
    ZapiszPlik("BRENVIK/" + nazwa_, wczesniejszy);

    EXPECT_EQ(EksportSprzedazy(TRYB_AUTOMATYCZNY, "C6.12.01", "C6.12.07"), 0);
    ASSERT_EQ(torvel::stan().komunikaty.size(), 1u);
    const torvel::Komunikat& k = torvel::stan().komunikaty[0];
    EXPECT_EQ(k.ordinal, 35804);
    EXPECT_EQ(k.tytul, "uwaga");
    EXPECT_EQ(k.tekst, "Plik " + nazwa_ + " już istnieje.\nPowtórz eksport za minutę.");
    EXPECT_EQ(k.styl, 1);
    EXPECT_EQ(CzytajPlik("BRENVIK/" + nazwa_), wczesniejszy);
    EXPECT_TRUE(Wywolania(52534).empty());
    EXPECT_EQ(UruchomieniaCurl(), 0);
    EXPECT_TRUE(Wywolania(51525).empty());
    EXPECT_TRUE(Pauzy().empty());
    EXPECT_EQ(WartoscIni("danePomocnicze", "DataOstatniegoEksportu"), "C6.11.30");
    EXPECT_EQ(WartoscIni("danePomocnicze", "OstatniOdczyt"), "<brak>");
    EXPECT_EQ(Wywolania(50538).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ZTabelaIBez, EksportPlikIstnieje, ::testing::Bool());

TEST_F(EksportPrzebieg, KursorTabeliParagonowZamknietyPoZamknieciuPlikuIZwolnionyNaKoncu) {
    EksportSprzedazy(TRYB_Z_MENU, "", "");
    std::vector<int> ordinaly = Ordinaly();
    auto pozycja = [&](int ord, size_t od = 0) {
        for (size_t i = od; i < ordinaly.size(); ++i)
            if (ordinaly[i] == ord) return i;
        return ordinaly.size();
    };
    ASSERT_GE(ordinaly.size(), 2u);
    EXPECT_EQ(ordinaly[0], 52256);
    EXPECT_EQ(ordinaly[1], 52465);
    size_t start = pozycja(52278);
    size_t zamkniecie = pozycja(52305, start);  // the export file
    ASSERT_LT(zamkniecie, ordinaly.size());
    EXPECT_EQ(ordinaly[zamkniecie + 1], 52281);
    EXPECT_EQ(ordinaly.back(), 50538);
    // Every traversal (receipts, and items twice) releases its storage.
    EXPECT_EQ(Wywolania(50538).size(), 3u);
    EXPECT_EQ(Wywolania(52281).size(), 3u);
    for (const json& w : Wywolania(51425)) {
        if (w["args"][0] == 24) {
            EXPECT_EQ(w["args"][3], 0);
        }
        if (w["args"][0] == 68) {
            EXPECT_EQ(w["args"][3], 1);
        }
    }
}

}  // namespace
}  // namespace testy
