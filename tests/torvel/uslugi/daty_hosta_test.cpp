// Host date texts, calendar arithmetic, display form, and the small text
// services (bounded copy, trim).
#include <string.h>

#include "tests/torvel/uslugi/srodowisko_hosta.h"
#include "torvel/uslugi/opis_formularza.h"

namespace {

class TorvelDaty : public testy_hosta::SrodowiskoHosta {};

std::string Przesun(const char* data, int dni) {
    char cel[9];
    memset(cel, 'Z', sizeof cel);
    Torvel31012(data, cel, dni);
    return std::string(cel, strnlen(cel, sizeof cel));
}

TEST_F(TorvelDaty, TekstDatyZLiteraDekady) {
    EXPECT_EQ(torvel::TekstDaty(2026, 12, 5), "C6.12.05");
    EXPECT_EQ(torvel::TekstDaty(2020, 1, 1), "C0.01.01");
    EXPECT_EQ(torvel::TekstDaty(2030, 6, 30), "D0.06.30");
    EXPECT_EQ(torvel::TekstDaty(2045, 2, 28), "E5.02.28");
    EXPECT_EQ(torvel::TekstDaty(2019, 12, 31), "19.12.31");
    EXPECT_EQ(torvel::TekstDaty(2027, 2, 29), "");  // no such day
    int r = 0, m = 0, d = 0;
    EXPECT_TRUE(torvel::CzytajDate("D9.02.28", &r, &m, &d));
    EXPECT_EQ(r * 10000 + m * 100 + d, 20390228);
    EXPECT_TRUE(torvel::CzytajDate("C8.02.29", &r, &m, &d));  // leap year
    for (const char* zla : {"C7.02.29", "C6.13.01", "C6.00.10", "C6.12.32", "c6.12.05", "C6-12-05", "C6.12.5", "",
                            "C6.12.055", "B9.12.31"})
        EXPECT_FALSE(torvel::CzytajDate(zla, &r, &m, &d)) << zla;
}

TEST_F(TorvelDaty, PrzesuniecieOKoniecMiesiacaRokuIDekady) {
    EXPECT_EQ(Przesun("C6.12.31", 1), "C7.01.01");
    EXPECT_EQ(Przesun("C7.01.01", -1), "C6.12.31");
    EXPECT_EQ(Przesun("C9.12.31", 1), "D0.01.01");
    EXPECT_EQ(Przesun("D0.01.01", -1), "C9.12.31");
    EXPECT_EQ(Przesun("C8.03.01", -1), "C8.02.29");
    EXPECT_EQ(Przesun("C7.03.01", -1), "C7.02.28");
    EXPECT_EQ(Przesun("C6.12.07", -2), "C6.12.05");
    EXPECT_EQ(Przesun("C6.01.31", 30), "C6.03.02");
    EXPECT_EQ(Przesun("C6.12.07", 365), "C7.12.07");
    EXPECT_EQ(Przesun("C6.12.07", 0), "C6.12.07");
}

TEST_F(TorvelDaty, PrzesuniecieWTymSamymBuforze) {
    char data[9] = "C6.03.01";
    EXPECT_EQ(Torvel31012(data, data, -1), 0);
    EXPECT_STREQ(data, "C6.02.28");
}

TEST_F(TorvelDaty, NieczytelnaDataNieJestPrzesuwana) {
    char cel[9];
    EXPECT_NE(Torvel31012("bzdura-dluga-ponad-bufor", cel, 1), 0);
    EXPECT_EQ(strnlen(cel, sizeof cel), 8u);  // never past the date buffer
    EXPECT_NE(Torvel31012("", cel, 1), 0);
    EXPECT_STREQ(cel, "");
}

TEST_F(TorvelDaty, PorownanieDat) {
    EXPECT_LT(Torvel30908("C6.12.04", "C6.12.05"), 0);
    EXPECT_EQ(Torvel30908("C6.12.05", "C6.12.05"), 0);
    EXPECT_GT(Torvel30908("C7.01.01", "C6.12.31"), 0);
    EXPECT_LT(Torvel30908("C9.12.31", "D0.01.01"), 0);
    EXPECT_LT(Torvel30908("19.12.31", "C0.01.01"), 0);  // digits before the letters
    // Texts that are no dates compare as texts.
    EXPECT_LT(Torvel30908("", "C6.12.05"), 0);
    EXPECT_GT(Torvel30908("xyz", "abc"), 0);
}

TEST_F(TorvelDaty, FormaWyswietlana) {
    char wynik[28];
    EXPECT_EQ(Torvel32008(wynik, "C6.12.05"), wynik);
    EXPECT_STREQ(wynik, "05.12.2026");
    EXPECT_STREQ(Torvel32008(wynik, "D1.02.28"), "28.02.2031");
    char duzy[40];
    memset(duzy, 0x7F, sizeof duzy);
    Torvel32008(duzy, std::string(60, 'q').c_str());
    EXPECT_EQ(strlen(duzy), 27u);
    EXPECT_EQ(duzy[28], 0x7F);
}

TEST_F(TorvelDaty, RozbicieNaPelnyRokMiesiacDzien) {
    int16_t rok = 0, miesiac = 0, dzien = 0;
    EXPECT_EQ(Torvel30520("C6.12.07", &rok, &miesiac, &dzien, 0), 0);
    EXPECT_EQ(rok, 2026);
    EXPECT_EQ(miesiac, 12);
    EXPECT_EQ(dzien, 7);
    EXPECT_NE(Torvel30520("zla data", &rok, &miesiac, &dzien, 0), 0);
}

TEST_F(TorvelDaty, DzisIGodzinaZeStanuHosta) {
    torvel::stan().rok = 2031;
    torvel::stan().miesiac = 2;
    torvel::stan().dzien = 3;
    torvel::stan().godzina = 9;
    torvel::stan().minuta = 5;
    char data[16];
    EXPECT_STREQ(Torvel30204(data), "D1.02.03");
    char czas[16];
    EXPECT_STREQ(Torvel30308(czas, 2), "09:05:00");
}

TEST_F(TorvelDaty, KopiaOgraniczona) {
    char cel[8];
    memset(cel, 0x7F, sizeof cel);
    EXPECT_STREQ(Torvel52161(cel, "abcdef", 3), "abc");
    EXPECT_EQ(cel[4], 0x7F);  // nothing after the terminator
    EXPECT_STREQ(Torvel52161(cel, "ab", 6), "ab");
    EXPECT_STREQ(Torvel52161(cel, "abc", 0), "");
    EXPECT_STREQ(Torvel52161(cel, "abc", -5), "");
}

TEST_F(TorvelDaty, UsuniecieOdstepowWokol) {
    char tekst[] = " \t 4400123 x \t ";
    EXPECT_STREQ(Torvel52133(tekst), "4400123 x");
    char puste[] = " \t ";
    EXPECT_STREQ(Torvel52133(puste), "");
}

}  // namespace

