// The shop of the fault runs: a small sales table with a receipt of every
// kind the export must tell apart, and, written out by hand beside each
// receipt, the line the export file must hold for it. The expected lines
// are read off the records here, not taken from any output of the module.
#pragma once

#include <string>
#include <vector>

namespace tortura {

struct PozycjaSklepu {
    std::string kod;
    int ilosc, grupa, znacznik;
    double kwotaSumy0, kwotaSumy1, kwotaWykazu0, kwotaWykazu1;
};

struct ParagonSklepu {
    int numer;
    std::string data;  // host date text, "" for none
    int minuta;
    double kwota1, kwota2;
    std::string opis;
    int stan, trybKwot;
    std::vector<PozycjaSklepu> pozycje;
    // The receipt's line with goods group 5 excluded, and with no group
    // excluded; "" when the receipt is not exported. {S} stands for the
    // shop number.
    std::string wiersz;
    std::string wierszBezWykluczen;
};

const std::vector<ParagonSklepu>& SklepTortury();

// The fixture text (JSON) of a shop for the stand-in host.
std::string DaneSklepu(const std::vector<ParagonSklepu>& sklep = SklepTortury());

// The expected line with the shop number put in.
std::string WierszZeSklepem(const std::string& wzor, const std::string& sklep);

}  // namespace tortura
