// The shop of the fault runs: a small sales table with a receipt of every
// kind the export must tell apart, and, written out by hand beside each
// receipt, the line the export file must hold for it. The expected lines
// are read off the records here, not taken from any output of the module.
#pragma once

#include <string>
#include <vector>

#include "torvel/uslugi/torvel.h"

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

// The shop of the histories: on each of `dni` days from the given one, a
// copy of one receipt kind that is exported (1, 2, 6, 10 in turn), on every
// third day also of one that never is (3, 4, 5 in turn), each with its own
// number and card; then receipts 0 and 11 (no number, no date) once. A
// copy's lines are the hand-written ones above with the copy's card and
// date put in.
std::vector<ParagonSklepu> SklepHistorii(int rok, int miesiac, int dzien, int dni);

// A shop as the stand-in host's records, for torvel::WczytajRekordy: the
// same tables as its fixture text, without parsing it again for every run.
void RekordySklepu(const std::vector<ParagonSklepu>& sklep, std::vector<torvel::RekordParagonu>* paragony,
                   std::vector<torvel::RekordPozycji>* pozycje);

// The fixture text (JSON) of a shop for the stand-in host.
std::string DaneSklepu(const std::vector<ParagonSklepu>& sklep = SklepTortury());

// The fixture's settings file: shop 15 of cooperative 7, goods group 5
// excluded, the fake FTP server with this password; the stored date of the
// automatic export ("" for none) and the mail server when asked for. The
// remaining keys are missing on purpose, so that the module writes their
// defaults (and those writes can fail too), unless the file is to be
// complete, as the module leaves it after its first export.
std::string UstawieniaSklepu(const std::string& hasloFTP, const std::string& zapisanaData, bool email,
                             bool komplet = false);

// The expected line with the shop number put in.
std::string WierszZeSklepem(const std::string& wzor, const std::string& sklep);

}  // namespace tortura
