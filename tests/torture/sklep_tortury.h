// The shop of the fault runs: a small sales table with a receipt of every
// kind the export must tell apart, and, written out by hand beside each
// receipt, the line the export file must hold for it. The expected lines
// are read off the records here, not taken from any output of the module.
#pragma once

#include <string>
#include <vector>

namespace tortura {

struct PozycjaSklepu {
    const char* kod;
    int ilosc, grupa, znacznik;
    double kwotaSumy0, kwotaSumy1, kwotaWykazu0, kwotaWykazu1;
};

struct ParagonSklepu {
    int numer;
    const char* data;  // host date text, "" for none
    int minuta;
    double kwota1, kwota2;
    const char* opis;
    int stan, trybKwot;
    std::vector<PozycjaSklepu> pozycje;
    // The receipt's line with goods group 5 excluded, and with no group
    // excluded; null when the receipt is not exported. {S} stands for the
    // shop number.
    const char* wiersz;
    const char* wierszBezWykluczen;
};

const std::vector<ParagonSklepu>& SklepTortury();

// The fixture text (JSON) of SklepTortury() for the stand-in host.
std::string DaneSklepu();

// The expected line with the shop number put in.
std::string WierszZeSklepem(const char* wzor, const std::string& sklep);

}  // namespace tortura
