#include "tests/commands/srodowisko_polecen.h"

#include <time.h>

#include <algorithm>

namespace testy {

std::string DzienHosta(int dni) {
    struct tm czas = {};
    czas.tm_year = torvel::stan().rok - 1900;
    czas.tm_mon = torvel::stan().miesiac - 1;
    czas.tm_mday = torvel::stan().dzien + dni;
    czas.tm_hour = 12;
    mktime(&czas);
    return torvel::TekstDaty(czas.tm_year + 1900, czas.tm_mon + 1, czas.tm_mday);
}

std::vector<std::string> SrodowiskoPolecen::OkresEksportu() const {
    std::vector<json> wyswietlane = Wywolania(32008);
    if (wyswietlane.size() < 2) return {};
    return {wyswietlane[0]["args"][1].get<std::string>(), wyswietlane[1]["args"][1].get<std::string>()};
}

std::vector<std::string> SrodowiskoPolecen::TekstyStatusu() const {
    std::vector<std::string> teksty;
    for (const json& w : Wywolania(52029)) teksty.push_back(w["args"][3].get<std::string>());
    return teksty;
}

std::vector<int> SrodowiskoPolecen::OrdinalySposrod(const std::vector<int>& wybrane) const {
    std::vector<int> wynik;
    for (int o : Ordinaly())
        if (std::find(wybrane.begin(), wybrane.end(), o) != wybrane.end()) wynik.push_back(o);
    return wynik;
}

std::vector<uint32_t> SrodowiskoPolecen::CzasyPauz() const {
    std::vector<uint32_t> czasy;
    for (const ZapisanaPauza& p : Pauzy()) czasy.push_back(p.milisekundy);
    return czasy;
}

}  // namespace testy
