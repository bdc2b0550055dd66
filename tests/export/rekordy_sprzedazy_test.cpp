// Fields read out of the host's record buffers stay within their bytes.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "export/rekordy_sprzedazy.h"

namespace {

// A record buffer whose bytes are all non-zero, with the guard bytes after
// the text fields telling where a read would have run on.
std::vector<uint8_t> RekordBezTerminatorow(size_t rozmiar) { return std::vector<uint8_t>(rozmiar, 'Z'); }

TEST(EksportRekordy, NiezakonczoneTekstyCzytaneTylkoWSwoichBajtach) {
    std::vector<uint8_t> tspr = RekordBezTerminatorow(tspr::ROZMIAR);
    memset(&tspr[tspr::DATA_PARAGONU], 'D', tspr::DLUGOSC_DATY);
    memset(&tspr[tspr::OPIS_PARAGONU], 'O', 544 - 436);
    UchwytTabeli uchwyt = {};
    uchwyt.rozmiarRekordu = tspr::ROZMIAR;
    uchwyt.buforRekordu = tspr.data();
    Paragon p = CzytajParagon(WidokBiezacegoRekordu(&uchwyt, tspr::ROZMIAR));
    EXPECT_EQ(std::string(p.dataParagonu), std::string(9, 'D'));
    EXPECT_EQ(std::string(p.opisParagonu), std::string(108, 'O'));

    std::vector<uint8_t> dok = RekordBezTerminatorow(tspr_dok::ROZMIAR);
    memset(&dok[tspr_dok::KOD_POZYCJI], '7', tspr_dok::DLUGOSC_KODU);
    uchwyt.rozmiarRekordu = tspr_dok::ROZMIAR;
    uchwyt.buforRekordu = dok.data();
    PozycjaParagonu d = CzytajPozycje(WidokBiezacegoRekordu(&uchwyt, tspr_dok::ROZMIAR));
    EXPECT_EQ(std::string(d.kodPozycji), std::string(17, '7'));
}

TEST(EksportRekordy, PolaWPrzesunieciachLittleEndian) {
    std::vector<uint8_t> tspr(tspr::ROZMIAR, 0);
    tspr[219] = 0x03;
    memcpy(&tspr[230], "C6.12.05", 9);
    double k1 = 412000, k2 = 43000;
    memcpy(&tspr[239], &k1, 8);
    memcpy(&tspr[247], &k2, 8);
    memcpy(&tspr[436], "Karta:1", 8);
    tspr[544] = 0x23, tspr[545] = 0x02;               // 547
    tspr[1429] = 0xFF, tspr[1430] = 0xFF;             // -1
    tspr[1465] = 0x01, tspr[1466] = 0x02, tspr[1468] = 0x80;  // 0x80000201
    UchwytTabeli uchwyt = {};
    uchwyt.rozmiarRekordu = tspr::ROZMIAR;
    uchwyt.buforRekordu = tspr.data();
    Paragon p = CzytajParagon(WidokBiezacegoRekordu(&uchwyt, tspr::ROZMIAR));
    EXPECT_EQ(p.trybKwot, 3);
    EXPECT_STREQ(p.dataParagonu, "C6.12.05");
    EXPECT_EQ(p.kwota1, 412000);
    EXPECT_EQ(p.kwota2, 43000);
    EXPECT_STREQ(p.opisParagonu, "Karta:1");
    EXPECT_EQ(p.minutaParagonu, 547);
    EXPECT_EQ(p.stanParagonu, -1);
    EXPECT_EQ(static_cast<uint32_t>(p.numerParagonu), 0x80000201u);

    std::vector<uint8_t> dok(tspr_dok::ROZMIAR, 0);
    memcpy(&dok[123], "12AB34", 7);
    int32_t ilosc = -1500;
    memcpy(&dok[140], &ilosc, 4);
    double w0 = 1, s0 = 2, s1 = 3, w1 = 4;
    memcpy(&dok[150], &w0, 8);
    memcpy(&dok[158], &s0, 8);
    memcpy(&dok[176], &s1, 8);
    memcpy(&dok[192], &w1, 8);
    dok[214] = 5;
    dok[511] = 1;
    uchwyt.rozmiarRekordu = tspr_dok::ROZMIAR;
    uchwyt.buforRekordu = dok.data();
    PozycjaParagonu d = CzytajPozycje(WidokBiezacegoRekordu(&uchwyt, tspr_dok::ROZMIAR));
    EXPECT_STREQ(d.kodPozycji, "12AB34");
    EXPECT_EQ(d.ilosc, -1500);
    EXPECT_EQ(d.kwotaWykazu0, 1);
    EXPECT_EQ(d.kwotaSumy0, 2);
    EXPECT_EQ(d.kwotaSumy1, 3);
    EXPECT_EQ(d.kwotaWykazu1, 4);
    EXPECT_EQ(d.grupa, 5);
    EXPECT_EQ(d.znacznikPozycji, 1);
}

TEST(EksportRekordy, KrotszyRekordHostaNieJestCzytanyPozaKoniec) {
    // Only the first 540 bytes exist: fields from there on read as 0 / empty.
    std::vector<uint8_t> krotki(540, 'Z');
    UchwytTabeli uchwyt = {};
    uchwyt.rozmiarRekordu = 540;
    uchwyt.buforRekordu = krotki.data();
    Paragon p = CzytajParagon(WidokBiezacegoRekordu(&uchwyt, tspr::ROZMIAR));
    EXPECT_EQ(p.numerParagonu, 0);
    EXPECT_EQ(p.minutaParagonu, 0);
    EXPECT_STREQ(p.opisParagonu, "");  // 436..543 does not fit in 540 bytes
    EXPECT_EQ(std::string(p.dataParagonu), std::string(9, 'Z'));

    EXPECT_EQ(CzytajParagon(WidokBiezacegoRekordu(nullptr, tspr::ROZMIAR)).numerParagonu, 0);
}

}  // namespace
