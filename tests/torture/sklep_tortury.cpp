#include "tests/torture/sklep_tortury.h"

#include <nlohmann/json.hpp>

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

std::string WierszZeSklepem(const std::string& wzor, const std::string& sklep) {
    std::string wiersz = wzor;
    size_t s = wiersz.find("{S}");
    if (s != std::string::npos) wiersz.replace(s, 3, sklep);
    return wiersz;
}

}  // namespace tortura
