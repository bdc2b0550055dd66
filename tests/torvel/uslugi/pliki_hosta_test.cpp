// The host's file service (text mode, path mapping, holders), its program
// runner and its mail service.
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "tests/torvel/uslugi/srodowisko_hosta.h"

namespace {

class TorvelPliki : public testy_hosta::SrodowiskoHosta {
protected:
    // What the module's OpenFile does with the host's file service.
    StrumienHosta Otworz(const char* nazwa, const char* tryb) {
        int32_t uchwyt = Torvel52534(nazwa, tryb, 64, 0, -1, 0, 0, 0, 0);
        PrzechowalniaStrumienia przechowalnia;
        Torvel22562(&przechowalnia, uchwyt);
        StrumienHosta strumien = Torvel22567(&przechowalnia);
        Torvel22563(&przechowalnia);
        return strumien;
    }
};

TEST_F(TorvelPliki, TrybTekstowyPiszeCrLf) {
    std::filesystem::create_directory(Sciezka("BRENVIK"));
    StrumienHosta s = Otworz("BRENVIK\\07_015.csv", "wt");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Torvel52541(s, "%s;%d\n", "a", 5), 4);
    EXPECT_EQ(Torvel52541(s, "b\r\n\n"), 4);
    EXPECT_EQ(Torvel52305(s), 0);
    EXPECT_EQ(Tresc("BRENVIK/07_015.csv"), "a;5\r\nb\r\r\n\r\n");

    s = Otworz("binarny", "wb");
    ASSERT_NE(s, nullptr);
    Torvel52541(s, "x\ny\n");
    Torvel52305(s);
    EXPECT_EQ(Tresc("binarny"), "x\ny\n");
}

TEST_F(TorvelPliki, DopisywanieZachowujeWczesniejszaTresc) {
    for (int i = 0; i < 2; ++i) {
        StrumienHosta s = Otworz("curl.log", "at");
        ASSERT_NE(s, nullptr);
        Torvel52541(s, "wpis %d\n", i);
        Torvel52305(s);
    }
    EXPECT_EQ(Tresc("curl.log"), "wpis 0\r\nwpis 1\r\n");
    StrumienHosta s = Otworz("curl.log", "w");  // "w" without t or b is text too
    Torvel52541(s, "nowy\n");
    Torvel52305(s);
    EXPECT_EQ(Tresc("curl.log"), "nowy\r\n");
}

TEST_F(TorvelPliki, DlugiTekstZapisanyWCalosci) {
    StrumienHosta s = Otworz("duzy.txt", "wt");
    std::string dlugi(200000, 'x');
    EXPECT_EQ(Torvel52541(s, "%s\n", dlugi.c_str()), 200001);
    Torvel52305(s);
    EXPECT_EQ(Tresc("duzy.txt"), dlugi + "\r\n");
}

TEST_F(TorvelPliki, NieudaneOtwarcieDajeBrakStrumienia) {
    EXPECT_EQ(Torvel52534("brak\\katalogu\\plik.txt", "wt", 64, 0, -1, 0, 0, 0, 0), -1);
    EXPECT_EQ(Torvel52534("plik.txt", "xq", 64, 0, -1, 0, 0, 0, 0), -1);
    EXPECT_EQ(Otworz("brak\\katalogu\\plik.txt", "wt"), nullptr);
    PrzechowalniaStrumienia smieci;
    memset(&smieci, 0xAB, sizeof smieci);
    EXPECT_EQ(Torvel22567(&smieci), nullptr);
}

TEST_F(TorvelPliki, ZamknietyStrumienNieJestUzywany) {
    StrumienHosta s = Otworz("a.txt", "wt");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Torvel52305(s), 0);
    EXPECT_EQ(Torvel52541(s, "po zamknieciu\n"), -1);
    EXPECT_EQ(Torvel52305(s), -1);
    int obcy = 0;
    EXPECT_EQ(Torvel52541(&obcy, "x"), -1);
    EXPECT_EQ(Tresc("a.txt"), "");
}

TEST_F(TorvelPliki, ResetZamykaOtwartePliki) {
    StrumienHosta s = Otworz("a.txt", "wt");
    Torvel52541(s, "zapisane\n");
    torvel::Resetuj();
    EXPECT_EQ(Tresc("a.txt"), "zapisane\r\n");
    EXPECT_EQ(Torvel52541(s, "x"), -1);
}

TEST_F(TorvelPliki, KatalogHostaZSeparatorem) {
    EXPECT_EQ(std::string(Torvel37980("07_015.csv")), katalog + "/");
    torvel::stan().katalog = katalog + "/";
    EXPECT_EQ(std::string(Torvel37980("x")), katalog + "/");
    EXPECT_EQ(torvel::SciezkaHosta("BRENVIK\\a.csv"), katalog + "/BRENVIK/a.csv");
    EXPECT_EQ(torvel::SciezkaHosta("/abs\\a"), "/abs/a");
}

// ------------------------------------------------------------ programs

class TorvelProgramy : public testy_hosta::SrodowiskoHosta {
protected:
    // A stand-in curl that records its arguments, one per line, and ends with `kod`.
    void UdawanyCurl(int kod) {
        torvel::stan().programCurl = Skrypt("curl-udawany", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                                                 Sciezka("argumenty") + "\"\necho na-wyjscie\nexit " +
                                                                 std::to_string(kod) + "\n");
    }
    std::vector<std::string> Argumenty() const {
        std::vector<std::string> lista;
        std::istringstream tresc(Tresc("argumenty"));
        for (std::string linia; std::getline(tresc, linia);) lista.push_back(linia);
        return lista;
    }
};