// What the user types into the form's date field.
TEST_F(TorvelDaty, DataWpisanaWPoleFormularza) {
    struct Przypadek {
        const char* wpis;
        const char* tekstDaty;  // nullptr: refused
        const char* powod;
    } przypadki[] = {
        {"01.12.2026", "C6.12.01", ""},  {"01122026", "C6.12.01", ""},   {" 1.2.2026 ", "C6.02.01", ""},
        {"2026-12-07", "C6.12.07", ""},  {"C6.12.05", "C6.12.05", ""},   {"29.02.2024", "C4.02.29", ""},
        {"32.13.2026", nullptr, "Nie ma miesiąca 13"},
        {"32.12.2026", nullptr, "Miesiąc 12.2026 nie ma dnia 32"},
        {"29.02.2026", nullptr, "Miesiąc 02.2026 nie ma dnia 29"},
        {"01.12.26", nullptr, "Rok 26 poza zakresem 1900-2099"},
        {"0112202", nullptr, "Wpisz datę jako DD.MM.RRRR"},   {"", nullptr, "Wpisz datę jako DD.MM.RRRR"},
        {"01.12.2026x", nullptr, "Wpisz datę jako DD.MM.RRRR"}, {"01.01.1910", nullptr, "Data poza zakresem dat hosta"},
    };
    for (const Przypadek& p : przypadki) {
        std::string tekstDaty = "bez zmian", powod;
        bool przyjeta = torvel::DataUzytkownika(p.wpis, &tekstDaty, &powod);
        EXPECT_EQ(przyjeta, p.tekstDaty != nullptr) << p.wpis;
        EXPECT_EQ(tekstDaty, p.tekstDaty ? p.tekstDaty : "bez zmian") << p.wpis;
        EXPECT_EQ(przyjeta ? "" : powod, p.powod) << p.wpis;
    }
}
