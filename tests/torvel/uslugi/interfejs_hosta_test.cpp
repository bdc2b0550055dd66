// What the host shows: the kind of window, the texts kept for tests, the
// terminal rendering of markup, and Mazovia decoding.
#include "tests/torvel/uslugi/srodowisko_hosta.h"

namespace {

class TorvelInterfejs : public testy_hosta::SrodowiskoHosta {
protected:
    std::string Wydruk(void (*pokaz)()) {
        torvel::stan().cichy = false;
        testing::internal::CaptureStdout();
        pokaz();
        return testing::internal::GetCapturedStdout();
    }
};

int32_t Komunikat35804(const char* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    int32_t wynik = Torvel35804(nullptr, "Uwaga", format, 1, argumenty);
    va_end(argumenty);
    return wynik;
}

TEST_F(TorvelInterfejs, KomunikatySaFormatowaneIZapamietane) {
    Torvel35802(15000, "Brenvik", "Brak funkcji %d i %s", 61441, 28206, 30018, "x");
    Komunikat35804("B\x92\x86""d CURL (%d)\n\nPodczas wysy\x92""ania pliku\n%s", 28, "a.csv");
    Torvel52029("Uwaga", "Eksport lumera od %s do %s", 512, "05.12.2026", "06.12.2026");
    Torvel52064();
    Torvel52028("Brenvik", "Tabela niedost\x91pna", 1);
    Torvel52030("Data pocz\x86tkowa");
    const auto& k = torvel::stan().komunikaty;
    ASSERT_EQ(k.size(), 5u);
    EXPECT_EQ(k[0].ordinal, 35802);
    EXPECT_EQ(k[0].tekst, "Brak funkcji 30018 i x");
    EXPECT_EQ(k[1].tytul, "Uwaga");
    EXPECT_EQ(k[1].tekst, "Błąd CURL (28)\n\nPodczas wysyłania pliku\na.csv");
    EXPECT_EQ(k[2].tekst, "Eksport lumera od 05.12.2026 do 06.12.2026");
    EXPECT_EQ(k[2].styl, 512);
    EXPECT_EQ(k[3].tekst, "Tabela niedostępna");
    EXPECT_EQ(k[4].ordinal, 52030);
    // The status text's trace carries the text as shown, and its removal is traced.
    torvel::json status = torvel::json::parse(torvel::Slad()[2]);
    EXPECT_EQ(status["args"][3], "Eksport lumera od 05.12.2026 do 06.12.2026");
    EXPECT_EQ(torvel::json::parse(torvel::Slad()[3])["ord"], 52064);
}

TEST_F(TorvelInterfejs, WydrukPokazujeRodzajOkna) {
    EXPECT_EQ(Wydruk([] { Torvel52029("Uwaga", "Czekaj %d", 512, 5); }), "[status] Uwaga: Czekaj 5\n");
    EXPECT_EQ(Wydruk([] { Torvel52028("Brenvik", "Z\x92y", 1); }), "[błąd] Brenvik: Zły\n");
    EXPECT_EQ(Wydruk([] { Torvel52028("Brenvik", "Status", 512); }), "[status] Brenvik: Status\n");
    EXPECT_EQ(Wydruk([] { Torvel52030("Ostro\xA7nie"); }), "[ostrzeżenie] Ostrożnie\n");
    EXPECT_EQ(Wydruk([] { Komunikat35804("a\nb"); }), "[komunikat] Uwaga: a\n    b\n");
    EXPECT_EQ(Wydruk([] { torvel::Pokaz(52026, "Data raportu", "Od:", 0); }), "[formularz] Data raportu: Od:\n");
    EXPECT_EQ(Wydruk([] { Torvel52064(); }), "");
}

TEST_F(TorvelInterfejs, ZnacznikiSaRenderowane) {
    EXPECT_EQ(Wydruk([] { Torvel52028("T", "\x01tl18l33\x01""A\tB\n\x02Wa\xA7ne\x01 koniec", 1); }),
              "[błąd] T: A\tB\n    [Ważne] koniec\n");
    EXPECT_EQ(Wydruk([] { Torvel52028("T", "przycisk \x05""F12\x01", 1); }), "[błąd] T: przycisk [F12]\n");
    EXPECT_EQ(Wydruk([] { Torvel52028("T", "otwarty \x01niedomkniety", 1); }), "[błąd] T: otwarty \n");
    // Kept for tests as they came.
    EXPECT_EQ(torvel::stan().komunikaty[0].tekst, "\x01tl18l33\x01""A\tB\n\x02Ważne\x01 koniec");
}

TEST_F(TorvelInterfejs, BladProgramuPodNastepnymTekstem) {
    torvel::stan().diagnostyka = "curl: (7) Failed to connect";
    EXPECT_EQ(Wydruk([] { Komunikat35804("Nie mo\xA7na"); }), "[komunikat] Uwaga: Nie można\n    curl: (7) Failed to connect\n");
    EXPECT_EQ(Wydruk([] { Torvel52030("Dalej"); }), "[ostrzeżenie] Dalej\n");
}

TEST_F(TorvelInterfejs, CichyHostNicNieDrukuje) {
    testing::internal::CaptureStdout();
    Torvel52028("T", "x", 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(torvel::stan().komunikaty.size(), 1u);
}

TEST(TorvelMazovia, PolskieLiteryIStronaKodowa437) {
    EXPECT_EQ(torvel::ZMazovii("\x86\x8D\x8F\x90\x91\x92\x95\x98\x9C\x9E\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7"),
              "ąćĄĘęłĆŚŁśŹŻóÓńŃźż");
    EXPECT_EQ(torvel::ZMazovii("\x80\x81\xB0\xE1\xFF"), "Çü░ß\u00A0");
    EXPECT_EQ(torvel::ZMazovii(nullptr), "");
    EXPECT_EQ(torvel::DoMazovii("Zażółć gęślą jaźń"), "Za\xA7\xA2\x92\x8D g\x91\x9El\x86 ja\xA6\xA4");
}

TEST(TorvelMazovia, KazdyBajtWracaPoPrzejsciuPrzezUtf8) {
    for (int b = 1; b < 256; ++b) {
        char tekst[2] = {static_cast<char>(b), 0};
        EXPECT_EQ(torvel::DoMazovii(torvel::ZMazovii(tekst)), std::string(tekst)) << b;
    }
}

TEST(TorvelMazovia, ZnakiSpozaStronyKodowejToZnakZapytania) {
    EXPECT_EQ(torvel::DoMazovii("€"), "?");
    EXPECT_EQ(torvel::DoMazovii("å"), "?");  // CP437 0x86 is ą in Mazovia
    EXPECT_EQ(torvel::DoMazovii("a\xC5"), "a?");  // cut sequence
    EXPECT_EQ(torvel::DoMazovii("\xFF" "b"), "?b");
}

}  // namespace
