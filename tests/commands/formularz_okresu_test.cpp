// The date-range form description, byte for byte, and the host's form
// service accepting it and refusing damaged copies.
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "commands/formularz_okresu.h"
#include "host/funkcje_hosta.h"
#include "tests/commands/srodowisko_polecen.h"

namespace {

// Written out from the layout tables of the form, independently of the
// module's builder.
const uint8_t OCZEKIWANY_OPIS[306] = {
    // header: 302, 298, 7 records after the frame
    0x2E, 0x01, 0x00, 0x00, 0x2A, 0x01, 0x07, 0x00,
    // frame 1001 at 0,0, 49 x 11, "Data raportu"
    0xFF, 0xFF, 0xE9, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x00, 0x0B, 0x00,
    0x00, 0x00, 0x00, 0x00,
    'D', 'a', 't', 'a', ' ', 'r', 'a', 'p', 'o', 'r', 't', 'u', 0x00,
    // label 0x4102 at 2,2, 47 x 1, "Wykonaj raport kart lojalnościowych za dni:" (ś = 0x9E)
    0x03, 0x00, 0x02, 0x41, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x2F, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00,
    'W', 'y', 'k', 'o', 'n', 'a', 'j', ' ', 'r', 'a', 'p', 'o', 'r', 't', ' ', 'k', 'a', 'r', 't', ' ',
    'l', 'o', 'j', 'a', 'l', 'n', 'o', 0x9E, 'c', 'i', 'o', 'w', 'y', 'c', 'h', ' ', 'z', 'a', ' ',
    'd', 'n', 'i', ':', 0x00,
    // label 0x4103 at 4,4, 4 x 1, "Od:"
    0x03, 0x00, 0x03, 0x41, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 'O', 'd', ':', 0x00,
    // date field 0x4104 at 9,4
    0x05, 0x00, 0x26, 0x00, 0x05, 0x00, 0x04, 0x41, 0x00, 0x04, 0x00, 0x00, 0x09, 0x00, 0x04, 0x00,
    0x0C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x08, 0x00, 0x08, 0x02, 0x00, 0x00, 0x08, 0x00, 0x01, 0x00, 0x00,
    // label 0x4105 at 23,4, 4 x 1, "Do:"
    0x03, 0x00, 0x05, 0x41, 0x00, 0x00, 0x00, 0x00, 0x17, 0x00, 0x04, 0x00, 0x04, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 'D', 'o', ':', 0x00,
    // date field 0x4106 at 27,4
    0x05, 0x00, 0x26, 0x00, 0x05, 0x00, 0x06, 0x41, 0x00, 0x04, 0x00, 0x00, 0x1B, 0x00, 0x04, 0x00,
    0x0C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x08, 0x00, 0x08, 0x02, 0x00, 0x00, 0x08, 0x00, 0x01, 0x00, 0x00,
    // button 0x5001, hot key F12 (0x8600), at 9,7, 13 x 1
    0x00, 0x00, 0x01, 0x50, 0x00, 0x00, 0x00, 0x86, 0x09, 0x00, 0x07, 0x00, 0x0D, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x05, 'F', '1', '2', 0x01, ' ', 'W', 'y', 'k', 'o', 'n', 'a', 'j', 0x00,
    // button 0x5002, hot key Esc (0x1B), at 26,7, 12 x 1
    0x00, 0x00, 0x02, 0x50, 0x00, 0x00, 0x1B, 0x00, 0x1A, 0x00, 0x07, 0x00, 0x0C, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x05, 'E', 'S', 'C', 0x01, ' ', 'A', 'n', 'u', 'l', 'u', 'j', 0x00,
};

TEST(PoleceniaFormularz, OpisZgadzaSieBajtPoBajcie) {
    ASSERT_EQ(sizeof FormularzOkresu, sizeof OCZEKIWANY_OPIS);
    for (size_t i = 0; i < sizeof OCZEKIWANY_OPIS; ++i)
        EXPECT_EQ(FormularzOkresu.bajty[i], OCZEKIWANY_OPIS[i]) << "byte " << i;
}

class PoleceniaFormularzHosta : public testy::SrodowiskoPolecen {
protected:
    // The form service on a copy of the description; the block starts with
    // two dates.
    int16_t Formularz(const std::vector<uint8_t>& opis) {
        memcpy(blok_, "C6.11.01\0C6.11.02", 18);
        return H52026()(opis.data(), NUMER_FORMULARZA_OKRESU, blok_, 0);
    }
    std::vector<uint8_t> Kopia() const { return {FormularzOkresu.bajty, FormularzOkresu.bajty + ROZMIAR_FORMULARZA_OKRESU}; }
    char blok_[18];
};

TEST_F(PoleceniaFormularzHosta, OdpowiadaPrzyciskiemIWpisujeDatyWSloty) {
    torvel::stan().formularzOd = testy::DzienHosta(-9);
    torvel::stan().formularzPrzycisk = "F12";
    EXPECT_EQ(Formularz(Kopia()), PRZYCISK_WYKONAJ);
    EXPECT_EQ(std::string(blok_, 8), testy::DzienHosta(-9));
    EXPECT_EQ(std::string(blok_ + 9), "C6.11.02");  // no answer keeps the block's date

    torvel::stan().formularzPrzycisk = "ESC";
    EXPECT_EQ(Formularz(Kopia()), PRZYCISK_ANULUJ);
}

TEST_F(PoleceniaFormularzHosta, OdrzucaUszkodzonyOpis) {
    struct Uszkodzenie {
        const char* opis;
        size_t bajt;
        uint8_t wartosc;
    } uszkodzenia[] = {
        {"first length", 0, 0x2F},    {"second length", 4, 0x2B},      {"record count", 6, 8},
        {"frame type", 8, 0x03},      {"form number", 10, 0xEA},       {"label type", 41, 0x07},
        {"date field layout", 131, 0x27}, {"button text end", 305, 'x'},
    };
    for (const Uszkodzenie& u : uszkodzenia) {
        std::vector<uint8_t> opis = Kopia();
        opis[u.bajt] = u.wartosc;
        size_t przed = torvel::stan().komunikaty.size();
        EXPECT_EQ(Formularz(opis), 0) << u.opis;
        EXPECT_EQ(std::string(blok_ + 9), "C6.11.02") << u.opis;
        ASSERT_EQ(torvel::stan().komunikaty.size(), przed + 1) << u.opis;
        EXPECT_NE(torvel::stan().komunikaty.back().tekst.find("formularza"), std::string::npos) << u.opis;
    }
}

}  // namespace
