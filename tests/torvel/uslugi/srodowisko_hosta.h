// A fresh stand-in host in its own temporary directory, silent, for the
// tests of the host's services.
#pragma once

#include <stdarg.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "torvel/uslugi/funkcje_torvel.h"
#include "torvel/uslugi/wewnetrzne.h"

namespace testy_hosta {

class SrodowiskoHosta : public ::testing::Test {
protected:
    void SetUp() override {
        poprzedniKatalog = torvel::stan().katalog;
        torvel::Resetuj();
        char wzor[] = "/tmp/torvel-host-XXXXXX";
        ASSERT_NE(mkdtemp(wzor), nullptr);
        katalog = wzor;
        torvel::stan().katalog = katalog;
        torvel::stan().cichy = true;
    }

    void TearDown() override {
        torvel::Resetuj();
        torvel::stan().katalog = poprzedniKatalog;
        std::error_code blad;
        std::filesystem::remove_all(katalog, blad);
    }

    std::string Sciezka(const std::string& nazwa) const { return katalog + "/" + nazwa; }

    std::string Tresc(const std::string& nazwa) const {
        std::ifstream plik(Sciezka(nazwa), std::ios::binary);
        std::ostringstream tresc;
        tresc << plik.rdbuf();
        return tresc.str();
    }

    void Utworz(const std::string& nazwa, const std::string& tresc) const {
        std::ofstream plik(Sciezka(nazwa), std::ios::binary);
        plik << tresc;
    }

    bool Istnieje(const std::string& nazwa) const { return std::filesystem::exists(Sciezka(nazwa)); }

    // A shell script in the host's directory, made executable.
    std::string Skrypt(const std::string& nazwa, const std::string& tresc) const {
        Utworz(nazwa, "#!/bin/sh\n" + tresc);
        std::filesystem::permissions(Sciezka(nazwa), std::filesystem::perms::owner_all);
        return Sciezka(nazwa);
    }

    std::string katalog;
    std::string poprzedniKatalog;
};

// Host function 41399 as the module's forwarding operation calls it.
inline int32_t Ustawienie(const char* plik, int32_t tryb, const char* sekcja, const char* klucz, const char* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    int32_t wynik = Torvel41399(plik, tryb, sekcja, klucz, format, argumenty);
    va_end(argumenty);
    return wynik;
}

}  // namespace testy_hosta
