#include <gtest/gtest.h>

#include <string.h>

#include "shell/eksporty.h"
#include "shell/stan_modulu.h"

namespace {

TEST(NazwaPliku, PoOstatnimSeparatorzeKazdegoRodzaju) {
    const char* sciezka = "C:\\A\\B/c.dll";
    EXPECT_STREQ(PodajNazwePliku(sciezka), "c.dll");
    EXPECT_EQ(PodajNazwePliku(sciezka), sciezka + 7) << "a pointer into the path";
    EXPECT_STREQ(PodajNazwePliku("C:/A/B\\c.dll"), "c.dll");
    EXPECT_STREQ(PodajNazwePliku("brenvik.dll"), "brenvik.dll");
    EXPECT_STREQ(PodajNazwePliku("C:\\TORVEL\\"), "");
    EXPECT_STREQ(PodajNazwePliku(""), "");
}

TEST(StanModulu, ZaladowanyModulZnaHostaIJegoFunkcjeZwrotna) {
    ASSERT_NE(uchwytHosta, nullptr) << "the host library is loaded before the module's attach";
    EXPECT_NE(funkcjaZwrotnaHosta, nullptr);
    EXPECT_NE(strlen(sciezkaModulu), 0u);
    EXPECT_EQ(nazwaPlikuModulu, PodajNazwePliku(sciezkaModulu));
}

TEST(StanModulu, PowiadomienieOWatkuNicNieZmienia) {
    UchwytModuluHosta modul = uchwytModulu, host = uchwytHosta;
    FunkcjaZwrotnaHosta zwrotna = funkcjaZwrotnaHosta;
    std::string sciezka = sciezkaModulu;
    const char* nazwa = nazwaPlikuModulu;
    for (uint32_t powod : {0u, 2u, 3u}) EXPECT_EQ(InicjujModul(reinterpret_cast<UchwytModuluHosta>(0x1234), powod), 1);
    EXPECT_EQ(uchwytModulu, modul);
    EXPECT_EQ(uchwytHosta, host);
    EXPECT_EQ(funkcjaZwrotnaHosta, zwrotna);
    EXPECT_EQ(sciezka, sciezkaModulu);
    EXPECT_EQ(nazwaPlikuModulu, nazwa);
}

TEST(Eksporty, PrzekaznikiDajaStaleOdpowiedzi) {
    EXPECT_EQ(Eksport30009(), 0);
    for (int32_t argument : {0, 1, -1, 0x7FFFFFFF}) EXPECT_EQ(Eksport30010(argument), 0xB669FD2Eu);
}

}  // namespace