TEST_F(TorvelProgramy, CurlDostajeArgumentyPodzieloneISciezkiHosta) {
    UdawanyCurl(7);
    std::string tekst = " -k \"ftp://127.0.0.1:2121katalog/\" -u ja\\\"n:ta jne -T \"" + std::string(Torvel37980("x")) +
                        "BRENVIK\\07_015_2026_12_07_1342.csv\"";
    EXPECT_EQ(Torvel52011(0, "curl", "curl", tekst.c_str(), 0), 7);
    EXPECT_EQ(Argumenty(), (std::vector<std::string>{"-k", "ftp://127.0.0.1:2121katalog/", "-u", "ja\"n:ta", "jne", "-T",
                                                      katalog + "/BRENVIK/07_015_2026_12_07_1342.csv"}));
}

TEST_F(TorvelProgramy, ObceSciezkiZostajaJakSa) {
    UdawanyCurl(0);
    EXPECT_EQ(Torvel52011(0, "curl", "curl", " C:\\inny\\plik \\\\serwer\\x", 0), 0);
    EXPECT_EQ(Argumenty(), (std::vector<std::string>{"C:\\inny\\plik", "\\\\serwer\\x"}));
}

TEST_F(TorvelProgramy, ProgramKtoryNieRuszaDajeMinusJeden) {
    torvel::stan().programCurl = Sciezka("nie-ma-takiego-programu");
    EXPECT_EQ(Torvel52011(0, "curl", "curl", " -V", 0), -1);
    EXPECT_EQ(torvel::UruchomProgram("", {}), -1);
}

// A program's output stays off the host's terminal unless the run is
// verbose; a failure's last error line waits for the next text shown.
TEST_F(TorvelProgramy, WyjscieProgramuZostajePozaTerminalem) {
    const std::string postep = "  % Total    % Received\n\r  0     0    0     0 --:--:--\r100    12  0:00:01\n";
    struct Przypadek {
        bool gadatliwy;
        int kod;
        std::string bledy, naStderr, diagnostyka;
    } przypadki[] = {
        {false, 0, postep, "", ""},
        {false, 7, postep + "curl: (7) Failed to connect to 127.0.0.1 port 1\n", "",
         "curl: (7) Failed to connect to 127.0.0.1 port 1"},
        {false, 67, "curl: (9) pierwszy\r" + postep + "curl: (67) Access denied: 530\n", "", "curl: (67) Access denied: 530"},
        {false, 6, "  0     0 --:--:--     0curl: (6) Could not resolve host: x\n", "", "curl: (6) Could not resolve host: x"},
        {false, 3, "zwykly tekst : (3) nie\ncurl: bez numeru\n", "", ""},
        {true, 7, "curl: (7) x\n", "na-wyjscie\ncurl: (7) x\n", ""},
    };
    for (const Przypadek& p : przypadki) {
        torvel::stan().gadatliwy = p.gadatliwy;
        torvel::stan().diagnostyka = "z poprzedniego";
        torvel::stan().programCurl =
            Skrypt("curl-udawany", "echo na-wyjscie\nprintf '%s' '" + p.bledy + "' >&2\nexit " + std::to_string(p.kod) + "\n");
        fflush(stdout);
        fflush(stderr);
        int staryOut = dup(1), staryErr = dup(2);
        int out = open(Sciezka("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(Sciezka("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        int kod = Torvel52011(0, "curl", "curl", " x", 0);
        dup2(staryOut, 1);
        dup2(staryErr, 2);
        for (int fd : {out, err, staryOut, staryErr}) close(fd);
        EXPECT_EQ(kod, p.kod);
        EXPECT_EQ(Tresc("stdout"), "") << p.kod;
        EXPECT_EQ(Tresc("stderr"), p.naStderr) << p.kod;
        EXPECT_EQ(torvel::stan().diagnostyka, p.diagnostyka) << p.kod;
    }
}

TEST_F(TorvelProgramy, PocztaWysylaPlikDoAdresataZLiniiTo) {
    UdawanyCurl(0);
    Utworz("message.eml", "Subject: Raport ze sklepu nazwasklepu.\r\nTo:  kierownik@sklep.example \r\nFrom: "
                          "nadawca@sklep.example\r\n\r\n\r\nTo: nie-ten@x\r\n\r\n");
    EXPECT_EQ(Torvel51525("message.eml", 0, "127.0.0.1:2525", "nadawca@sklep.example", "has lo", 17), 0);
    EXPECT_EQ(Argumenty(),
              (std::vector<std::string>{"--silent", "--show-error", "--url", "smtp://127.0.0.1:2525", "--mail-from",
                                        "nadawca@sklep.example", "--mail-rcpt", "kierownik@sklep.example", "--upload-file",
                                        katalog + "/message.eml", "--user", "nadawca@sklep.example:has lo"}));
}

TEST_F(TorvelProgramy, PocztaZwracaKodCurla) {
    UdawanyCurl(67);
    Utworz("message.eml", "To: a@b\n\ntekst\n");
    EXPECT_EQ(Torvel51525("message.eml", 0, "serwer", "l", "h", 17), 67);
}

TEST_F(TorvelProgramy, PocztaBezPlikuLubAdresataNicNieUruchamia) {
    UdawanyCurl(0);
    EXPECT_EQ(Torvel51525("message.eml", 0, "serwer", "l", "h", 17), -1);
    Utworz("message.eml", "Subject: x\n\nTo: w-tresci@x\n");
    EXPECT_EQ(Torvel51525("message.eml", 0, "serwer", "l", "h", 17), -1);
    EXPECT_FALSE(Istnieje("argumenty"));
}

}  // namespace
