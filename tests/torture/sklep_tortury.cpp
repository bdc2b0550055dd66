#include "tests/torture/sklep_tortury.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <nlohmann/json.hpp>

#include "tests/torture/serwer_tortury.h"
#include "torvel/uslugi/torvel.h"

namespace tortura {

// Amounts in units of 1/10000, quantities in 1/1000; the lines show both in
// units. Receipts 3, 4, 5 (with group 5 excluded), 7, 8, 9 and 11 are never
// in the file: no card, cancelled, card amount 0, before and after the
// period, number 0, no date.
const std::vector<ParagonSklepu>& SklepTortury() {
    static const std::vector<ParagonSklepu> sklep = {
        {1, "C6.12.01", 547, 40000, 5000, "Karta: 4400001 x", 0, 0,
         {{"5901234123457", 2000, 1, 1, 30000, 0, 15000, 0}, {"2000123", 1500, 5, 1, 15000, 0, 10000, 0}},
         "4400001;2026-12-01 09:07;4.50;3.00;{S}|5901234123457;2.000;1.50|2000123;1.500;1.00",
         "4400001;2026-12-01 09:07;4.50;4.50;{S}|5901234123457;2.000;1.50|2000123;1.500;1.00"},
        {2, "C6.12.03", 600, 12000, 0, "Karta:4400002", 0, 0, {{"111", 1000, 2, 1, 12000, 0, 12000, 0}},
         "4400002;2026-12-03 10:00;1.20;1.20;{S}|111;1.000;1.20", "4400002;2026-12-03 10:00;1.20;1.20;{S}|111;1.000;1.20"},
        {3, "C6.12.05", 610, 10000, 0, "klient bez karty", 0, 0, {{"222", 1000, 1, 1, 10000, 0, 10000, 0}}, "", ""},
        {4, "C6.12.05", 620, 10000, 0, "Karta:4400004", 1, 0, {{"222", 1000, 1, 1, 10000, 0, 10000, 0}}, "", ""},
        {5, "C6.12.06", 630, 10000, 0, "Karta:4400005", 0, 0, {{"333", 1000, 5, 1, 10000, 0, 10000, 0}}, "",
         "4400005;2026-12-06 10:30;1.00;1.00;{S}|333;1.000;1.00"},
        {6, "C6.12.07", 1439, 25000, 2500, "Karta:   4400006   x", 0, 1,
         {{"444A", 3000, 3, 1, 0, 27500, 0, 9000}, {"555", 1000, 3, 0, 0, 99999, 0, 99999}},
         "4400006;2026-12-07 23:59;2.75;2.75;{S}|444;3.000;0.90", "4400006;2026-12-07 23:59;2.75;2.75;{S}|444;3.000;0.90"},
        {7, "C6.11.30", 600, 10000, 0, "Karta:4400007", 0, 0, {{"666", 1000, 1, 1, 10000, 0, 10000, 0}}, "", ""},
        {8, "C6.12.08", 600, 10000, 0, "Karta:4400008", 0, 0, {{"666", 1000, 1, 1, 10000, 0, 10000, 0}}, "", ""},
        {0, "C6.12.05", 600, 10000, 0, "Karta:4400009", 0, 0, {}, "", ""},
        {10, "C6.12.04", 0, 30000, 0, "Zakup Karta:4400010", 0, 0,
         {{"666", 1000, 1, 1, 10000, 0, 10000, 0}, {"888", 2000, 1, 1, 20000, 0, 10000, 0}},
         "4400010;2026-12-04 00:00;3.00;3.00;{S}|666;1.000;1.00|888;2.000;1.00",
         "4400010;2026-12-04 00:00;3.00;3.00;{S}|666;1.000;1.00|888;2.000;1.00"},
        {11, "", 600, 10000, 0, "Karta:4400011", 0, 0, {{"666", 1000, 1, 1, 10000, 0, 10000, 0}}, "", ""},
    };
    return sklep;
}

namespace {

const ParagonSklepu& Paragon(int numer) {
    for (const ParagonSklepu& p : SklepTortury())
        if (p.numer == numer) return p;
    abort();
}

// The copy's card in the description and in front of the lines, the
// copy's date in the lines' date field.
ParagonSklepu Kopia(const ParagonSklepu& wzor, int numer, const std::string& data, const std::string& dataPliku,
                    const std::string& przyrostek) {
    ParagonSklepu p = wzor;
    p.numer = numer;
    p.data = data;
    size_t karta = p.opis.find("44000");
    if (karta != std::string::npos) {
        size_t koniec = p.opis.find_first_not_of("0123456789", karta);
        p.opis.insert(koniec == std::string::npos ? p.opis.size() : koniec, przyrostek);
    }
    for (std::string* w : {&p.wiersz, &p.wierszBezWykluczen}) {
        if (w->empty()) continue;
        size_t srednik = w->find(';');
        *w = w->substr(0, srednik) + przyrostek + ";" + dataPliku + w->substr(w->find(' ', srednik));
    }
    return p;
}

}  // namespace

std::vector<ParagonSklepu> SklepHistorii(int rok, int miesiac, int dzien, int dni) {
    static const int EKSPORTOWANE[] = {1, 2, 6, 10}, NIGDY[] = {3, 4, 5};
    std::vector<ParagonSklepu> sklep;
    for (int k = 0; k < dni; ++k) {
        struct tm t = {};
        t.tm_year = rok - 1900, t.tm_mon = miesiac - 1, t.tm_mday = dzien + k, t.tm_hour = 12;
        timegm(&t);
        char dataPliku[48], przyrostek[16];
        snprintf(dataPliku, sizeof dataPliku, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
        snprintf(przyrostek, sizeof przyrostek, "%03d", k);
        std::string data = torvel::TekstDaty(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
        sklep.push_back(Kopia(Paragon(EKSPORTOWANE[k % 4]), EKSPORTOWANE[k % 4] * 1000 + k + 1, data, dataPliku, przyrostek));
        int nigdy = NIGDY[k / 3 % 3];
        if (k % 3 == 0) sklep.push_back(Kopia(Paragon(nigdy), nigdy * 1000 + k + 1, data, dataPliku, przyrostek));
    }
    sklep.push_back(Paragon(0));
    sklep.push_back(Paragon(11));
    return sklep;
}

void RekordySklepu(const std::vector<ParagonSklepu>& sklep, std::vector<torvel::RekordParagonu>* paragony,
                   std::vector<torvel::RekordPozycji>* pozycje) {
    for (const ParagonSklepu& p : sklep) {
        torvel::RekordParagonu r;
        r.numerParagonu = p.numer;
        r.dataParagonu = torvel::DoMazovii(p.data);
        r.opisParagonu = torvel::DoMazovii(p.opis);
        r.minutaParagonu = static_cast<int16_t>(p.minuta);
        r.stanParagonu = static_cast<int16_t>(p.stan);
        r.kwota1 = p.kwota1, r.kwota2 = p.kwota2;
        r.trybKwot = static_cast<uint8_t>(p.trybKwot);
        paragony->push_back(r);
        for (const PozycjaSklepu& z : p.pozycje) {
            torvel::RekordPozycji q;
            q.numerParagonu = p.numer;
            q.ilosc = z.ilosc;
            q.kodPozycji = torvel::DoMazovii(z.kod);
            q.grupa = static_cast<int16_t>(z.grupa);
            q.znacznikPozycji = static_cast<int16_t>(z.znacznik);
            q.kwotaSumy0 = z.kwotaSumy0, q.kwotaSumy1 = z.kwotaSumy1;
            q.kwotaWykazu0 = z.kwotaWykazu0, q.kwotaWykazu1 = z.kwotaWykazu1;
            pozycje->push_back(q);
        }
    }
}

std::string DaneSklepu(const std::vector<ParagonSklepu>& sklep) {
    nlohmann::json tspr = nlohmann::json::array(), dok = nlohmann::json::array();
    for (const ParagonSklepu& p : sklep) {
        tspr.push_back({{"numerParagonu", p.numer}, {"dataParagonu", p.data}, {"minutaParagonu", p.minuta},
                        {"kwota1", p.kwota1}, {"kwota2", p.kwota2}, {"opisParagonu", p.opis},
                        {"stanParagonu", p.stan}, {"trybKwot", p.trybKwot}});
        for (const PozycjaSklepu& z : p.pozycje)
            dok.push_back({{"numerParagonu", p.numer}, {"kodPozycji", z.kod}, {"ilosc", z.ilosc}, {"grupa", z.grupa},
                           {"znacznikPozycji", z.znacznik}, {"kwotaSumy0", z.kwotaSumy0}, {"kwotaSumy1", z.kwotaSumy1},
                           {"kwotaWykazu0", z.kwotaWykazu0}, {"kwotaWykazu1", z.kwotaWykazu1}});
    }
    return nlohmann::json({{"Tspr", tspr}, {"Tspr_dok", dok}}).dump();
}

std::string UstawieniaSklepu(const std::string& hasloFTP, const std::string& zapisanaData, bool email, bool komplet) {
    std::string ini;
    if (komplet) {
        ini += "[odczytParagonowZKas]\r\n";
        for (int kasa = 1; kasa <= 10; ++kasa) ini += (kasa < 10 ? "Kasa0" : "Kasa") + std::to_string(kasa) + "=1\r\n";
    }
    ini += "[ustawieniaRaportu]\r\nidSklepu=15\r\nidSpoldzielni=7\r\nnazwaSklepu=Sklep tortury\r\nwykluczonaGrupa=5\r\n";
    if (komplet)
        for (int grupa = 2; grupa <= 15; ++grupa) ini += "wykluczonaGrupa" + std::to_string(grupa) + "=-1\r\n";
    ini += "[ustawieniaTransmisji]\r\nhostFTP=" + std::string(SERWER_FTP) + "\r\nuserFTP=lumera\r\npassFTP=" + hasloFTP +
           "\r\ndirFTP=/lumera\r\n";
    if (komplet) ini += "pasywnyFTP=1\r\nportFTP=21\r\n";
    if (!zapisanaData.empty()) ini += "[danePomocnicze]\r\nDataOstatniegoEksportu=" + zapisanaData + "\r\n";
    if (email) {
        ini += "[ustawieniaEmail]\r\nhostSMTP=127.0.0.1:2525\r\n";
        if (komplet) ini += "login=raporty@sklep.example\r\nhaslo=580342\r\nadresat=lumera@sklep.example\r\nuwierzytelnienie=1\r\n";
    }
    return ini;
}

std::string WierszZeSklepem(const std::string& wzor, const std::string& sklep) {
    std::string wiersz = wzor;
    size_t s = wiersz.find("{S}");
    if (s != std::string::npos) wiersz.replace(s, 3, sklep);
    return wiersz;
}

}  // namespace tortura
